// The one print path: print dialog answered or cancelled, the PDF offered
// when there is no printer, a printer that fails, and the preview window.

#include "app/finestraanteprima.h"
#include "app/stampareport.h"
#include "app/vistapagine.h"
#include "report/report.h"

#include "support/disco_supporto.h"
#include "support/pdf_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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

// Hears every page a preview paints from before it is first shown.
class PagineDipinte : public QObject
{
public:
    PagineDipinte() { qApp->installEventFilter(this); }
    QList<int> pagine;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Polish)
            if (auto *v = qobject_cast<VistaPagine *>(o); v && !m_udite.contains(v)) {
                m_udite << v;
                connect(v, &VistaPagine::paginaDipinta, this, [this](int i) { pagine << i; });
            }
        return false;
    }

private:
    QList<QObject *> m_udite;
};

} // namespace

class TestStampaReport : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_cartella = std::make_unique<QTemporaryDir>();
        contestoDiProva().impostaCartellaProgramma(m_cartella->path());
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
    void anteprimaDipingeSoloLePagineViste();
    void navigazione_data();
    void navigazione();
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
    QCOMPARE(stampaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Elenco di prova")),
             EsitoStampa::Stampata);
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
    QCOMPARE(stampaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Annullata")), EsitoStampa::Annullata);
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
    stampaReport(contestoDiProva(), nullptr, *report, nome);
    QCOMPARE(risposta.richieste().first().fileProposto, contestoDiProva().cartella() + file);
}

void TestStampaReport::stampanteCheFallisce()
{
    auto report = lista(3);
    RispostaStampa risposta;
    risposta.stampaIn(m_cartella->filePath(QStringLiteral("cartella/che/non/esiste.pdf")));
    QCOMPARE(stampaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Fallita")), EsitoStampa::Fallita);
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
        QCOMPARE(stampaReport(contestoDiProva(), nullptr, *lista(3), QStringLiteral("Prima")), EsitoStampa::Stampata);
    }
    const QByteArray prima = leggiFile(pdf);
    QCOMPARE(leggiPdf(pdf).pagine, 1);
    QVERIFY(soloLettura ? disco.soloLettura() : disco.riempi());
    const QStringList pieni = contenutoCartella(disco.cartella());

    RispostaStampa risposta;
    risposta.stampaIn(pdf);
    QString motivo;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(ragione)));
    QCOMPARE(stampaReport(contestoDiProva(), nullptr, *lista(400), QStringLiteral("Seconda"), &motivo),
             EsitoStampa::Fallita);
    QCOMPARE(motivo, pdf + QStringLiteral(": ") + ragione);
    QCOMPARE(leggiFile(pdf), prima);
    QCOMPARE(contenutoCartella(disco.cartella()), pieni);
}

void TestStampaReport::anteprima()
{
    auto report = lista(100);
    bool vista = false;
    allaProssimaModale([&](QWidget *m) {
        auto *dialogo = qobject_cast<FinestraAnteprima *>(m);
        QVERIFY(dialogo);
        QVERIFY(dialogo->windowState() & Qt::WindowMaximized);
        QCOMPARE(dialogo->vista()->numeroPagine(), report->numeroPagine());
        QCOMPARE(dialogo->vista()->zoom(), 1.0);
        QCOMPARE(dialogo->findChild<QLabel *>(QStringLiteral("lblPagine"))->text().trimmed(),
                 QStringLiteral("/ %1").arg(report->numeroPagine()));
        dialogo->actSchermoIntero->trigger();
        QVERIFY(dialogo->windowState() & Qt::WindowFullScreen);
        dialogo->actSchermoIntero->trigger();
        QVERIFY(dialogo->windowState() & Qt::WindowMaximized);

        // Fitted to the width, the pages keep fitting when the window
        // changes size.
        VistaPagine *pagine = dialogo->vista();
        dialogo->findChild<QAction *>(QStringLiteral("actAdattaLarghezza"))->trigger();
        const auto margini = [pagine] {
            const QRect r = pagine->rettangoloPagina(0);
            return std::pair(r.left(), pagine->viewport()->width() - r.right() - 1);
        };
        QVERIFY(std::abs(margini().first - margini().second) <= 1);
        QVERIFY(margini().first <= 13);
        dialogo->setWindowState(Qt::WindowNoState);
        dialogo->resize(500, 400);
        QTRY_COMPARE(pagine->viewport()->width() < 500, true);
        QVERIFY(margini().first <= 13);
        // A zoom by hand ends the fitting.
        const double adattato = pagine->zoom();
        dialogo->findChild<QAction *>(QStringLiteral("actIngrandisci"))->trigger();
        QVERIFY(pagine->zoom() > adattato);
        dialogo->resize(450, 400);
        QTRY_COMPARE(pagine->viewport()->width() < 450, true);
        QVERIFY(pagine->zoom() > adattato);
        vista = true;
        dialogo->actChiudi->trigger();
    });
    QVERIFY(anteprimaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Anteprima")));
    QVERIFY(vista);
    QVERIFY(!modaleMancata());
    QVERIFY(!QApplication::activeModalWidget());
}

// A long report opens with only the pages in view painted; the last page
// is painted when the user goes to it, shows the engine's picture of it,
// and Escape leaves the preview.
void TestStampaReport::anteprimaDipingeSoloLePagineViste()
{
    auto report = lista(3000);
    const int n = report->numeroPagine();
    QVERIFY(n > 50);
    PagineDipinte udite;
    QList<int> &dipinte = udite.pagine;
    bool vista = false;
    allaProssimaModale([&](QWidget *m) {
        auto *dialogo = qobject_cast<FinestraAnteprima *>(m);
        QVERIFY(dialogo);
        VistaPagine *pagine = dialogo->vista();
        QVERIFY(QTest::qWaitForWindowExposed(dialogo));
        QTRY_VERIFY(!dipinte.isEmpty());
        QList<int> inVista;
        for (int i = 0; i < n; ++i)
            if (pagine->rettangoloPagina(i).intersects(pagine->viewport()->rect()))
                inVista << i;
        QVERIFY(!inVista.isEmpty());
        QCOMPARE(inVista.first(), 0);
        for (int i : dipinte)
            QVERIFY2(inVista.contains(i), qPrintable(QString::number(i)));
        QVERIFY(!dipinte.contains(n - 1));

        dialogo->findChild<QAction *>(QStringLiteral("actUltimaPagina"))->trigger();
        pagine->viewport()->repaint();
        QVERIFY(dipinte.contains(n - 1));
        QVERIFY(dipinte.size() <= 2 * inVista.size() + 2);
        QCOMPARE(pagine->paginaCorrente(), n - 1);
        QCOMPARE(dialogo->findChild<QLineEdit *>(QStringLiteral("txtPagina"))->text(), QString::number(n));

        // On screen, the engine's own picture of the last page.
        const QRect r = pagine->rettangoloPagina(n - 1);
        QImage attesa(r.size(), QImage::Format_RGB32);
        attesa.fill(Qt::white);
        {
            QPainter p(&attesa);
            report->disegnaPagina(n - 1, p, QRectF(QPointF(0, 0), QSizeF(r.size())));
        }
        const QRect visibile = r.intersected(pagine->viewport()->rect());
        QVERIFY(visibile.height() > r.height() / 2);
        const QImage schermo = pagine->viewport()->grab(visibile).toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(schermo, attesa.copy(visibile.translated(-r.topLeft())));

        vista = true;
        QTest::keyClick(pagine, Qt::Key_Escape);
    });
    QVERIFY(anteprimaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Lunga")));
    QVERIFY(vista);
    QVERIFY(!modaleMancata());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestStampaReport::navigazione_data()
{
    QTest::addColumn<int>("da");          // 0-based page the preview is on
    QTest::addColumn<QString>("comando"); // an action, or a page number typed
    QTest::addColumn<int>("a");           // -1: the last page
    QTest::newRow("next") << 0 << "actPaginaSuccessiva" << 1;
    QTest::newRow("previous") << 3 << "actPaginaPrecedente" << 2;
    QTest::newRow("first") << 3 << "actPrimaPagina" << 0;
    QTest::newRow("last") << 0 << "actUltimaPagina" << -1;
    QTest::newRow("next from the last") << -1 << "actPaginaSuccessiva" << -1;
    QTest::newRow("previous from the first") << 0 << "actPaginaPrecedente" << 0;
    QTest::newRow("number typed") << 0 << "5" << 4;
}

// The page buttons and the page number move the view and say where it is;
// the buttons that would go nowhere are off.
void TestStampaReport::navigazione()
{
    QFETCH(int, da);
    QFETCH(QString, comando);
    QFETCH(int, a);
    auto report = lista(400);
    const int n = report->numeroPagine();
    QVERIFY(n > 6);
    da = da < 0 ? n - 1 : da;
    a = a < 0 ? n - 1 : a;
    bool vista = false;
    allaProssimaModale([&](QWidget *m) {
        auto *dialogo = qobject_cast<FinestraAnteprima *>(m);
        QVERIFY(dialogo);
        VistaPagine *pagine = dialogo->vista();
        pagine->vaiAPagina(da);
        auto *numero = dialogo->findChild<QLineEdit *>(QStringLiteral("txtPagina"));
        if (auto *azione = dialogo->findChild<QAction *>(comando)) {
            QCOMPARE(azione->isEnabled(), a != da);
            azione->trigger();
        } else {
            numero->clear();
            QTest::keyClicks(numero, comando);
            QTest::keyClick(numero, Qt::Key_Return);
        }
        QCOMPARE(pagine->paginaCorrente(), a);
        QCOMPARE(numero->text(), QString::number(a + 1));
        QVERIFY(pagine->rettangoloPagina(a).intersects(pagine->viewport()->rect()));
        QCOMPARE(dialogo->findChild<QAction *>(QStringLiteral("actPrimaPagina"))->isEnabled(), a > 0);
        QCOMPARE(dialogo->findChild<QAction *>(QStringLiteral("actUltimaPagina"))->isEnabled(), a < n - 1);
        vista = true;
        dialogo->reject();
    });
    QVERIFY(anteprimaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Pagine")));
    QVERIFY(vista);
    QVERIFY(!modaleMancata());
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
        auto *dialogo = qobject_cast<FinestraAnteprima *>(m);
        QVERIFY(dialogo);
        dialogo->actStampa->trigger();
    });
    QVERIFY(anteprimaReport(contestoDiProva(), nullptr, *report, QStringLiteral("Anteprima")));
    QVERIFY(!modaleMancata());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(risposta.richieste().size(), 1);
    QCOMPARE(leggiPdf(pdf).pagine, report->numeroPagine());
}

QTEST_MAIN(TestStampaReport)
#include "tst_stampareport.moc"
