#pragma once

#include <QString>

class ProgrammaDiProva;
class QWidget;

// Writes the password store of a test program folder with the program's
// own writer, holding the given password (in its stored form).
void scriviArchivioPassword(const ProgrammaDiProva &programma,
                            const QString &password = QStringLiteral("PRIMAVERALUNGA"));

// Waits until the window is shown and active, so focus checks mean something.
bool attendiAttiva(QWidget *finestra);

// A password of n letters, A to Z over and over.
QString lettere(int n);
