// The editor's scanner commands over SANE's test backend: on the picture's
// context menu and on their keys, named in the help; one page becoming the
// scan on screen and stored by Save; a bundle appending a record per sheet;
// a bundle refused before any sheet when Save would refuse the screen.
#include "commands/scannerdocumenti.h"
#include "editor/frmdocumenti.h"
#include "home/testiguida.h"
#include "ocr/letturapagina.h"
#include "scanner/frmacquisisci.h"
#include "startup/finestre.h"
#include "storage/fotopagina.h"

#include "support/documenti_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/scanner_supporto.h"
#include "support/supporto.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString kSenzaTitolo =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo della pagina.");

QAction *azione(const char *nome)
{
    return frmDocumenti()->findChild<QAction *>(QString::fromLatin1(nome));
}

// Once the acquisition window is up and ready: 75 dpi, then Acquisisci.
void acquisisciQuandoPronta()
{
    QTimer::singleShot(0, [] {
        TfrmAcquisisci *finestra = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT((finestra = qobject_cast<TfrmAcquisisci *>(QApplication::activeModalWidget())),
                                 10000);
        QTRY_VERIFY_WITH_TIMEOUT(finestra->btnAcquisisci->isEnabled(), 20000);
        finestra->cboRisoluzione->setCurrentIndex(finestra->cboRisoluzione->findData(75));
        QTest::mouseClick(finestra->btnAcquisisci, Qt::LeftButton);
    });
}

void riempiObbligatori()
{
    for (const char *obbligatorio : {"txtTitolo", "txtCodice", "txtAutore", "txtPagNum"})
        campoEditore(obbligatorio)->setText(QStringLiteral("Lettera è"));
}

} // namespace

class TestScannerEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_programma.reset(); }
    void comandi_data();
    void comandi();
    void paginaSulloSchermo();
    void pacco();
    void paccoSenzaTitolo();

private:
    std::unique_ptr<EditoreDiProva> m_programma;
    std::unique_ptr<ScannerDiProva> m_scanner;
};

void TestScannerEditor::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(fileScelteScanner());
    m_scanner = std::make_unique<ScannerDiProva>();
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestScannerEditor::comandi_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QKeySequence>("tasti");
    QTest::addColumn<QString>("nellaGuida");
    QTest::newRow("una pagina") << "actAcquisisci" << "Acquisisci dallo scanner..."
                                << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A) << "Ctrl+Maiusc+A";
    QTest::newRow("più pagine") << "actAcquisisciPagine" << "Acquisisci più pagine..."
                                << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P) << "Ctrl+Maiusc+P";
}

// Each command is on the picture's context menu, has its key, and the
// editor's help names both.
void TestScannerEditor::comandi()
{
    QFETCH(QString, nome);
    QFETCH(QString, testo);
    QFETCH(QKeySequence, tasti);
    QFETCH(QString, nellaGuida);
    m_programma->riapri();
    QAction *a = azione(qPrintable(nome));
    QVERIFY(a);
    QCOMPARE(a->text(), testo);
    QCOMPARE(a->shortcut(), tasti);
    auto *foto = controlloEditore("imgFoto");
    QCOMPARE(foto->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(foto->actions().contains(a));
    const QString guida = testoUnito(ArgomentoGuida::Documenti);
    QVERIFY(guida.contains(testo));
    QVERIFY(guida.contains(nellaGuida));
}

// Ctrl+Shift+A from a text field: the page becomes the scan on screen with
// its resolution, nothing is stored until Save, which writes it as a JPEG
// that keeps the resolution.
void TestScannerEditor::paginaSulloSchermo()
{
    TfrmDocumenti *editor = m_programma->riapri();
    QImage annunciata;
    connect(editor->findChild<ComandiScanner *>(), &ComandiScanner::fotoAcquisita, this,
            [&](const QImage &f) { annunciata = f; });
    riempiObbligatori();
    QLineEdit *campo = campoEditore("txtDescrizione");
    campo->setFocus();
    acquisisciQuandoPronta();
    QTest::keySequence(campo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    QTRY_VERIFY_WITH_TIMEOUT(!annunciata.isNull(), 30000);
    QCOMPARE(editor->foto().size(), QSize(590, 590));  // the whole glass, 200 mm at 75 dpi
    QCOMPARE(qRound(editor->foto().dotsPerMeterX() * 0.0254), 75);
    QVERIFY(!QFile::exists(m_programma->scansione(1)));

    RegistroMessaggi messaggi;
    QTest::mouseClick(controlloEditore("cmdSalva"), Qt::LeftButton);
    QCOMPARE(posizioneMostrata(editor), QStringLiteral("1"));
    const QImage scritta(m_programma->scansione(1));
    QCOMPARE(scritta.size(), QSize(590, 590));
    QCOMPARE(qRound(scritta.dotsPerMeterX() * 0.0254), 75);
    // The editor reads an acquired page's text in the background; that
    // reading belongs to this archive and ends here, not in the next case's.
    QTRY_VERIFY_WITH_TIMEOUT(editor->findChildren<LetturaPagina *>().isEmpty(), 60000);
}

// Ten sheets from the feeder with record 1 of 1 on screen: ten new records
// 2 to 11, each with the screen's texts and its own scan; one message; the
// screen itself unchanged.
void TestScannerEditor::pacco()
{
    TfrmDocumenti *editor = m_programma->riapri();
    const QVector<TSchedaPagina> schede = schedeNumerate(1);
    QVERIFY(scriviArchivio(m_programma->archivio(), schede));
    editor->MostraScheda(schede.at(0), 1);
    const QString titolo = campoEditore("txtTitolo")->text();

    RegistroMessaggi messaggi;
    acquisisciQuandoPronta();
    azione("actAcquisisciPagine")->trigger();
    QCOMPARE(messaggi.testi().size(), 1);
    QVERIFY2(messaggi.testi().at(0).contains(QStringLiteral("dalla 2 alla 11")), qPrintable(messaggi.testi().at(0)));
    QCOMPARE(QFileInfo(m_programma->archivio()).size(), qint64(11) * qint64(sizeof(TSchedaPagina)));
    for (int n = 2; n <= 11; ++n)
        QCOMPARE(QImage(m_programma->scansione(n)).size(), QSize(590, 590));
    QCOMPARE(posizioneMostrata(editor), QStringLiteral("1"));
    QCOMPARE(campoEditore("txtTitolo")->text(), titolo);
    // The record shown is stored as it was; record 11 has its texts.
    QTest::mouseClick(controlloEditore("cmdUltimo"), Qt::LeftButton);
    QCOMPARE(posizioneMostrata(editor), QStringLiteral("11"));
    QCOMPARE(campoEditore("txtTitolo")->text(), titolo);
}

void TestScannerEditor::paccoSenzaTitolo()
{
    m_programma->riapri();
    RegistroMessaggi messaggi;
    azione("actAcquisisciPagine")->trigger();
    QCOMPARE(messaggi.testi(), QStringList{kSenzaTitolo});
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(campoEditore("txtTitolo")->hasFocus());
}

QTEST_MAIN(TestScannerEditor)
#include "tst_scannereditor.moc"
