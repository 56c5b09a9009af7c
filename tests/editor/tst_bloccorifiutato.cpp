#include "document/salvataggio.h"
#include "editor/frmdocumenti.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include <cerrno>
#include <functional>
#include <memory>

#include <sys/file.h>

using Scrittura = std::function<void(TArchivioPagine &)>;
Q_DECLARE_METATYPE(Scrittura)

// Runs with senzaflock preloaded (tests/CMakeLists.txt): the system refuses
// every lock, as some network shares do. Nothing may then be written, since
// another program could be writing the same place.
class TestBloccoRifiutato : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void archivioNonScritto_data();
    void archivioNonScritto();
    void salvataggioRifiutato_data();
    void salvataggioRifiutato();

private:
    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
};

void TestBloccoRifiutato::initTestCase()
{
    // Without the preloaded library this test would prove nothing.
    QFile file(QDir::temp().filePath(QStringLiteral("velmora-blocco-%1").arg(QCoreApplication::applicationPid())));
    QVERIFY(file.open(QIODevice::ReadWrite));
    errno = 0;
    const bool rifiutato = ::flock(file.handle(), LOCK_EX) != 0 && errno == ENOLCK;
    QVERIFY2(rifiutato, "run through CTest, which preloads the library that refuses locks");
    file.remove();
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestBloccoRifiutato::cleanupTestCase()
{
    m_programma.reset();
}

void TestBloccoRifiutato::init()
{
    m_editor = m_programma->riapri();
    QVERIFY(scriviArchivio(m_programma->archivio(), schedeNumerate(3)));
}


void TestBloccoRifiutato::archivioNonScritto_data()
{
    QTest::addColumn<Scrittura>("scrivi");
    QTest::newRow("aggiunta") << Scrittura([](TArchivioPagine &a) { a.AggiungiScheda(schedeNumerate(4).at(3)); });
    QTest::newRow("sovrascrittura") << Scrittura([](TArchivioPagine &a) { a.ScriviScheda(2, schedeNumerate(1).at(0)); });
    QTest::newRow("sovrascrittura controllata") << Scrittura([](TArchivioPagine &a) {
        a.SostituisciScheda(2, schedeNumerate(2).at(1), schedeNumerate(1).at(0));
    });
}

void TestBloccoRifiutato::archivioNonScritto()
{
    QFETCH(Scrittura, scrivi);
    const QByteArray prima = leggiFile(m_programma->archivio());
    TArchivioPagine a;
    a.ApriArchivio(m_programma->archivio());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be locked")));
    QVERIFY_THROWS_EXCEPTION(ErroreBloccoArchivio, scrivi(a));
    a.ChiudiArchivio();
    QCOMPARE(leggiFile(m_programma->archivio()), prima);
}

void TestBloccoRifiutato::salvataggioRifiutato_data()
{
    QTest::addColumn<int>("posizione"); // shown before the save; 0: a new record
    QTest::newRow("scheda nuova") << 0;
    QTest::newRow("scheda esistente") << 2;
}

// The save says why it wrote nothing; the screen keeps the user's edits
// and its position, and no scan is written for a record that was not.
void TestBloccoRifiutato::salvataggioRifiutato()
{
    QFETCH(int, posizione);
    {
        RegistroMessaggi silenzio;
        for (int k = 0; k < posizione; ++k)
            clicca(controlloEditore(k == 0 ? "cmdPrimo" : "cmdAvanti"));
    }
    for (const char *campo : {"txtTitolo", "txtCodice", "txtAutore", "txtPagNum"})
        campoEditore(campo)->setText(QStringLiteral("nuovo"));
    const QByteArray prima = leggiFile(m_programma->archivio());
    const QString posto = posizione ? QString::number(posizione) : QString();
    QCOMPARE(posizioneMostrata(m_editor), posto);

    RegistroMessaggi messaggi;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("cannot be locked")));
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioBloccoArchivio});
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Errore);
    QCOMPARE(leggiFile(m_programma->archivio()), prima);
    QCOMPARE(posizioneMostrata(m_editor), posto);
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("nuovo"));
    QVERIFY(!QFileInfo::exists(m_programma->scansione(posizione ? posizione : 4)));
}

QTEST_MAIN(TestBloccoRifiutato)
#include "tst_bloccorifiutato.moc"
