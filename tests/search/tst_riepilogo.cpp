#include "search/criteriricerca.h"
#include "search/rigariepilogo.h"
#include "storage/schedapagina.h"
#include "storage/testo.h"

#include "support/righe_supporto.h"

#include <QTest>

#include <algorithm>
#include <cstring>

Q_DECLARE_METATYPE(Campo)

namespace {

TSchedaPagina scheda(const QString &titolo, const QString &autore, const QString &codice, const QString &pagina)
{
    TSchedaPagina s = schedaVuota();
    impostaCampo(s, Campo::Titolo, titolo);
    impostaCampo(s, Campo::Autore, autore);
    impostaCampo(s, Campo::Codice, codice);
    impostaCampo(s, Campo::PagNum, pagina);
    return s;
}

// Puts bytes into a field as another program might have left them: not
// trimmed, length byte as given.
void grezzo(TSchedaPagina &s, Campo campo, const QByteArray &byte, int lunghezza = -1)
{
    auto *p = reinterpret_cast<uint8_t *>(&s) + infoCampo(campo).offset;
    p[0] = uint8_t(lunghezza < 0 ? byte.size() : lunghezza);
    std::memcpy(p + 1, byte.constData(), size_t(byte.size()));
}

QString ripeti(const char *pezzo, int volte)
{
    return QString::fromLatin1(pezzo).repeated(volte);
}

// The summary line put together the plain way, as text: each field decoded,
// trimmed, padded or cut.
QString rigaDiRiferimento(const TSchedaPagina &s)
{
    auto testo = [&s](Campo c) { return leggiCampo(s, c); };
    return testo(Campo::Titolo).leftJustified(55, u' ', true) + QStringLiteral("  Autore: ")
        + testo(Campo::Autore).leftJustified(30, u' ', true) + QStringLiteral("  Cod. ")
        + testo(Campo::Codice).leftJustified(20, u' ', true) + QStringLiteral("  Pag. n. ") + testo(Campo::PagNum);
}

// Four summary fields holding exactly the given bytes, length bytes included
// (a length past the capacity is left there as another program might).
TSchedaPagina schedaGrezza(const QByteArray &titolo, const QByteArray &autore, const QByteArray &codice,
                           const QByteArray &pagina, int lunghezza = -1)
{
    TSchedaPagina s = schedaVuota();
    grezzo(s, Campo::Titolo, titolo, lunghezza);
    grezzo(s, Campo::Autore, autore, lunghezza);
    grezzo(s, Campo::Codice, codice, lunghezza);
    grezzo(s, Campo::PagNum, pagina, lunghezza);
    return s;
}

} // namespace

class TestRiepilogo : public QObject
{
    Q_OBJECT

private slots:
    void rigaRiepilogo_data();
    void rigaRiepilogo();
    void rigaLetterale();
    void minuscoleSoloAscii();
    void ordine_data();
    void ordine();
    void elencoComeRiferimento_data();
    void elencoComeRiferimento();
    void criteri_data();
    void criteri();
    void criteriInAnd();
    void criteriSoloSpazi();
    void daCompletare_data();
    void daCompletare();
    void posizioni_data();
    void posizioni();
    void trova_data();
    void trova();
    void trovaCamminaEDaCapo();
};

void TestRiepilogo::rigaRiepilogo_data()
{
    QTest::addColumn<TSchedaPagina>("s");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QString>("autore");
    QTest::addColumn<QString>("codice");
    QTest::addColumn<QString>("pagina");

    QTest::newRow("brevi, riempiti di spazi")
        << scheda("Lettera", "Rossi", "A-1", "12") << "Lettera" << "Rossi" << "A-1" << "12";
    QTest::newRow("titolo di 70 tagliato a 55")
        << scheda(ripeti("0123456789", 7), "Bianchi", "C", "1") << ripeti("0123456789", 6).left(55)
        << "Bianchi" << "C" << "1";
    QTest::newRow("titolo di 55 esatti")
        << scheda(ripeti("t", 55), "A", "B", "3") << ripeti("t", 55) << "A" << "B" << "3";
    QTest::newRow("autore di 50 tagliato a 30, codice di 20 intero")
        << scheda("T", ripeti("abcde", 10), ripeti("k", 20), "7") << "T" << ripeti("abcde", 6)
        << ripeti("k", 20) << "7";
    QTest::newRow("numero di pagina alla sua lunghezza")
        << scheda("T", "A", "C", ripeti("9", 20)) << "T" << "A" << "C" << ripeti("9", 20);
    QTest::newRow("tutto vuoto") << schedaVuota() << "" << "" << "" << "";

    TSchedaPagina spazi = schedaVuota();
    grezzo(spazi, Campo::Titolo, "  Titolo\t ");
    grezzo(spazi, Campo::Autore, " Rossi ");
    grezzo(spazi, Campo::Codice, "\x01X9 ");
    grezzo(spazi, Campo::PagNum, " 4 ");
    QTest::newRow("spazi e controlli ai bordi tolti") << spazi << "Titolo" << "Rossi" << "X9" << "4";

    TSchedaPagina accenti = scheda(QStringLiteral("Città è «bella»"), QStringLiteral("Niccolò"), "", "");
    QTest::newRow("accenti un carattere ciascuno")
        << accenti << QStringLiteral("Città è «bella»") << QStringLiteral("Niccolò") << "" << "";
}

void TestRiepilogo::rigaRiepilogo()
{
    QFETCH(TSchedaPagina, s);
    QFETCH(QString, titolo);
    QFETCH(QString, autore);
    QFETCH(QString, codice);
    QFETCH(QString, pagina);

    const QString riga = RigaRiepilogo(s);
    QCOMPARE(riga.size(), 132 + pagina.size());
    QCOMPARE(riga.mid(0, 55), titolo.leftJustified(55));
    QCOMPARE(riga.mid(55, 10), QStringLiteral("  Autore: "));
    QCOMPARE(riga.mid(65, 30), autore.leftJustified(30));
    QCOMPARE(riga.mid(95, 7), QStringLiteral("  Cod. "));
    QCOMPARE(riga.mid(102, 20), codice.leftJustified(20));
    QCOMPARE(riga.mid(122, 10), QStringLiteral("  Pag. n. "));
    QCOMPARE(riga.mid(132), pagina);
}

void TestRiepilogo::rigaLetterale()
{
    QCOMPARE(RigaRiepilogo(scheda("Atto", "Verdi", "X1", "5")),
             QStringLiteral("Atto                                                     Autore: "
                            "Verdi                           Cod. X1                    Pag. n. 5"));
}

void TestRiepilogo::minuscoleSoloAscii()
{
    QCOMPARE(Testo::lowerAscii(QStringLiteral("AZ az @[ ÀÈÌÒÙ É Ω")), QStringLiteral("az az @[ ÀÈÌÒÙ É Ω"));
}

void TestRiepilogo::ordine_data()
{
    QTest::addColumn<QStringList>("righe");
    QTest::addColumn<QStringList>("attese");

    QTest::newRow("maiuscole e minuscole insieme")
        << QStringList{"beta", "Alfa", "alfa2", "ALFA1"} << QStringList{"Alfa", "ALFA1", "alfa2", "beta"};
    QTest::newRow("la piu corta prima")
        << QStringList{"abc", "ab", "abcd", "a"} << QStringList{"a", "ab", "abc", "abcd"};
    // Folding goes to upper case: '_' (after 'Z') follows the letters.
    QTest::newRow("segni dopo le lettere maiuscole")
        << QStringList{"_nota", "zeta", "Alfa", "[x"} << QStringList{"Alfa", "zeta", "[x", "_nota"};
    QTest::newRow("accentate dopo tutte le ASCII")
        << QStringList{QStringLiteral("Èra"), "Zeta", QStringLiteral("éra"), "era"}
        << QStringList{"era", "Zeta", QStringLiteral("Èra"), QStringLiteral("éra")};
    QTest::newRow("uguali piegate restano nell'ordine di arrivo")
        << QStringList{"ROSSI", "b", "rossi", "Rossi"} << QStringList{"b", "ROSSI", "rossi", "Rossi"};
    QTest::newRow("spazi contano") << QStringList{"a b", "a  b", "ab"} << QStringList{"a  b", "a b", "ab"};
}

void TestRiepilogo::ordine()
{
    QFETCH(QStringList, righe);
    QFETCH(QStringList, attese);
    ordinaRighe(righe);
    QCOMPARE(righe, attese);
}

// The list built from the record bytes and sorted in place gives the same
// lines in the same order as lines built as text and sorted one by one with
// the folded comparison, ties kept in the order they came.
void TestRiepilogo::elencoComeRiferimento_data()
{
    QTest::addColumn<QVector<TSchedaPagina>>("schede");

    QVector<TSchedaPagina> byte;
    for (int b = 0; b < 256; ++b) {
        const char c = char(b);
        byte.append(schedaGrezza(QByteArray(1, c) + "x", QByteArray("a") + c, QByteArray(1, c),
                                 QByteArray(1, c) + "1"));
        byte.append(schedaGrezza(QByteArray("T") + c + c, QByteArray(1, c), QByteArray("k") + c, QByteArray(1, c)));
    }
    QTest::newRow("ogni valore di byte in ogni colonna") << byte;

    // Windows-1252: 0x80 is the euro sign (U+20AC), after 0xFF (U+00FF) as
    // text though before it as a byte; 0x9F is U+0178, 0xC8 and 0xE8 È and è.
    QVector<TSchedaPagina> pari;
    for (const char *t : {"rossi", "ROSSI", "\xE8re", "Rossi", "\xC8re", "\x80uro", "\xFF", "\x9F", "a", "A", "",
                          "rossi", "b", "B", "\xC0", "\xE0", "z", "Z", "[", "_", "ros", "rossi "})
        pari.append(schedaGrezza(t, "Verdi", "C1", "3"));
    pari.append(schedaGrezza("rossi", "Verdi", "C1", "30"));
    pari.append(schedaGrezza("ROSSI", "Verdi", "C1", "3"));
    QTest::newRow("accenti, chiavi uguali e prefissi") << pari;

    QVector<TSchedaPagina> vuote{schedaVuota(), schedaVuota()};
    vuote.append(schedaGrezza("  \t", "\x01\x02", " ", "\x1F"));
    vuote.append(schedaGrezza(QByteArray(250, 'w'), QByteArray(250, 'q'), QByteArray(250, 'k'),
                              QByteArray(250, '7'), 255));
    vuote.append(schedaGrezza(QByteArray(250, 'W'), QByteArray(250, 'Q'), QByteArray(250, 'K'),
                              QByteArray(250, '7'), 255));
    vuote.append(schedaGrezza(QByteArray(60, 'A') + "b", "x", "y", ""));
    vuote.append(schedaGrezza(QByteArray(60, 'a') + "B", "x", "y", ""));
    QTest::newRow("campi vuoti, solo controlli, lunghezze oltre la capacita") << vuote;

    // Few symbols, so that many lines tie or share long beginnings.
    const char alfabeto[] = {'a', 'A', 'b', 'B', ' ', '\0', '\x1F', '\x80', '\xE0', '\xC0', '\xFF', '\x9F', '1', '0'};
    quint32 stato = 12345;
    auto prossimo = [&stato](quint32 limite) {
        stato = stato * 1103515245u + 12345u;
        return (stato >> 16) % limite;
    };
    auto pezzo = [&](int massimo) {
        QByteArray b;
        const int n = int(prossimo(quint32(massimo + 1)));
        for (int i = 0; i < n; ++i)
            b.append(alfabeto[prossimo(sizeof(alfabeto))]);
        return b;
    };
    QVector<TSchedaPagina> casuali;
    for (int i = 0; i < 3000; ++i)
        casuali.append(schedaGrezza(pezzo(4), pezzo(2), pezzo(2), pezzo(2)));
    QTest::newRow("casuali su pochi simboli") << casuali;
}

void TestRiepilogo::elencoComeRiferimento()
{
    QFETCH(QVector<TSchedaPagina>, schede);

    QStringList attese;
    ElencoRighe elenco;
    for (const TSchedaPagina &s : std::as_const(schede)) {
        attese.append(rigaDiRiferimento(s));
        QCOMPARE(RigaRiepilogo(s), attese.last());
        elenco.aggiungi(s, int(attese.size()));
    }
    std::stable_sort(attese.begin(), attese.end(),
                     [](const QString &a, const QString &b) { return Testo::compareFolded(a, b) < 0; });
    elenco.ordina();
    QCOMPARE(elenco.testi(), attese);
}

void TestRiepilogo::criteri_data()
{
    QTest::addColumn<Campo>("campo");
    QTest::addColumn<QByteArray>("memorizzato"); // Windows-1252 bytes
    QTest::addColumn<int>("lunghezza");          // length byte; -1 for the bytes' own
    QTest::addColumn<QString>("cercato");
    QTest::addColumn<bool>("trovato");

    QTest::newRow("ROSS trova Rossi") << Campo::Autore << QByteArray("Rossi") << -1 << "ROSS" << true;
    QTest::newRow("in mezzo al testo") << Campo::Titolo << QByteArray("Lettera di Rossi Mario") << -1
                                       << "di ROSSI m" << true;
    QTest::newRow("e accentata non trova E accentata")
        << Campo::Autore << QByteArray("\xC8 lui") << -1 << QStringLiteral("è") << false;
    QTest::newRow("E accentata trova se stessa")
        << Campo::Autore << QByteArray("\xC8 lui") << -1 << QStringLiteral("È L") << true;
    QTest::newRow("CITT trova citta accentata")
        << Campo::Note << QByteArray("citt\xE0") << -1 << "CITT" << true;
    QTest::newRow("spazio iniziale fa parte del testo")
        << Campo::Autore << QByteArray("Rossi Mario") << -1 << " rossi" << false;
    QTest::newRow("spazio finale fa parte del testo")
        << Campo::Autore << QByteArray("Mario Rossi") << -1 << "rossi " << false;
    QTest::newRow("spazio iniziale trovato dentro")
        << Campo::Autore << QByteArray("Mario Rossi") << -1 << " rossi" << true;
    QTest::newRow("testo memorizzato non rifilato")
        << Campo::Autore << QByteArray(" Rossi") << -1 << " ROSSI" << true;
    QTest::newRow("simbolo dell'euro") << Campo::Descrizione << QByteArray("costo 5 \x80") << -1
                                       << QStringLiteral("5 €") << true;
    QTest::newRow("carattere fuori dalla codifica non trova il punto interrogativo")
        << Campo::Descrizione << QByteArray("a?b") << -1 << QStringLiteral("aΩb") << false;
    QTest::newRow("niente oltre la capacita del campo")
        << Campo::Codice << QByteArray("12345678901234567890XYZ") << 255 << "xyz" << false;
    QTest::newRow("fino alla capacita del campo")
        << Campo::Codice << QByteArray("12345678901234567890XYZ") << 255 << "890" << true;
    QTest::newRow("oltre la lunghezza scritta")
        << Campo::PagNum << QByteArray("12 bis") << 2 << "bis" << false;
    QTest::newRow("piu lungo del campo") << Campo::PagNum << QByteArray("12") << -1 << "123" << false;
    QTest::newRow("campo vuoto") << Campo::Giudizio << QByteArray() << -1 << "a" << false;
    QTest::newRow("tutto il campo") << Campo::Parole << QByteArray("Mappa") << -1 << "mappa" << true;
    QTest::newRow("un inizio mancato prima del trovato")
        << Campo::Autore << QByteArray("Rosa Rosrossi") << -1 << "rossi" << true;
    QTest::newRow("alla fine di un campo pieno")
        << Campo::Titolo << (QByteArray(113, 'x') + "LETTERA") << -1 << "lettera" << true;
    QTest::newRow("tagliato dalla fine di un campo pieno")
        << Campo::Titolo << (QByteArray(114, 'x') + "LETTERA") << 120 << "lettera" << false;
}

void TestRiepilogo::criteri()
{
    QFETCH(Campo, campo);
    QFETCH(QByteArray, memorizzato);
    QFETCH(int, lunghezza);
    QFETCH(QString, cercato);
    QFETCH(bool, trovato);

    TSchedaPagina s = schedaVuota();
    grezzo(s, campo, memorizzato, lunghezza);
    CriteriRicerca c;
    c.aggiungi(campo, cercato);
    QCOMPARE(c.conta(), 1);
    QCOMPARE(c.soddisfatti(s), trovato);

    // The same text sought in another field finds nothing there.
    CriteriRicerca altrove;
    altrove.aggiungi(campo == Campo::Titolo ? Campo::Codice : Campo::Titolo, cercato);
    QVERIFY(!altrove.soddisfatti(s));
}

void TestRiepilogo::criteriInAnd()
{
    const TSchedaPagina s = scheda("Lettera al podesta", "Rossi", "B-7", "3");
    struct Caso { const char *titolo; const char *autore; bool atteso; };
    const Caso casi[] = {{"lettera", "rossi", true}, {"lettera", "verdi", false}, {"atto", "rossi", false}};
    for (const Caso &k : casi) {
        CriteriRicerca c;
        c.aggiungi(Campo::Titolo, QString::fromLatin1(k.titolo));
        c.aggiungi(Campo::Autore, QString::fromLatin1(k.autore));
        QCOMPARE(c.conta(), 2);
        QCOMPARE(c.soddisfatti(s), k.atteso);
    }
}

void TestRiepilogo::criteriSoloSpazi()
{
    const TSchedaPagina s = scheda("Atto", "Verdi", "1", "1");
    CriteriRicerca c;
    for (const char *t : {"", " ", "   ", "\t", " \t "})
        c.aggiungi(Campo::Note, QString::fromLatin1(t));
    QCOMPARE(c.conta(), 0);
    QVERIFY(c.soddisfatti(s));
    QVERIFY(c.soddisfatti(schedaVuota()));

    c.aggiungi(Campo::Autore, QStringLiteral(" verdi "));
    QCOMPARE(c.conta(), 1);
    QVERIFY(!c.soddisfatti(s)); // the blanks around it are sought too
}

void TestRiepilogo::daCompletare_data()
{
    QTest::addColumn<QByteArray>("flag");
    QTest::addColumn<bool>("atteso");

    QTest::newRow("Si accentato") << QByteArray("\x02S\xEC") << true;
    QTest::newRow("No") << QByteArray("\x02No") << false;
    QTest::newRow("si minuscolo accentato") << QByteArray("\x02s\xEC") << false;
    QTest::newRow("si senza accento") << QByteArray("\x02si") << false;
    QTest::newRow("Si senza accento") << QByteArray("\x02Si") << false;
    QTest::newRow("SI accentato maiuscolo") << QByteArray("\x02S\xCC") << false;
    QTest::newRow("S soltanto") << QByteArray("\x01S\xEC") << false;
    QTest::newRow("tutto zero") << QByteArray(3, '\0') << false;
    QTest::newRow("spazio prima, rifilato") << QByteArray("\x02 S") << false;
    QTest::newRow("spazi intorno, rifilati") << QByteArray("\x02\x20S") << false;
    QTest::newRow("lunghezza oltre la capacita") << QByteArray("\xFFS\xEC") << true;
}

void TestRiepilogo::daCompletare()
{
    QFETCH(QByteArray, flag);
    QFETCH(bool, atteso);
    TSchedaPagina s = scheda("T", "A", "C", "1");
    std::memcpy(s.DaCompletare, flag.constData(), 3);
    QCOMPARE(::daCompletare(s), atteso);
}

// Opening a line shows the record it was built from; records with the very
// same line cannot be told apart, and the last of them in file order opens.
void TestRiepilogo::posizioni_data()
{
    QTest::addColumn<QVector<TSchedaPagina>>("schede");
    QTest::addColumn<int>("scelta");  // the record whose line is opened, from 0
    QTest::addColumn<int>("attesa");  // the position that opens, from 1

    const QString lungo = ripeti("Lettera lunghissima ", 4).left(70);
    QTest::newRow("titolo di 70 riporta alla sua scheda")
        << QVector<TSchedaPagina>{scheda("Atto", "A", "1", "1"), scheda(lungo, "B", "2", "2"),
                                  scheda("Zeta", "C", "3", "3")}
        << 1 << 2;
    QTest::newRow("righe uguali: l'ultima in ordine di file")
        << QVector<TSchedaPagina>{scheda("Atto", "A", "1", "1"), scheda("Zeta", "C", "3", "3"),
                                  scheda("Atto", "A", "1", "1")}
        << 0 << 3;
    // Different titles past column 55 give the same line.
    QTest::newRow("uguali nei primi 55 caratteri")
        << QVector<TSchedaPagina>{scheda(ripeti("x", 55) + "uno", "A", "1", "1"),
                                  scheda(ripeti("x", 55) + "due", "A", "1", "1")}
        << 0 << 2;
    QTest::newRow("maiuscole contano")
        << QVector<TSchedaPagina>{scheda("atto", "A", "1", "1"), scheda("Atto", "A", "1", "1")} << 0 << 1;
    // Sorted, the three lie side by side: the middle one is another line.
    QTest::newRow("uguali separate da una che differisce per maiuscole")
        << QVector<TSchedaPagina>{scheda("Atto", "A", "1", "1"), scheda("atto", "A", "1", "1"),
                                  scheda("Atto", "A", "1", "1"), scheda("Atti", "A", "1", "1")}
        << 0 << 3;
    QTest::newRow("senza numero di pagina")
        << QVector<TSchedaPagina>{scheda("Atto", "A", "1", ""), scheda("Atto", "A", "1", "")} << 0 << 2;
}

void TestRiepilogo::posizioni()
{
    QFETCH(QVector<TSchedaPagina>, schede);
    QFETCH(int, scelta);
    QFETCH(int, attesa);
    ElencoRighe elenco;
    for (int k = 0; k < schede.size(); ++k)
        elenco.aggiungi(schede.at(k), k + 1);
    elenco.ordina();
    const QString riga = RigaRiepilogo(schede.at(scelta));
    int voci = 0;
    for (qsizetype i = 0; i < elenco.size(); ++i) {
        if (elenco.at(i) != riga)
            continue;
        ++voci;
        QCOMPARE(elenco.posizione(i), attesa);
    }
    QVERIFY(voci > 0);
    // Every other entry opens its own record.
    for (qsizetype i = 0; i < elenco.size(); ++i) {
        if (elenco.at(i) != riga)
            QCOMPARE(RigaRiepilogo(schede.at(elenco.posizione(i) - 1)), elenco.at(i));
    }
}

void TestRiepilogo::trova_data()
{
    QTest::addColumn<QStringList>("voci");
    QTest::addColumn<int>("selezionata");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("ultimo");
    QTest::addColumn<int>("attesa");

    const QStringList v{"Alfa rossi", "Beta", "Gamma ROSSI", "Delta", "Rossi epsilon"};
    QTest::newRow("lista vuota") << QStringList() << -1 << "a" << "b" << -1;
    QTest::newRow("nuovo testo: prima voce provata subito") << v << 3 << "ROSSI" << "" << 0;
    QTest::newRow("nuovo testo: dalla prima, non dalla selezionata") << v << 3 << "gamma" << "alfa" << 2;
    QTest::newRow("stesso testo: la selezionata non e provata subito") << v << 0 << "rossi" << "rossi" << 2;
    QTest::newRow("stesso testo: dall'ultima si riparte dalla prima") << v << 4 << "rossi" << "rossi" << 0;
    QTest::newRow("stesso testo senza selezione: parte dalla prima") << v << -1 << "rossi" << "rossi" << 2;
    QTest::newRow("trovato solo nella selezionata: resta li") << v << 1 << "beta" << "beta" << 1;
    QTest::newRow("trovato solo nella selezionata, testo nuovo") << v << 1 << "BETA" << "" << 1;
    QTest::newRow("non trovato: selezione invariata") << v << 3 << "omega" << "" << 3;
    QTest::newRow("non trovato senza selezione: la prima") << v << -1 << "omega" << "" << 0;
    QTest::newRow("testo vuoto non trova nulla") << v << 2 << "" << "rossi" << 2;
    QTest::newRow("spazi non rifilati") << v << 1 << " rossi" << "" << 0;
    QTest::newRow("spazi non rifilati: nessuna voce") << v << 1 << "beta " << "" << 1;
    QTest::newRow("accentate non piegate")
        << QStringList{"citta", QStringLiteral("CITTÀ"), QStringLiteral("città")} << 0 << QStringLiteral("à")
        << "" << 2;
}

void TestRiepilogo::trova()
{
    QFETCH(QStringList, voci);
    QFETCH(int, selezionata);
    QFETCH(QString, testo);
    QFETCH(QString, ultimo);
    QFETCH(int, attesa);

    const QString prima = ultimo;
    QCOMPARE(trovaNellaLista(voci, selezionata, testo, ultimo), attesa);
    // An empty list stops the command before it remembers anything.
    QCOMPARE(ultimo, voci.isEmpty() ? prima : Testo::lowerAscii(testo));
}

void TestRiepilogo::trovaCamminaEDaCapo()
{
    const QStringList v{"uno", "Due ROSSI", "tre", "quattro rossi", "cinque", "sei Rossi"};
    QString ultimo;
    int sel = -1;
    QVector<int> percorso;
    for (int i = 0; i < 5; ++i) {
        sel = trovaNellaLista(v, sel, QStringLiteral("Rossi"), ultimo);
        percorso.append(sel);
    }
    QCOMPARE(percorso, (QVector<int>{1, 3, 5, 1, 3}));

    // A new text starts over from the first entry, then walks on.
    sel = trovaNellaLista(v, sel, QStringLiteral("e"), ultimo);
    QCOMPARE(sel, 1);
    sel = trovaNellaLista(v, sel, QStringLiteral("e"), ultimo);
    QCOMPARE(sel, 2);
}

QTEST_APPLESS_MAIN(TestRiepilogo)
#include "tst_riepilogo.moc"
