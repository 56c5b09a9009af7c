#pragma once

class FinestraRiepilogo;

// Hands back the record behind the selected line of the window's list: its
// position, which the line carries, goes out through the window's
// schedaScelta to whoever opened it, who reads that one record. The archive
// is not read here. Hands back nothing when the window does not allow it (a
// search window not opened by the editor). Then closes the window, also when
// no line is selected; nothing is reported.
void ApriSchedaDaRiga(FinestraRiepilogo *finestra);
