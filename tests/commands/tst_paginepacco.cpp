// A bundle from the test backend's feeder stored as the editor stores it:
// each sheet a new record with the screen's fields as Duplica keeps them and
// its own scan; a jam mid-bundle keeps the sheets before it; an archive
// that cannot be written leaves no scan and no stray file.
#include "commands/paginepacco.h"
#include "document/salvataggio.h"
#include "scanner/acquisizione.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"
#include "support/scanner_supporto.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>

#include <sys/wait.h>

#include <unistd.h>

namespace {

const QString kNome = QStringLiteral("Lettere di Nonna Àda");

ValoriScheda schermo()
{
    ValoriScheda v;
    for (int k = 0; k < kCampiDescrittivi; ++k)
        v.testi[size_t(k)] = QStringLiteral("campo %1 è così").arg(k + 1);
    v.daCompletare = true;
    v.allegati.nomi[0] = QStringLiteral("lettera.pdf");
    v.allegati.descrizioni[0] = QStringLiteral("la lettera");
    return v;
}

bool uguali(const TSchedaPagina &a, const TSchedaPagina &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The process kills itself at this disk sync, counted from 1.
int g_uccidiAlla = 0;

int sincronizzaOUccidi(int d)
{
    if (--g_uccidiAlla == 0)
        ::raise(SIGKILL);
    return ::fdatasync(d);
}

} // namespace

class TestPaginePacco : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void pacco_data();
    void pacco();
    void archivioNonScrivibile();
    void scansioneSenzaNome();
    void uccisoDuranteIlPacco_data();
    void uccisoDuranteIlPacco();

private:
    // Runs a bundle from the feeder, storing each sheet; a jam after
    // `guastoDopo` sheets when not 0. The pages stored, in order.
    QList<EsitoPaginaPacco> acquisisciPacco(int guastoDopo, EsitoScanner &fine);
    QString archivio() const { return m_programma.filePath(kNome + QStringLiteral(".kpx")); }
    QString cartella() const { return m_programma.path() + QLatin1Char('/'); }

    QTemporaryDir m_programma;
};

void TestPaginePacco::init()
{
    QDir(m_programma.path()).removeRecursively();
    QDir().mkpath(m_programma.path());
    // An archive of two records, the second on screen.
    TArchivioPagine a;
    a.ApriArchivio(archivio());
    a.AggiungiScheda(componiScheda(schermo()));
    a.AggiungiScheda(componiScheda(schermo()));
    a.ChiudiArchivio();
}

QList<EsitoPaginaPacco> TestPaginePacco::acquisisciPacco(int guastoDopo, EsitoScanner &fine)
{
    ScannerDiProva prova;
    Acquisizione acquisizione;
    QList<EsitoPaginaPacco> salvate;
    connect(&acquisizione, &Acquisizione::paginaAcquisita, this, [&](const QImage &pagina, int foglio) {
        const EsitoPaginaPacco esito = salvaPaginaPacco(cartella(), archivio(), kNome, schermo(), pagina);
        salvate.append(esito);
        if (foglio == guastoDopo)
            acquisizione.cambiaPrimaDelProssimo({{"read-return-value", QStringLiteral("SANE_STATUS_JAMMED")}});
        acquisizione.continua(esito.errore.isEmpty());
    });
    QSignalSpy terminata(&acquisizione, &Acquisizione::terminata);
    ImpostazioniScanner impostazioni;
    impostazioni.dpi = 75;
    impostazioni.origine = OrigineScanner::Alimentatore;
    impostazioni.altre = {{"test-picture", QStringLiteral("Grid")}};
    acquisizione.acquisisci("test:0", impostazioni, true);
    if (!QTest::qWaitFor([&] { return !terminata.isEmpty(); }, 60000))
        return {};
    fine = terminata.at(0).at(0).value<EsitoScanner>();
    return salvate;
}

void TestPaginePacco::pacco_data()
{
    QTest::addColumn<int>("guastoDopo");
    QTest::addColumn<EsitoScanner>("fine");
    QTest::addColumn<int>("fogli");
    QTest::newRow("dieci fogli") << 0 << EsitoScanner::FineFogli << 10;
    QTest::newRow("inceppamento al quarto") << 3 << EsitoScanner::Inceppamento << 3;
}

void TestPaginePacco::pacco()
{
    QFETCH(int, guastoDopo);
    QFETCH(EsitoScanner, fine);
    QFETCH(int, fogli);

    EsitoScanner esito = EsitoScanner::Ok;
    const QList<EsitoPaginaPacco> salvate = acquisisciPacco(guastoDopo, esito);
    QCOMPARE(esito, fine);
    QCOMPARE(salvate.size(), fogli);

    TArchivioPagine a;
    a.ApriArchivio(archivio());
    QCOMPARE(a.ContaSchede(), 2 + fogli);
    const TSchedaPagina atteso = componiScheda(valoriPaginaPacco(schermo()));
    for (int i = 0; i < fogli; ++i) {
        const int n = 3 + i;
        QCOMPARE(salvate[i].posizione, n);
        QVERIFY(salvate[i].errore.isEmpty());
        // Texts and flag as on screen, no attachments.
        QVERIFY(uguali(a.LeggiScheda(n), atteso));
        QVERIFY(!uguali(atteso, componiScheda(schermo())));
        const QImage scan(percorsoFotoPagina(cartella(), kNome, QString::number(n)));
        QCOMPARE(scan.size(), QSize(590, 590));  // the whole glass, 200 mm at 75 dpi
        QCOMPARE(qRound(scan.dotsPerMeterX() * 0.0254), 75);
    }
    a.ChiudiArchivio();
    // One scan per new record, nothing else beside them.
    QStringList attesi;
    for (int i = 0; i < fogli; ++i)
        attesi << QStringLiteral("%1_Foto_%2.jpg").arg(kNome).arg(3 + i);
    QStringList presenti = QDir(cartellaFotoPagine(cartella())).entryList(QDir::Files);
    presenti.sort();
    attesi.sort();
    QCOMPARE(presenti, attesi);
}

// The archive cannot be written (a folder stands where the file should
// be): the sheet is refused with the archive message, and no scan and no
// temporary file is left.
void TestPaginePacco::archivioNonScrivibile()
{
    QFile::remove(archivio());
    QVERIFY(QDir().mkpath(archivio()));
    const QImage pagina(100, 100, QImage::Format_RGB888);
    const EsitoPaginaPacco esito = salvaPaginaPacco(cartella(), archivio(), kNome, schermo(), pagina);
    QCOMPARE(esito.posizione, 0);
    QCOMPARE(esito.errore, kMessaggioAccessoArchivio);
    QVERIFY(QDir(cartellaFotoPagine(cartella())).entryList(QDir::Files).isEmpty());
}

// The scan cannot take the name of the position its record would get (a
// folder stands there): no record is appended, and the sheet's file goes.
void TestPaginePacco::scansioneSenzaNome()
{
    const QString cartellaFoto = cartellaFotoPagine(cartella());
    QVERIFY(QDir().mkpath(percorsoFotoPagina(cartella(), kNome, QStringLiteral("3")) + QStringLiteral("/dentro")));
    const QImage pagina(100, 100, QImage::Format_RGB888);
    const EsitoPaginaPacco esito = salvaPaginaPacco(cartella(), archivio(), kNome, schermo(), pagina);
    QCOMPARE(esito.posizione, 0);
    QCOMPARE(esito.errore, kScansioneNonScritta);
    TArchivioPagine a;
    a.ApriArchivio(archivio());
    QCOMPARE(a.ContaSchede(), 2);
    a.ChiudiArchivio();
    QVERIFY(QDir(cartellaFoto).entryList(QDir::Files).isEmpty());
}

void TestPaginePacco::uccisoDuranteIlPacco_data()
{
    QTest::addColumn<int>("sincronizzazione");
    // Each sheet syncs three times: its scan, the folder once the scan has
    // its name, the record. Two sheets' worth.
    for (int k = 1; k <= 6; ++k)
        QTest::addRow("ucciso alla sincronizzazione %d", k) << k;
}

// A program killed at any point of a bundle leaves every record of the
// archive with its scan.
void TestPaginePacco::uccisoDuranteIlPacco()
{
    QFETCH(int, sincronizzazione);
    QImage pagina(64, 64, QImage::Format_RGB888);
    pagina.fill(Qt::darkCyan);
    // One sheet stored whole first, which also loads what JPEG encoding
    // needs before the process is forked.
    QCOMPARE(salvaPaginaPacco(cartella(), archivio(), kNome, schermo(), pagina).posizione, 3);

    const pid_t figlio = ::fork();
    QVERIFY(figlio >= 0);
    if (figlio == 0) {
        ChiamateDisco c = chiamateDiSistema();
        c.sincronizza = &sincronizzaOUccidi;
        g_uccidiAlla = sincronizzazione;
        for (int foglio = 0; foglio < 5; ++foglio)
            salvaPaginaPacco(cartella(), archivio(), kNome, schermo(), pagina, c);
        ::_exit(0);
    }
    int stato = 0;
    QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
    QVERIFY(WIFSIGNALED(stato) && WTERMSIG(stato) == SIGKILL);

    TArchivioPagine a;
    a.ApriArchivio(archivio());
    const int schede = a.ContaSchede();
    a.ChiudiArchivio();
    QVERIFY(schede >= 3);
    for (int n = 3; n <= schede; ++n) {
        const QImage scan(percorsoFotoPagina(cartella(), kNome, QString::number(n)));
        QVERIFY2(scan.size() == pagina.size(), qPrintable(QStringLiteral("record %1 has no scan").arg(n)));
    }
    // And the next sheet goes on from there.
    QCOMPARE(salvaPaginaPacco(cartella(), archivio(), kNome, schermo(), pagina).posizione, schede + 1);
}

QTEST_GUILESS_MAIN(TestPaginePacco)
#include "tst_paginepacco.moc"
