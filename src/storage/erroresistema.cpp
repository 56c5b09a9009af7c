#include "storage/erroresistema.h"

#include <cerrno>
#include <cstring>

QString motivoSistema(int codice)
{
    switch (codice) {
    case 0: return QStringLiteral("nessun errore segnalato dal sistema");
    case ENOSPC: return QStringLiteral("spazio esaurito sul disco");
    case EDQUOT: return QStringLiteral("quota disco superata");
    case EACCES:
    case EPERM: return QStringLiteral("permesso negato");
    case EROFS: return QStringLiteral("il disco è di sola lettura");
    case ENAMETOOLONG: return QStringLiteral("nome del file troppo lungo");
    case EEXIST: return QStringLiteral("esiste già un file con lo stesso nome");
    case ENOENT: return QStringLiteral("file o cartella inesistente");
    case ENOTDIR: return QStringLiteral("una parte del percorso non è una cartella");
    case EISDIR: return QStringLiteral("al posto del file c'è una cartella");
    case EINVAL: return QStringLiteral("nome o operazione non validi");
    case EIO: return QStringLiteral("errore di lettura o scrittura sul dispositivo");
    case EFBIG: return QStringLiteral("file troppo grande");
    case EMFILE:
    case ENFILE: return QStringLiteral("troppi file aperti");
    case EBUSY:
    case ETXTBSY: return QStringLiteral("file in uso");
    case EAGAIN: return QStringLiteral("risorsa temporaneamente non disponibile");
    case ELOOP: return QStringLiteral("troppi collegamenti simbolici nel percorso");
    default: break;
    }
    return QStringLiteral("%1 (errore %2)").arg(QString::fromLocal8Bit(std::strerror(codice))).arg(codice);
}
