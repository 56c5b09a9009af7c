#include "ocr/indicetesti.h"
#include "ocr/letturaarchivio.h"
#include "storage/fotopagina.h"

#include "support/fifo_supporto.h"
#include "support/pagine_supporto.h"

#include <QFile>
#include <QSignalSpy>
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
    QCOMPARE(lettura.illeggibili(), 1);
    QCOMPARE(indice.cerca(kArchivio, kParole.at(0)).value(0).posizione, 1);
    QCOMPARE(indice.cerca(kArchivio, kParole.at(2)).value(0).posizione, 3);
}

QTEST_MAIN(TestLetturaArchivio)
#include "tst_letturaarchivio.moc"
