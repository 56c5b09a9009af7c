#pragma once

#include <QString>

// How a scanner operation ended. Every failure has one Italian sentence the
// user can act on; the feeder running out of sheets is no failure but the
// normal end of a bundle.
enum class EsitoScanner {
    Ok,
    FineFogli,          // the feeder is empty (SANE_STATUS_NO_DOCS)
    Annullata,          // the user stopped it
    NessunDispositivo,  // no scanner found
    Occupato,           // another program is using it
    Scollegato,         // switched off, unplugged or no longer there
    AccessoNegato,
    Inceppamento,
    CoperchioAperto,
    MemoriaEsaurita,
    TempoScaduto,       // the scanner stopped answering
    NonSupportato,      // a setting or a picture format it cannot give
    Errore,             // anything else the driver reports
};

// The sentence shown for a failure; empty for Ok and Annullata.
QString messaggioScanner(EsitoScanner esito);

// From a status code of the driver (SANE_Status). A device that cannot be
// opened with an invalid-argument status is not there any more.
EsitoScanner esitoDaStatoSane(int stato, bool apertura = false);
