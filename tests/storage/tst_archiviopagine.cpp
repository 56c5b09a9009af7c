#include "storage/archiviopagine.h"

#include "support/disco_supporto.h"
#include "support/permessi_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <functional>
#include <numeric>

#include <sys/stat.h>

namespace {

TSchedaPagina schedaCon(const QString &titolo)
{
    TSchedaPagina s = schedaVuota();
    impostaCampo(s, Campo::Titolo, titolo);
    impostaFlag(s, false);
    return s;
}

// A record whose every byte is the given one: easy to find in a file dump.
QByteArray recordDi(char byte)
{
    return QByteArray(int(kDimensioneScheda), byte);
}

// Records titled with their positions, "1" to "n", one after the other.
QByteArray schedeNumerate(int n)
{
    QByteArray contenuto;
    contenuto.reserve(int(n * kDimensioneScheda + 10));
    for (int i = 1; i <= n; ++i) {
        TSchedaPagina s = schedaCon(QString::number(i));
        contenuto.append(reinterpret_cast<const char *>(&s), int(kDimensioneScheda));
    }
    return contenuto;
}

int descrittoriAperti()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
}

using Operazione = std::function<void(TArchivioPagine &)>;

} // namespace

Q_DECLARE_METATYPE(Operazione)

class TestArchivioPagine : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void fileMancanteCreatoVuoto();
    void conteggioIgnoraCodaParziale_data();
    void conteggioIgnoraCodaParziale();
    void aggiuntaScriveSopraLaCoda();
    void sovrascritturaTocca_soloIlSuoRecord();
    void letturaDiOgniPosizione();
    void perOgniSchedaComeUnaAUna();
    void percorsoDelFile_data();
    void percorsoDelFile();
    void accorciatoDuranteIlPercorso_data();
    void accorciatoDuranteIlPercorso();
    void fuoriIntervalloFallisceSenzaToccare_data();
    void fuoriIntervalloFallisceSenzaToccare();
    void esistenteNonApribileMaiRicreato();
    void accesso_data();
    void accesso();
    void cartellaMancanteFallisce();
    void discoPienoDiceIlMotivo();
    void ogniPercorsoChiudeIlFile();
    void recordTuttoZeroSiLegge();

private:
    QString scrivi(const QByteArray &contenuto);

    QTemporaryDir m_dir;
    QString m_percorso;
};

void TestArchivioPagine::init()
{
    QVERIFY(m_dir.isValid());
    m_percorso = m_dir.filePath(QStringLiteral("Lettere 1920.kpx"));
    QFile::remove(m_percorso);
}

QString TestArchivioPagine::scrivi(const QByteArray &contenuto)
{
    if (!scriviFile(m_percorso, contenuto))
        qFatal("cannot write fixture");
    return m_percorso;
}

void TestArchivioPagine::fileMancanteCreatoVuoto()
{
    QVERIFY(!QFile::exists(m_percorso));
    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QCOMPARE(a.ContaSchede(), 0);
    a.ChiudiArchivio();
    QVERIFY(QFile::exists(m_percorso));
    QCOMPARE(QFileInfo(m_percorso).size(), 0);
}

void TestArchivioPagine::conteggioIgnoraCodaParziale_data()
{
    QTest::addColumn<qint64>("byte");
    QTest::addColumn<int>("conteggio");
    QTest::newRow("vuoto") << qint64(0) << 0;
    QTest::newRow("meno di un record") << qint64(3989) << 0;
    QTest::newRow("uno esatto") << qint64(3990) << 1;
    QTest::newRow("tre e cento byte") << qint64(3 * 3990 + 100) << 3;
}

void TestArchivioPagine::conteggioIgnoraCodaParziale()
{
    QFETCH(qint64, byte);
    QFETCH(int, conteggio);
    scrivi(QByteArray(int(byte), 'r'));
    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QCOMPARE(a.ContaSchede(), conteggio);
    if (conteggio == 0)
        QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.LeggiScheda(1));
}

void TestArchivioPagine::aggiuntaScriveSopraLaCoda()
{
    const QByteArray tre = recordDi('1') + recordDi('2') + recordDi('3');
    scrivi(tre + QByteArray(100, 'T'));

    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QCOMPARE(a.AggiungiScheda(schedaCon(QStringLiteral("quarta"))), 4);
    QCOMPARE(a.ContaSchede(), 4);
    a.ChiudiArchivio();

    const QByteArray dopo = leggiFile(m_percorso);
    QCOMPARE(dopo.size(), 15960);
    QCOMPARE(dopo.left(11970), tre);
    QCOMPARE(dopo.mid(11970, 7), QByteArray("\x06quarta"));
}

void TestArchivioPagine::sovrascritturaTocca_soloIlSuoRecord()
{
    const QByteArray prima = recordDi('1') + recordDi('2') + recordDi('3') + recordDi('4') + recordDi('5');
    scrivi(prima);

    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    a.ScriviScheda(3, schedaCon(QStringLiteral("nuovo autore")));
    a.ChiudiArchivio();

    const QByteArray dopo = leggiFile(m_percorso);
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(dopo.left(7980), prima.left(7980));
    QCOMPARE(dopo.mid(11970), prima.mid(11970));
    QVERIFY(dopo.mid(7980, 3990) != prima.mid(7980, 3990));
    QCOMPARE(dopo.mid(7980, 13), QByteArray("\x0Cnuovo autore"));
}

void TestArchivioPagine::letturaDiOgniPosizione()
{
    {
        TArchivioPagine a;
        a.ApriArchivio(m_percorso);
        for (int i = 1; i <= 4; ++i)
            QCOMPARE(a.AggiungiScheda(schedaCon(QStringLiteral("pagina %1").arg(i))), i);
        a.ChiudiArchivio();
    }
    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QCOMPARE(a.ContaSchede(), 4);
    for (int i = 1; i <= 4; ++i)
        QCOMPARE(leggiCampo(a.LeggiScheda(i), Campo::Titolo), QStringLiteral("pagina %1").arg(i));
}

void TestArchivioPagine::perOgniSchedaComeUnaAUna()
{
    // More records than one block of the bulk reader, plus a partial tail.
    const int n = 2500;
    scrivi(schedeNumerate(n) + QByteArray(10, 'x'));

    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QVector<TSchedaPagina> tutte;
    a.PerOgniScheda([&tutte](int, const TSchedaPagina &s) { tutte.append(s); });
    QCOMPARE(tutte.size(), n);
    for (int i : {1, 256, 257, 1024, 1025, n}) {
        const TSchedaPagina una = a.LeggiScheda(i);
        QCOMPARE(std::memcmp(&una, &tutte.at(i - 1), sizeof una), 0);
        QCOMPARE(leggiCampo(una, Campo::Titolo), QString::number(i));
    }
}

// The walk visits every record once, in file order, with its own bytes,
// across the block edges and with a partial tail; an archive the user may
// read but not write walks as well.
void TestArchivioPagine::percorsoDelFile_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<bool>("solaLettura");
    for (int n : {0, 1, 31, 32, 33, 1023, 1024, 1025, 2081})
        QTest::addRow("%d", n) << n << false;
    QTest::newRow("33, sola lettura") << 33 << true;
}

void TestArchivioPagine::percorsoDelFile()
{
    QFETCH(int, schede);
    QFETCH(bool, solaLettura);
    const QByteArray contenuto = schedeNumerate(schede);
    scrivi(contenuto + QByteArray(10, 'x'));
    if (solaLettura)
        QVERIFY(QFile::setPermissions(m_percorso, QFile::ReadOwner));
    PermessiDaUtente utente;
    QVERIFY(utente.attivi());

    QVector<int> posizioni;
    QByteArray letti;
    percorsoFile(m_percorso)([&](int posizione, const TSchedaPagina &s) {
        posizioni.append(posizione);
        letti.append(reinterpret_cast<const char *>(&s), kDimensioneScheda);
    });
    QVector<int> attese(schede);
    std::iota(attese.begin(), attese.end(), 1);
    QCOMPARE(posizioni, attese);
    QVERIFY(letti == contenuto);
}

// Another program shortens the archive while a walk is reading it: the walk
// fails as an access failure at the next block. Every record visited reads
// as what the file held, never as something else, and the walk goes no
// further than the block it was reading.
void TestArchivioPagine::accorciatoDuranteIlPercorso_data()
{
    QTest::addColumn<int>("alVisitare");
    QTest::addColumn<int>("rimaste");

    QTest::newRow("within the block") << 10 << 5;
    QTest::newRow("some left whole") << 10 << 20;
    QTest::newRow("to nothing") << 1 << 0;
    QTest::newRow("at a block's end") << 32 << 30;
}

void TestArchivioPagine::accorciatoDuranteIlPercorso()
{
    QFETCH(int, alVisitare);
    QFETCH(int, rimaste);
    scrivi(schedeNumerate(3000));

    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QStringList titoli;
    try {
        a.PerOgniScheda([&](int posizione, const TSchedaPagina &s) {
            titoli << leggiCampo(s, Campo::Titolo);
            QCOMPARE(posizione, titoli.size());
            if (posizione == alVisitare)
                QVERIFY(QFile::resize(m_percorso, rimaste * kDimensioneScheda));
        });
        QFAIL("a walk over a shortened file must fail");
    } catch (const ErroreArchivio &) {
    }
    // The block of 32 records in hand when the file shrank is the last read.
    const int finoA = qMin(3000, (alVisitare + 31) / 32 * 32);
    QCOMPARE(titoli.size(), finoA);
    for (int i = 1; i <= titoli.size(); ++i)
        QCOMPARE(titoli.at(i - 1), QString::number(i));
}

void TestArchivioPagine::fuoriIntervalloFallisceSenzaToccare_data()
{
    QTest::addColumn<Operazione>("operazione");
    QTest::newRow("leggi 0") << Operazione([](TArchivioPagine &a) { a.LeggiScheda(0); });
    QTest::newRow("leggi oltre") << Operazione([](TArchivioPagine &a) { a.LeggiScheda(3); });
    QTest::newRow("leggi negativo") << Operazione([](TArchivioPagine &a) { a.LeggiScheda(-1); });
    QTest::newRow("scrivi oltre")
        << Operazione([](TArchivioPagine &a) { a.ScriviScheda(3, schedaCon(QStringLiteral("x"))); });
    QTest::newRow("scrivi 0")
        << Operazione([](TArchivioPagine &a) { a.ScriviScheda(0, schedaCon(QStringLiteral("x"))); });
}

void TestArchivioPagine::fuoriIntervalloFallisceSenzaToccare()
{
    QFETCH(Operazione, operazione);
    const QByteArray prima = recordDi('1') + recordDi('2') + QByteArray(50, 'p');
    scrivi(prima);
    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, operazione(a));
    a.ChiudiArchivio();
    QCOMPARE(leggiFile(m_percorso), prima);
}

void TestArchivioPagine::esistenteNonApribileMaiRicreato()
{
    // A folder standing at the archive's path cannot be opened even by root:
    // it must be reported, never replaced by a new empty archive.
    QVERIFY(QDir().mkpath(m_percorso));
    scriviFile(m_percorso + QStringLiteral("/dentro.txt"), "dati");
    TArchivioPagine a;
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ApriArchivio(m_percorso));
    QVERIFY(!a.aperto());
    QVERIFY(QFileInfo(m_percorso).isDir());
    QCOMPARE(leggiFile(m_percorso + QStringLiteral("/dentro.txt")), QByteArray("dati"));
    QVERIFY(QDir(m_percorso).removeRecursively());
}

void TestArchivioPagine::accesso_data()
{
    QTest::addColumn<QString>("cosa");     // what stands at the archive's path
    QTest::addColumn<bool>("lettura");     // opens for reading only
    QTest::addColumn<bool>("scrittura");   // opens for reading and writing

    QTest::newRow("archivio") << QStringLiteral("0644") << true << true;
    QTest::newRow("archivio di sola lettura") << QStringLiteral("0444") << true << false;
    QTest::newRow("archivio senza permessi") << QStringLiteral("0000") << false << false;
    QTest::newRow("FIFO") << QStringLiteral("fifo") << false << false;
    QTest::newRow("cartella") << QStringLiteral("cartella") << false << false;
}

// An archive the user may read but not write still reads for the commands
// that only read; whatever cannot be an archive fails at once (a FIFO
// never holds the program up) and is left as it was.
void TestArchivioPagine::accesso()
{
    QFETCH(QString, cosa);
    QFETCH(bool, lettura);
    QFETCH(bool, scrittura);

    const QByteArray nome = QFile::encodeName(m_percorso);
    if (cosa == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(nome.constData(), 0644), 0);
    else if (cosa == QLatin1String("cartella"))
        QVERIFY(QDir().mkpath(m_percorso));
    else
        scrivi(schedeNumerate(3) + "coda");
    const auto ripristina = qScopeGuard([&] {
        ::chmod(nome.constData(), 0644);
        QDir(m_percorso).removeRecursively();
        QFile::remove(m_percorso);
    });
    if (cosa.startsWith(u'0'))
        QCOMPARE(::chmod(nome.constData(), mode_t(cosa.toUInt(nullptr, 8))), 0);
    const QFileInfo prima(m_percorso);
    const QByteArray contenuto = prima.isFile() ? schedeNumerate(3) + "coda" : QByteArray();

    PermessiDaUtente utente;
    QVERIFY(utente.attivi());
    for (const auto accesso : {TArchivioPagine::Accesso::Lettura, TArchivioPagine::Accesso::LetturaScrittura}) {
        const bool apribile = accesso == TArchivioPagine::Accesso::Lettura ? lettura : scrittura;
        TArchivioPagine a;
        if (!apribile) {
            QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ApriArchivio(m_percorso, accesso));
            QVERIFY(!a.aperto());
            continue;
        }
        a.ApriArchivio(m_percorso, accesso);
        QCOMPARE(a.ContaSchede(), 3);
        QCOMPARE(leggiCampo(a.LeggiScheda(2), Campo::Titolo), QStringLiteral("2"));
        int visitate = 0;
        a.PerOgniScheda([&visitate](int, const TSchedaPagina &) { ++visitate; });
        QCOMPARE(visitate, 3);
        if (accesso == TArchivioPagine::Accesso::Lettura)
            QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.AggiungiScheda(schedaCon(QStringLiteral("4"))));
        a.ChiudiArchivio();
    }
    QCOMPARE(QFileInfo(m_percorso).isDir(), cosa == QLatin1String("cartella"));
    if (prima.isFile()) {
        ::chmod(nome.constData(), 0644);
        QCOMPARE(leggiFile(m_percorso), contenuto);
    }
}

void TestArchivioPagine::cartellaMancanteFallisce()
{
    const QString percorso = m_dir.filePath(QStringLiteral("non-esiste/a.kpx"));
    TArchivioPagine a;
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ApriArchivio(percorso));
    QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("non-esiste"))));
}

// An append the disk takes only in part, on a real disk that fills up
// within the record: the failure names the cause, the count is unchanged,
// and the stored record stays whole.
void TestArchivioPagine::discoPienoDiceIlMotivo()
{
    const DiscoPiccolo disco(m_dir.filePath(QStringLiteral("disco")), 64);
    if (!disco.montato())
        QSKIP("no permission to mount a small tmpfs here");
    const QString percorso = disco.cartella() + QStringLiteral("Lettere.kpx");
    const QByteArray prima = schedeNumerate(1);
    QVERIFY(scriviFile(percorso, prima));
    QVERIFY(disco.riempi());

    TArchivioPagine a;
    a.ApriArchivio(percorso);
    QString dettaglio;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^archive: ")));
    try {
        a.AggiungiScheda(schedaCon(QStringLiteral("2")));
    } catch (const ErroreArchivio &e) {
        dettaglio = QString::fromUtf8(e.what());
    }
    QCOMPARE(dettaglio, percorso + QStringLiteral(": append failed: spazio esaurito sul disco"));
    QCOMPARE(a.ContaSchede(), 1);
    QCOMPARE(leggiCampo(a.LeggiScheda(1), Campo::Titolo), QStringLiteral("1"));
    a.ChiudiArchivio();
    QCOMPARE(leggiFile(percorso).left(prima.size()), prima);
}

void TestArchivioPagine::ogniPercorsoChiudeIlFile()
{
    scrivi(recordDi('1'));
    const int prima = descrittoriAperti();
    try {
        TArchivioPagine a;
        a.ApriArchivio(m_percorso);
        QCOMPARE(descrittoriAperti(), prima + 1);
        a.LeggiScheda(2);
        QFAIL("reading past the count must fail");
    } catch (const ErroreArchivio &) {
    }
    QCOMPARE(descrittoriAperti(), prima);

    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    a.ChiudiArchivio();
    QVERIFY(!a.aperto());
    QCOMPARE(descrittoriAperti(), prima);
}

void TestArchivioPagine::recordTuttoZeroSiLegge()
{
    scrivi(QByteArray(int(kDimensioneScheda), '\0'));
    TArchivioPagine a;
    a.ApriArchivio(m_percorso);
    const TSchedaPagina s = a.LeggiScheda(1);
    for (int i = 0; i < kNumeroCampi; ++i)
        QVERIFY(leggiCampo(s, Campo(i)).isEmpty());
    QCOMPARE(leggiFlag(s), Flag::Nessuno);
}

QTEST_GUILESS_MAIN(TestArchivioPagine)
#include "tst_archiviopagine.moc"
