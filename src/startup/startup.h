#pragma once

#include <QByteArray>
#include <QString>

class Contesto;

// Start-up of the program, callable in-process by tests.
//
// createWindows() makes the six long-lived windows in their fixed order
// with one context (app/contesto.h) holding the given folder as program
// folder and the real services, hands it to each of them (the application
// object is the caller's), and leaves the login window frmPassword shown,
// as the only visible window. The dialogs are made by each opening. The set
// is kept in finestre() (startup/finestre.h); windows show each other
// through the context and the signals connected here.
//
// A test hands a context of its own instead (its stand-ins for the message
// boxes, the dialogs and the program's end); it must outlive the windows.
// It tears the whole set down with destroyWindows() and may then call
// createWindows() again in the same process; calling createWindows() while
// a set exists destroys the old set first. Program end (Contesto::termina)
// stops the caller's event loop unless the context says otherwise.
// It also makes the toolkit speak Italian and gives every window the
// program's icon, so that a test sees what a user sees.
void createWindows(const QString &programFolder);
void createWindows(Contesto &contesto);
void destroyWindows();

// Loads the toolkit's own Italian texts (dialog buttons, file dialogs), then
// the program's supplement for the texts the toolkit's catalogue lacks (the
// print dialog's "Pages" and "Advanced", the file dialog's "Folder"), once
// per application object, and makes Italian the default locale (month
// names, the type names of the file dialog). Called by createWindows();
// main() calls it earlier so that the command line's help is Italian too.
void caricaTraduzioni();

// Removes what file replacements killed in an earlier run (a crash, a power
// cut) left in the program folder and its scans and attachments folders:
// only their own hidden new files, untouched for an hour. main() calls it
// before the windows are made.
void rimuoviProvvisoriDelProgramma(const QString &cartellaProgramma);

// The toolkit reads its "system" locale, which the file dialog uses for its
// dates, from the environment as the application object is made. While an
// object of this class lives, that environment says Italian; the C
// library keeps the user's own locale (its character set above all), and
// the environment is the user's again afterwards, for the programs this
// one starts. Make one just before the application object and drop it
// just after.
class LocaleItaliana
{
public:
    LocaleItaliana();
    ~LocaleItaliana();
    LocaleItaliana(const LocaleItaliana &) = delete;
    LocaleItaliana &operator=(const LocaleItaliana &) = delete;

private:
    QByteArray m_lcAll;
    bool m_lcAllImpostata = false;
    QByteArray m_localeC;
};
