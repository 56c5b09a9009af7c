#include "storage/archiviopagine.h"

#include "storage/erroresistema.h"
#include "storage/registro.h"
#include "storage/sostituzionefile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include <sys/file.h>
#include <sys/stat.h>

ErroreArchivio::ErroreArchivio(const QString &dettaglio)
    : std::runtime_error(dettaglio.toStdString())
{
    // Every window shows one fixed message for this; the detail stays here.
    qCWarning(lcFile).noquote() << "archive:" << dettaglio;
}

ErroreBloccoArchivio::ErroreBloccoArchivio(const QString &dettaglio)
    : ErroreArchivio(dettaglio)
{
}

namespace {

// Holds an exclusive advisory lock on an open archive for one step, so that
// two programs sharing an archive (also over a network) never count the
// same records and write the same new position, nor write one record over
// another's check. A file system that refuses the lock refuses the write:
// writing unlocked is how two programs lose each other's records.
class BloccoArchivio
{
public:
    BloccoArchivio(int descrittore, const QString &percorso)
        : m_descrittore(descrittore)
    {
        int esito;
        do {
            esito = ::flock(m_descrittore, LOCK_EX);
        } while (esito != 0 && errno == EINTR);
        if (esito != 0)
            throw ErroreBloccoArchivio(QStringLiteral("%1: cannot be locked: %2").arg(percorso, motivoSistema(errno)));
    }
    ~BloccoArchivio() { ::flock(m_descrittore, LOCK_UN); }
    BloccoArchivio(const BloccoArchivio &) = delete;
    BloccoArchivio &operator=(const BloccoArchivio &) = delete;

private:
    int m_descrittore;
};

// Why a write of a record failed. A write the disk takes only in part (it
// fills up half-way) leaves the file with no error of its own, which it
// would call unknown: the system's code of the write that stopped tells.
QString motivoScrittura(const QFile &file, int codice)
{
    if (codice != 0)
        return motivoSistema(codice);
    if (file.error() != QFileDevice::NoError)
        return file.errorString();
    return QStringLiteral("scritta solo una parte della scheda");
}

// 0 when an open archive is a regular file, made blocking again; else why not.
int soloFileRegolare(int d)
{
    struct stat info {};
    if (::fstat(d, &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return EINVAL;
    const int stato = ::fcntl(d, F_GETFL);
    if (stato < 0 || ::fcntl(d, F_SETFL, stato & ~O_NONBLOCK) != 0)
        return errno;
    return 0;
}

// Opens the archive, creating it empty only when it is missing. Between the
// test and the creation another program may create it: then the file it
// made is opened. -1 with errno set on failure.
int apriOCrea(const QByteArray &nome, int accesso, bool *creato)
{
    *creato = false;
    // A dangling link answers "missing" to the one and "exists" to the
    // other for ever: a few rounds settle every real race.
    for (int tentativo = 0; tentativo < 8; ++tentativo) {
        int d;
        // Non-blocking: a FIFO at the path would hold a reader until some
        // program writes it. Only a regular file is an archive.
        do {
            d = ::open(nome.constData(), accesso | O_NONBLOCK | O_CLOEXEC);
        } while (d < 0 && errno == EINTR);
        if (d < 0 && errno != ENOENT)
            return -1;
        if (d >= 0) {
            const int codice = soloFileRegolare(d);
            if (codice == 0)
                return d;
            ::close(d);
            errno = codice;
            return -1;
        }
        do {
            d = ::open(nome.constData(), accesso | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        } while (d < 0 && errno == EINTR);
        if (d >= 0) {
            *creato = true;
            return d;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

} // namespace

const QString kMessaggioAccessoArchivio = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
const QString kMessaggioArchivioVuoto = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kMessaggioBloccoArchivio = QStringLiteral(
    "Attenzione: il sistema non permette di bloccare l'archivio per scriverlo, come accade su alcune "
    "cartelle di rete: un altro programma potrebbe scriverlo nello stesso momento.\n\r\n\r"
    "La scheda non è stata salvata.");

TArchivioPagine::~TArchivioPagine()
{
    if (m_file.isOpen())
        m_file.close();
}

void TArchivioPagine::ApriArchivio(const QString &percorso, Accesso accesso)
{
    ChiudiArchivio();
    m_percorso = percorso;
    const bool lettura = accesso == Accesso::Lettura;
    bool creato = false;
    // Anything standing at the path (a locked or read-only file, a folder)
    // is an access failure: creating over it could empty a user's archive.
    const int d = apriOCrea(QFile::encodeName(percorso), lettura ? O_RDONLY : O_RDWR, &creato);
    if (d < 0)
        throw ErroreArchivio(QStringLiteral("%1: %2").arg(percorso, motivoSistema(errno)));
    // Unbuffered: every write reaches the system at once, and its result
    // is the one checked.
    const QIODevice::OpenMode modo = (lettura ? QIODevice::ReadOnly : QIODevice::ReadWrite) | QIODevice::Unbuffered;
    // The file takes the handle and closes it. (Taking a handle fails only
    // in append mode, which is not used.)
    if (!m_file.open(d, modo, QFileDevice::AutoCloseHandle)) {
        const QString motivo = m_file.errorString();
        m_file.unsetError();
        ::close(d);
        throw ErroreArchivio(QStringLiteral("%1: %2").arg(percorso, motivo));
    }
    // A new archive's name must survive a power cut like its records.
    if (creato && !sincronizzaCartella(QFileInfo(percorso).absolutePath(), m_chiamate)) {
        m_file.close();
        throw ErroreArchivio(QStringLiteral("%1: folder not synced").arg(percorso));
    }
}

qint64 TArchivioPagine::dimensione() const
{
    struct stat info {};
    if (::fstat(m_file.handle(), &info) != 0)
        throw ErroreArchivio(QStringLiteral("%1: cannot read its size").arg(m_percorso));
    return qint64(info.st_size);
}

void TArchivioPagine::sincronizza()
{
    if (!sincronizzaFile(m_file.handle(), m_chiamate))
        throw ErroreArchivio(QStringLiteral("%1: not synced to disk: %2").arg(m_percorso, motivoSistema(errno)));
}

void TArchivioPagine::richiediAperto() const
{
    if (!m_file.isOpen())
        throw ErroreArchivio(QStringLiteral("archive not open"));
}

int TArchivioPagine::ContaSchede() const
{
    richiediAperto();
    const qint64 conteggio = dimensione() / kDimensioneScheda;
    // Positions are ints everywhere above; an archive that cannot be
    // numbered with them is refused, never counted wrapped round.
    if (conteggio > kMassimoSchede)
        throw ErroreArchivio(QStringLiteral("%1: %2 records, more than this program can number")
                                 .arg(m_percorso).arg(conteggio));
    return int(conteggio);
}

void TArchivioPagine::posiziona(int posizione)
{
    if (posizione < 1 || posizione > ContaSchede())
        throw ErroreArchivio(QStringLiteral("position %1 out of range").arg(posizione));
    if (!m_file.seek(qint64(posizione - 1) * kDimensioneScheda))
        throw ErroreArchivio(m_file.errorString());
}

TSchedaPagina TArchivioPagine::LeggiScheda(int posizione)
{
    posiziona(posizione);
    TSchedaPagina scheda;
    if (m_file.read(reinterpret_cast<char *>(&scheda), kDimensioneScheda) != kDimensioneScheda)
        throw ErroreArchivio(QStringLiteral("short read at position %1").arg(posizione));
    return scheda;
}

void TArchivioPagine::scriviA(int posizione, const TSchedaPagina &scheda)
{
    errno = 0;
    if (!m_file.seek(qint64(posizione - 1) * kDimensioneScheda)
        || m_file.write(reinterpret_cast<const char *>(&scheda), kDimensioneScheda) != kDimensioneScheda
        || !m_file.flush())
        throw ErroreArchivio(QStringLiteral("write failed at position %1: %2")
                                 .arg(posizione).arg(motivoScrittura(m_file, errno)));
    // Synced before the lock goes: the next program reads this record.
    sincronizza();
}

void TArchivioPagine::ScriviScheda(int posizione, const TSchedaPagina &scheda)
{
    richiediAperto();
    const BloccoArchivio blocco(m_file.handle(), m_percorso);
    posiziona(posizione);
    scriviA(posizione, scheda);
}

bool TArchivioPagine::SostituisciScheda(int posizione, const TSchedaPagina &attesa, const TSchedaPagina &scheda,
                                        TSchedaPagina *trovata)
{
    richiediAperto();
    const BloccoArchivio blocco(m_file.handle(), m_percorso);
    const TSchedaPagina attuale = LeggiScheda(posizione);
    if (std::memcmp(&attuale, &attesa, sizeof attuale) != 0) {
        if (trovata)
            *trovata = attuale;
        return false;
    }
    scriviA(posizione, scheda);
    return true;
}

int TArchivioPagine::AggiungiScheda(const TSchedaPagina &scheda)
{
    return AggiungiScheda(scheda, {}, {});
}

int TArchivioPagine::AggiungiScheda(const TSchedaPagina &scheda, const std::function<bool(int)> &prepara,
                                    const std::function<void(int)> &annulla)
{
    richiediAperto();
    // Counting and writing are one step for every program on this archive.
    const BloccoArchivio blocco(m_file.handle(), m_percorso);
    const int conteggio = ContaSchede();
    if (conteggio >= kMassimoSchede)
        throw ErroreArchivio(QStringLiteral("%1: full, no position left").arg(m_percorso));
    if (prepara && !prepara(conteggio + 1))
        return 0;
    errno = 0;
    if (!m_file.seek(qint64(conteggio) * kDimensioneScheda)
        || m_file.write(reinterpret_cast<const char *>(&scheda), kDimensioneScheda) != kDimensioneScheda
        || !m_file.flush()) {
        const QString motivo = motivoScrittura(m_file, errno);
        if (annulla)
            annulla(conteggio + 1);
        throw ErroreArchivio(QStringLiteral("%1: append failed: %2").arg(m_percorso, motivo));
    }
    // Synced before the lock goes: the next program counts this record.
    sincronizza();
    return conteggio + 1;
}

void TArchivioPagine::ChiudiArchivio()
{
    if (!m_file.isOpen())
        return;
    // QFile::close() reports nothing; flushing first is how a failed final
    // write becomes visible.
    const bool scritto = m_file.flush();
    m_file.close();
    if (!scritto)
        throw ErroreArchivio(QStringLiteral("close failed"));
}

void TArchivioPagine::PerOgniScheda(const VisitaScheda &visita)
{
    const int conteggio = ContaSchede();
    if (!m_file.seek(0))
        throw ErroreArchivio(m_file.errorString());
    // Blocks of about 128 KB: few system calls, and a block small enough that
    // the system's copy into it stays in the processor's cache. Read so, a
    // search takes less time and memory than through a mapping of the file,
    // whose page faults cost more than the copy.
    constexpr int kBlocco = 32;
    QVector<TSchedaPagina> blocco(kBlocco);
    for (int i = 0; i < conteggio; i += kBlocco) {
        const int n = qMin(kBlocco, conteggio - i);
        const qint64 byte = qint64(n) * kDimensioneScheda;
        const qint64 letti = m_file.read(reinterpret_cast<char *>(blocco.data()), byte);
        if (letti < 0)
            throw ErroreArchivio(m_file.errorString());
        if (letti != byte)
            throw ErroreArchivio(QStringLiteral("%1: shortened while being read").arg(m_percorso));
        for (int k = 0; k < n; ++k)
            visita(i + k + 1, blocco.at(k));
    }
}

PercorsoSchede percorsoFile(const QString &percorso)
{
    return [percorso](const VisitaScheda &visita) {
        TArchivioPagine archivio;
        archivio.ApriArchivio(percorso, TArchivioPagine::Accesso::Lettura);
        archivio.PerOgniScheda(visita);
        archivio.ChiudiArchivio();
    };
}

PercorsoSchede percorsoDi(const QVector<TSchedaPagina> &schede)
{
    return [schede](const VisitaScheda &visita) {
        for (int i = 0; i < schede.size(); ++i)
            visita(i + 1, schede.at(i));
    };
}
