#include "scanner/sceltescanner.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kDispositivo = QStringLiteral("scanner/dispositivo");
const QString kRisoluzione = QStringLiteral("scanner/risoluzione");
const QString kModo = QStringLiteral("scanner/modo");
const QString kOrigine = QStringLiteral("scanner/origine");

// Stored by word, not by number, so that a file edited by hand reads plainly.
const char *const kModi[] = {"colore", "grigi", "biancoenero"};
const char *const kOrigini[] = {"piano", "alimentatore"};

QString paginePosizioni(int salvate, int prima)
{
    if (salvate == 1)
        return QStringLiteral("1 pagina è stata inserita in archivio come scheda %1.").arg(prima);
    return QStringLiteral("%1 pagine sono state inserite in archivio come nuove schede, dalla %2 alla %3.")
        .arg(salvate)
        .arg(prima)
        .arg(prima + salvate - 1);
}

} // namespace

QString fileScelteScanner()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("acquisizione.ini"));
}

SceltaScanner leggiSceltaScanner()
{
    SceltaScanner s;
    QSettings f(fileScelteScanner(), QSettings::IniFormat);
    s.dispositivo = f.value(kDispositivo).toByteArray();
    const int dpi = f.value(kRisoluzione).toInt();
    if (dpi > 0 && dpi <= 19200)
        s.impostazioni.dpi = dpi;
    const QString modo = f.value(kModo).toString();
    for (int i = 0; i < 3; ++i)
        if (modo == QLatin1String(kModi[i]))
            s.impostazioni.modo = ModoScanner(i);
    const QString origine = f.value(kOrigine).toString();
    for (int i = 0; i < 2; ++i)
        if (origine == QLatin1String(kOrigini[i]))
            s.impostazioni.origine = OrigineScanner(i);
    return s;
}

bool scriviSceltaScanner(const SceltaScanner &scelta)
{
    QDir().mkpath(QFileInfo(fileScelteScanner()).absolutePath());
    QSettings f(fileScelteScanner(), QSettings::IniFormat);
    f.setValue(kDispositivo, scelta.dispositivo);
    f.setValue(kRisoluzione, scelta.impostazioni.dpi);
    f.setValue(kModo, QLatin1String(kModi[int(scelta.impostazioni.modo)]));
    f.setValue(kOrigine, QLatin1String(kOrigini[int(scelta.impostazioni.origine)]));
    f.sync();
    return f.status() == QSettings::NoError;
}

QString nomeModo(ModoScanner modo)
{
    switch (modo) {
    case ModoScanner::Colore:
        return QStringLiteral("Colore");
    case ModoScanner::Grigi:
        return QStringLiteral("Toni di grigio");
    case ModoScanner::BiancoNero:
        return QStringLiteral("Bianco e nero");
    }
    return QString();
}

QString nomeOrigine(OrigineScanner origine)
{
    return origine == OrigineScanner::Piano ? QStringLiteral("Piano di scansione")
                                            : QStringLiteral("Alimentatore di fogli");
}

bool riepilogoRegolare(const RiepilogoPacco &r)
{
    if (!r.erroreSalvataggio.isEmpty())
        return false;
    if (r.esito == EsitoScanner::FineFogli)
        return r.salvate > 0;
    return r.esito == EsitoScanner::Ok || r.esito == EsitoScanner::Annullata;
}

QString testoRiepilogo(const RiepilogoPacco &r)
{
    const QString salvate = r.salvate > 0 ? paginePosizioni(r.salvate, r.prima)
                                          : QStringLiteral("Nessuna pagina è stata inserita in archivio.");
    const int foglio = r.salvate + 1;
    if (!r.erroreSalvataggio.isEmpty())
        return QStringLiteral("Acquisizione interrotta al foglio %1: la pagina non è stata salvata.\r\n\r\n%2\r\n\r\n%3")
            .arg(foglio)
            .arg(r.erroreSalvataggio, salvate);
    switch (r.esito) {
    case EsitoScanner::FineFogli:
        if (r.salvate == 0)
            return messaggioScanner(r.esito) + QStringLiteral("\r\n\r\nInserire i fogli e riprovare.");
        [[fallthrough]];
    case EsitoScanner::Ok:
        return QStringLiteral("Acquisizione terminata: l'alimentatore è vuoto.\r\n\r\n%1").arg(salvate);
    case EsitoScanner::Annullata:
        return QStringLiteral("Acquisizione annullata.\r\n\r\n%1").arg(salvate);
    default:
        return QStringLiteral("Acquisizione interrotta al foglio %1: %2\r\n\r\n%3")
            .arg(foglio)
            .arg(messaggioScanner(r.esito), salvate);
    }
}
