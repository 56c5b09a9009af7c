#include "access/fileini.h"
#include "access/passwordmemorizzata.h"
#include "home/manuale.h"
#include "storage/allegati.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include "support/disco_supporto.h"
#include "support/immagini_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <unistd.h>

namespace {

// The files the program replaces in place.
enum class Scrittore { Password, Foto, Allegato, Manuale };

// Ways a disk lets a write down.
enum class Guasto {
    DiscoPienoAMeta,   // the first bytes go, then ENOSPC
    DiscoPienoSubito,  // ENOSPC from the first byte
    NessunByte,        // write() takes nothing and says nothing
    SincronizzazioneFallita,
};

qint64 g_resto = 0;

ssize_t scriviFinoAlResto(int d, const void *dati, size_t quanti)
{
    if (g_resto <= 0) {
        errno = ENOSPC;
        return -1;
    }
    const size_t parte = qMin<size_t>(quanti, size_t(g_resto));
    g_resto -= qint64(parte);
    return ::write(d, dati, parte);
}

ssize_t scriviNulla(int, const void *, size_t)
{
    return 0;
}

int sincronizzaConErrore(int)
{
    errno = EIO;
    return -1;
}

// Installs a failing call while it lives.
class GuastoDisco
{
public:
    explicit GuastoDisco(Guasto guasto)
        : m_vecchie(chiamateDisco())
    {
        ChiamateDisco c = m_vecchie;
        switch (guasto) {
        case Guasto::DiscoPienoAMeta:
            g_resto = 10;
            c.scrivi = &scriviFinoAlResto;
            break;
        case Guasto::DiscoPienoSubito:
            g_resto = 0;
            c.scrivi = &scriviFinoAlResto;
            break;
        case Guasto::NessunByte:
            c.scrivi = &scriviNulla;
            break;
        case Guasto::SincronizzazioneFallita:
            c.sincronizza = &sincronizzaConErrore;
            break;
        }
        impostaChiamateDisco(c);
    }
    ~GuastoDisco() { impostaChiamateDisco(m_vecchie); }

private:
    ChiamateDisco m_vecchie;
};

// A folder standing for the program folder, with one file of each kind
// already there.
struct FileDelProgramma {
    explicit FileDelProgramma(const QString &cartella)
        : programma(cartella.endsWith(u'/') ? cartella : cartella + u'/')
        , password(percorsoArchivioPassword(programma))
        , foto(percorsoFotoPagina(programma, QStringLiteral("Lettere"), QStringLiteral("1")))
        , allegato(cartellaAllegati(programma) + QStringLiteral("fattura.pdf"))
        , sorgente(programma + QStringLiteral("fuori/fattura.pdf"))
        , manuale(programma + QStringLiteral("Guida.pdf"))
    {
    }

    bool prepara() const
    {
        scriviPasswordMemorizzata(password, QStringLiteral("VECCHIA"));
        return scriviFileFoto(programma, foto, tinta(QSize(8, 8), Qt::red))
            && scriviFile(allegato, "allegato vecchio")
            && scriviFile(sorgente, QByteArray("allegato nuovo, più lungo del vecchio ").repeated(50))
            && scriviFile(manuale, "%PDF-1.4 manuale vecchio");
    }

    // Replaces the file of the given kind; false when the program knew it failed.
    bool sostituisci(Scrittore s) const
    {
        switch (s) {
        case Scrittore::Password:
            try {
                scriviPasswordMemorizzata(password, QStringLiteral("NUOVA"));
                return true;
            } catch (const FileIni::ErroreFileIni &) {
                return false;
            }
        case Scrittore::Foto:
            return scriviFileFoto(programma, foto, tinta(QSize(64, 64), Qt::blue));
        case Scrittore::Allegato:
            return copiaSostituendo(sorgente, allegato);
        case Scrittore::Manuale:
            return scriviManuale(manuale, {});
        }
        return true;
    }

    QString percorso(Scrittore s) const
    {
        switch (s) {
        case Scrittore::Password: return password;
        case Scrittore::Foto: return foto;
        case Scrittore::Allegato: return allegato;
        case Scrittore::Manuale: return manuale;
        }
        return QString();
    }

    QString programma, password, foto, allegato, sorgente, manuale;
};

QStringList tuttoInCartella(const QString &percorso)
{
    return QDir(QFileInfo(percorso).absolutePath())
        .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

Q_DECLARE_METATYPE(Scrittore)
Q_DECLARE_METATYPE(Guasto)

class TestSostituzioneFile : public QObject
{
    Q_OBJECT

private slots:
    void sostituisce_data();
    void sostituisce();
    void permessiESimbolici();
    void guastoLasciaIlVecchio_data();
    void guastoLasciaIlVecchio();
    void scrittoreCheSiArrende();
    void discoPienoVero_data();
    void discoPienoVero();
};

void TestSostituzioneFile::sostituisce_data()
{
    QTest::addColumn<QByteArray>("prima");  // null: no file yet
    QTest::addColumn<QByteArray>("dopo");
    QTest::newRow("file nuovo") << QByteArray() << QByteArray("contenuto");
    QTest::newRow("più corto") << QByteArray(100000, 'v') << QByteArray("corto");
    QTest::newRow("più lungo") << QByteArray("corto") << QByteArray(300000, 'n');
    QTest::newRow("vuoto") << QByteArray("qualcosa") << QByteArray("");
}

// The new content whole, nothing left beside it.
void TestSostituzioneFile::sostituisce()
{
    QFETCH(QByteArray, prima);
    QFETCH(QByteArray, dopo);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("dati.bin"));
    if (!prima.isNull())
        QVERIFY(scriviFile(percorso, prima));
    QVERIFY(sostituisciFile(percorso, [&](QIODevice &d) { return d.write(dopo) == dopo.size(); }));
    QCOMPARE(leggiFile(percorso), dopo);
    QCOMPARE(tuttoInCartella(percorso), QStringList{QStringLiteral("dati.bin")});
}

void TestSostituzioneFile::permessiESimbolici()
{
    QTemporaryDir dir;
    const QString vero = dir.filePath(QStringLiteral("vero.ini"));
    const QString link = dir.filePath(QStringLiteral("link.ini"));
    QVERIFY(scriviFile(vero, "vecchio"));
    const auto permessi = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(vero, permessi));
    QVERIFY(QFile::link(vero, link));

    QVERIFY(sostituisciFile(link, [](QIODevice &d) { return d.write("nuovo") == 5; }));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(leggiFile(vero), QByteArray("nuovo"));
    QCOMPARE(QFile::permissions(vero) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), permessi);
}

void TestSostituzioneFile::guastoLasciaIlVecchio_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    QTest::addColumn<Guasto>("guasto");
    const std::pair<const char *, Scrittore> scrittori[] = {
        {"password", Scrittore::Password},
        {"foto", Scrittore::Foto},
        {"allegato", Scrittore::Allegato},
        {"manuale", Scrittore::Manuale}};
    const std::pair<const char *, Guasto> guasti[] = {
        {"disco pieno a metà", Guasto::DiscoPienoAMeta},
        {"disco pieno subito", Guasto::DiscoPienoSubito},
        {"nessun byte scritto", Guasto::NessunByte},
        {"sincronizzazione fallita", Guasto::SincronizzazioneFallita}};
    for (const auto &s : scrittori) {
        for (const auto &g : guasti)
            QTest::addRow("%s, %s", s.first, g.first) << s.second << g.second;
    }
}

// Whatever way the disk fails, the writer says so, the old file stays whole
// and the failure is logged with its path.
void TestSostituzioneFile::guastoLasciaIlVecchio()
{
    QFETCH(Scrittore, scrittore);
    QFETCH(Guasto, guasto);
    QTemporaryDir dir;
    const FileDelProgramma file(dir.path());
    QVERIFY(file.prepara());
    const QString percorso = file.percorso(scrittore);
    const QByteArray prima = leggiFile(percorso);
    const QStringList vicini = tuttoInCartella(percorso);

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(percorso)));
    if (scrittore == Scrittore::Password)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^settings file:")));
    {
        const GuastoDisco g(guasto);
        QVERIFY(!file.sostituisci(scrittore));
    }
    QCOMPARE(leggiFile(percorso), prima);
    QCOMPARE(tuttoInCartella(percorso), vicini);
    if (scrittore == Scrittore::Password)
        QCOMPARE(leggiPasswordMemorizzata(file.password), QStringLiteral("VECCHIA"));
    // And once the disk is well again, the same replacement goes through.
    QVERIFY(file.sostituisci(scrittore));
    QVERIFY(leggiFile(percorso) != prima);
}

void TestSostituzioneFile::scrittoreCheSiArrende()
{
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("dati.bin"));
    QVERIFY(scriviFile(percorso, "vecchio"));
    QString motivo;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("dati.bin")));
    QVERIFY(!sostituisciFile(percorso, [](QIODevice &d) { return d.write("mez") == 3 && false; }, &motivo));
    QVERIFY(motivo.startsWith(percorso));
    QCOMPARE(leggiFile(percorso), QByteArray("vecchio"));
    QCOMPARE(tuttoInCartella(percorso), QStringList{QStringLiteral("dati.bin")});
}

void TestSostituzioneFile::discoPienoVero_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    QTest::newRow("password") << Scrittore::Password;
    QTest::newRow("foto") << Scrittore::Foto;
    QTest::newRow("allegato") << Scrittore::Allegato;
    QTest::newRow("manuale") << Scrittore::Manuale;
}

// The same on a real file system filled to the last byte: a small tmpfs,
// where the machine lets the test mount one.
void TestSostituzioneFile::discoPienoVero()
{
    QFETCH(Scrittore, scrittore);
    QTemporaryDir dir;
    const DiscoPiccolo disco(dir.filePath(QStringLiteral("disco")), 64);
    if (!disco.montato())
        QSKIP("no permission to mount a small tmpfs here");

    const FileDelProgramma file(disco.cartella());
    QVERIFY(file.prepara());
    const QString percorso = file.percorso(scrittore);
    const QByteArray prima = leggiFile(percorso);
    const QStringList vicini = tuttoInCartella(percorso);
    QVERIFY(disco.riempi());

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("spazio esaurito sul disco")));
    if (scrittore == Scrittore::Password)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^settings file:")));
    QVERIFY(!file.sostituisci(scrittore));
    QCOMPARE(leggiFile(percorso), prima);
    QCOMPARE(tuttoInCartella(percorso), vicini);
    if (scrittore == Scrittore::Password)
        QCOMPARE(leggiPasswordMemorizzata(file.password), QStringLiteral("VECCHIA"));
}

// The manual lays out text, which needs the fonts of a GUI application.
QTEST_MAIN(TestSostituzioneFile)
#include "tst_sostituzionefile.moc"
