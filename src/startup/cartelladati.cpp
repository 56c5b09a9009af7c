#include "startup/cartelladati.h"

#include "access/passwordmemorizzata.h"
#include "app/contesto.h"
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

const QString kCartellaNonCreata = QStringLiteral(
    "Attenzione: il sistema non permette di creare la cartella dei dati del programma:\r\n%1\r\n\r\n"
    "Accertarsi che il disco non sia pieno e di possedere i privilegi di scrittura, poi avviare di nuovo "
    "il programma.");
const QString kPasswordNonCopiata = QStringLiteral(
    "Attenzione: il sistema non ha permesso di copiare la password iniziale nella cartella dei dati del "
    "programma:\r\n%1\r\n\r\nFinché manca, nessuna password viene accettata. Accertarsi che il disco "
    "non sia pieno e di possedere i privilegi di scrittura nella cartella, poi avviare di nuovo il programma; "
    "se il problema rimane, reinstallare il software.");
const QString kManualeNonCopiato = QStringLiteral(
    "Attenzione: il sistema non ha permesso di copiare la guida (Guida.pdf) nella cartella dei dati del "
    "programma:\r\n%1\r\n\r\nIl programma funziona, ma la guida potrebbe mancare o non essere aggiornata.");

EsitoSemina seminaCartella(const QString &cartella, const QString &origine, const QString &documentazione)
{
    const QDir da(origine);
    const QDir a(cartella);
    EsitoSemina esito;

    const QString password = a.filePath(kFileArchivioPassword);
    if (!QFileInfo::exists(password) && haPassword(origine))
        copiaSostituendo(da.filePath(kFileArchivioPassword), password, nullptr, kPermessiArchivioPassword);
    // Without a store no password can ever match: the login would only say
    // the password is wrong.
    esito.password = haPassword(cartella);

    QFileInfo manualeNuovo(da.filePath(kManuale));
    if (!manualeNuovo.isFile() && !documentazione.isEmpty())
        manualeNuovo = QFileInfo(QDir(documentazione).filePath(kManuale));
    const QFileInfo manuale(a.filePath(kManuale));
    if (manualeNuovo.isFile() && (!manuale.exists() || manuale.lastModified() < manualeNuovo.lastModified()))
        esito.manuale = copiaSostituendo(manualeNuovo.filePath(), manuale.filePath());
    return esito;
}

namespace {

// Missing parents are made as usual; the folder itself for its owner alone,
// since it holds the archives and the password store.
bool creaCartellaPrivata(const QString &cartella)
{
    if (QFileInfo(cartella).isDir())
        return true;
    const QString genitore = QFileInfo(cartella).absolutePath();
    if (!QDir().mkpath(genitore))
        return false;
    // Another program starting at the same moment may make it first.
    return QDir().mkdir(cartella, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
        || QFileInfo(cartella).isDir();
}

} // namespace

EsitoCartella preparaCartellaProgramma(const LuoghiProgramma &luoghi)
{
    EsitoCartella esito;
    if (luoghi.richiesta.isEmpty() && haPassword(luoghi.eseguibile)) {
        esito.cartella = luoghi.eseguibile;
        return esito;
    }

    const QString cartella = luoghi.richiesta.isEmpty() ? luoghi.datiUtente : luoghi.richiesta;
    if (cartella.isEmpty() || !creaCartellaPrivata(QDir::cleanPath(QDir(cartella).absolutePath()))) {
        esito.problema = kCartellaNonCreata.arg(QDir::toNativeSeparators(cartella));
        return esito;
    }
    esito.cartella = QDir(cartella).absolutePath();
    // A folder named on the command line may be seeded from a portable
    // program as well as from an installed one.
    const QString origine = haPassword(luoghi.installati) || !haPassword(luoghi.eseguibile) ? luoghi.installati
                                                                                          : luoghi.eseguibile;
    const EsitoSemina semina = seminaCartella(cartella, origine, luoghi.documentazione);
    const QString mostrata = QDir::toNativeSeparators(esito.cartella);
    if (!semina.password)
        esito.problema = kPasswordNonCopiata.arg(mostrata);
    else if (!semina.manuale)
        esito.problema = kManualeNonCopiato.arg(mostrata);
    if (!esito.problema.isEmpty())
        qWarning("Velmora: non è stato possibile preparare la cartella %s da %s", qUtf8Printable(cartella),
                 qUtf8Printable(origine));
    return esito;
}

QString apriCartellaProgramma(const LuoghiProgramma &luoghi, const Contesto &contesto)
{
    const EsitoCartella esito = preparaCartellaProgramma(luoghi);
    if (esito.cartella.isEmpty())
        contesto.errore(esito.problema);
    else if (!esito.problema.isEmpty())
        contesto.avviso(esito.problema);
    return esito.cartella;
}

