#include "archives/nomiarchivio.h"

#include "storage/erroresistema.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"
#include "storage/testo.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace NomiArchivio {

bool carattereRifiutato(QChar c)
{
    switch (c.unicode()) {
    case 0x0022: // "
    case 0x002A: // *
    case 0x002F: // /
    case 0x003A: // :
    case 0x003C: // <
    case 0x003E: // >
    case 0x003F: // ?
    case 0x005C: // backslash
    case 0x00B0: // degree sign
    case 0x00C7: // C cedilla
    case 0x00D1: // N tilde
    case 0x00E7: // c cedilla
    case 0x00F1: // n tilde
        return true;
    default:
        return false;
    }
}

QString senzaRifiutati(const QString &testo)
{
    QString r;
    r.reserve(testo.size());
    for (QChar c : testo) {
        if (!carattereRifiutato(c))
            r.append(c);
    }
    return r;
}

QString nomeDaCampo(const QString &testo)
{
    return Testo::trim(testo);
}

EsitoNome verificaNome(const QString &nome)
{
    if (nome.isEmpty())
        return EsitoNome::Vuoto;
    // Both separators count on every platform: Windows takes either.
    if (nome.contains(u'/') || nome.contains(u'\\') || nome.contains(QChar(0)))
        return EsitoNome::NonAmmesso;
    if (nome == QLatin1String(".") || nome == QLatin1String(".."))
        return EsitoNome::NonAmmesso;
    if (!nomeArchivioAmmessoPerFoto(nome))
        return EsitoNome::TroppoLungo;
    return EsitoNome::Valido;
}

QString percorsoArchivio(const QString &cartella, const QString &nome)
{
    return cartella + nome + QStringLiteral(".kpx");
}

void creaArchivioVuoto(const QString &percorso)
{
    // O_EXCL: an existing file is never opened, let alone truncated.
    const int d = ::open(QFile::encodeName(percorso).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    int codice = d < 0 ? errno : 0;
    if (d >= 0) {
        // The new name must survive a power cut: the user is told it exists.
        if (!sincronizzaFile(d))
            codice = errno;
        if (::close(d) != 0 && codice == 0)
            codice = errno;
        if (codice == 0 && !sincronizzaCartella(QFileInfo(percorso).absolutePath()))
            codice = errno;
        if (codice != 0)
            ::unlink(QFile::encodeName(percorso).constData());
    }
    if (codice != 0) {
        const QString dettaglio = QStringLiteral("Impossibile creare il file \"%1\": %2.")
                                      .arg(percorso, motivoSistema(codice));
        throw std::runtime_error(dettaglio.toLocal8Bit().toStdString());
    }
}

} // namespace NomiArchivio
