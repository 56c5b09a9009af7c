#pragma once

class QString;
class QWidget;

// Gives a control its style sheet. Until the toolkit first polishes the
// control (its window opens, or its size or look is asked for) the sheet
// waits: reading a sheet costs about a tenth of a millisecond for each
// control, which every window made hidden at start-up would otherwise pay
// before the login is painted. A later call replaces a sheet still waiting.
void impostaFoglioStile(QWidget *controllo, const QString &foglio);
