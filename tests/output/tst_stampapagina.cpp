// The print and preview windows of the page sheet, opened from the editor:
// what they show, what the sheet carries, and how each way out ends.

#include "app/finestre.h"
#include "editor/frmdocumenti.h"
#include "output/frmanteprimapagina.h"
#include "output/frmstampapagina.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/pdf_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

namespace {

const QString kFallimentoStampa = QStringLiteral(
    "Attenzione: la stampa non \u00E8 andata a buon fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.");

} // namespace

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
    QTest::addColumn<bool>("annulla");
    QTest::newRow("dialog cancelled: nothing, no message") << true;
    QTest::newRow("printer fails: the warning") << false;
}

void TestStampaPagina::esiti()
{
    QFETCH(bool, annulla);
    RispostaStampa stampa;
    if (!annulla)
        stampa.stampaIn(m_programma->percorso(QStringLiteral("manca/foglio.pdf")));
    RegistroMessaggi messaggi;
    QVERIFY(apri("cmdStampa", [&](FinestraFoglio *f) { clicca(f->btnStampa); }));
    QCOMPARE(stampa.richieste().size(), 1);
    QCOMPARE(messaggi.testi(), annulla ? QStringList() : QStringList{kFallimentoStampa});
    if (!annulla)
        QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Avviso);
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
            auto *anteprima = qobject_cast<QPrintPreviewDialog *>(m);
            QVERIFY(anteprima);
            QCOMPARE(anteprima->parentWidget(), static_cast<QWidget *>(f));
            QVERIFY(anteprima->windowState() & Qt::WindowMaximized);
            QCOMPARE(anteprima->findChild<QPrintPreviewWidget *>()->pageCount(), 1);
            vista = true;
            anteprima->findChild<QToolBar *>()->findChild<QAction *>(QStringLiteral("actChiudi"))->trigger();
        });
        clicca(f->btnStampa);
    }));
    QVERIFY(vista);
    QVERIFY(messaggi.messaggi().isEmpty());
    QVERIFY(m_editor->findChildren<QDialog *>().isEmpty());
}

QTEST_MAIN(TestStampaPagina)
#include "tst_stampapagina.moc"
