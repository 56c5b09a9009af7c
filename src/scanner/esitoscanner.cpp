#include "scanner/esitoscanner.h"

#include <sane/sane.h>

QString messaggioScanner(EsitoScanner esito)
{
    switch (esito) {
    case EsitoScanner::Ok:
    case EsitoScanner::Annullata:
        return QString();
    case EsitoScanner::FineFogli:
        return QStringLiteral("Non ci sono fogli nell'alimentatore dello scanner.");
    case EsitoScanner::NessunDispositivo:
        return QStringLiteral("Non è stato trovato nessuno scanner.\r\n\r\n"
                              "Accertarsi che lo scanner sia acceso e collegato al computer.");
    case EsitoScanner::Occupato:
        return QStringLiteral("Lo scanner è occupato da un altro programma.\r\n\r\n"
                              "Attendere che l'altro programma abbia finito e riprovare.");
    case EsitoScanner::Scollegato:
        return QStringLiteral("Lo scanner non è più raggiungibile: è stato spento o scollegato.\r\n\r\n"
                              "Ricollegarlo, accenderlo e riprovare.");
    case EsitoScanner::AccessoNegato:
        return QStringLiteral("Il sistema non permette di usare lo scanner.\r\n\r\n"
                              "Accertarsi di possedere i privilegi per accedere allo scanner.");
    case EsitoScanner::Inceppamento:
        return QStringLiteral("La carta si è inceppata nello scanner.\r\n\r\n"
                              "Togliere il foglio inceppato e riprovare.");
    case EsitoScanner::CoperchioAperto:
        return QStringLiteral("Il coperchio dello scanner è aperto.\r\n\r\n"
                              "Chiudere il coperchio e riprovare.");
    case EsitoScanner::MemoriaEsaurita:
        return QStringLiteral("La memoria non basta per acquisire la pagina.\r\n\r\n"
                              "Scegliere una risoluzione più bassa o chiudere altri programmi.");
    case EsitoScanner::TempoScaduto:
        return QStringLiteral("Lo scanner non risponde più: l'acquisizione è stata interrotta.\r\n\r\n"
                              "Accertarsi che lo scanner sia acceso e collegato e riprovare.");
    case EsitoScanner::NonSupportato:
        return QStringLiteral("Lo scanner non può acquisire la pagina con le impostazioni scelte.");
    case EsitoScanner::Errore:
        break;
    }
    return QStringLiteral("Lo scanner ha segnalato un errore durante l'acquisizione.");
}

EsitoScanner esitoDaStatoSane(int stato, bool apertura)
{
    switch (static_cast<SANE_Status>(stato)) {
    case SANE_STATUS_GOOD:
    case SANE_STATUS_EOF:
        return EsitoScanner::Ok;
    case SANE_STATUS_CANCELLED:
        return EsitoScanner::Annullata;
    case SANE_STATUS_NO_DOCS:
        return EsitoScanner::FineFogli;
    case SANE_STATUS_DEVICE_BUSY:
        return EsitoScanner::Occupato;
    case SANE_STATUS_IO_ERROR:
        return EsitoScanner::Scollegato;
    case SANE_STATUS_INVAL:
        return apertura ? EsitoScanner::Scollegato : EsitoScanner::Errore;
    case SANE_STATUS_ACCESS_DENIED:
        return EsitoScanner::AccessoNegato;
    case SANE_STATUS_JAMMED:
        return EsitoScanner::Inceppamento;
    case SANE_STATUS_COVER_OPEN:
        return EsitoScanner::CoperchioAperto;
    case SANE_STATUS_NO_MEM:
        return EsitoScanner::MemoriaEsaurita;
    case SANE_STATUS_UNSUPPORTED:
        return EsitoScanner::NonSupportato;
    }
    return EsitoScanner::Errore;
}
