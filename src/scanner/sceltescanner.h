#pragma once

#include "scanner/esitoscanner.h"
#include "scanner/scannersane.h"

#include <QByteArray>
#include <QString>

// What the acquisition window remembers between runs: the last device and
// its settings, in acquisizione.ini in the user's configuration folder
// (QStandardPaths::AppConfigLocation, ~/.config/Velmora on Linux). Nothing
// else is kept; no archive and no stored file depends on it.
struct SceltaScanner {
    QByteArray dispositivo;
    ImpostazioniScanner impostazioni;  // without the driver's own options
};

QString fileScelteScanner();
// The last choice, or the defaults (300 dpi, colour, flatbed, no device)
// where nothing is remembered or what is there is not understood.
SceltaScanner leggiSceltaScanner();
// False when the file cannot be written; the acquisition goes on anyway.
bool scriviSceltaScanner(const SceltaScanner &scelta);

// The names the window shows.
QString nomeModo(ModoScanner modo);
QString nomeOrigine(OrigineScanner origine);

// How a bundle went, for its one closing message: the pages stored as new
// records (from position `prima` on, `salvate` of them), then what stopped
// it: the feeder's end, the user, a failure of the scanner at the next
// sheet, or a page that could not be stored (`erroreSalvataggio`, for the
// sheet after the stored ones).
struct RiepilogoPacco {
    EsitoScanner esito = EsitoScanner::Ok;
    int salvate = 0;
    int prima = 0;
    QString erroreSalvataggio;
};
QString testoRiepilogo(const RiepilogoPacco &riepilogo);
// True when the bundle ended as it should (the feeder ran out, or the user
// stopped it): the closing message is an information, not an error.
bool riepilogoRegolare(const RiepilogoPacco &riepilogo);
