#include "storage/schedapagina.h"
#include "storage/testo.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <cstring>

Q_DECLARE_METATYPE(Campo)

namespace {

QByteArray grezzo(const TSchedaPagina &s)
{
    return QByteArray(reinterpret_cast<const char *>(&s), sizeof s);
}

TSchedaPagina riempitaDi(char byte)
{
    TSchedaPagina s;
    std::memset(&s, byte, sizeof s);
    return s;
}

} // namespace

class TestSchedaPagina : public QObject
{
    Q_OBJECT

private slots:
    void campoNelPostoGiusto_data();
    void campoNelPostoGiusto();
    void testoInCampo_data();
    void testoInCampo();
    void campoInTesto_data();
    void campoInTesto();
    void flag_data();
    void flag();
    void windows1252AndataRitorno_data();
    void windows1252AndataRitorno();
    void windows1252NonRappresentabili_data();
    void windows1252NonRappresentabili();
    void schedaEditorAndataRitorno();
};

void TestSchedaPagina::campoNelPostoGiusto_data()
{
    QTest::addColumn<Campo>("campo");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("capacita");

    const struct { Campo c; const char *n; int o; int cap; } righe[] = {
        {Campo::Titolo, "Titolo", 0, 120}, {Campo::Codice, "Codice", 121, 20},
        {Campo::Autore, "Autore", 142, 50}, {Campo::Creazione, "Creazione", 193, 30},
        {Campo::Modifica, "Modifica", 224, 30}, {Campo::Tipologia, "Tipologia", 255, 50},
        {Campo::PagNum, "PagNum", 306, 20}, {Campo::RigheNum, "RigheNum", 327, 20},
        {Campo::Carta, "Carta", 348, 50}, {Campo::Carattere, "Carattere", 399, 50},
        {Campo::Lingua, "Lingua", 450, 50}, {Campo::Descrizione, "Descrizione", 501, 250},
        {Campo::Incipit, "Incipit", 752, 250}, {Campo::Parole, "Parole", 1003, 250},
        {Campo::Illustrazioni, "Illustrazioni", 1254, 250}, {Campo::Annotazioni, "Annotazioni", 1505, 250},
        {Campo::Formato, "Formato", 1756, 50}, {Campo::Stato, "Stato", 1807, 50},
        {Campo::Collocazione, "Collocazione", 1858, 120}, {Campo::Giudizio, "Giudizio", 1979, 250},
        {Campo::Note, "Note", 2230, 250}, {Campo::DaCompletare, "DaCompletare", 2481, 2},
        {Campo::File01, "File01", 2484, 250}, {Campo::File02, "File02", 2735, 250},
        {Campo::File03, "File03", 2986, 250}, {Campo::Desc01, "Desc01", 3237, 250},
        {Campo::Desc02, "Desc02", 3488, 250}, {Campo::Desc03, "Desc03", 3739, 250},
    };
    for (const auto &r : righe)
        QTest::newRow(r.n) << r.c << r.o << r.cap;
}

// Writing a field fills exactly its own bytes: the length byte at its offset,
// the characters after it, zeros to its end, and nothing outside.
void TestSchedaPagina::campoNelPostoGiusto()
{
    QFETCH(Campo, campo);
    QFETCH(int, offset);
    QFETCH(int, capacita);

    QCOMPARE(infoCampo(campo).offset, offset);
    QCOMPARE(infoCampo(campo).capacita, capacita);

    TSchedaPagina s = riempitaDi('\x7F');
    const QByteArray prima = grezzo(s);
    impostaCampo(s, campo, QString(capacita + 10, u'x'));
    const QByteArray dopo = grezzo(s);

    QCOMPARE(quint8(dopo.at(offset)), quint8(capacita));
    QCOMPARE(dopo.mid(offset + 1, capacita), QByteArray(capacita, 'x'));
    QCOMPARE(dopo.left(offset), prima.left(offset));
    QCOMPARE(dopo.mid(offset + 1 + capacita), prima.mid(offset + 1 + capacita));

    impostaCampo(s, campo, QStringLiteral("ab"));
    const QByteArray corto = grezzo(s);
    QCOMPARE(corto.mid(offset, 3), QByteArray("\x02" "ab"));
    QCOMPARE(corto.mid(offset + 3, capacita - 2), QByteArray(capacita - 2, '\0'));
    QCOMPARE(leggiCampo(s, campo), QStringLiteral("ab"));
}

void TestSchedaPagina::testoInCampo_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("capacita");
    QTest::addColumn<QByteArray>("attesi"); // length byte + characters

    QTest::newRow("vuoto") << QString() << 50 << QByteArray(1, '\0');
    QTest::newRow("solo spazi") << QStringLiteral("    ") << 50 << QByteArray(1, '\0');
    QTest::newRow("due spazi intorno a un cognome") << QStringLiteral("  Rossi  ") << 50
                                                    << QByteArray("\x05" "Rossi");
    QTest::newRow("controlli e tab tolti ai bordi") << QStringLiteral("\t\r\nA B\x01\x1F") << 50
                                                   << QByteArray("\x03" "A B");
    QTest::newRow("spazio interno resta") << QStringLiteral(" a  b ") << 50 << QByteArray("\x04" "a  b");
    QTest::newRow("300 caratteri diventano 250")
        << QString(300, u'd') << 250 << (QByteArray(1, char(250)) + QByteArray(250, 'd'));
    QTest::newRow("250 caratteri interi")
        << QString(250, u'e') << 250 << (QByteArray(1, char(250)) + QByteArray(250, 'e'));
    QTest::newRow("taglio dopo il trim")
        << (QStringLiteral("   ") + QString(20, u'c') + QStringLiteral("zz")) << 20
        << (QByteArray(1, char(20)) + QByteArray(20, 'c'));
    QTest::newRow("accentate latine") << QStringLiteral("Perch\u00E9 cos\u00EC") << 50
                                      << QByteArray("\x0B" "Perch\xE9 cos\xEC");
    QTest::newRow("euro e virgolette tipografiche") << QStringLiteral("\u20AC \u201Cx\u201D \u2014")
                                                    << 50 << QByteArray("\x07\x80 \x93x\x94 \x97");
    QTest::newRow("fuori codice diventa ?") << QStringLiteral("\u0141\u00F3d\u017A") << 50
                                            << QByteArray("\x04?\xF3" "d?");
    QTest::newRow("coppia surrogata un solo ?") << QStringLiteral("a\U0001F600b") << 50
                                                << QByteArray("\x03" "a?b");
}

void TestSchedaPagina::testoInCampo()
{
    QFETCH(QString, testo);
    QFETCH(int, capacita);
    QFETCH(QByteArray, attesi);

    QByteArray campo(capacita + 1, '\x55');
    TestoInCampo(testo, reinterpret_cast<uint8_t *>(campo.data()), capacita);
    QCOMPARE(campo.left(attesi.size()), attesi);
    QCOMPARE(campo.mid(attesi.size()), QByteArray(capacita + 1 - attesi.size(), '\0'));
}

void TestSchedaPagina::campoInTesto_data()
{
    QTest::addColumn<QByteArray>("campo"); // capacity = size - 1
    QTest::addColumn<QString>("atteso");

    QTest::newRow("vuoto") << QByteArray("\0xyz", 4) << QString();
    QTest::newRow("coda ignorata") << QByteArray("\x03" "abcdef") << QStringLiteral("abc");
    QTest::newRow("spazi tolti in lettura") << QByteArray("\x06  ab  zz") << QStringLiteral("ab");
    QTest::newRow("lunghezza oltre la capacita") << QByteArray("\xFF" "abcd") << QStringLiteral("abcd");
    QTest::newRow("windows-1252") << QByteArray("\x05\x80\xE8\x9C\x81\xFF")
                                  << QStringLiteral("\u20AC\u00E8\u0153\u0081\u00FF");
}

void TestSchedaPagina::campoInTesto()
{
    QFETCH(QByteArray, campo);
    QFETCH(QString, atteso);
    // The bytes that follow the field belong to the next one and must never be read.
    QByteArray conSeguito = campo + QByteArray("SEGUITO");
    QCOMPARE(CampoInTesto(reinterpret_cast<const uint8_t *>(conSeguito.constData()), int(campo.size()) - 1),
             atteso);
}

void TestSchedaPagina::flag_data()
{
    QTest::addColumn<QByteArray>("byte");
    QTest::addColumn<int>("atteso");

    QTest::newRow("Si") << QByteArray("\x02S\xEC") << int(Flag::Si);
    QTest::newRow("No") << QByteArray("\x02No") << int(Flag::No);
    QTest::newRow("tutto zero") << QByteArray(3, '\0') << int(Flag::Nessuno);
    QTest::newRow("si minuscolo") << QByteArray("\x02si") << int(Flag::Nessuno);
    QTest::newRow("Si senza accento") << QByteArray("\x02Si") << int(Flag::Nessuno);
    QTest::newRow("Si con spazio") << QByteArray("\x02 \xEC") << int(Flag::Nessuno);
    QTest::newRow("N da solo") << QByteArray("\x01Nx") << int(Flag::Nessuno);
}

void TestSchedaPagina::flag()
{
    QFETCH(QByteArray, byte);
    QFETCH(int, atteso);

    TSchedaPagina s = schedaVuota();
    std::memcpy(s.DaCompletare, byte.constData(), 3);
    QCOMPARE(int(leggiFlag(s)), atteso);

    if (atteso != int(Flag::Nessuno)) {
        // Writing the flag gives back exactly the stored bytes, at offset 2481.
        TSchedaPagina scritta = riempitaDi('\x11');
        impostaFlag(scritta, atteso == int(Flag::Si));
        QCOMPARE(grezzo(scritta).mid(2481, 3), byte);
    }
}

// Each of the 256 bytes against the toolkit's own code page: it decodes to
// the same character, and that character encodes back to the byte.
void TestSchedaPagina::windows1252AndataRitorno_data()
{
    QTest::addColumn<int>("byte");
    for (int b = 0; b < 256; ++b)
        QTest::addRow("0x%02X", b) << b;
}

void TestSchedaPagina::windows1252AndataRitorno()
{
    QFETCH(int, byte);
    QStringDecoder oracolo("windows-1252");
    QStringEncoder oracoloInverso("windows-1252");
    if (!oracolo.isValid() || !oracoloInverso.isValid())
        QSKIP("the toolkit has no Windows-1252 codec here");
    const QByteArray b(1, char(byte));
    const QString atteso = oracolo.decode(b);
    QCOMPARE(atteso.size(), 1);

    const QString letto = Testo::fromWindows1252(b);
    QCOMPARE(QString::number(letto.at(0).unicode(), 16), QString::number(atteso.at(0).unicode(), 16));
    QCOMPARE(Testo::toWindows1252(atteso), b);
    QCOMPARE(QByteArray(oracoloInverso.encode(atteso)), b);
}

// A character the code page cannot hold is written as '?', one for each
// character. The toolkit's encoder writes the control 0x1A there instead,
// which in a record would be a stored character of its own (the byte 0x1A
// reads back as U+001A), so it cannot stand in for ours here.
void TestSchedaPagina::windows1252NonRappresentabili_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QByteArray>("atteso");
    QTest::addColumn<QByteArray>("oracolo"); // what the toolkit writes; empty where it fails

    QTest::newRow("lettera fuori pagina") << QStringLiteral("a\u0100b") << QByteArray("a?b") << QByteArray("a\x1A" "b");
    QTest::newRow("coppia surrogata") << QString::fromUtf8("x\xF0\x9F\x98\x80y") << QByteArray("x?y")
                                      << QByteArray("x\x1Ay");
    QTest::newRow("surrogato spaiato") << QString(QChar(0xD800)) << QByteArray("?") << QByteArray();
    QTest::newRow("controllo 0x1A") << QStringLiteral("\u001A") << QByteArray("\x1A") << QByteArray("\x1A");
}

void TestSchedaPagina::windows1252NonRappresentabili()
{
    QFETCH(QString, testo);
    QFETCH(QByteArray, atteso);
    QFETCH(QByteArray, oracolo);
    QCOMPARE(Testo::toWindows1252(testo), atteso);
    QStringEncoder toolkit("windows-1252");
    if (toolkit.isValid() && !oracolo.isEmpty())
        QCOMPARE(QByteArray(toolkit.encode(testo)), oracolo);
}

void TestSchedaPagina::schedaEditorAndataRitorno()
{
    TSchedaPagina s = riempitaDi('\xAA');
    QStringList testi;
    for (int i = 0; i < kNumeroCampi; ++i) {
        const Campo c = Campo(i);
        if (c == Campo::DaCompletare)
            continue;
        const QString t = QStringLiteral("  %1 \u00E0\u00E8\u00EC\u00F2\u00F9 \u20AC %2 ")
                              .arg(QString::fromLatin1(infoCampo(c).nome)).arg(i);
        impostaCampo(s, c, t);
        testi.append(Testo::trim(t));
    }
    impostaFlag(s, true);

    int k = 0;
    for (int i = 0; i < kNumeroCampi; ++i) {
        const Campo c = Campo(i);
        if (c == Campo::DaCompletare)
            continue;
        QCOMPARE(leggiCampo(s, c), testi.at(k++).left(infoCampo(c).capacita));
    }
    QCOMPARE(leggiFlag(s), Flag::Si);
}

QTEST_APPLESS_MAIN(TestSchedaPagina)
#include "tst_schedapagina.moc"
