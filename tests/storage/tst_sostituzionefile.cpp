#include "access/fileini.h"
#include "access/passwordmemorizzata.h"
#include "app/stampareport.h"
#include "home/manuale.h"
#include "output/fileesportazione.h"
#include "report/report.h"
#include "storage/allegati.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include "support/disco_supporto.h"
#include "support/immagini_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>

#include <unistd.h>

namespace {

// The files the program replaces in place.
enum class Scrittore { Password, Foto, Allegato, Manuale, Esportazione, Stampa };

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

// The system's calls with one of them failing.
ChiamateDisco chiamateGuaste(Guasto guasto)
{
    ChiamateDisco c = chiamateDiSistema();
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
    return c;
}

// Records the disk calls of one replacement made through chiamate() and
// what the path holds at each: whether the new file already stands at the
// path (it got there by the rename) and which file or folder a sync is for.
class RegistroDisco
{
public:
    explicit RegistroDisco(const QString &percorso)
        : m_percorso(QFile::encodeName(percorso))
        , m_cartella(QFile::encodeName(QFileInfo(percorso).absolutePath()))
    {
        s_attivo = this;
    }
    ~RegistroDisco() { s_attivo = nullptr; }

    // The system's calls with writes and syncs recorded here while this
    // lives.
    static ChiamateDisco chiamate()
    {
        ChiamateDisco c = chiamateDiSistema();
        c.scrivi = &scrivi;
        c.sincronizza = &sincronizza;
        return c;
    }

    // The steps seen, a rename made after the last call included.
    QStringList passi()
    {
        guardaPercorso();
        return m_passi;
    }

private:
    static ssize_t scrivi(int d, const void *dati, size_t quanti)
    {
        RegistroDisco &r = *s_attivo;
        r.guardaPercorso();
        struct stat info {
        };
        ::fstat(d, &info);
        if (r.m_nuovo == 0)
            r.m_nuovo = info.st_ino;
        r.annota(info.st_ino == r.m_nuovo ? "scrive il file nuovo" : "scrive un altro file");
        return ::write(d, dati, quanti);
    }

    static int sincronizza(int d)
    {
        RegistroDisco &r = *s_attivo;
        r.guardaPercorso();
        struct stat info {
        }, cartella{};
        ::fstat(d, &info);
        if (S_ISDIR(info.st_mode)) {
            const bool sua = ::stat(r.m_cartella.constData(), &cartella) == 0 && cartella.st_ino == info.st_ino
                && cartella.st_dev == info.st_dev;
            r.annota(sua ? "sincronizza la sua cartella" : "sincronizza un'altra cartella");
        } else {
            r.annota(info.st_ino == r.m_nuovo ? "sincronizza il file nuovo" : "sincronizza un altro file");
        }
        return ::fsync(d);
    }

    void guardaPercorso()
    {
        struct stat info {
        };
        if (!m_alSuoPosto && m_nuovo != 0 && ::stat(m_percorso.constData(), &info) == 0 && info.st_ino == m_nuovo) {
            m_alSuoPosto = true;
            annota("il file nuovo è al suo posto");
        }
    }

    // Repeats of a step count once.
    void annota(const char *passo)
    {
        const QString p = QString::fromUtf8(passo);
        if (m_passi.isEmpty() || m_passi.last() != p)
            m_passi.append(p);
    }

    static RegistroDisco *s_attivo;
    QByteArray m_percorso;
    QByteArray m_cartella;
    ino_t m_nuovo = 0;
    bool m_alSuoPosto = false;
    QStringList m_passi;
};
RegistroDisco *RegistroDisco::s_attivo = nullptr;

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
        , esportazione(programma + QStringLiteral("Pagine_Documento.xls"))
        , stampa(programma + QStringLiteral("Riepilogo.pdf"))
    {
    }

    bool prepara() const
    {
        scriviPasswordMemorizzata(password, QStringLiteral("VECCHIA"));
        return scriviFileFoto(programma, foto, tinta(QSize(8, 8), Qt::red)) && scriviFile(allegato, "allegato vecchio")
            && scriviFile(sorgente, QByteArray("allegato nuovo, più lungo del vecchio ").repeated(50))
            && scriviFile(manuale, "%PDF-1.4 manuale vecchio")
            && scriviFile(esportazione, "<html>esportazione vecchia</html>")
            && scriviFile(stampa, "%PDF-1.4 stampa vecchia");
    }

    // Replaces the file of the given kind; false when the program knew it failed.
    bool sostituisci(Scrittore s, const ChiamateDisco &chiamate = chiamateDiSistema()) const
    {
        switch (s) {
        case Scrittore::Password:
            try {
                scriviPasswordMemorizzata(password, QStringLiteral("NUOVA"), chiamate);
                return true;
            } catch (const FileIni::ErroreFileIni &) {
                return false;
            }
        case Scrittore::Foto:
            return scriviFileFoto(programma, foto, tinta(QSize(64, 64), Qt::blue), QByteArray(), chiamate);
        case Scrittore::Allegato:
            return copiaSostituendo(sorgente, allegato, nullptr, 07777, chiamate);
        case Scrittore::Manuale:
            return scriviManuale(manuale, {}, chiamate);
        case Scrittore::Esportazione:
            try {
                scriviEsportazione(
                    esportazione, [](const std::function<void(const CelleRiga &)> &riga) { riga(CelleRiga{}); },
                    chiamate);
                return true;
            } catch (const std::exception &) {
                return false;
            }
        case Scrittore::Stampa: {
            // Printed to a PDF file chosen in the print dialog.
            Report report(QStringLiteral("prova"));
            report
                .aggiungiPagina(std::make_unique<PaginaReport>(QStringLiteral("P"), QPageSize::A4,
                                                               QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)))
                ->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("t"), QRectF(0, 0, 300, 20),
                                                          CasellaTesto::Aspetto{}, QStringLiteral("stampa nuova")));
            report.prepara();
            RispostaStampa risposta;
            risposta.stampaIn(stampa);
            Contesto &contesto = contestoDiProva();
            contesto.impostaChiamateDisco(chiamate);
            const auto ripristina = qScopeGuard([&contesto] { contesto.impostaChiamateDisco(chiamateDiSistema()); });
            return stampaReport(contesto, nullptr, report, QStringLiteral("Riepilogo")) == EsitoStampa::Stampata;
        }
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
        case Scrittore::Esportazione: return esportazione;
        case Scrittore::Stampa:
            return stampa;
        }
        return QString();
    }

    QString programma, password, foto, allegato, sorgente, manuale, esportazione, stampa;
};

const std::vector<std::pair<const char *, Scrittore>> &tuttiGliScrittori()
{
    static const std::vector<std::pair<const char *, Scrittore>> scrittori{
        {"password", Scrittore::Password},         {"foto", Scrittore::Foto},
        {"allegato", Scrittore::Allegato},         {"manuale", Scrittore::Manuale},
        {"esportazione", Scrittore::Esportazione}, {"stampa in PDF", Scrittore::Stampa}};
    return scrittori;
}

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
    void permessi();
    void collegamentoPiantato_data();
    void collegamentoPiantato();
    void nomiLunghi_data();
    void nomiLunghi();
    void pulizia_data();
    void pulizia();
    void guastoLasciaIlVecchio_data();
    void guastoLasciaIlVecchio();
    void scrittoreCheSiArrende();
    void discoPienoVero_data();
    void discoPienoVero();
    void ordineSulDisco_data();
    void ordineSulDisco();
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

void TestSostituzioneFile::permessi()
{
    QTemporaryDir dir;
    const QString vero = dir.filePath(QStringLiteral("vero.ini"));
    QVERIFY(scriviFile(vero, "vecchio"));
    const auto permessi = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(vero, permessi));
    QVERIFY(sostituisciFile(vero, [](QIODevice &d) { return d.write("nuovo") == 5; }));
    QCOMPARE(leggiFile(vero), QByteArray("nuovo"));
    QCOMPARE(QFile::permissions(vero) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), permessi);
}

void TestSostituzioneFile::collegamentoPiantato_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    QTest::addColumn<bool>("bersaglioEsiste");
    for (const auto &s : tuttiGliScrittori()) {
        QTest::addRow("%s, link to a file outside", s.first) << s.second << true;
        QTest::addRow("%s, dangling link", s.first) << s.second << false;
    }
}

// A link planted where the program writes one of its files never lets the
// write reach outside the program folder: the link itself is replaced by
// the new file, and what it pointed to stays as it was (or missing).
void TestSostituzioneFile::collegamentoPiantato()
{
    QFETCH(Scrittore, scrittore);
    QFETCH(bool, bersaglioEsiste);
    QTemporaryDir dir;
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("programma"))));
    const FileDelProgramma file(dir.filePath(QStringLiteral("programma")));
    QVERIFY(file.prepara());
    const QString percorso = file.percorso(scrittore);
    const QString bersaglio = dir.filePath(QStringLiteral("casa/.bashrc"));
    QVERIFY(QDir().mkpath(QFileInfo(bersaglio).absolutePath()));
    if (bersaglioEsiste)
        QVERIFY(scriviFile(bersaglio, "alias ls='ls -la'\n"));
    QVERIFY(QFile::remove(percorso));
    QVERIFY(QFile::link(bersaglio, percorso));

    QVERIFY(file.sostituisci(scrittore));
    QVERIFY(!QFileInfo(percorso).isSymLink());
    QVERIFY(QFileInfo(percorso).isFile());
    QVERIFY(leggiFile(percorso).size() > 0);
    if (bersaglioEsiste)
        QCOMPARE(leggiFile(bersaglio), QByteArray("alias ls='ls -la'\n"));
    QCOMPARE(contenutoCartella(QFileInfo(bersaglio).absolutePath()),
             bersaglioEsiste ? QStringList{QStringLiteral(".bashrc")} : QStringList());
    QCOMPARE(tuttoInCartella(percorso).filter(QStringLiteral(".tmp")), QStringList());
}

void TestSostituzioneFile::nomiLunghi_data()
{
    QTest::addColumn<QString>("nome");
    // Each the longest a file system takes: 255 bytes.
    QTest::newRow("plain letters") << QString(251, u'a') + QStringLiteral(".pdf");
    QTest::newRow("accented letters") << QString(125, u'\u00E8') + QStringLiteral("x.pdf");
    QTest::newRow("three-byte letters") << QString(83, u'\u20AC') + QStringLiteral("xy.jpg");
    QTest::newRow("four-byte letters") << QString::fromUcs4(std::u32string(62, U'\U0001F4DA').c_str(), 62)
                                              + QStringLiteral("xyz.tmp");
}

// A name the file system takes can always be replaced: the hidden name
// written beside it fits too, cut at whole characters, and says whose it is.
void TestSostituzioneFile::nomiLunghi()
{
    QFETCH(QString, nome);
    QCOMPARE(QFile::encodeName(nome).size(), 255);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(nome);
    QVERIFY(scriviFile(percorso, "vecchio"));
    QString motivo;
    QVERIFY2(sostituisciFile(percorso, [](QIODevice &d) { return d.write("nuovo") == 5; }, &motivo),
             qPrintable(motivo));
    QCOMPARE(leggiFile(percorso), QByteArray("nuovo"));
    QCOMPARE(tuttoInCartella(percorso), QStringList{nome});

    const QString provvisorio = nomeProvvisorio(nome, 0xdeadbeef);
    QVERIFY(QFile::encodeName(provvisorio).size() <= 255);
    QVERIFY(provvisorio.endsWith(QStringLiteral(".deadbeef.tmp")));
    const QString inizio = provvisorio.mid(1).chopped(13);
    QVERIFY(inizio.size() > 40);
    QVERIFY(nome.startsWith(inizio));
    QVERIFY(QFile::decodeName(QFile::encodeName(inizio)) == inizio);

    // A name too long for the file system says so, not something else.
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("nome del file troppo lungo")));
    QVERIFY(!sostituisciFile(percorso + QStringLiteral("x"), [](QIODevice &d) { return d.write("x") == 1; },
                             &motivo));
    QVERIFY2(motivo.endsWith(QStringLiteral(": nome del file troppo lungo")), qPrintable(motivo));
}

void TestSostituzioneFile::guastoLasciaIlVecchio_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    QTest::addColumn<Guasto>("guasto");
    const auto &scrittori = tuttiGliScrittori();
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
    QVERIFY(!file.sostituisci(scrittore, chiamateGuaste(guasto)));
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
    QTest::newRow("esportazione") << Scrittore::Esportazione;
    QTest::newRow("stampa in PDF") << Scrittore::Stampa;
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

void TestSostituzioneFile::ordineSulDisco_data()
{
    QTest::addColumn<Scrittore>("scrittore");
    for (const auto &s : tuttiGliScrittori())
        QTest::addRow("%s", s.first) << s.second;
}

// Every writer reaches the disk in the one order that survives a power cut
// at any moment: the new content written and synced while the path still
// holds the old file, then renamed into place, then the folder that holds
// the name synced.
void TestSostituzioneFile::ordineSulDisco()
{
    QFETCH(Scrittore, scrittore);
    QTemporaryDir dir;
    const FileDelProgramma file(dir.path());
    QVERIFY(file.prepara());
    RegistroDisco registro(file.percorso(scrittore));
    QVERIFY(file.sostituisci(scrittore, RegistroDisco::chiamate()));
    QCOMPARE(
        registro.passi(),
        (QStringList{QStringLiteral("scrive il file nuovo"), QStringLiteral("sincronizza il file nuovo"),
                     QStringLiteral("il file nuovo è al suo posto"), QStringLiteral("sincronizza la sua cartella")}));
}

void TestSostituzioneFile::pulizia_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("oreFa");
    QTest::addColumn<bool>("file");   // true: a plain file, false: a folder
    QTest::addColumn<bool>("rimosso");
    QTest::newRow("abandoned export") << ".Pagine_Documento.xls.0a1b2c3d.tmp" << 3 << true << true;
    QTest::newRow("abandoned password store") << ".unins000.dll.ffffffff.tmp" << 30 << true << true;
    QTest::newRow("accented scan") << QString::fromUtf8(".Città_Foto_1.jpg.00000000.tmp") << 2 << true << true;
    QTest::newRow("still being written") << ".Pagine_Documento.xls.0a1b2c3d.tmp" << 0 << true << false;
    QTest::newRow("a folder of that name") << ".Pagine_Documento.xls.0a1b2c3d.tmp" << 3 << false << false;
    QTest::newRow("not hidden") << "Pagine_Documento.xls.0a1b2c3d.tmp" << 3 << true << false;
    QTest::newRow("seven digits") << ".Pagine_Documento.xls.0a1b2c3.tmp" << 3 << true << false;
    QTest::newRow("capital digits") << ".Pagine_Documento.xls.0A1B2C3D.tmp" << 3 << true << false;
    QTest::newRow("no name before") << "..0a1b2c3d.tmp" << 3 << true << false;
    QTest::newRow("another ending") << ".Pagine_Documento.xls.0a1b2c3d.tmp~" << 3 << true << false;
    QTest::newRow("the user's own") << ".appunti.tmp" << 3 << true << false;
}

// Start-up removes what a killed replacement left, by its exact name and
// only once nobody has written it for an hour; nothing else.
void TestSostituzioneFile::pulizia()
{
    QFETCH(QString, nome);
    QFETCH(int, oreFa);
    QFETCH(bool, file);
    QFETCH(bool, rimosso);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(nome);
    QVERIFY(scriviFile(dir.filePath(QStringLiteral("Pagine_Documento.xls")), "export"));
    if (file)
        QVERIFY(scriviFile(percorso, "mezzo file"));
    else
        QVERIFY(QDir().mkpath(percorso));
    QVERIFY(invecchia(percorso, 3600 * oreFa));

    QCOMPARE(rimuoviProvvisoriAbbandonati(dir.path(), std::chrono::hours(1)), rimosso ? 1 : 0);
    QCOMPARE(QFileInfo::exists(percorso), !rimosso);
    QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("Pagine_Documento.xls"))));
}

// The manual lays out text, which needs the fonts of a GUI application.
QTEST_MAIN(TestSostituzioneFile)
#include "tst_sostituzionefile.moc"
