#include "ocr/indicetesti.h"

#include "support/disco_supporto.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kArchivio = QStringLiteral("Lettere");

// Three pages of one archive and one of another that says the same.
void riempi(IndiceTesti &indice)
{
    QVERIFY(indice.scriviPagina(kArchivio, 1, QStringLiteral("Partimmo dalla città di Genova all'alba.\n"
                                                             "Il mare era calmo."), QStringLiteral("1:1")));
    QVERIFY(indice.scriviPagina(kArchivio, 2, QStringLiteral("La CITTÀ dormiva ancora; il porto era vuoto."),
                                QStringLiteral("2:2")));
    QVERIFY(indice.scriviPagina(kArchivio, 3, QStringLiteral("Del mare calmo non restava che il ricordo."),
                                QStringLiteral("3:3")));
    QVERIFY(indice.scriviPagina(QStringLiteral("Altro"), 1, QStringLiteral("la città e il mare calmo"),
                                QStringLiteral("4:4")));
}

QList<int> posizioni(const QVector<IndiceTesti::Trovata> &trovate)
{
    QList<int> p;
    for (const IndiceTesti::Trovata &t : trovate)
        p.append(t.posizione);
    return p;
}

// Garbage over the bytes of the file that `dove` picks; gives the new bytes.
template <class Dove>
QByteArray guasta(const QString &percorso, const Dove &dove)
{
    QFile f(percorso);
    if (!f.open(QIODevice::ReadWrite))
        return {};
    QByteArray dati = f.readAll();
    for (int k = 0; k < dati.size(); ++k)
        if (dove(k))
            dati[k] = char((k * 37) & 0xff);
    f.seek(0);
    f.write(dati);
    return dati;
}

} // namespace

class TestIndiceTesti : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void richiesta_data();
    void richiesta();
    void cerca_data();
    void cerca();
    void contesto();
    void primePagine();
    void riscritturaSostituisce();
    void versionePiuRecente();
    void fileDanneggiato_data();
    void fileDanneggiato();
    void dannoDuranteUso_data();
    void dannoDuranteUso();
    void primoFormatoRifatto();
    void discoPieno();

private:
    std::unique_ptr<QTemporaryDir> m_cartella;
    QString percorso() const { return IndiceTesti::percorsoIn(m_cartella->path() + QLatin1Char('/')); }
};

void TestIndiceTesti::init()
{
    m_cartella = std::make_unique<QTemporaryDir>();
    QVERIFY(m_cartella->isValid());
}

void TestIndiceTesti::richiesta_data()
{
    QTest::addColumn<QString>("parole");
    QTest::addColumn<QString>("richiesta");
    QTest::newRow("parole") << "mare  calmo" << "\"mare\" \"calmo\"";
    QTest::newRow("frase") << "\"mare calmo\" porto" << "\"mare calmo\" \"porto\"";
    QTest::newRow("virgolette non chiuse") << "porto \"mare calmo" << "\"porto\" \"mare calmo\"";
    QTest::newRow("operatori presi come parole") << "mare OR NOT* (calmo)" << "\"mare\" \"OR\" \"NOT\" \"calmo\"";
    QTest::newRow("apostrofo e accenti") << QStringLiteral("dell'età") << QStringLiteral("\"dell\" \"età\"");
    // As some keyboards and pasted texts give it: the letter, then its mark.
    QTest::newRow("accento scomposto dentro la parola")
        << QStringLiteral("Zu\u0308rich") << QStringLiteral("\"Zu\u0308rich\"");
    QTest::newRow("nessuna parola") << " \"\" - ;" << "";
}

void TestIndiceTesti::richiesta()
{
    QFETCH(QString, parole);
    QFETCH(QString, richiesta);
    QCOMPARE(richiestaTestuale(parole), richiesta);
}

void TestIndiceTesti::cerca_data()
{
    QTest::addColumn<QString>("parole");
    QTest::addColumn<QList<int>>("attese");
    QTest::newRow("senza accento trova l'accento") << "citta" << QList<int>{1, 2};
    QTest::newRow("maiuscole e accento") << QStringLiteral("CITTÀ") << QList<int>{1, 2};
    QTest::newRow("tutte le parole") << "mare calmo" << QList<int>{1, 3};
    QTest::newRow("ordine qualsiasi") << "calmo mare" << QList<int>{1, 3};
    QTest::newRow("frase") << "\"mare calmo\"" << QList<int>{3};
    QTest::newRow("frase in altro ordine") << "\"calmo mare\"" << QList<int>{};
    QTest::newRow("parola assente") << "Venezia" << QList<int>{};
    QTest::newRow("operatore di ricerca come parola") << "NEAR(mare" << QList<int>{};
    QTest::newRow("nessuna parola") << "  " << QList<int>{};
    QTest::newRow("accento scomposto dentro la parola") << QStringLiteral("Zu\u0308rich") << QList<int>{4};
    QTest::newRow("senza l'accento dentro la parola") << QStringLiteral("zurich") << QList<int>{4};
}

void TestIndiceTesti::cerca()
{
    QFETCH(QString, parole);
    QFETCH(QList<int>, attese);
    IndiceTesti indice(percorso());
    QVERIFY(indice.usabile());
    riempi(indice);
    QVERIFY(indice.scriviPagina(kArchivio, 4, QStringLiteral("Il treno per Zürich partì in orario."),
                                QStringLiteral("5:5")));
    QCOMPARE(posizioni(indice.cerca(kArchivio, parole)), attese);
}

void TestIndiceTesti::contesto()
{
    IndiceTesti indice(percorso());
    riempi(indice);
    const QVector<IndiceTesti::Trovata> t = indice.cerca(kArchivio, QStringLiteral("porto"));
    QCOMPARE(t.size(), 1);
    QVERIFY2(t.first().contesto.contains(QStringLiteral("il «porto» era")), qPrintable(t.first().contesto));
}

// Pages written out of their order come back by position; the first ones
// only when a limit is given, with the count of all; none past the last
// position asked for.
void TestIndiceTesti::primePagine()
{
    IndiceTesti indice(percorso());
    for (int p : {7, 2, 5, 1})
        QVERIFY(indice.scriviPagina(kArchivio, p, QStringLiteral("il mare a pagina %1").arg(p), QString::number(p)));
    QVERIFY(indice.scriviPagina(QStringLiteral("Altro"), 3, QStringLiteral("il mare"), QStringLiteral("3")));
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("mare"))), (QList<int>{1, 2, 5, 7}));
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("mare"), 2)), (QList<int>{1, 2}));
    QCOMPARE(indice.conta(kArchivio, QStringLiteral("mare")), 4);
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("mare"), 10, 5)), (QList<int>{1, 2, 5}));
    QCOMPARE(indice.conta(kArchivio, QStringLiteral("mare"), 5), 3);
    QCOMPARE(indice.conta(kArchivio, QStringLiteral("\"pagina 7\"")), 1);
    QCOMPARE(indice.conta(QStringLiteral("Nessuno"), QStringLiteral("mare")), 0);
}

void TestIndiceTesti::riscritturaSostituisce()
{
    {
        IndiceTesti indice(percorso());
        riempi(indice);
        QVERIFY(indice.scriviPagina(kArchivio, 2, QStringLiteral("Un'altra pagina"), QStringLiteral("9:9")));
    }
    // Read back by a new opening: the file holds it.
    IndiceTesti indice(percorso());
    QCOMPARE(indice.apertura(), IndiceTesti::Apertura::Aperto);
    QCOMPARE(indice.testo(kArchivio, 2), QStringLiteral("Un'altra pagina"));
    QCOMPARE(indice.firme(kArchivio).value(2), QStringLiteral("9:9"));
    QCOMPARE(int(indice.firme(kArchivio).size()), 3);
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("citta"))), QList<int>{1});
}

void TestIndiceTesti::versionePiuRecente()
{
    {
        IndiceTesti indice(percorso());
        riempi(indice);
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("futura"));
        db.setDatabaseName(percorso());
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(IndiceTesti::kVersione + 1)));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("futura"));
    QFile f(percorso());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray prima = f.readAll();
    f.close();

    {
        IndiceTesti indice(percorso());
        QCOMPARE(indice.apertura(), IndiceTesti::Apertura::PiuRecente);
        QVERIFY(!indice.usabile());
        QCOMPARE(indice.messaggioApertura(), kMessaggioIndicePiuRecente);
        QVERIFY(!indice.scriviPagina(kArchivio, 4, QStringLiteral("nuovo"), QStringLiteral("5:5")));
        QVERIFY(indice.cerca(kArchivio, QStringLiteral("mare")).isEmpty());
    }
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), prima);
}

void TestIndiceTesti::fileDanneggiato_data()
{
    QTest::addColumn<bool>("testataIntatta");
    QTest::newRow("non è un database") << false;
    QTest::newRow("tabelle danneggiate") << true;
}

void TestIndiceTesti::fileDanneggiato()
{
    QFETCH(bool, testataIntatta);
    {
        IndiceTesti indice(percorso());
        riempi(indice);
    }
    // Garbage over everything but (or including) the 100-byte header.
    const QByteArray dati = guasta(percorso(), [testataIntatta](int k) { return !testataIntatta || k >= 100; });

    IndiceTesti indice(percorso());
    QCOMPARE(indice.apertura(), IndiceTesti::Apertura::Ricreato);
    QVERIFY(indice.usabile());
    QCOMPARE(indice.messaggioApertura(), kMessaggioIndiceRicreato);
    QCOMPARE(int(indice.firme(kArchivio).size()), 0);
    // The damaged file is kept aside, as it was.
    QFile messo(percorso() + QStringLiteral(".danneggiato"));
    QVERIFY(messo.open(QIODevice::ReadOnly));
    QCOMPARE(messo.readAll(), dati);
    QVERIFY(indice.scriviPagina(kArchivio, 1, QStringLiteral("di nuovo"), QStringLiteral("1:1")));
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("nuovo"))), QList<int>{1});
}

void TestIndiceTesti::dannoDuranteUso_data()
{
    QTest::addColumn<bool>("scrittura");
    QTest::newRow("scrittura") << true;
    QTest::newRow("ricerca") << false;
}

// The file goes bad under an open index: the next write or search puts it
// aside and makes it anew, says so once, and a write goes into the new file.
void TestIndiceTesti::dannoDuranteUso()
{
    QFETCH(bool, scrittura);
    IndiceTesti indice(percorso());
    riempi(indice);
    // Past the header, and its change counter too, so that the open
    // connection reads the file again instead of what it holds in memory.
    const QByteArray dati = guasta(percorso(), [](int k) { return (k >= 24 && k < 28) || k >= 100; });

    if (scrittura) {
        QVERIFY(indice.scriviPagina(kArchivio, 4, QStringLiteral("Una pagina nuova"), QStringLiteral("4:4")));
    } else {
        QVERIFY(indice.cerca(kArchivio, QStringLiteral("citta")).isEmpty());
        QCOMPARE(indice.ultimoErrore(), kMessaggioIndiceRicreato);
    }
    QCOMPARE(indice.prendiAvviso(), kMessaggioIndiceRicreato);
    QCOMPARE(indice.prendiAvviso(), QString());
    QVERIFY(indice.usabile());
    QFile messo(percorso() + QStringLiteral(".danneggiato"));
    QVERIFY(messo.open(QIODevice::ReadOnly));
    QCOMPARE(messo.readAll(), dati);
    QCOMPARE(int(indice.firme(kArchivio).size()), scrittura ? 1 : 0);
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("nuova"))), scrittura ? QList<int>{4} : QList<int>{});
    // Another opening finds the new file whole.
    IndiceTesti dopo(percorso());
    QCOMPARE(dopo.apertura(), IndiceTesti::Apertura::Aperto);
}

// The first layout of the file, from before pages were kept in the order
// of their positions: opened, its texts left to be read again.
void TestIndiceTesti::primoFormatoRifatto()
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("prima"));
        db.setDatabaseName(percorso());
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE pagine (id INTEGER PRIMARY KEY, archivio TEXT NOT NULL, "
                                      "posizione INTEGER NOT NULL, firma TEXT NOT NULL, UNIQUE (archivio, posizione))")));
        QVERIFY(q.exec(QStringLiteral("CREATE VIRTUAL TABLE testi USING fts5(testo)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO pagine VALUES (1, 'Lettere', 1, '1:1')")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO testi (rowid, testo) VALUES (1, 'il mare')")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 1")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("prima"));
    IndiceTesti indice(percorso());
    QCOMPARE(indice.apertura(), IndiceTesti::Apertura::Aperto);
    QVERIFY(indice.firme(kArchivio).isEmpty());
    riempi(indice);
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("mare"))), (QList<int>{1, 3}));
}

// On a real disk filled to the last byte: a small tmpfs, where the machine
// lets the test mount one.
void TestIndiceTesti::discoPieno()
{
    const DiscoPiccolo disco(m_cartella->filePath(QStringLiteral("disco")), 512);
    if (!disco.montato())
        QSKIP("no permission to mount a small tmpfs here");
    IndiceTesti indice(IndiceTesti::percorsoIn(disco.cartella()));
    riempi(indice);
    // No room for one more byte of the file or of its journal.
    QVERIFY(disco.riempi());
    QString lungo;
    for (int k = 0; k < 20000; ++k)
        lungo += QStringLiteral("parola%1 ").arg(k);
    QVERIFY(!indice.scriviPagine(kArchivio, {{4, lungo, QStringLiteral("4:4")}, {2, QStringLiteral("x"), QStringLiteral("x")}}));
    QCOMPARE(indice.ultimoErrore(), kMessaggioIndiceDiscoPieno);
    // Nothing of the failed transaction, everything from before.
    QCOMPARE(int(indice.firme(kArchivio).size()), 3);
    QCOMPARE(indice.firme(kArchivio).value(2), QStringLiteral("2:2"));
    QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("citta"))), (QList<int>{1, 2}));
    QVERIFY(indice.cerca(kArchivio, QStringLiteral("parola19999")).isEmpty());
}

QTEST_GUILESS_MAIN(TestIndiceTesti)
#include "tst_indicetesti.moc"
