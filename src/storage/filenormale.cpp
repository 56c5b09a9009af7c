#include "storage/filenormale.h"

#include "storage/erroresistema.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool apriFileNormale(QFile &file, const QString &percorso, QString *motivo)
{
    const auto fallito = [&](const QString &ragione) {
        const int codice = errno;
        if (motivo)
            *motivo = ragione;
        errno = codice;
        return false;
    };
    const int d = ::open(QFile::encodeName(percorso).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (d < 0)
        return fallito(motivoSistema(errno));
    struct stat info {};
    if (::fstat(d, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int codice = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        ::close(d);
        errno = codice;
        return fallito(codice == EISDIR ? motivoSistema(codice) : QStringLiteral("non è un file normale"));
    }
    // A plain file never blocks a read; the flag goes so that nothing
    // later meets EAGAIN.
    ::fcntl(d, F_SETFL, ::fcntl(d, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(d, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(d);
        return fallito(file.errorString());
    }
    return true;
}
