#pragma once

class FinestraRiepilogo;

// Hands back the record behind the selected line of the window's list: of
// the records whose line is the selected one, the last in file order, whose
// position the window's schedaScelta carries to whoever opened it. Hands back
// nothing when the window does not allow it (a search window not opened by
// the editor). Then closes the window, also when no line is selected or the
// archive cannot be read; nothing is reported.
void ApriSchedaDaRiga(FinestraRiepilogo *finestra);
