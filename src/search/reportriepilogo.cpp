#include "search/reportriepilogo.h"

#include "app/formati.h"

namespace {

const QColor kArdesia(0x70, 0x80, 0x90);

CasellaTesto::Aspetto barra(double punti)
{
    return {{QStringLiteral("Verdana"), punti, true, Qt::white},
            AllineamentoOrizzontale::Centro, AllineamentoVerticale::Centro, kArdesia, 0};
}

} // namespace

std::unique_ptr<Report> creaReportRiepilogo()
{
    auto report = std::make_unique<Report>(QStringLiteral("Riepilogo dati"));
    PaginaReport *pagina = report->aggiungiPagina(std::make_unique<PaginaReport>(
        QStringLiteral("Page"), QPageSize::A4, QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));

    // Bands in printing order; objects at millimetres from their band's corner.
    Banda *titolo = pagina->aggiungiBanda(QStringLiteral("ReportTitle"), TipoBanda::TitoloReport, mm(8.0));
    titolo->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("txtTitolo"), areaMm(2.0, 1.0, 273.0, 5.0),
                                                    barra(9), QStringLiteral("Riepilogo")));

    Banda *dati = pagina->aggiungiBanda(QStringLiteral("MasterData"), TipoBanda::DatiPrincipali, mm(28.0));
    dati->aggiungi(std::make_unique<CasellaTesto>(
        QStringLiteral("txtRiepilogo"), areaMm(3.0, 0.0, 273.0, 27.0),
        CasellaTesto::Aspetto{{QStringLiteral("Courier New"), 8, false, Qt::black},
                              AllineamentoOrizzontale::Sinistra, AllineamentoVerticale::Alto, QColor(),
                              kPassoRigaRiepilogo}));

    PaginaReport::PiedeMargine margine;
    margine.numeri = true;
    margine.carattere = {QStringLiteral("Verdana"), 7, false, QColor(0x40, 0x40, 0x40)};
    pagina->impostaPiedeMargine(margine);

    Banda *piede = pagina->aggiungiBanda(QStringLiteral("Footer"), TipoBanda::PiedeDati, mm(8.0));
    piede->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("txtPagina"), areaMm(3.0, 2.0, 272.0, 5.0),
                                                   barra(8), QStringLiteral("Stampa eseguita in data [DATE]")));
    return report;
}

void riempiReportRiepilogo(Report &report, const QString &titolo, const QStringList &righe,
                           const QDateTime &quando, const QString &archivio)
{
    PaginaReport *pagina = report.trovaPagina(QStringLiteral("Page"));
    PaginaReport::PiedeMargine margine = pagina->piedeMargine();
    margine.nome = archivio;
    pagina->impostaPiedeMargine(margine);
    report.trova<CasellaTesto>(QStringLiteral("txtTitolo"))->impostaTesto(titolo);
    report.trova<CasellaTesto>(QStringLiteral("txtPagina"))
        ->impostaTesto(QStringLiteral("Stampa eseguita in data ") + dataBreve(quando.date())
                       + QStringLiteral(" alle ore ") + oraLunga(quando.time()));
    auto *riepilogo = report.trova<CasellaTesto>(QStringLiteral("txtRiepilogo"));
    riepilogo->svuotaRighe();
    riepilogo->aggiungiRighe(righe);
    Banda *dati = report.trova<Banda>(QStringLiteral("MasterData"));
    riepilogo->impostaAltezza(riepilogo->righe().size() * kPassoRigaRiepilogo);
    dati->impostaAltezza(riepilogo->altezza() + kMargineBandaRiepilogo);
}
