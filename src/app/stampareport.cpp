#include "app/stampareport.h"

#include "app/contesto.h"
#include "app/finestraanteprima.h"
#include "app/lavorolungo.h"
#include "app/messaggi.h"
#include "app/vistapagine.h"
#include "report/report.h"
#include "storage/sostituzionefile.h"

#include <QAction>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

namespace {

// The engine places everything from the paper's corner and sets paper and
// orientation itself; the default printer, or a PDF file in the program
// folder when there is none.
void preparaStampante(QPrinter &stampante, const QString &cartellaProgramma, const QString &nomeStampa)
{
    stampante.setDocName(nomeStampa);
    stampante.setFullPage(true);
    if (QPrinterInfo::defaultPrinter().isNull()) {
        stampante.setOutputFormat(QPrinter::PdfFormat);
        stampante.setOutputFileName(filePdfPredefinito(cartellaProgramma, nomeStampa));
    }
}

bool chiediStampa(const Contesto &contesto, QWidget *proprietario, QPrinter &stampante, const Report &report)
{
    if (contesto.rispostaStampa())
        return contesto.rispostaStampa()(stampante);
    QPrintDialog dialogo(&stampante, proprietario);
    dialogo.setObjectName(QStringLiteral("dlgStampa"));
    dialogo.setOption(QAbstractPrintDialog::PrintToFile);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
    dialogo.setMinMax(1, std::max(1, report.numeroPagine()));
    return dialogo.exec() == QDialog::Accepted;
}

// The pages the user asked for, 0-based, both included: all of them unless
// a range was set.
std::pair<int, int> pagineScelte(const QPrinter &stampante)
{
    if (stampante.printRange() == QPrinter::PageRange && stampante.fromPage() > 0)
        return {stampante.fromPage() - 1, stampante.toPage() > 0 ? stampante.toPage() - 1 : INT_MAX};
    return {0, INT_MAX};
}

bool stampaPagine(QPagedPaintDevice &dispositivo, const QPrinter &stampante, const Report &report,
                  const std::function<bool(int)> &avanzamento = {})
{
    const auto [primo, ultimo] = pagineScelte(stampante);
    return report.stampaSu(dispositivo, primo, ultimo, avanzamento);
}

int pagineDaStampare(const QPrinter &stampante, const Report &report)
{
    int primo = 1, ultimo = report.numeroPagine();
    if (stampante.printRange() == QPrinter::PageRange && stampante.fromPage() > 0) {
        primo = stampante.fromPage();
        if (stampante.toPage() > 0)
            ultimo = std::min(ultimo, stampante.toPage());
    }
    return std::max(1, ultimo - primo + 1);
}

// A print to a PDF file is written by the report engine itself, on the
// checked replacement: the printer's engine would truncate the old file
// first and then lose every write a full disk refuses, and it writes a
// list of thousands of pages ten times slower.
bool stampaInPdf(QPrinter &stampante, const Report &report, QString *motivo,
                 const std::function<bool(int)> &avanzamento)
{
    // Plain names, not a structured binding: a lambda may not capture those
    // before C++20, and some compilers refuse it.
    const auto scelte = pagineScelte(stampante);
    const int primo = scelte.first;
    const int ultimo = scelte.second;
    const Report::OpzioniPdf opzioni{stampante.resolution(), stampante.docName(), stampante.creator()};
    return sostituisciFile(
        stampante.outputFileName(),
        [&](QIODevice &file) { return report.scriviPdf(file, opzioni, primo, ultimo, avanzamento); }, motivo);
}

bool stampaSuFileOStampante(QPrinter &stampante, const Report &report, QString *motivo,
                            const std::function<bool(int)> &avanzamento)
{
    if (stampante.outputFormat() == QPrinter::PdfFormat && !stampante.outputFileName().isEmpty())
        return stampaInPdf(stampante, report, motivo, avanzamento);
    return stampaPagine(stampante, stampante, report, avanzamento);
}

} // namespace

QString messaggioStampaFallita(const QString &motivo)
{
    return QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
                          "Il file non è stato scritto: %1.\n\r\n\rL'eventuale file precedente è rimasto com'era.").arg(motivo);
}


QString filePdfPredefinito(const QString &cartellaProgramma, const QString &nomeStampa)
{
    QString nome = nomeStampa.simplified();
    static const QString vietati = QStringLiteral("/\\:*?\"<>|");
    for (QChar &c : nome)
        if (c.unicode() < 32 || vietati.contains(c))
            c = QLatin1Char('_');
    if (nome.isEmpty() || nome.startsWith(QLatin1Char('.')))
        nome.prepend(QStringLiteral("Stampa"));
    return cartellaProgramma + nome + QStringLiteral(".pdf");
}


EsitoStampa stampaReport(const Contesto &contesto, QWidget *proprietario, const Report &report,
                         const QString &nomeStampa, QString *motivo)
{
    QPrinter stampante(QPrinter::HighResolution);
    preparaStampante(stampante, contesto.cartellaProgramma(), nomeStampa);
    if (!chiediStampa(contesto, proprietario, stampante, report))
        return EsitoStampa::Annullata;
    // Page by page, the program painting meanwhile; "Annulla" stops it: a
    // PDF file stays as it was, a printer's job is dropped.
    LavoroLungo lavoro(proprietario, QStringLiteral(" Stampa in corso"), QStringLiteral("Stampa: pagina %1 di %2"),
                       pagineDaStampare(stampante, report), contesto.attesaLavoroLungo());
    const bool stampata = stampaSuFileOStampante(stampante, report, motivo, lavoro.passo());
    if (lavoro.annullato()) {
        if (stampante.outputFormat() == QPrinter::NativeFormat)
            stampante.abort();
        if (motivo)
            motivo->clear();
        return EsitoStampa::Annullata;
    }
    return stampata ? EsitoStampa::Stampata : EsitoStampa::Fallita;
}

bool anteprimaReport(const Contesto &contesto, QWidget *proprietario, const Report &report,
                     const QString &nomeStampa)
{
    FinestraAnteprima anteprima(report, nomeStampa, proprietario);
    bool riuscita = true;
    QObject::connect(anteprima.vista(), &VistaPagine::paginaNonDipinta, &anteprima, [&riuscita] { riuscita = false; });
    // Printing from the preview takes the same way as any print, so that a
    // PDF is written checked and a failure is said.
    QObject::connect(anteprima.actStampa, &QAction::triggered, &anteprima, [&] {
        QString motivo;
        const EsitoStampa esito = stampaReport(contesto, &anteprima, report, nomeStampa, &motivo);
        if (esito == EsitoStampa::Fallita)
            contesto.avviso(messaggioStampaFallita(motivo));
        if (esito != EsitoStampa::Annullata)
            anteprima.accept();
    });
    anteprima.setWindowState(Qt::WindowMaximized);
    anteprima.exec();
    return riuscita;
}
