// The print and preview windows of the page sheet, opened from the editor:
// what they show, what the sheet carries, and how each way out ends.

#include "app/finestraanteprima.h"
#include "app/vistapagine.h"
#include "editor/frmdocumenti.h"
#include "output/frmanteprimapagina.h"
#include "output/frmstampapagina.h"
#include "startup/finestre.h"

#include "support/disco_supporto.h"
#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/pdf_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QAction>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

class TestStampaPagina : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_programma.reset(); }
    void init();
    void cleanup() { chiudiModali(); }

    void finestre_data();
    void finestre();
    void invioEsegueLAzione_data();
    void invioEsegueLAzione();
    void stampa();
    void esiti_data();
    void esiti();
    void senzaFotoIlSegnaposto();
    void anteprima();

private:
    // Opens a window with the editor command and runs the action on it.
    bool apri(const char *comando, const std::function<void(FinestraFoglio *)> &azione);

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
};

void TestStampaPagina::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestStampaPagina::init()
{
    m_editor = apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    m_editor->impostaFoto(tinta(QSize(400, 300), QColor(220, 20, 20)));
    campoEditore("txtTitolo")->setText(QStringLiteral("  Lettera al fratello "));
    campoEditore("txtAutore")->setText(QStringLiteral(" Giovanni [DATE]"));
    campoEditore("txtNote")->setText(QStringLiteral("Nota finale"));
}

bool TestStampaPagina::apri(const char *comando, const std::function<void(FinestraFoglio *)> &azione)
{
    bool aperta = false;
    azzeraModaleMancata();
    allaProssimaModale([&](QWidget *m) {
        aperta = true;
        auto *f = qobject_cast<FinestraFoglio *>(m);
        QVERIFY(f);
        QCOMPARE(f->parentWidget(), static_cast<QWidget *>(m_editor));
        azione(f);
    });
    clicca(controlloEditore(comando));
    return aperta && !modaleMancata();
}

void TestStampaPagina::finestre_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("pulsante");
    QTest::newRow("stampa") << "cmdStampa" << " Stampa documento" << "Stampa";
    QTest::newRow("anteprima") << "cmdAnteprima" << " Anteprima di stampa" << "Mostra anteprima";
}

// Caption, size, buttons; "Annulla" closes without printing or showing.
void TestStampaPagina::finestre()
{
    QFETCH(QString, comando);
    QFETCH(QString, titolo);
    QFETCH(QString, pulsante);
    RispostaStampa stampa;
    RegistroMessaggi messaggi;
    QVERIFY(apri(qPrintable(comando), [&](FinestraFoglio *f) {
        QCOMPARE(f->windowTitle(), titolo);
        QCOMPARE(f->size(), QSize(364, 287));
        QCOMPARE(f->btnAnnulla->text(), QStringLiteral("Annulla"));
        QCOMPARE(f->btnStampa->text(), pulsante);
        QVERIFY(f->btnAnnulla->isVisible() && f->btnStampa->isVisible());
        QVERIFY(!f->imgLogo->isVisible() && !f->imgTemp->isVisible());
        // The picture is the editor's, taken as the window appeared.
        QCOMPARE(f->logo(), m_editor->foto());
        clicca(f->btnAnnulla);
    }));
    QVERIFY(stampa.richieste().isEmpty());
    QVERIFY(messaggi.messaggi().isEmpty());
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
}

void TestStampaPagina::invioEsegueLAzione_data()
{
    QTest::addColumn<QString>("comando");
    QTest::newRow("stampa") << "cmdStampa";
    QTest::newRow("anteprima") << "cmdAnteprima";
}

// The window opens to print or preview: Enter, where the focus starts, does
// that rather than cancel.
void TestStampaPagina::invioEsegueLAzione()
{
    QFETCH(QString, comando);
    RispostaStampa stampa;   // answers the print dialog with a cancel
    RegistroMessaggi messaggi;
    bool anteprima = false;
    QVERIFY(apri(qPrintable(comando), [&](FinestraFoglio *f) {
        QCOMPARE(f->focusWidget(), static_cast<QWidget *>(f->btnStampa));
        if (comando == QLatin1String("cmdAnteprima"))
            allaProssimaModale([&](QWidget *m) {
                anteprima = qobject_cast<FinestraAnteprima *>(m) != nullptr;
                static_cast<QDialog *>(m)->reject();
            });
        QTest::keyClick(f->focusWidget(), Qt::Key_Return);
    }));
    QCOMPARE(stampa.richieste().size() + int(anteprima), 1);
    QVERIFY(messaggi.messaggi().isEmpty());
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
}

// The sheet carries the fields as they stand on screen, trimmed, and the
// scan; the window closes; the archive is not touched.
void TestStampaPagina::stampa()
{
    const QByteArray archivio = leggiFile(m_programma->archivio());
    RispostaStampa stampa;
    RegistroMessaggi messaggi;
    const QString pdf = m_programma->percorso(QStringLiteral("foglio.pdf"));
    stampa.stampaIn(pdf);
    QVERIFY(apri("cmdStampa", [&](FinestraFoglio *f) { clicca(f->btnStampa); }));
    QVERIFY(messaggi.messaggi().isEmpty());
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
    QCOMPARE(stampa.richieste().size(), 1);
    QCOMPARE(stampa.richieste().first().nomeDocumento, QStringLiteral("Scheda Prova nuova"));

    const TestoPdf testo = leggiPdf(pdf);
    QCOMPARE(testo.pagine, 1);
    QCOMPARE(testo.paroleDiPagina(0).mid(0, 4),
             (QStringList{QStringLiteral("Prova"), QStringLiteral("Lettera"), QStringLiteral("al"),
                          QStringLiteral("fratello")}));
    QCOMPARE(testo.trova(QStringLiteral("[DATE]")).size(), 1);
    QCOMPARE(testo.trova(QStringLiteral("Nota")).size(), 1);
    const QImage pagina = rendiPagina(pdf, 0, 50);
    QVERIFY(!areaDelColore(pagina, 50, QColor(220, 20, 20), QRectF(11, 26, 188, 106)).isEmpty());
    QCOMPARE(leggiFile(m_programma->archivio()), archivio);
}

void TestStampaPagina::esiti_data()
{
    QTest::addColumn<QString>("dove");      // empty: the dialog is cancelled
    QTest::addColumn<bool>("soloLettura");  // the folder is on a read-only disk
    QTest::addColumn<QString>("ragione");
    QTest::newRow("dialog cancelled: nothing, no message") << QString() << false << QString();
    QTest::newRow("folder missing: the file and the reason")
        << "manca/foglio.pdf" << false << "file o cartella inesistente";
    QTest::newRow("read-only disk: the file and the reason")
        << "disco/foglio.pdf" << true << "il disco è di sola lettura";
}

// A print into a file the disk refuses says which file and why, not that
// the photo is too big.
void TestStampaPagina::esiti()
{
    QFETCH(QString, dove);
    QFETCH(bool, soloLettura);
    QFETCH(QString, ragione);
    const QString pdf = dove.isEmpty() ? QString() : m_programma->percorso(dove);
    std::unique_ptr<DiscoPiccolo> disco;
    if (soloLettura) {
        disco = std::make_unique<DiscoPiccolo>(QFileInfo(pdf).absolutePath());
        if (!disco->montato() || !disco->soloLettura())
            QSKIP("no permission to mount a small tmpfs here");
    }
    RispostaStampa stampa;
    if (!pdf.isEmpty()) {
        stampa.stampaIn(pdf);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(ragione)));
    }
    RegistroMessaggi messaggi;
    QVERIFY(apri("cmdStampa", [&](FinestraFoglio *f) { clicca(f->btnStampa); }));
    QCOMPARE(stampa.richieste().size(), 1);
    QCOMPARE(messaggi.testi(), pdf.isEmpty() ? QStringList()
                                             : QStringList{QStringLiteral(
                                                   "Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\r"
                                                   "Il file non \u00E8 stato scritto: %1: %2.\n\r\n\r"
                                                   "L'eventuale file precedente \u00E8 rimasto com'era.")
                                                   .arg(pdf, ragione)});
    if (!pdf.isEmpty()) {
        QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Avviso);
        QVERIFY(!QFile::exists(pdf));
    }
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
}

void TestStampaPagina::senzaFotoIlSegnaposto()
{
    m_editor->impostaFoto(m_editor->fotoSegnaposto());
    QVERIFY(apri("cmdStampa", [&](FinestraFoglio *f) {
        QCOMPARE(f->logo(), m_editor->fotoSegnaposto());
        clicca(f->btnAnnulla);
    }));
}

// The preview is modal and maximised, one page; closing it closes the window.
void TestStampaPagina::anteprima()
{
    RegistroMessaggi messaggi;
    bool vista = false;
    QVERIFY(apri("cmdAnteprima", [&](FinestraFoglio *f) {
        allaProssimaModale([&](QWidget *m) {
            auto *anteprima = qobject_cast<FinestraAnteprima *>(m);
            QVERIFY(anteprima);
            QCOMPARE(anteprima->parentWidget(), static_cast<QWidget *>(f));
            QVERIFY(anteprima->windowState() & Qt::WindowMaximized);
            QCOMPARE(anteprima->vista()->numeroPagine(), 1);
            // The sheet fixes its paper and orientation: nothing offers to
            // change them only to be overridden.
            QStringList offerte;
            for (const QAction *a : anteprima->barra()->actions())
                if (a->isVisible())
                    offerte << a->text();
            for (const char *fissata : {"Verticale", "Orizzontale", "Impostazione pagina"})
                QVERIFY2(!offerte.contains(QLatin1String(fissata)), fissata);
            QVERIFY(offerte.contains(QStringLiteral("Stampa")));
            vista = true;
            anteprima->actChiudi->trigger();
        });
        clicca(f->btnStampa);
    }));
    QVERIFY(vista);
    QVERIFY(messaggi.messaggi().isEmpty());
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
}

QTEST_MAIN(TestStampaPagina)
#include "tst_stampapagina.moc"
