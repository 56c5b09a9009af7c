#include "storage/allegati.h"
#include "storage/sostituzionefile.h"

#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <filesystem>

#include <unistd.h>

namespace {

// A source whose reads fail with EIO once this many bytes are read, as a
// failing disk or a network share that went away does half-way.
qint64 g_leggibili = 0;

ssize_t leggiFinoAlGuasto(int d, void *dati, size_t quanti)
{
    if (g_leggibili <= 0) {
        errno = EIO;
        return -1;
    }
    const ssize_t letti = ::read(d, dati, qMin<size_t>(quanti, size_t(g_leggibili)));
    if (letti > 0)
        g_leggibili -= letti;
    return letti;
}

} // namespace

class TestAllegaCopia : public QObject
{
    Q_OBJECT

private slots:
    void nomi_data();
    void nomi();
    void copia_data();
    void copia();
    void copiaFallitaLasciaLaDestinazione();
    void letturaFallita_data();
    void letturaFallita();
};

void TestAllegaCopia::nomi_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("apribile");

    QTest::newRow("nome semplice") << QStringLiteral("fattura.pdf") << true;
    QTest::newRow("con spazi e accenti") << QStringLiteral("perché è così.docx") << true;
    QTest::newRow("comincia con due punti") << QStringLiteral("..nascosto.txt") << true;
    QTest::newRow("vuoto") << QString() << false;
    QTest::newRow("cartella corrente") << QStringLiteral(".") << false;
    QTest::newRow("cartella superiore") << QStringLiteral("..") << false;
    QTest::newRow("risale con /") << QStringLiteral("../segreto.txt") << false;
    QTest::newRow("risale con \\") << QStringLiteral("..\\..\\segreto.txt") << false;
    QTest::newRow("percorso assoluto") << QStringLiteral("/etc/passwd") << false;
    QTest::newRow("percorso di Windows") << QStringLiteral("C:\\Windows\\notepad.exe") << false;
    QTest::newRow("sottocartella") << QStringLiteral("sotto/fattura.pdf") << false;
}

// Only a bare name becomes a path, and it is always inside the folder.
void TestAllegaCopia::nomi()
{
    QFETCH(QString, nome);
    QFETCH(bool, apribile);

    const QString programma = QStringLiteral("/programma/");
    QCOMPARE(cartellaAllegati(programma), QStringLiteral("/programma/Documenti_Allegati/"));
    QCOMPARE(nomeAllegatoSemplice(nome), apribile);
    QCOMPARE(percorsoAllegato(programma, nome),
             apribile ? QStringLiteral("/programma/Documenti_Allegati/") + nome : QString());
}

void TestAllegaCopia::copia_data()
{
    QTest::addColumn<QString>("come");       // how the destination relates to the source
    QTest::addColumn<QByteArray>("atteso");  // destination afterwards
    QTest::addColumn<bool>("stessoFile");    // a copy onto itself: the file is not replaced

    const QByteArray nuovo = QByteArray("contenuto nuovo ").repeated(10000); // over one copy block
    QTest::newRow("destinazione nuova") << QStringLiteral("nuova") << nuovo << false;
    QTest::newRow("sostituisce un file più lungo") << QStringLiteral("lunga") << nuovo << false;
    QTest::newRow("sostituisce un file più corto") << QStringLiteral("corta") << nuovo << false;
    QTest::newRow("sul file stesso") << QStringLiteral("stesso") << nuovo << true;
    QTest::newRow("sul file stesso per altra via") << QStringLiteral("altravia") << nuovo << true;
    QTest::newRow("su un collegamento al file") << QStringLiteral("simbolico") << nuovo << true;
    QTest::newRow("su un collegamento fisico") << QStringLiteral("fisico") << nuovo << true;
    QTest::newRow("file vuoto") << QStringLiteral("vuota") << QByteArray() << false;
}

void TestAllegaCopia::copia()
{
    QFETCH(QString, come);
    QFETCH(QByteArray, atteso);
    QFETCH(bool, stessoFile);

    QTemporaryDir dir;
    const QString cartella = dir.path() + u'/';
    const QString sorgente = cartella + QStringLiteral("origine/documento.pdf");
    const bool vuota = come == QLatin1String("vuota");
    QVERIFY(scriviFile(sorgente, vuota ? QByteArray() : QByteArray("contenuto nuovo ").repeated(10000)));
    QString destinazione = cartella + QStringLiteral("Documenti_Allegati/documento.pdf");
    QVERIFY(QDir().mkpath(cartella + QStringLiteral("Documenti_Allegati")));

    if (come == QLatin1String("lunga"))
        QVERIFY(scriviFile(destinazione, QByteArray(300000, 'x')));
    else if (come == QLatin1String("corta"))
        QVERIFY(scriviFile(destinazione, "x"));
    else if (come == QLatin1String("stesso"))
        destinazione = sorgente;
    else if (come == QLatin1String("altravia"))
        destinazione = cartella + QStringLiteral("Documenti_Allegati/../origine/./documento.pdf");
    else if (come == QLatin1String("simbolico"))
        QVERIFY(QFile::link(sorgente, destinazione));
    else if (come == QLatin1String("fisico"))
        QCOMPARE(::link(QFile::encodeName(sorgente).constData(), QFile::encodeName(destinazione).constData()), 0);

    QVERIFY(copiaSostituendo(sorgente, destinazione));
    QCOMPARE(leggiFile(destinazione), atteso);
    QCOMPARE(leggiFile(sorgente), atteso);
    std::error_code errore;
    const bool equivalenti = std::filesystem::equivalent(QFile::encodeName(sorgente).toStdString(),
                                                         QFile::encodeName(destinazione).toStdString(), errore);
    QCOMPARE(equivalenti, stessoFile);
}

void TestAllegaCopia::copiaFallitaLasciaLaDestinazione()
{
    QTemporaryDir dir;
    const QString destinazione = dir.filePath(QStringLiteral("documento.pdf"));
    QVERIFY(scriviFile(destinazione, "copia precedente"));

    QVERIFY(!copiaSostituendo(dir.filePath(QStringLiteral("manca.pdf")), destinazione));
    QCOMPARE(leggiFile(destinazione), QByteArray("copia precedente"));

    QVERIFY(scriviFile(dir.filePath(QStringLiteral("sorgente.pdf")), "nuovo"));
    QVERIFY(!copiaSostituendo(dir.filePath(QStringLiteral("sorgente.pdf")),
                              dir.filePath(QStringLiteral("non/esiste/documento.pdf"))));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("non"))));
}

void TestAllegaCopia::letturaFallita_data()
{
    QTest::addColumn<qint64>("leggibili");
    QTest::newRow("al primo byte") << qint64(0);
    QTest::newRow("a metà") << qint64(300000);
    // Every byte read, and the read that would have said the file ended
    // fails instead.
    QTest::newRow("alla fine") << qint64(640000);
}

// A source that cannot be read to its end is no copy: the copy fails, the
// attachment already there stays whole and nothing is left beside it.
void TestAllegaCopia::letturaFallita()
{
    QFETCH(qint64, leggibili);
    QTemporaryDir dir;
    const QString sorgente = dir.filePath(QStringLiteral("origine/documento.pdf"));
    QVERIFY(scriviFile(sorgente, QByteArray("contenuto nuovo ").repeated(40000)));
    const QString destinazione = dir.filePath(QStringLiteral("Documenti_Allegati/documento.pdf"));
    QVERIFY(scriviFile(destinazione, "copia precedente"));

    ChiamateDisco guaste = chiamateDiSistema();
    guaste.leggi = &leggiFinoAlGuasto;
    g_leggibili = leggibili;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(destinazione)));
    const bool copiato = copiaSostituendo(sorgente, destinazione, nullptr, 07777, guaste);

    QVERIFY(!copiato);
    QCOMPARE(leggiFile(destinazione), QByteArray("copia precedente"));
    QCOMPARE(QDir(dir.filePath(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("documento.pdf")});
}

QTEST_MAIN(TestAllegaCopia)
#include "tst_allegacopia.moc"
