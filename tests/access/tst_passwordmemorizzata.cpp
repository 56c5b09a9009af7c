#include "access/crypt.h"
#include "access/fileini.h"
#include "access/passwordmemorizzata.h"

#include "support/accesso_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

const QString kIniziale = QStringLiteral("PRIMAVERALUNGA");

// A store's text laid in bytes the way another program may have saved it.
QByteArray inCodifica(const QString &testo, const QString &codifica)
{
    const auto utf16 = [&testo](bool little) {
        QByteArray b;
        for (QChar c : testo) {
            const char alto = char(c.unicode() >> 8);
            const char basso = char(c.unicode() & 0xFF);
            b.append(little ? basso : alto);
            b.append(little ? alto : basso);
        }
        return b;
    };
    if (codifica == QLatin1String("UTF-8 con marca"))
        return "\xEF\xBB\xBF" + testo.toUtf8();
    if (codifica == QLatin1String("UTF-16LE con marca"))
        return "\xFF\xFE" + utf16(true);
    if (codifica == QLatin1String("UTF-16BE con marca"))
        return "\xFE\xFF" + utf16(false);
    if (codifica == QLatin1String("UTF-16LE"))
        return utf16(true);
    if (codifica == QLatin1String("UTF-16BE"))
        return utf16(false);
    return testo.toLatin1();
}

} // namespace

class TestPasswordMemorizzata : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void vuotaSeManca_data();
    void vuotaSeManca();
    void scritturaELettura_data();
    void scritturaELettura();
    void formatoDelFile();
    void formeDelFileIni_data();
    void formeDelFileIni();
    void letturaLimitata_data();
    void letturaLimitata();
    void erroriDiLettura_data();
    void erroriDiLettura();
    void scritturaConservaIlResto_data();
    void scritturaConservaIlResto();
    void scritturaFallitaLasciaIlVecchio_data();
    void scritturaFallitaLasciaIlVecchio();
    void soloPerIlProprietario_data();
    void soloPerIlProprietario();
    void formaDelConfronto_data();
    void formaDelConfronto();
    void storeDiAltriProgrammi_data();
    void storeDiAltriProgrammi();
    void storeIlleggibile_data();
    void storeIlleggibile();

private:
    QString archivio() const { return QDir(m_dir->path()).filePath(kFileArchivioPassword); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPasswordMemorizzata::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestPasswordMemorizzata::cleanup()
{
    // Undo a read-only mark so the folder can go.
    QFile(archivio()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    m_dir.reset();
}

void TestPasswordMemorizzata::vuotaSeManca_data()
{
    QTest::addColumn<QByteArray>("contenuto");  // null: no file at all
    QTest::newRow("file mancante") << QByteArray();
    QTest::newRow("file vuoto") << QByteArray("");
    QTest::newRow("altra sezione") << "[Altro]\r\nValore=" + Cripta(kIniziale).toLatin1() + "\r\n";
    QTest::newRow("altra voce") << "[Accesso]\r\nValori=" + Cripta(kIniziale).toLatin1() + "\r\n";
    QTest::newRow("voce fuori sezione") << "Valore=" + Cripta(kIniziale).toLatin1() + "\r\n[Accesso]\r\n";
    QTest::newRow("valore vuoto") << QByteArray("[Accesso]\r\nValore=\r\n");
}

void TestPasswordMemorizzata::vuotaSeManca()
{
    QFETCH(QByteArray, contenuto);
    if (!contenuto.isNull())
        QVERIFY(scriviFile(archivio(), contenuto));
    QCOMPARE(leggiPasswordMemorizzata(archivio()), QString());
    QCOMPARE(QFile::exists(archivio()), !contenuto.isNull());
}

void TestPasswordMemorizzata::scritturaELettura_data()
{
    QTest::addColumn<QString>("password");
    QTest::newRow("iniziale") << kIniziale;
    QTest::newRow("latino 1") << QStringLiteral("CITT\u00E0 \u00FF\u00A7");
    QTest::newRow("300 caratteri") << lettere(300);
    QTest::newRow("1023 caratteri") << lettere(kLunghezzaMassimaPassword);
}

void TestPasswordMemorizzata::scritturaELettura()
{
    QFETCH(QString, password);
    // Over a store that holds another password, and into a missing one.
    QVERIFY(scriviFile(archivio(), "[Accesso]\r\nValore=" + Cripta(QStringLiteral("VECCHIA")).toLatin1() + "\r\n"));
    scriviPasswordMemorizzata(archivio(), password);
    QCOMPARE(leggiPasswordMemorizzata(archivio()), password);
    QVERIFY(QFile::remove(archivio()));
    scriviPasswordMemorizzata(archivio(), password);
    QCOMPARE(leggiPasswordMemorizzata(archivio()), password);
}

void TestPasswordMemorizzata::formatoDelFile()
{
    scriviPasswordMemorizzata(archivio(), kIniziale);
    QCOMPARE(leggiFile(archivio()), "[Accesso]\r\nValore=" + Cripta(kIniziale).toLatin1() + "\r\n");
}

void TestPasswordMemorizzata::formeDelFileIni_data()
{
    const QByteArray c = Cripta(kIniziale).toLatin1();
    QTest::addColumn<QByteArray>("contenuto");
    QTest::newRow("solo LF") << "[Accesso]\nValore=" + c + "\n";
    QTest::newRow("senza fine riga") << "[Accesso]\r\nValore=" + c;
    QTest::newRow("maiuscole e minuscole") << "[ACCESSO]\r\nvalore=" + c + "\r\n";
    QTest::newRow("spazi") << "  [ Accesso ]  \r\n\tValore = " + c + " \r\n";
    QTest::newRow("virgolette") << "[Accesso]\r\nValore=\"" + c + "\"\r\n";
    QTest::newRow("cifre minuscole") << "[Accesso]\r\nValore=" + c.toLower() + "\r\n";
    QTest::newRow("marca UTF-8") << "\xEF\xBB\xBF[Accesso]\r\nValore=" + c + "\r\n";
    QTest::newRow("altre sezioni e commenti")
        << "; nota\r\n[Altro]\r\nValore=00\r\n\r\n[Accesso]\r\n; nota\r\nAltro=1\r\nValore=" + c
               + "\r\n[Fine]\r\nValore=11\r\n";
    // Blanks enciphered around the password are trimmed after deciphering.
    QTest::newRow("bianchi cifrati") << "[Accesso]\r\nValore="
            + Cripta(QStringLiteral(" \t") + kIniziale + QStringLiteral("\r\n")).toLatin1() + "\r\n";
}

void TestPasswordMemorizzata::formeDelFileIni()
{
    QFETCH(QByteArray, contenuto);
    QVERIFY(scriviFile(archivio(), contenuto));
    QCOMPARE(leggiPasswordMemorizzata(archivio()), kIniziale);
}

void TestPasswordMemorizzata::letturaLimitata_data()
{
    QTest::addColumn<QString>("valore");
    QTest::addColumn<QString>("letta");
    QTest::newRow("cifra dispari") << Cripta(QStringLiteral("ABC")) + u'0' << "ABC";
    QTest::newRow("2046 cifre") << Cripta(lettere(1023)) << lettere(1023);
    // 2047 digits are read: the odd last one is ignored.
    QTest::newRow("2048 cifre") << Cripta(lettere(1024)) << lettere(1023);
    QTest::newRow("3000 cifre") << Cripta(lettere(1500)) << lettere(1023);
    // What lies past the limit is never deciphered.
    QTest::newRow("scarto non esadecimale") << Cripta(lettere(1023)) + QStringLiteral("ZZZZ") << lettere(1023);
}

// A value longer than the reading buffer comes back cut short, never whole
// and never as a failure.
void TestPasswordMemorizzata::letturaLimitata()
{
    QFETCH(QString, valore);
    QFETCH(QString, letta);
    QVERIFY(scriviFile(archivio(), "[Accesso]\r\nValore=" + valore.toLatin1() + "\r\n"));
    QCOMPARE(leggiPasswordMemorizzata(archivio()), letta);
}

void TestPasswordMemorizzata::erroriDiLettura_data()
{
    QTest::addColumn<QByteArray>("contenuto");  // null: the store is a folder
    QTest::addColumn<bool>("conversione");
    QTest::newRow("testo in chiaro") << QByteArray("[Accesso]\r\nValore=PRIMAVERALUNGA\r\n") << true;
    QTest::newRow("cifre separate") << QByteArray("[Accesso]\r\nValore=A1 B2\r\n") << true;
    QTest::newRow("non si legge") << QByteArray() << false;
}

void TestPasswordMemorizzata::erroriDiLettura()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, conversione);
    if (contenuto.isNull())
        QVERIFY(QDir().mkpath(archivio()));
    else
        QVERIFY(scriviFile(archivio(), contenuto));
    if (conversione)
        QVERIFY_THROWS_EXCEPTION(ErroreConversione, leggiPasswordMemorizzata(archivio()));
    else
        QVERIFY_THROWS_EXCEPTION(FileIni::ErroreFileIni, leggiPasswordMemorizzata(archivio()));
}

void TestPasswordMemorizzata::scritturaConservaIlResto_data()
{
    const QByteArray v = Cripta(QStringLiteral("VECCHIA")).toLatin1();
    const QByteArray n = Cripta(QStringLiteral("NUOVA")).toLatin1();
    QTest::addColumn<QByteArray>("prima");
    QTest::addColumn<QByteArray>("dopo");
    QTest::newRow("voce sostituita")
        << "; nota\r\n[Altro]\r\nValore=00\r\n[Accesso]\r\nAltro=1\r\nvalore = " + v + "\r\n[Fine]\r\nX=2\r\n"
        << "; nota\r\n[Altro]\r\nValore=00\r\n[Accesso]\r\nAltro=1\r\nValore=" + n + "\r\n[Fine]\r\nX=2\r\n";
    QTest::newRow("voce aggiunta alla sezione")
        << QByteArray("[Accesso]\r\nAltro=1\r\n\r\n[Fine]\r\nX=2\r\n")
        << "[Accesso]\r\nAltro=1\r\nValore=" + n + "\r\n\r\n[Fine]\r\nX=2\r\n";
    QTest::newRow("sezione aggiunta, fine riga LF")
        << QByteArray("[Altro]\nX=2")
        << "[Altro]\nX=2\n[Accesso]\nValore=" + n + "\n";
}

void TestPasswordMemorizzata::scritturaConservaIlResto()
{
    QFETCH(QByteArray, prima);
    QFETCH(QByteArray, dopo);
    QVERIFY(scriviFile(archivio(), prima));
    scriviPasswordMemorizzata(archivio(), QStringLiteral("NUOVA"));
    QCOMPARE(leggiFile(archivio()), dopo);
    QCOMPARE(leggiPasswordMemorizzata(archivio()), QStringLiteral("NUOVA"));
}

void TestPasswordMemorizzata::scritturaFallitaLasciaIlVecchio_data()
{
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<bool>("solaLettura");
    QTest::addColumn<bool>("erroreFile");
    QTest::newRow("file in sola lettura") << QStringLiteral("NUOVA") << true << true;
    QTest::newRow("oltre U+00FF") << QStringLiteral("\u0141\u00D3D\u0179") << false << false;
    QTest::newRow("fuori dal piano di base") << QStringLiteral("A\U0001F512") << false << false;
    QTest::newRow("1024 caratteri") << lettere(kLunghezzaMassimaPassword + 1) << false << false;
    QTest::newRow("vuota") << QString() << false << false;
}

void TestPasswordMemorizzata::scritturaFallitaLasciaIlVecchio()
{
    QFETCH(QString, nuova);
    QFETCH(bool, solaLettura);
    QFETCH(bool, erroreFile);
    scriviPasswordMemorizzata(archivio(), kIniziale);
    const QByteArray prima = leggiFile(archivio());
    if (solaLettura)
        QVERIFY(QFile(archivio()).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    if (erroreFile)
        QVERIFY_THROWS_EXCEPTION(FileIni::ErroreFileIni, scriviPasswordMemorizzata(archivio(), nuova));
    else
        QVERIFY_THROWS_EXCEPTION(PasswordNonMemorizzabile, scriviPasswordMemorizzata(archivio(), nuova));
    QCOMPARE(leggiFile(archivio()), prima);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{kFileArchivioPassword});
}

void TestPasswordMemorizzata::soloPerIlProprietario_data()
{
    QTest::addColumn<int>("prima"); // the store's mode; -1: no store yet
    QTest::addColumn<int>("dopo");
    QTest::newRow("nuovo") << -1 << 0600;
    QTest::newRow("leggibile da tutti") << 0644 << 0600;
    QTest::newRow("scrivibile da tutti") << 0666 << 0600;
    QTest::newRow("leggibile dal gruppo") << 0640 << 0600;
    QTest::newRow("già riservato") << 0600 << 0600;
}

// The cipher is easy to undo: whatever the store was, once written it can
// be read by its owner alone.
void TestPasswordMemorizzata::soloPerIlProprietario()
{
    QFETCH(int, prima);
    QFETCH(int, dopo);
    const QByteArray nome = QFile::encodeName(archivio());
    if (prima >= 0) {
        scriviPasswordMemorizzata(archivio(), kIniziale);
        QCOMPARE(::chmod(nome.constData(), mode_t(prima)), 0);
    }
    scriviPasswordMemorizzata(archivio(), QStringLiteral("NUOVA"));
    struct stat info {};
    QCOMPARE(::stat(nome.constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 07777), dopo);
    QCOMPARE(leggiPasswordMemorizzata(archivio()), QStringLiteral("NUOVA"));
}

void TestPasswordMemorizzata::formaDelConfronto_data()
{
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<QString>("memorizzata");
    QTest::newRow("minuscole e bianchi") << " \tprimaveraLunga\r\n " << "PRIMAVERALUNGA";
    QTest::newRow("bianchi interni") << "primavera lunga" << "PRIMAVERA LUNGA";
    QTest::newRow("lettere accentate invariate") << "citt\u00E0" << "CITT\u00E0";
    QTest::newRow("controlli ai lati") << QString::fromUtf16(u"\u0000\u001Fab\u0020", 5) << "AB";
}

void TestPasswordMemorizzata::formaDelConfronto()
{
    QFETCH(QString, digitata);
    QFETCH(QString, memorizzata);
    QCOMPARE(formaMemorizzata(digitata), memorizzata);
}

void TestPasswordMemorizzata::storeDiAltriProgrammi_data()
{
    QTest::addColumn<QString>("testo");     // %1 stands for the cipher text
    QTest::addColumn<QString>("codifica");
    const QString crlf = QStringLiteral("; scritto a mano\r\n[Accesso]\r\nValore=%1\r\n");
    QTest::newRow("marca UTF-8") << crlf << "UTF-8 con marca";
    QTest::newRow("marca UTF-8, sezione in prima riga") << "[Accesso]\r\nValore=%1\r\n" << "UTF-8 con marca";
    QTest::newRow("solo CR") << "[Accesso]\rValore=%1\r[Altro]\rX=1\r" << "Latin-1";
    QTest::newRow("solo LF") << "[Accesso]\nValore=%1\n" << "Latin-1";
    QTest::newRow("fine riga misti") << "[Altro]\r\nX=\u00E8\n[Accesso]\rValore=%1" << "Latin-1";
    QTest::newRow("UTF-16LE con marca") << crlf << "UTF-16LE con marca";
    QTest::newRow("UTF-16BE con marca") << crlf << "UTF-16BE con marca";
    QTest::newRow("UTF-16LE senza marca") << crlf << "UTF-16LE";
    QTest::newRow("UTF-16BE senza marca") << crlf << "UTF-16BE";
    // Beyond Latin-1, a character in two code units and a second mark that
    // is text: each comes back as the same bytes.
    const QString oltre = QString::fromUtf16(u"[Altro]\r\nX=\u20AC\U0001D400\r\n[Accesso]\r\nValore=%1\r\n");
    QTest::newRow("UTF-16LE con marca, oltre Latin-1") << oltre << "UTF-16LE con marca";
    QTest::newRow("UTF-16BE con marca, oltre Latin-1") << oltre << "UTF-16BE con marca";
    QTest::newRow("UTF-16LE con due marche") << QString(QChar(0xFEFF)) + crlf << "UTF-16LE con marca";
}

// Whatever the reader takes from a store another program saved, the writer
// updates in place, in the same encoding, mark and line ends: the new
// password works, the old one no longer does.
void TestPasswordMemorizzata::storeDiAltriProgrammi()
{
    QFETCH(QString, testo);
    QFETCH(QString, codifica);
    const QString vecchia = QStringLiteral("VECCHIA");
    const QString nuova = QStringLiteral("NUOVA");
    QVERIFY(scriviFile(archivio(), inCodifica(testo.arg(Cripta(vecchia)), codifica)));
    QCOMPARE(leggiPasswordMemorizzata(archivio()), vecchia);

    scriviPasswordMemorizzata(archivio(), nuova);
    QCOMPARE(leggiPasswordMemorizzata(archivio()), nuova);
    QCOMPARE(leggiFile(archivio()), inCodifica(testo.arg(Cripta(nuova)), codifica));
}

void TestPasswordMemorizzata::storeIlleggibile_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    const QByteArray c = Cripta(kIniziale).toLatin1();
    QByteArray utf32;
    for (char b : "[Accesso]\r\nValore=" + c + "\r\n")
        utf32 += QByteArray(1, b) + QByteArray(3, '\0');
    QTest::newRow("UTF-32") << utf32;
    QTest::newRow("zeri in mezzo") << "[Accesso]\r\nValore=" + c + QByteArray(4, '\0') + "\r\n";
}

// A store the reader cannot make out is a reading error, never a silent
// empty password, and the writer leaves it as it is.
void TestPasswordMemorizzata::storeIlleggibile()
{
    QFETCH(QByteArray, contenuto);
    QVERIFY(scriviFile(archivio(), contenuto));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^settings file:")));
    QVERIFY_THROWS_EXCEPTION(FileIni::ErroreFileIni, leggiPasswordMemorizzata(archivio()));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^settings file:")));
    QVERIFY_THROWS_EXCEPTION(FileIni::ErroreFileIni, scriviPasswordMemorizzata(archivio(), QStringLiteral("NUOVA")));
    QCOMPARE(leggiFile(archivio()), contenuto);
}

QTEST_APPLESS_MAIN(TestPasswordMemorizzata)
#include "tst_passwordmemorizzata.moc"
