#include "editor/frmdocumenti.h"

#include "support/documenti_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

const QString kVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserita = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kModificata =
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kSenzaTitolo =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo della pagina.");

// The text typed in the description field, with the cursor after "Carta".
const QString kDigitato = QStringLiteral("Carta vergata");
constexpr int kCursore = 5;

} // namespace

// The editor's keys, pressed while the user types in a field: each runs its
// command as a click does, and the keys a text field uses stay with it.
class TestScorciatoie : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void tasti_data();
    void tasti();

private:
    std::unique_ptr<EditoreDiProva> m_programma;
};

void TestScorciatoie::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestScorciatoie::cleanupTestCase()
{
    m_programma.reset();
}

void TestScorciatoie::tasti_data()
{
    QTest::addColumn<QKeySequence>("tasti");
    QTest::addColumn<int>("schede");         // records in the archive
    QTest::addColumn<int>("da");             // position on screen before, 0 for a new record
    QTest::addColumn<bool>("titolo");        // the four required fields filled
    QTest::addColumn<QString>("posizione");  // position on screen afterwards
    QTest::addColumn<QStringList>("messaggi");
    QTest::addColumn<int>("cursore");        // where the field's cursor is afterwards
    QTest::addColumn<int>("scritte");        // records in the archive afterwards

    const QKeySequence pagGiu(Qt::Key_PageDown);
    const QKeySequence pagSu(Qt::Key_PageUp);
    const QKeySequence inizio(Qt::CTRL | Qt::Key_Home);
    const QKeySequence fine(Qt::CTRL | Qt::Key_End);
    const QKeySequence salva(Qt::CTRL | Qt::Key_S);

    QTest::newRow("Pag giù da una nuova") << pagGiu << 3 << 0 << false << "1" << QStringList() << kCursore << 3;
    QTest::newRow("Pag giù") << pagGiu << 3 << 2 << false << "3" << QStringList() << kCursore << 3;
    QTest::newRow("Pag giù sull'ultima") << pagGiu << 3 << 3 << false << "3" << QStringList() << kCursore << 3;
    QTest::newRow("Pag su") << pagSu << 3 << 3 << false << "2" << QStringList() << kCursore << 3;
    QTest::newRow("Pag su da una nuova") << pagSu << 3 << 0 << false << "1" << QStringList() << kCursore << 3;
    QTest::newRow("Pag su sulla prima") << pagSu << 3 << 1 << false << "1" << QStringList() << kCursore << 3;
    QTest::newRow("Pag giù, archivio vuoto") << pagGiu << 0 << 0 << false << "" << QStringList{kVuoto} << kCursore
                                             << 0;
    QTest::newRow("Ctrl+S, nuova scheda") << salva << 3 << 0 << true << "4" << QStringList{kInserita} << kCursore
                                          << 4;
    QTest::newRow("Ctrl+S, scheda archiviata") << salva << 3 << 2 << true << "2" << QStringList{kModificata}
                                               << kCursore << 3;
    QTest::newRow("Ctrl+S senza titolo") << salva << 3 << 0 << false << "" << QStringList{kSenzaTitolo} << kCursore
                                         << 3;
    // Home and End move the cursor in the field and nothing else; the field
    // keeps Ctrl+Home and Ctrl+End for itself too, so they move no record.
    QTest::newRow("Home") << QKeySequence(Qt::Key_Home) << 3 << 2 << false << "2" << QStringList() << 0 << 3;
    QTest::newRow("Fine") << QKeySequence(Qt::Key_End) << 3 << 2 << false << "2" << QStringList()
                          << int(kDigitato.size()) << 3;
    QTest::newRow("Ctrl+Home") << inizio << 3 << 2 << false << "2" << QStringList() << kCursore << 3;
    QTest::newRow("Ctrl+Fine") << fine << 3 << 2 << false << "2" << QStringList() << kCursore << 3;
}

void TestScorciatoie::tasti()
{
    QFETCH(QKeySequence, tasti);
    QFETCH(int, schede);
    QFETCH(int, da);
    QFETCH(bool, titolo);
    QFETCH(QString, posizione);
    QFETCH(QStringList, messaggi);
    QFETCH(int, cursore);
    QFETCH(int, scritte);

    TfrmDocumenti *editor = m_programma->riapri();
    const QVector<TSchedaPagina> archiviate = schedeNumerate(schede);
    QVERIFY(scriviArchivio(m_programma->archivio(), archiviate));
    if (da > 0)
        editor->MostraScheda(archiviate.at(da - 1), da);
    if (titolo) {
        for (const char *nome : {"txtTitolo", "txtCodice", "txtAutore", "txtPagNum"})
            campoEditore(nome)->setText(QStringLiteral("Nuova"));
    } else {
        campoEditore("txtTitolo")->clear();
    }
    QLineEdit *campo = campoEditore("txtDescrizione");
    campo->setFocus();
    campo->setText(kDigitato);
    campo->setCursorPosition(kCursore);

    RegistroMessaggi registro;
    QTest::keySequence(campo, tasti);

    QCOMPARE(editor->lblPosizione->text(), posizione);
    QCOMPARE(registro.testi(), messaggi);
    QCOMPARE(QFileInfo(m_programma->archivio()).size(), qint64(scritte) * qint64(sizeof(TSchedaPagina)));
    if (campo->text() == kDigitato)
        QCOMPARE(campo->cursorPosition(), cursore);
}

QTEST_MAIN(TestScorciatoie)
#include "tst_scorciatoie.moc"
