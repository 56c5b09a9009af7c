#include "storage/sostituzionefile.h"

#include "storage/erroresistema.h"
#include "storage/fotopagina.h"
#include "storage/registro.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int sincronizzaDati(int descrittore)
{
    return ::fdatasync(descrittore);
}

QByteArray nomeDiSistema(const QString &percorso)
{
    return QFile::encodeName(percorso);
}

// A device over a file descriptor that gathers small writes (a PDF engine
// writes a few bytes at a time) into blocks before they reach the system.
// The first failure is kept, and every later write fails too.
class DispositivoDescrittore : public QIODevice
{
public:
    DispositivoDescrittore(int descrittore, const ChiamateDisco &chiamate)
        : m_descrittore(descrittore)
        , m_chiamate(chiamate)
    {
        m_blocco.reserve(kBlocco);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    int errore() const { return m_errore; }

    // Sends what is gathered to the system; false once anything failed.
    bool svuota()
    {
        if (m_errore == 0 && !m_blocco.isEmpty())
            scriviSubito(m_blocco.constData(), m_blocco.size());
        m_blocco.clear();
        return m_errore == 0;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *dati, qint64 quanti) override
    {
        if (m_errore != 0)
            return -1;
        if (m_blocco.size() + quanti > kBlocco && !svuota())
            return -1;
        if (quanti >= kBlocco)
            return scriviSubito(dati, quanti) ? quanti : -1;
        m_blocco.append(dati, quanti);
        return quanti;
    }

private:
    static constexpr qint64 kBlocco = 64 * 1024;

    bool scriviSubito(const char *dati, qint64 quanti)
    {
        qint64 scritti = 0;
        while (scritti < quanti) {
            const ssize_t n = m_chiamate.scrivi(m_descrittore, dati + scritti, size_t(quanti - scritti));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                // A write that takes nothing without an error would loop
                // for ever; the system says ENOSPC for it on a full disk.
                m_errore = n < 0 ? errno : ENOSPC;
                setErrorString(motivoSistema(m_errore));
                return false;
            }
            scritti += n;
        }
        return true;
    }

    int m_descrittore;
    const ChiamateDisco &m_chiamate;
    int m_errore = 0;
    QByteArray m_blocco;
};

// The file a replacement is written into until it is whole: unnamed where
// the file system offers it (a kill leaves nothing behind), otherwise a
// hidden name beside the file that start-up clears when it is abandoned.
class FileNuovo
{
public:
    FileNuovo(const QString &cartella, const QString &nomeFile, bool senzaNome)
        : m_cartella(cartella)
        , m_nomeFile(nomeFile)
        , m_senzaNome(senzaNome)
    {
    }
    ~FileNuovo()
    {
        if (m_descrittore >= 0)
            ::close(m_descrittore);
        if (!m_provvisorio.isEmpty())
            ::unlink(nomeDiSistema(m_provvisorio).constData());
    }
    FileNuovo(const FileNuovo &) = delete;
    FileNuovo &operator=(const FileNuovo &) = delete;

    int descrittore() const { return m_descrittore; }

    // Opens the new file; errno on failure.
    bool crea()
    {
        if (m_senzaNome) {
            // Without the kernel's or the file system's support, or
            // without /proc to give the file its name, a named one.
            const int d = ::open(nomeDiSistema(m_cartella).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (d >= 0 && ::access("/proc/self/fd", X_OK) == 0) {
                m_descrittore = d;
                return true;
            }
            if (d >= 0)
                ::close(d);
            else if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
                return false;
        }
        return conNome([this](const QByteArray &nome) {
            m_descrittore = ::open(nome.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            return m_descrittore >= 0;
        });
    }

    // Closes the written file and gives it a hidden name beside the
    // destination, ready to be renamed over it; errno on failure.
    bool chiudi()
    {
        if (m_provvisorio.isEmpty()) {
            const QByteArray fd = "/proc/self/fd/" + QByteArray::number(m_descrittore);
            if (!conNome([&fd](const QByteArray &nome) {
                    return ::linkat(AT_FDCWD, fd.constData(), AT_FDCWD, nome.constData(), AT_SYMLINK_FOLLOW) == 0;
                })) {
                return false;
            }
        }
        const int d = m_descrittore;
        m_descrittore = -1;
        return ::close(d) == 0;
    }

    // Puts the new file in the destination's place: a link standing there
    // is replaced itself, whatever it points to is never written.
    bool sostituisci(const QString &destinazione)
    {
        if (::rename(nomeDiSistema(m_provvisorio).constData(), nomeDiSistema(destinazione).constData()) != 0)
            return false;
        m_provvisorio.clear();
        return true;
    }

private:
    // Tries fresh hidden names until one is free.
    template <class Prova>
    bool conNome(const Prova &prova)
    {
        for (int tentativo = 0; tentativo < 100; ++tentativo) {
            const QString nome = m_cartella + QLatin1Char('/')
                + nomeProvvisorio(m_nomeFile, QRandomGenerator::global()->generate());
            if (prova(nomeDiSistema(nome))) {
                m_provvisorio = nome;
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    QString m_cartella;
    QString m_nomeFile;
    bool m_senzaNome;
    QString m_provvisorio;
    int m_descrittore = -1;
};

bool fallito(const QString &percorso, const QString &ragione, const char *fase, QString *motivo)
{
    qCWarning(lcFile).noquote() << "replacing" << percorso << "failed while" << fase << "-" << ragione;
    if (motivo)
        *motivo = QStringLiteral("%1: %2").arg(percorso, ragione);
    return false;
}

bool fallito(const QString &percorso, int codice, const char *fase, QString *motivo)
{
    return fallito(percorso, motivoSistema(codice), fase, motivo);
}

} // namespace

const ChiamateDisco &chiamateDiSistema()
{
    static const ChiamateDisco c{&::write, &sincronizzaDati, true, &::read};
    return c;
}

ssize_t leggiDescrittore(int descrittore, void *dati, size_t quanti, const ChiamateDisco &chiamate)
{
    for (;;) {
        const ssize_t letti = chiamate.leggi(descrittore, dati, quanti);
        if (letti >= 0 || errno != EINTR)
            return letti;
    }
}

bool sincronizzaFile(int descrittore, const ChiamateDisco &chiamate)
{
    for (;;) {
        if (chiamate.sincronizza(descrittore) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

bool sincronizzaCartella(const QString &cartella, const ChiamateDisco &chiamate)
{
    const int d = ::open(nomeDiSistema(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0)
        return false;
    bool ok = sincronizzaFile(d, chiamate);
    // Some file systems cannot sync a folder at all; their renames are as
    // safe as they will ever be.
    if (!ok && (errno == EINVAL || errno == ENOTSUP || errno == EROFS))
        ok = true;
    const int codice = errno;
    ::close(d);
    errno = codice;
    return ok;
}

bool sostituisciFile(const QString &percorso, const std::function<bool(QIODevice &)> &scrivi, QString *motivo,
                     mode_t permessiMassimi, const ChiamateDisco &chiamate)
{
    const QFileInfo info(percorso);
    const QString cartella = info.absolutePath();

    // Beside the file, in the same folder, so that the rename stays on one
    // file system and is atomic.
    FileNuovo nuovo(cartella, info.fileName(), chiamate.senzaNome);
    if (!nuovo.crea())
        return fallito(percorso, errno, "creating the new file", motivo);
    const int d = nuovo.descrittore();

    // The replacement keeps the permissions of the file it replaces (a
    // link's are no file's), a new file the usual ones; none beyond the
    // allowed.
    struct stat vecchio {};
    if (::lstat(nomeDiSistema(percorso).constData(), &vecchio) == 0 && S_ISREG(vecchio.st_mode))
        ::fchmod(d, vecchio.st_mode & 07777 & permessiMassimi);
    else if (::fstat(d, &vecchio) == 0 && (vecchio.st_mode & 07777 & ~permessiMassimi) != 0)
        ::fchmod(d, vecchio.st_mode & 07777 & permessiMassimi);

    DispositivoDescrittore dispositivo(d, chiamate);
    const bool scritto = scrivi(dispositivo);
    dispositivo.svuota();
    if (dispositivo.errore() != 0)
        return fallito(percorso, dispositivo.errore(), "writing", motivo);
    if (!scritto)
        return fallito(percorso, QStringLiteral("il contenuto non è stato scritto per intero"), "writing", motivo);
    if (!sincronizzaFile(d, chiamate))
        return fallito(percorso, errno, "syncing the new file", motivo);
    if (!nuovo.chiudi())
        return fallito(percorso, errno, "closing the new file", motivo);
    if (!nuovo.sostituisci(percorso))
        return fallito(percorso, errno, "renaming the new file over the old one", motivo);
    if (!sincronizzaCartella(cartella, chiamate))
        return fallito(percorso, errno, "syncing the folder", motivo);
    return true;
}

QString nomeProvvisorio(const QString &nomeFile, quint32 caso)
{
    const QString coda = QStringLiteral(".%1.tmp").arg(caso, 8, 16, QLatin1Char('0'));
    // As much of the name as fits, whole characters only, so that the
    // hidden name tells whose file it was.
    const int spazio = kMassimoByteNomeFile - 1 - int(coda.size());
    QString nome;
    int byte = 0;
    for (const char32_t c : nomeFile.toUcs4()) {
        const QString carattere = QString::fromUcs4(&c, 1);
        byte += int(nomeDiSistema(carattere).size());
        if (byte > spazio)
            break;
        nome += carattere;
    }
    return QLatin1Char('.') + nome + coda;
}

int rimuoviProvvisoriAbbandonati(const QString &cartella, std::chrono::seconds eta)
{
    static const QRegularExpression forma(QStringLiteral("^\\..+\\.[0-9a-f]{8}\\.tmp$"),
                                          QRegularExpression::DotMatchesEverythingOption);
    const qint64 limite = QDateTime::currentSecsSinceEpoch() - qint64(eta.count());
    // Read with the system's own listing: the scans folder may hold a
    // hundred thousand names, and only the hidden ones are looked at.
    DIR *elenco = ::opendir(nomeDiSistema(cartella).constData());
    if (!elenco)
        return 0;
    int rimossi = 0;
    while (const dirent *voce = ::readdir(elenco)) {
        if (voce->d_name[0] != '.')
            continue;
        const QString nome = QFile::decodeName(voce->d_name);
        if (!forma.match(nome).hasMatch())
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(elenco), voce->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
            || info.st_uid != ::getuid() || info.st_mtime > limite)
            continue;
        if (::unlinkat(::dirfd(elenco), voce->d_name, 0) == 0) {
            qCInfo(lcFile).noquote() << "removed an abandoned new file" << cartella + QLatin1Char('/') + nome;
            ++rimossi;
        }
    }
    ::closedir(elenco);
    return rimossi;
}
