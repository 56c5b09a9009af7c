#pragma once

class FinestraRiepilogo;

// Opens in the editor the record behind the selected line of the window's
// list: reads the editor's archive and shows, in file order, every record
// whose line is the selected one, so the last of them remains on screen
// with its scan. Writes nothing when the window does not allow it (a search
// window not opened by the editor). Then closes the window, also when no
// line is selected or the archive cannot be read; nothing is reported.
void ApriSchedaDaRiga(FinestraRiepilogo *finestra);
