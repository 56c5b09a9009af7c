#include "search/stampariepilogo.h"

#include "app/stampareport.h"
#include "search/finestrariepilogo.h"
#include "search/modellorighe.h"
#include "search/reportriepilogo.h"

#include <QDateTime>

#include <stdexcept>

void StampaRiepilogo(FinestraRiepilogo &finestra, const QString &titolo)
{
    const QString &archivio = finestra.nomeArchivio();
    Report &report = finestra.frxReport();
    riempiReportRiepilogo(report, titolo, finestra.modello()->righe().testi(), QDateTime::currentDateTime(),
                          archivio);
    report.prepara();

    const QString nome = archivio.isEmpty() ? titolo : titolo + QStringLiteral(" ") + archivio;
    QString motivo;
    if (stampaReport(finestra.contesto(), &finestra, report, nome, &motivo) == EsitoStampa::Fallita)
        throw std::runtime_error(motivo.isEmpty() ? std::string("La stampante non ha accettato la stampa.")
                                                  : messaggioStampaFallita(motivo).toStdString());
}
