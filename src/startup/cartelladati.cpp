#include "startup/cartelladati.h"

#include "access/passwordmemorizzata.h"
#include "storage/allegati.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace {

const QString kManuale = QStringLiteral("Guida.pdf");

bool haPassword(const QString &cartella)
{
    return !cartella.isEmpty() && QFileInfo(QDir(cartella).filePath(kFileArchivioPassword)).isFile();
}

} // namespace

bool seminaCartella(const QString &cartella, const QString &origine, const QString &documentazione)
{
    const QDir da(origine);
    const QDir a(cartella);
    bool riuscito = true;

    const QString password = a.filePath(kFileArchivioPassword);
    if (!QFileInfo::exists(password) && haPassword(origine))
        riuscito = copiaSostituendo(da.filePath(kFileArchivioPassword), password) && riuscito;

    QFileInfo manualeNuovo(da.filePath(kManuale));
    if (!manualeNuovo.isFile() && !documentazione.isEmpty())
        manualeNuovo = QFileInfo(QDir(documentazione).filePath(kManuale));
    const QFileInfo manuale(a.filePath(kManuale));
    if (manualeNuovo.isFile() && (!manuale.exists() || manuale.lastModified() < manualeNuovo.lastModified()))
        riuscito = copiaSostituendo(manualeNuovo.filePath(), manuale.filePath()) && riuscito;
    return riuscito;
}

QString preparaCartellaProgramma(const LuoghiProgramma &luoghi)
{
    if (luoghi.richiesta.isEmpty() && haPassword(luoghi.eseguibile))
        return luoghi.eseguibile;

    const QString cartella = luoghi.richiesta.isEmpty() ? luoghi.datiUtente : luoghi.richiesta;
    if (cartella.isEmpty() || !QDir().mkpath(cartella))
        return QString();
    // A folder named on the command line may be seeded from a portable
    // program as well as from an installed one.
    const QString origine = haPassword(luoghi.installati) || !haPassword(luoghi.eseguibile) ? luoghi.installati
                                                                                          : luoghi.eseguibile;
    if (!seminaCartella(cartella, origine, luoghi.documentazione))
        qWarning("Velmora: non è stato possibile preparare la cartella %s da %s", qUtf8Printable(cartella),
                 qUtf8Printable(origine));
    return QDir(cartella).absolutePath();
}
