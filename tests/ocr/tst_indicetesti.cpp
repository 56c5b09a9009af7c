#include "ocr/indicetesti.h"

#include "support/disco_supporto.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
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
    void richiestaRidotta_data();
    void richiestaRidotta();
    void contestoDa_data();
    void contestoDa();
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
    void collegamento_data();
    void collegamento();
    void bloccoDiUnAltroProgramma_data();
    void bloccoDiUnAltroProgramma();

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

// Each word counts once, in any case; the words past the most a search
// takes are left out, a phrase cut where they end.
void TestIndiceTesti::richiestaRidotta_data()
{
    QTest::addColumn<QString>("parole");
    QTest::addColumn<QString>("richiesta");
    QTest::addColumn<bool>("ridotta");
    QStringList massimo;
    for (int k = 1; k <= kMassimoParole; ++k)
        massimo.append(QStringLiteral("p%1").arg(k));
    const QString prese = QLatin1Char('"') + massimo.join(QStringLiteral("\" \"")) + QLatin1Char('"');
    QTest::newRow("parola ripetuta duemila volte") << QStringLiteral("a ").repeated(2000) << "\"a\"" << false;
    QTest::newRow("in maiuscolo e minuscolo")
        << QStringLiteral("Mare MARE mare calmo mare") << "\"Mare\" \"calmo\"" << false;
    QTest::newRow("accento composto e scomposto")
        << QStringLiteral("citt\u00e0 citta\u0300") << QStringLiteral("\"citt\u00e0\"") << false;
    QTest::newRow("frase ripetuta") << "\"mare calmo\" \"MARE calmo\" mare"
                                    << "\"mare calmo\" \"mare\"" << false;
    QTest::newRow("una parola come frase") << "mare \"mare\""
                                           << "\"mare\"" << false;
    QTest::newRow("proprio il massimo") << massimo.join(QLatin1Char(' ')) + QStringLiteral(" p1 p2") << prese << false;
    QTest::newRow("oltre il massimo") << massimo.join(QLatin1Char(' ')) + QStringLiteral(" p1 altra") << prese << true;
    QTest::newRow("frase tagliata a una parola già presa")
        << QStringList(massimo.mid(0, kMassimoParole - 1)).join(QLatin1Char(' ')) + QStringLiteral(" \"p1 x\"")
        << prese.left(prese.lastIndexOf(QLatin1Char(' '))) << true;
    QTest::newRow("frase tagliata") << QStringList(massimo.mid(0, kMassimoParole - 2)).join(QLatin1Char(' '))
            + QStringLiteral(" \"x y z\"")
                                    << QLatin1Char('"')
            + QStringList(massimo.mid(0, kMassimoParole - 2)).join(QStringLiteral("\" \""))
            + QStringLiteral("\" \"x y\"")
                                    << true;
}

void TestIndiceTesti::richiestaRidotta()
{
    QFETCH(QString, parole);
    QFETCH(QString, richiesta);
    QFETCH(bool, ridotta);
    bool r = !ridotta;
    QCOMPARE(richiestaTestuale(parole, &r), richiesta);
    QCOMPARE(r, ridotta);
    // What it gives is taken whole when given again.
    QCOMPARE(richiestaTestuale(richiesta, &r), richiesta);
    QVERIFY(!r);
}

// The matches lie between \1 and \2, as the index marks them.
void TestIndiceTesti::contestoDa_data()
{
    QTest::addColumn<QString>("evidenziato");
    QTest::addColumn<int>("quante");
    QTest::addColumn<QString>("contesto");
    QTest::newRow("tutto il testo") << "La citta dormiva; il \1porto\2 era vuoto." << 12
                                    << QStringLiteral("La citta dormiva; il «porto» era vuoto");
    QTest::newRow("al centro delle parole") << "uno due tre quattro \1cinque\2 sei sette otto nove" << 5
                                            << QStringLiteral("…tre quattro «cinque» sei sette…");
    QTest::newRow("all'inizio") << "\1uno\2 due tre quattro cinque sei" << 3 << QStringLiteral("«uno» due tre…");
    QTest::newRow("alla fine") << "uno due tre quattro cinque \1sei\2" << 3 << QStringLiteral("…quattro cinque «sei»");
    QTest::newRow("più parole diverse prima di più trovate")
        << "\1mare\2 \1mare\2 \1mare\2 uno due tre quattro cinque \1mare\2 \1calmo\2 sei" << 3
        << QStringLiteral("…«mare» «calmo» sei");
    QTest::newRow("frase") << "uno due \1mare calmo\2 tre quattro cinque" << 4
                           << QStringLiteral("…due «mare calmo» tre…");
    QTest::newRow("frase più lunga del contesto") << "uno \1a b c d e f\2 due" << 3 << QStringLiteral("…«a b c»…");
    QTest::newRow("nessuna trovata") << "uno due tre quattro" << 2 << QStringLiteral("uno due…");
    QTest::newRow("segni spaiati") << "\2uno \1due \1tre" << 3 << QStringLiteral("uno «due tre»");
    QTest::newRow("nessuna parola") << " \1,;\2 . " << 12 << QString();
}

void TestIndiceTesti::contestoDa()
{
    QFETCH(QString, evidenziato);
    QFETCH(int, quante);
    QFETCH(QString, contesto);
    QCOMPARE(::contestoDa(evidenziato, quante), contesto);
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

// A link at the index's name, or at its journal's, is never followed: the
// index is not used and what the link points to stays as it was (or is not
// made at all).
void TestIndiceTesti::collegamento_data()
{
    QTest::addColumn<QString>("resto");
    QTest::addColumn<QString>("bersaglio");
    QTest::newRow("indice, collegamento sospeso") << ""
                                                  << "";
    QTest::newRow("indice, a un altro database") << ""
                                                 << "database";
    QTest::newRow("giornale, a un altro file") << "-journal"
                                               << "file";
}

void TestIndiceTesti::collegamento()
{
    QFETCH(QString, resto);
    QFETCH(QString, bersaglio);
    QTemporaryDir altrove;
    const QString destinazione = altrove.filePath(QStringLiteral("altro.db"));
    if (bersaglio == QLatin1String("database")) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("altro"));
        db.setDatabaseName(destinazione);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec(QStringLiteral("CREATE TABLE conti (voce TEXT)")));
        QVERIFY(q.exec(QStringLiteral("INSERT INTO conti VALUES ('affitto')")));
        QVERIFY(q.exec(QStringLiteral("PRAGMA user_version = 7")));
        q.finish();
        db.close();
    } else if (bersaglio == QLatin1String("file")) {
        QFile f(destinazione);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    if (QSqlDatabase::contains(QStringLiteral("altro")))
        QSqlDatabase::removeDatabase(QStringLiteral("altro"));
    QByteArray prima;
    if (QFile f(destinazione); f.open(QIODevice::ReadOnly))
        prima = f.readAll();
    if (!resto.isEmpty()) {
        IndiceTesti indice(percorso());
        riempi(indice);
    }
    QVERIFY(QFile::link(destinazione, percorso() + resto));

    {
        IndiceTesti indice(percorso());
        QCOMPARE(indice.apertura(), IndiceTesti::Apertura::Collegamento);
        QVERIFY(!indice.usabile());
        QCOMPARE(indice.messaggioApertura(), kMessaggioIndiceCollegamento);
        QVERIFY(!indice.scriviPagina(kArchivio, 4, QStringLiteral("il mare d'inverno"), QStringLiteral("4:4")));
        QCOMPARE(indice.ultimoErrore(), kMessaggioIndiceCollegamento);
        QVERIFY(indice.cerca(kArchivio, QStringLiteral("mare")).isEmpty());
    }
    QCOMPARE(QFileInfo::exists(destinazione), !bersaglio.isEmpty());
    if (!bersaglio.isEmpty()) {
        QFile f(destinazione);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), prima);
    }
    QVERIFY(QFileInfo(percorso() + resto).isSymLink());
}

// Another program holds the index's write lock: a write waits for it, and
// gives up with a message that says so when it is held too long.
void TestIndiceTesti::bloccoDiUnAltroProgramma_data()
{
    QTest::addColumn<int>("tenuto");
    QTest::addColumn<int>("attesa");
    QTest::addColumn<bool>("riesce");
    QTest::newRow("lasciato prima della fine dell'attesa") << 800 << IndiceTesti::kAttesaBlocco << true;
    QTest::newRow("tenuto oltre l'attesa") << 4000 << 400 << false;
}

void TestIndiceTesti::bloccoDiUnAltroProgramma()
{
    QFETCH(int, tenuto);
    QFETCH(int, attesa);
    QFETCH(bool, riesce);
    IndiceTesti indice(percorso());
    riempi(indice);
    indice.limitaAttesa(attesa);

    QProcess altro;
    altro.start(QStringLiteral(VELMORA_ALTRO_PROGRAMMA),
                {QStringLiteral("tieni"), percorso(), QString::number(tenuto)});
    QVERIFY(altro.waitForReadyRead(30000));
    QCOMPARE(altro.readLine().trimmed(), QByteArray("preso"));
    QElapsedTimer tempo;
    tempo.start();
    // Read first, then written, as a reading of the archive does.
    QCOMPARE(indice.firme(kArchivio).size(), 3);
    const bool scritta = indice.scriviPagina(kArchivio, 4, QStringLiteral("il mare d'inverno"), QStringLiteral("4:4"));
    const qint64 atteso = tempo.elapsed();
    QVERIFY(altro.waitForFinished(30000));
    QCOMPARE(altro.exitCode(), 0);

    QCOMPARE(scritta, riesce);
    if (riesce) {
        QVERIFY2(atteso < attesa, qPrintable(QString::number(atteso)));
        QCOMPARE(posizioni(indice.cerca(kArchivio, QStringLiteral("inverno"))), QList<int>{4});
    } else {
        QVERIFY2(atteso >= attesa, qPrintable(QString::number(atteso)));
        QCOMPARE(indice.ultimoErrore(), kMessaggioIndiceOccupato);
        QCOMPARE(int(indice.firme(kArchivio).size()), 3);
        // Once the other program has let it go, the write goes through.
        QVERIFY(indice.scriviPagina(kArchivio, 4, QStringLiteral("il mare d'inverno"), QStringLiteral("4:4")));
    }
}

QTEST_GUILESS_MAIN(TestIndiceTesti)
#include "tst_indicetesti.moc"
