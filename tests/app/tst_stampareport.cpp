// The one print path: print dialog answered or cancelled, the PDF offered
// when there is no printer, a printer that fails, and the preview window.

#include "app/cartellaprogramma.h"
#include "app/stampareport.h"
#include "report/report.h"

#include "support/disco_supporto.h"
#include "support/pdf_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <algorithm>

namespace {

// A landscape page of bands: a title and as many lines as asked, 40 a page.
std::unique_ptr<Report> lista(int righe)
{
    auto r = std::make_unique<Report>(QStringLiteral("lista"));
    auto *p = r->aggiungiPagina(std::make_unique<PaginaReport>(QStringLiteral("Page"), QPageSize::A4,
                                                                QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    p->aggiungiBanda(QStringLiteral("ReportTitle"), TipoBanda::TitoloReport, 30)
        ->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("txtTitolo"), QRectF(0, 0, 500, 30),
                                                  CasellaTesto::Aspetto{}, QStringLiteral("Elenco")));
    auto *dati = p->aggiungiBanda(QStringLiteral("MasterData"), TipoBanda::DatiPrincipali, righe * 17.0);
    CasellaTesto::Aspetto a;
    a.passoRiga = 17.0;
    auto *t = dati->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("txtRighe"), QRectF(0, 0, 900, righe * 17.0), a));
    for (int i = 0; i < righe; ++i)
        t->aggiungiRiga(QStringLiteral("riga%1").arg(i));
    r->prepara();
    return r;
}

} // namespace

class TestStampaReport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_cartella = std::make_unique<QTemporaryDir>();
        impostaCartellaProgramma(m_cartella->path() + QLatin1Char('/'));
    }
    void cleanup() { chiudiModali(); }

    void stampaNelFileScelto();
    void annullata();
    void senzaStampanteFilePredefinito_data();
    void senzaStampanteFilePredefinito();
    void stampanteCheFallisce();
    void pdfSuDiscoGuasto_data();
    void pdfSuDiscoGuasto();
    void anteprima();
    void stampaDallAnteprima();

private:
    std::unique_ptr<QTemporaryDir> m_cartella;
};

void TestStampaReport::stampaNelFileScelto()
{
    auto report = lista(100);
    QVERIFY(report->numeroPagine() > 2);
    RispostaStampa risposta;
    const QString pdf = m_cartella->filePath(QStringLiteral("scelto.pdf"));
    risposta.stampaIn(pdf);
    QCOMPARE(stampaReport(nullptr, *report, QStringLiteral("Elenco di prova")), EsitoStampa::Stampata);
    QCOMPARE(risposta.richieste().size(), 1);
    QCOMPARE(risposta.richieste().first().nomeDocumento, QStringLiteral("Elenco di prova"));

    const TestoPdf testo = leggiPdf(pdf);
    QCOMPARE(testo.pagine, report->numeroPagine());
    QCOMPARE(testo.trova(QStringLiteral("riga99")).size(), 1);
    QCOMPARE(testo.trova(QStringLiteral("riga99")).first().pagina, report->numeroPagine() - 1);
    const QImage pagina = rendiPagina(pdf, 0, 20);
    QVERIFY(pagina.width() > pagina.height());
}

void TestStampaReport::annullata()
{
    auto report = lista(3);
    RispostaStampa risposta; // nothing queued: the dialog is cancelled
    QCOMPARE(stampaReport(nullptr, *report, QStringLiteral("Annullata")), EsitoStampa::Annullata);
    QCOMPARE(risposta.richieste().size(), 1);
    QVERIFY(!QFile::exists(risposta.richieste().first().fileProposto));
    QVERIFY(QDir(m_cartella->path()).entryList(QDir::Files).isEmpty());
}

void TestStampaReport::senzaStampanteFilePredefinito_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("file");
    QTest::newRow("plain") << "Riepilogo pagine in archivio" << "Riepilogo pagine in archivio.pdf";
    QTest::newRow("separators and wildcards") << "Scheda a/b\\c: *? \"x\" <y>|" << "Scheda a_b_c_ __ _x_ _y__.pdf";
    QTest::newRow("blank") << "  " << "Stampa.pdf";
    QTest::newRow("hidden or parent") << "..x" << "Stampa..x.pdf";
}

void TestStampaReport::senzaStampanteFilePredefinito()
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer");
    QFETCH(QString, nome);
    QFETCH(QString, file);
    auto report = lista(3);
    RispostaStampa risposta;
    stampaReport(nullptr, *report, nome);
    QCOMPARE(risposta.richieste().first().fileProposto, cartellaProgramma() + file);
}

void TestStampaReport::stampanteCheFallisce()
{
    auto report = lista(3);
    RispostaStampa risposta;
    risposta.stampaIn(m_cartella->filePath(QStringLiteral("cartella/che/non/esiste.pdf")));
    QCOMPARE(stampaReport(nullptr, *report, QStringLiteral("Fallita")), EsitoStampa::Fallita);
}

void TestStampaReport::pdfSuDiscoGuasto_data()
{
    QTest::addColumn<bool>("soloLettura");
    QTest::addColumn<QString>("ragione");
    QTest::newRow("full disk") << false << "spazio esaurito sul disco";
    QTest::newRow("read-only disk") << true << "il disco è di sola lettura";
}

// A PDF printed over an earlier one on a real disk that cannot take it: the
// print fails naming the file and the reason, the earlier PDF stays whole
// and nothing is left beside it.
void TestStampaReport::pdfSuDiscoGuasto()
{
    QFETCH(bool, soloLettura);
    QFETCH(QString, ragione);
    const DiscoPiccolo disco(m_cartella->filePath(QStringLiteral("disco")), 128);
    if (!disco.montato())
        QSKIP("no permission to mount a small tmpfs here");
    const QString pdf = disco.cartella() + QStringLiteral("Scheda Prova 1.pdf");
    {
        RispostaStampa risposta;
        risposta.stampaIn(pdf);
        QCOMPARE(stampaReport(nullptr, *lista(3), QStringLiteral("Prima")), EsitoStampa::Stampata);
    }
    const QByteArray prima = leggiFile(pdf);
    QCOMPARE(leggiPdf(pdf).pagine, 1);
    QVERIFY(soloLettura ? disco.soloLettura() : disco.riempi());
    const QStringList pieni = contenutoCartella(disco.cartella());

    RispostaStampa risposta;
    risposta.stampaIn(pdf);
    QString motivo;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(ragione)));
    QCOMPARE(stampaReport(nullptr, *lista(400), QStringLiteral("Seconda"), &motivo), EsitoStampa::Fallita);
    QCOMPARE(motivo, pdf + QStringLiteral(": ") + ragione);
    QCOMPARE(leggiFile(pdf), prima);
    QCOMPARE(contenutoCartella(disco.cartella()), pieni);
}

void TestStampaReport::anteprima()
{
    auto report = lista(100);
    bool vista = false;
    allaProssimaModale([&](QWidget *m) {
        auto *dialogo = qobject_cast<QPrintPreviewDialog *>(m);
        QVERIFY(dialogo);
        QVERIFY(dialogo->windowState() & Qt::WindowMaximized);
        auto *pagine = dialogo->findChild<QPrintPreviewWidget *>();
        QVERIFY(pagine);
        QCOMPARE(pagine->pageCount(), report->numeroPagine());
        QCOMPARE(pagine->zoomFactor(), 1.0);
        auto *schermo = dialogo->findChild<QToolBar *>()->findChild<QAction *>(QStringLiteral("actSchermoIntero"));
        QVERIFY(schermo);
        schermo->trigger();
        QVERIFY(dialogo->windowState() & Qt::WindowFullScreen);
        schermo->trigger();
        QVERIFY(dialogo->windowState() & Qt::WindowMaximized);
        vista = true;
        dialogo->findChild<QToolBar *>()->findChild<QAction *>(QStringLiteral("actChiudi"))->trigger();
    });
    QVERIFY(anteprimaReport(nullptr, *report, QStringLiteral("Anteprima")));
    QVERIFY(vista);
    QVERIFY(!modaleMancata());
    QVERIFY(!QApplication::activeModalWidget());
}

// Printing from the preview takes the print path above: the PDF is
// written whole and the preview closes.
void TestStampaReport::stampaDallAnteprima()
{
    auto report = lista(100);
    RispostaStampa risposta;
    const QString pdf = m_cartella->filePath(QStringLiteral("dall'anteprima.pdf"));
    risposta.stampaIn(pdf);
    allaProssimaModale([&](QWidget *m) {
        const QString testo = QCoreApplication::translate("QPrintPreviewDialog", "Print");
        const QList<QAction *> azioni = m->findChildren<QAction *>();
        const auto stampa = std::find_if(azioni.begin(), azioni.end(), [&](QAction *a) { return a->text() == testo; });
        QVERIFY(stampa != azioni.end());
        (*stampa)->trigger();
    });
    QVERIFY(anteprimaReport(nullptr, *report, QStringLiteral("Anteprima")));
    QVERIFY(!modaleMancata());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(risposta.richieste().size(), 1);
    QCOMPARE(leggiPdf(pdf).pagine, report->numeroPagine());
}

QTEST_MAIN(TestStampaReport)
#include "tst_stampareport.moc"
