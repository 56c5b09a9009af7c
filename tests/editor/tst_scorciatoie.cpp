#include "editor/frmdocumenti.h"
#include "home/testiguida.h"

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
    QTest::addColumn<QString>("nome");       // as the editor's help topic writes it
    QTest::addColumn<bool>("comando");       // an editor key, which the help names
    QTest::addColumn<int>("schede");         // records in the archive
    QTest::addColumn<int>("da");             // position on screen before, 0 for a new record
    QTest::addColumn<bool>("titolo");        // the four required fields filled
    QTest::addColumn<QString>("posizione");  // position on screen afterwards
    QTest::addColumn<QStringList>("messaggi");
    QTest::addColumn<int>("cursore");        // where the field's cursor is afterwards
    QTest::addColumn<int>("scritte");        // records in the archive afterwards

    const QKeySequence pagGiu(Qt::Key_PageDown);
    const QKeySequence pagSu(Qt::Key_PageUp);
    const QKeySequence salva(Qt::CTRL | Qt::Key_S);
    const QString giu = QStringLiteral("Pag\u2193");
    const QString su = QStringLiteral("Pag\u2191");
    const QString ctrlS = QStringLiteral("Ctrl+S");
    const QStringList nessuno;

    QTest::newRow("Pag giù da una nuova") << pagGiu << giu << true << 3 << 0 << false << "1" << nessuno << kCursore
                                          << 3;
    QTest::newRow("Pag giù") << pagGiu << giu << true << 3 << 2 << false << "3" << nessuno << kCursore << 3;
    QTest::newRow("Pag giù sull'ultima") << pagGiu << giu << true << 3 << 3 << false << "3" << nessuno << kCursore
                                         << 3;
    QTest::newRow("Pag su") << pagSu << su << true << 3 << 3 << false << "2" << nessuno << kCursore << 3;
    QTest::newRow("Pag su da una nuova") << pagSu << su << true << 3 << 0 << false << "1" << nessuno << kCursore << 3;
    QTest::newRow("Pag su sulla prima") << pagSu << su << true << 3 << 1 << false << "1" << nessuno << kCursore << 3;
    QTest::newRow("Pag giù, archivio vuoto") << pagGiu << giu << true << 0 << 0 << false << "" << QStringList{kVuoto}
                                             << kCursore << 0;
    QTest::newRow("Ctrl+S, nuova scheda") << salva << ctrlS << true << 3 << 0 << true << "4"
                                          << QStringList{kInserita} << kCursore << 4;
    QTest::newRow("Ctrl+S, scheda archiviata") << salva << ctrlS << true << 3 << 2 << true << "2"
                                               << QStringList{kModificata} << kCursore << 3;
    QTest::newRow("Ctrl+S senza titolo") << salva << ctrlS << true << 3 << 0 << false << ""
                                         << QStringList{kSenzaTitolo} << kCursore << 3;
    // Home and End move the cursor in the field and nothing else; the field
    // keeps Ctrl+Home and Ctrl+End for itself too, so they move no record.
    QTest::newRow("Home") << QKeySequence(Qt::Key_Home) << "Home" << false << 3 << 2 << false << "2" << nessuno << 0
                          << 3;
    QTest::newRow("Fine") << QKeySequence(Qt::Key_End) << "Fine" << false << 3 << 2 << false << "2" << nessuno
                          << int(kDigitato.size()) << 3;
    QTest::newRow("Ctrl+Home") << QKeySequence(Qt::CTRL | Qt::Key_Home) << "Ctrl+Home" << false << 3 << 2 << false
                               << "2" << nessuno << kCursore << 3;
    QTest::newRow("Ctrl+Fine") << QKeySequence(Qt::CTRL | Qt::Key_End) << "Ctrl+Fine" << false << 3 << 2 << false
                               << "2" << nessuno << kCursore << 3;
}

void TestScorciatoie::tasti()
{
    QFETCH(QKeySequence, tasti);
    QFETCH(QString, nome);
    QFETCH(bool, comando);
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
        for (const char *obbligatorio : {"txtTitolo", "txtCodice", "txtAutore", "txtPagNum"})
            campoEditore(obbligatorio)->setText(QStringLiteral("Nuova"));
    } else {
        campoEditore("txtTitolo")->clear();
    }
    QLineEdit *campo = campoEditore("txtDescrizione");
    campo->setFocus();
    campo->setText(kDigitato);
    campo->setCursorPosition(kCursore);

    RegistroMessaggi registro;
    QTest::keySequence(campo, tasti);

    QCOMPARE(posizioneMostrata(editor), posizione);
    QCOMPARE(registro.testi(), messaggi);
    QCOMPARE(QFileInfo(m_programma->archivio()).size(), qint64(scritte) * qint64(sizeof(TSchedaPagina)));
    if (campo->text() == kDigitato)
        QCOMPARE(campo->cursorPosition(), cursore);
    // The help names the keys that run a command, and no other.
    QCOMPARE(testoUnito(ArgomentoGuida::Documenti).contains(nome), comando);
}

QTEST_MAIN(TestScorciatoie)
#include "tst_scorciatoie.moc"
