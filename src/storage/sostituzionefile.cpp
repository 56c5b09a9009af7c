#include "storage/sostituzionefile.h"

#include "storage/erroresistema.h"
#include "storage/registro.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int sincronizzaDati(int descrittore)
{
    return ::fdatasync(descrittore);
}

ChiamateDisco &chiamate()
{
    static ChiamateDisco c{&::write, &sincronizzaDati};
    return c;
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
    explicit DispositivoDescrittore(int descrittore)
        : m_descrittore(descrittore)
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
            const ssize_t n = chiamate().scrivi(m_descrittore, dati + scritti, size_t(quanti - scritti));
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
    int m_errore = 0;
    QByteArray m_blocco;
};

// The file a path stands for: a link is followed, so that replacing it
// changes what it points to and leaves the link in place.
QString destinazioneReale(const QString &percorso)
{
    const QFileInfo info(percorso);
    if (!info.isSymLink())
        return percorso;
    const QString reale = info.symLinkTarget();
    return reale.isEmpty() ? percorso : reale;
}

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

ChiamateDisco chiamateDisco()
{
    return chiamate();
}

ChiamateDisco impostaChiamateDisco(const ChiamateDisco &nuove)
{
    const ChiamateDisco vecchie = chiamate();
    chiamate() = nuove;
    return vecchie;
}

bool sincronizzaFile(int descrittore)
{
    for (;;) {
        if (chiamate().sincronizza(descrittore) == 0)
            return true;
        if (errno != EINTR)
            return false;
    }
}

bool sincronizzaCartella(const QString &cartella)
{
    const int d = ::open(nomeDiSistema(cartella).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d < 0)
        return false;
    bool ok = sincronizzaFile(d);
    // Some file systems cannot sync a folder at all; their renames are as
    // safe as they will ever be.
    if (!ok && (errno == EINVAL || errno == ENOTSUP || errno == EROFS))
        ok = true;
    const int codice = errno;
    ::close(d);
    errno = codice;
    return ok;
}

bool sostituisciFile(const QString &percorso, const std::function<bool(QIODevice &)> &scrivi, QString *motivo)
{
    const QString destinazione = destinazioneReale(percorso);
    const QFileInfo info(destinazione);
    const QString cartella = info.absolutePath();

    // Beside the file, in the same folder, so that the rename stays on one
    // file system and is atomic.
    QString provvisorio;
    int d = -1;
    for (int tentativo = 0; tentativo < 100 && d < 0; ++tentativo) {
        provvisorio = cartella + QStringLiteral("/.") + info.fileName().left(200)
            + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        d = ::open(nomeDiSistema(provvisorio).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (d < 0 && errno != EEXIST)
            return fallito(destinazione, errno, "creating the new file", motivo);
    }
    if (d < 0)
        return fallito(destinazione, EEXIST, "creating the new file", motivo);

    // The replacement keeps the permissions of the file it replaces.
    struct stat vecchio {};
    if (::stat(nomeDiSistema(destinazione).constData(), &vecchio) == 0)
        ::fchmod(d, vecchio.st_mode & 07777);

    const auto abbandona = [&](const QString &ragione, const char *fase) {
        ::close(d);
        ::unlink(nomeDiSistema(provvisorio).constData());
        return fallito(destinazione, ragione, fase, motivo);
    };

    DispositivoDescrittore dispositivo(d);
    const bool scritto = scrivi(dispositivo);
    dispositivo.svuota();
    if (dispositivo.errore() != 0)
        return abbandona(motivoSistema(dispositivo.errore()), "writing");
    if (!scritto)
        return abbandona(QStringLiteral("il contenuto non è stato scritto per intero"), "writing");
    if (!sincronizzaFile(d))
        return abbandona(motivoSistema(errno), "syncing the new file");
    if (::close(d) != 0) {
        const int codice = errno;
        ::unlink(nomeDiSistema(provvisorio).constData());
        return fallito(destinazione, codice, "closing the new file", motivo);
    }
    if (::rename(nomeDiSistema(provvisorio).constData(), nomeDiSistema(destinazione).constData()) != 0) {
        const int codice = errno;
        ::unlink(nomeDiSistema(provvisorio).constData());
        return fallito(destinazione, codice, "renaming the new file over the old one", motivo);
    }
    if (!sincronizzaCartella(cartella))
        return fallito(destinazione, errno, "syncing the folder", motivo);
    return true;
}
