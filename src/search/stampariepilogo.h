#pragma once

#include <QString>

class FinestraRiepilogo;

// Prints the window's list with the list report the window holds: the
// title, the date and time of this print and every line in the list's
// order, after the print dialog; nothing when the dialog is cancelled. It
// handles no failure itself: a printer that fails throws, and the button's
// handler leaves that to the general error report. The window stays open.
void StampaRiepilogo(FinestraRiepilogo &finestra, const QString &titolo);
