#include "app/stampareport.h"

#include "app/contesto.h"
#include "app/finestraanteprima.h"
#include "app/lavorolungo.h"
#include "app/messaggi.h"
#include "app/vistapagine.h"
#include "report/report.h"
#include "storage/sostituzionefile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

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

// The pages the user asked for, 0-based, both included, within the
// report's pages: all of them unless a range was set.
struct PagineScelte {
    int primo = 0;
    int ultimo = 0;
    // What the progress counts: at least one step.
    int quante() const { return std::max(1, ultimo - primo + 1); }
};

PagineScelte pagineScelte(const QPrinter &stampante, const Report &report)
{
    PagineScelte p{0, report.numeroPagine() - 1};
    if (stampante.printRange() == QPrinter::PageRange && stampante.fromPage() > 0) {
        p.primo = stampante.fromPage() - 1;
        if (stampante.toPage() > 0)
            p.ultimo = std::min(p.ultimo, stampante.toPage() - 1);
    }
    return p;
}

// A print to a PDF file is written by the report engine itself, on the
// checked replacement: the printer's engine would truncate the old file
// first and then lose every write a full disk refuses, and it writes a
// list of thousands of pages ten times slower.
bool stampaInPdf(QPrinter &stampante, const Report &report, QString *motivo,
                 const std::function<bool(int)> &avanzamento, const ChiamateDisco &chiamate)
{
    const PagineScelte pagine = pagineScelte(stampante, report);
    const Report::OpzioniPdf opzioni{stampante.resolution(), stampante.docName(), stampante.creator()};
    return sostituisciFile(
        stampante.outputFileName(),
        [&](QIODevice &file) { return report.scriviPdf(file, opzioni, pagine.primo, pagine.ultimo, avanzamento); },
        motivo, 07777, chiamate);
}

bool inFilePdf(const QPrinter &stampante)
{
    return stampante.outputFormat() == QPrinter::PdfFormat && !stampante.outputFileName().isEmpty();
}

// The folder where a printer's job is spooled while its pages are painted.
// CUPS spools the job in a file of the temporary folder and is handed it
// when the painter ends, whatever abort() said (it cannot abort there);
// kept in a folder of our own, the file can be taken away first, and CUPS,
// handed a file that is no longer there, drops the job.
class CartellaDelLavoro
{
public:
    CartellaDelLavoro()
        : m_aveva(qEnvironmentVariableIsSet("TMPDIR"))
        , m_prima(qgetenv("TMPDIR"))
    {
        if (m_cartella.isValid())
            qputenv("TMPDIR", QFile::encodeName(m_cartella.path()));
    }
    ~CartellaDelLavoro()
    {
        if (m_aveva)
            qputenv("TMPDIR", m_prima);
        else
            qunsetenv("TMPDIR");
    }
    CartellaDelLavoro(const CartellaDelLavoro &) = delete;
    CartellaDelLavoro &operator=(const CartellaDelLavoro &) = delete;

    void svuota() const
    {
        if (!m_cartella.isValid())
            return;
        QDir cartella(m_cartella.path());
        for (const QString &nome : cartella.entryList(QDir::Files | QDir::Hidden | QDir::System))
            cartella.remove(nome);
    }

private:
    QTemporaryDir m_cartella;
    bool m_aveva;
    QByteArray m_prima;
};

// On a printer the job is dropped the moment the user stops it, while the
// painter is still open: ending the painter hands the printer the pages
// painted so far as a job of their own.
bool stampaSuStampante(QPrinter &stampante, const Report &report, const std::function<bool(int)> &avanzamento)
{
    const PagineScelte pagine = pagineScelte(stampante, report);
    const CartellaDelLavoro lavoro;
    return report.stampaSu(stampante, pagine.primo, pagine.ultimo, [&](int fatte) {
        if (avanzamento(fatte))
            return true;
        stampante.abort();
        lavoro.svuota();
        return false;
    });
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
    preparaStampante(stampante, contesto.cartella(), nomeStampa);
    if (!chiediStampa(contesto, proprietario, stampante, report))
        return EsitoStampa::Annullata;
    // Page by page, the program painting meanwhile; "Annulla" stops it: a
    // PDF file stays as it was, a printer's job is dropped.
    LavoroLungo lavoro(proprietario, QStringLiteral(" Stampa in corso"), QStringLiteral("Stampa: pagina %1 di %2"),
                       pagineScelte(stampante, report).quante(), contesto.attesaLavoroLungo());
    const bool stampata = inFilePdf(stampante)
        ? stampaInPdf(stampante, report, motivo, lavoro.passo(), contesto.chiamateDisco())
        : stampaSuStampante(stampante, report, lavoro.passo());
    if (lavoro.annullato()) {
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
