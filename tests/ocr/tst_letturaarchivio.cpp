#include "ocr/indicetesti.h"
#include "ocr/letturaarchivio.h"
#include "storage/fotopagina.h"

#include "support/fifo_supporto.h"
#include "support/pagine_supporto.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kArchivio = QStringLiteral("Cronaca");

// Page n reads "Pagina numero n" and a word of its own.
const QStringList kParole = {QStringLiteral("aquila"), QStringLiteral("balena"), QStringLiteral("cavallo"),
                             QStringLiteral("delfino"), QStringLiteral("elefante")};

QImage pagina(int n)
{
    return paginaStampata({QStringLiteral("Pagina numero %1 della cronaca").arg(n),
                           QStringLiteral("Vi si parla di un %1 e del suo viaggio.").arg(kParole.at(n - 1))});
}

} // namespace

class TestLetturaArchivio : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void daLeggere();
    void riprendeDoveSiEraFermata();
    void scansioneCambiata();
    void datiMancanti();
    void fifoAlPostoDellaScansione();
    void testiSenzaScansione_data();
    void testiSenzaScansione();
    void dueProgrammi();

private:
    QString cartella() const { return m_dir->path() + QLatin1Char('/'); }
    QString scansione(int n) const { return percorsoFotoPagina(cartella(), kArchivio, QString::number(n)); }
    void scriviScansioni(int quante);
    // Runs to the end; the finita() arguments.
    QList<QVariant> esegui(LetturaArchivio &lettura);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestLetturaArchivio::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestLetturaArchivio::scriviScansioni(int quante)
{
    for (int n = 1; n <= quante; ++n)
        QVERIFY(scriviFileFoto(cartella(), scansione(n), pagina(n)));
}

QList<QVariant> TestLetturaArchivio::esegui(LetturaArchivio &lettura)
{
    QSignalSpy fine(&lettura, &LetturaArchivio::finita);
    lettura.avvia();
    if (!fine.wait(120000))
        return {};
    return fine.first();
}

void TestLetturaArchivio::daLeggere()
{
    scriviScansioni(3);
    // Position 4 of 5 was never saved; 5 has no scan either.
    QHash<int, QString> firme{{1, firmaScansione(scansione(1))}, {2, QStringLiteral("vecchia")}};
    const QVector<PaginaDaLeggere> p = pagineDaLeggere(cartella(), kArchivio, 5, firme);
    QCOMPARE(p.size(), 2);
    QCOMPARE(p.at(0).posizione, 2);
    QCOMPARE(p.at(1).posizione, 3);
    QCOMPARE(p.at(1).percorso, scansione(3));
    QCOMPARE(p.at(1).firma, firmaScansione(scansione(3)));
}

void TestLetturaArchivio::riprendeDoveSiEraFermata()
{
    scriviScansioni(5);
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    {
        // Stopped as soon as the first page is in the index.
        LetturaArchivio prima(indice, cartella(), kArchivio, 5, 1);
        QCOMPARE(prima.daLeggere(), 5);
        connect(&prima, &LetturaArchivio::avanzamento, &prima, &LetturaArchivio::ferma);
        const QList<QVariant> fine = esegui(prima);
        QVERIFY(!fine.isEmpty());
        QCOMPARE(fine.at(0).toBool(), false);
        QCOMPARE(fine.at(1).toString(), QString());
    }
    const int fatte = int(indice.firme(kArchivio).size());
    QVERIFY(fatte >= 1 && fatte < 5);

    LetturaArchivio seconda(indice, cartella(), kArchivio, 5, 2);
    QCOMPARE(seconda.daLeggere(), 5 - fatte);
    const QList<QVariant> fine = esegui(seconda);
    QVERIFY(!fine.isEmpty());
    QCOMPARE(fine.at(0).toBool(), true);
    QCOMPARE(seconda.lette(), 5 - fatte);
    QCOMPARE(int(indice.firme(kArchivio).size()), 5);
    for (int n = 1; n <= 5; ++n) {
        const QVector<IndiceTesti::Trovata> t = indice.cerca(kArchivio, kParole.at(n - 1));
        QCOMPARE(t.size(), 1);
        QCOMPARE(t.first().posizione, n);
    }
    // Nothing left: a third run ends at once.
    LetturaArchivio terza(indice, cartella(), kArchivio, 5);
    QCOMPARE(terza.daLeggere(), 0);
    QCOMPARE(esegui(terza).value(0).toBool(), true);
}

void TestLetturaArchivio::scansioneCambiata()
{
    scriviScansioni(2);
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    {
        LetturaArchivio lettura(indice, cartella(), kArchivio, 2);
        QCOMPARE(esegui(lettura).value(0).toBool(), true);
    }
    // Page 2 scanned again: only it is read again, and its new words found.
    QTest::qWait(20);
    QVERIFY(scriviFileFoto(cartella(), scansione(2), paginaStampata({QStringLiteral("Una giraffa nella cronaca")})));
    LetturaArchivio lettura(indice, cartella(), kArchivio, 2);
    QCOMPARE(lettura.daLeggere(), 1);
    QCOMPARE(esegui(lettura).value(0).toBool(), true);
    QCOMPARE(indice.cerca(kArchivio, QStringLiteral("giraffa")).value(0).posizione, 2);
    QVERIFY(indice.cerca(kArchivio, QStringLiteral("balena")).isEmpty());
}

void TestLetturaArchivio::datiMancanti()
{
    scriviScansioni(2);
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    QTemporaryDir vuota;
    LetturaArchivio lettura(indice, cartella(), kArchivio, 2, 2, vuota.path());
    const QList<QVariant> fine = esegui(lettura);
    QCOMPARE(fine.value(0).toBool(), false);
    QVERIFY(fine.value(1).toString().startsWith(QStringLiteral("Attenzione: mancano i dati delle lingue")));
    QCOMPARE(int(indice.firme(kArchivio).size()), 0);
}

// A FIFO nobody writes to, planted in a scan's place: the reading ends,
// with that page unreadable and the others read.
void TestLetturaArchivio::fifoAlPostoDellaScansione()
{
    scriviScansioni(3);
    QVERIFY(QFile::remove(scansione(2)));
    const FifoPiantata fifo(scansione(2), std::chrono::seconds(60));
    QVERIFY(fifo.creata());
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    LetturaArchivio lettura(indice, cartella(), kArchivio, 3, 2);
    QCOMPARE(lettura.daLeggere(), 3);
    const QList<QVariant> fine = esegui(lettura);
    QVERIFY2(!fifo.lettoreLiberato(), "the reading waited on the FIFO");
    QCOMPARE(fine.value(0).toBool(), true);
    QVERIFY(indice.cerca(kArchivio, kParole.at(1)).isEmpty());
    QCOMPARE(indice.cerca(kArchivio, kParole.at(0)).value(0).posizione, 1);
    QCOMPARE(indice.cerca(kArchivio, kParole.at(2)).value(0).posizione, 3);
}

// The texts of positions whose scan is gone, or past the archive's last
// record (an archive deleted or renamed away and one made with its name),
// are taken out; the others stay.
void TestLetturaArchivio::testiSenzaScansione_data()
{
    QTest::addColumn<int>("conteggio");
    QTest::addColumn<QList<int>>("scansioniTolte");
    QTest::addColumn<QList<int>>("restano");
    QTest::newRow("scansione rimossa") << 3 << QList<int>{2} << QList<int>{1, 3};
    QTest::newRow("oltre l'ultima scheda") << 2 << QList<int>{} << QList<int>{1, 2};
    QTest::newRow("archivio nuovo con lo stesso nome") << 0 << QList<int>{} << QList<int>{};
    QTest::newRow("nessuna da togliere") << 3 << QList<int>{} << QList<int>{1, 2, 3};
}

void TestLetturaArchivio::testiSenzaScansione()
{
    QFETCH(int, conteggio);
    QFETCH(QList<int>, scansioniTolte);
    QFETCH(QList<int>, restano);
    scriviScansioni(3);
    IndiceTesti indice(IndiceTesti::percorsoIn(cartella()));
    // Read already, each with the mark of its scan: nothing to read again.
    for (int n = 1; n <= 3; ++n)
        QVERIFY(indice.scriviPagina(kArchivio, n, kParole.at(n - 1), firmaScansione(scansione(n))));
    QVERIFY(indice.scriviPagina(QStringLiteral("Altro"), 2, kParole.at(1), QStringLiteral("2")));
    for (int n : scansioniTolte)
        QVERIFY(QFile::remove(scansione(n)));

    LetturaArchivio lettura(indice, cartella(), kArchivio, conteggio);
    QCOMPARE(lettura.daLeggere(), 0);
    const QList<QVariant> fine = esegui(lettura);
    QCOMPARE(fine.value(0).toBool(), true);
    QCOMPARE(fine.value(1).toString(), QString());
    QList<int> trovate;
    for (int n = 1; n <= 3; ++n)
        if (!indice.cerca(kArchivio, kParole.at(n - 1)).isEmpty())
            trovate.append(n);
    QCOMPARE(trovate, restano);
    QCOMPARE(indice.firme(kArchivio).keys().size(), restano.size());
    // Another archive's texts are not touched.
    QCOMPARE(int(indice.firme(QStringLiteral("Altro")).size()), 1);
}

// Two programs read two archives into one index while a third keeps taking
// the index's write lock for a while: each write waits for the lock, and
// both readings finish.
void TestLetturaArchivio::dueProgrammi()
{
    const QStringList archivi = {QStringLiteral("Prima"), QStringLiteral("Seconda")};
    for (const QString &a : archivi)
        for (int n = 1; n <= 3; ++n)
            QVERIFY(scriviFileFoto(cartella(), percorsoFotoPagina(cartella(), a, QString::number(n)), pagina(n)));
    const QString percorso = IndiceTesti::percorsoIn(cartella());
    QVERIFY(IndiceTesti(percorso).usabile());

    std::vector<std::unique_ptr<QProcess>> programmi;
    for (const QString &a : archivi) {
        programmi.push_back(std::make_unique<QProcess>());
        programmi.back()->start(QStringLiteral(VELMORA_ALTRO_PROGRAMMA),
                                {QStringLiteral("leggi"), cartella(), a, QStringLiteral("3")});
        QVERIFY(programmi.back()->waitForStarted());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("terzo"));
        db.setDatabaseName(percorso);
        QVERIFY(db.open());
        const auto inCorso = [&programmi] {
            for (const auto &p : programmi)
                if (p->state() != QProcess::NotRunning)
                    return true;
            return false;
        };
        QElapsedTimer tempo;
        tempo.start();
        while (inCorso() && tempo.elapsed() < 100000) {
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("BEGIN IMMEDIATE")));
            QTest::qWait(300);
            QVERIFY(db.commit());
            QTest::qWait(30);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("terzo"));
    for (auto &p : programmi) {
        QVERIFY(p->state() == QProcess::NotRunning || p->waitForFinished(10000));
        QCOMPARE(QString::fromUtf8(p->readAllStandardOutput()).trimmed(), QStringLiteral("completa 3"));
        QCOMPARE(p->exitCode(), 0);
    }
    IndiceTesti indice(percorso);
    for (const QString &a : archivi) {
        QCOMPARE(int(indice.firme(a).size()), 3);
        QCOMPARE(indice.cerca(a, kParole.at(2)).value(0).posizione, 3);
    }
}

QTEST_MAIN(TestLetturaArchivio)
#include "tst_letturaarchivio.moc"
