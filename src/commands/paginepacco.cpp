#include "commands/paginepacco.h"

#include "document/salvataggio.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"
#include "storage/testo.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cstdio>

const QString kScansioneNonScritta = QStringLiteral(
    "Il sistema non permette di scrivere la scansione nella cartella Pagine_Documenti.\r\n\r\n"
    "Accertarsi che il disco non sia pieno e di possedere i privilegi di scrittura nella cartella di "
    "installazione del programma.");

ValoriScheda valoriPaginaPacco(const ValoriScheda &schermo)
{
    ValoriScheda v = schermo;
    v.allegati = ValoriAllegati();
    return v;
}

EsitoPaginaPacco salvaPaginaPacco(const QString &cartellaProgramma, const QString &percorsoArchivio,
                                  const QString &nomeArchivio, const ValoriScheda &schermo, const QImage &pagina,
                                  const ChiamateDisco &chiamate)
{
    EsitoPaginaPacco esito;
    // The scan, encoded and on disk under a name of its own before the
    // archive is touched.
    QByteArray jpeg;
    {
        QBuffer buffer(&jpeg);
        if (pagina.isNull() || !buffer.open(QIODevice::WriteOnly) || !scriviJpeg(buffer, pagina)) {
            esito.errore = QStringLiteral("La pagina acquisita non può essere codificata in formato JPEG.");
            return esito;
        }
    }
    const QString cartella = cartellaFotoPagine(cartellaProgramma);
    if (!preparaCartellaFotoPagine(cartellaProgramma)) {
        esito.errore = kScansioneNonScritta;
        return esito;
    }
    QTemporaryFile provvisorio(QDir(cartella).filePath(Testo::trim(nomeArchivio) + QStringLiteral("_Foto_XXXXXX.tmp")));
    if (!provvisorio.open() || provvisorio.write(jpeg) != jpeg.size() || !provvisorio.flush()
        || !sincronizzaFile(provvisorio.handle(), chiamate)) {
        esito.errore = kScansioneNonScritta;
        return esito;  // the temporary file goes with it
    }

    // The scan takes the name of the position the record will get before
    // the record is appended, under the archive's lock: a kill in between
    // leaves a scan that no record names yet (the next record to take that
    // position replaces it), never a record without its scan. A rename
    // inside one folder needs no room on the disk and replaces a scan left
    // there by an older archive of the same name, as a save would.
    const auto finale = [&](int posizione) {
        return QFile::encodeName(percorsoFotoPagina(cartellaProgramma, nomeArchivio, QString::number(posizione)));
    };
    const auto nomina = [&](int posizione) {
        provvisorio.close();
        if (std::rename(QFile::encodeName(provvisorio.fileName()).constData(), finale(posizione).constData()) != 0)
            return false;
        provvisorio.setAutoRemove(false);
        if (sincronizzaCartella(cartella, chiamate))
            return true;
        std::remove(finale(posizione).constData());
        return false;
    };
    const auto togli = [&](int posizione) { std::remove(finale(posizione).constData()); };
    int n = 0;
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(Testo::trim(percorsoArchivio));
        n = archivio.AggiungiScheda(componiScheda(valoriPaginaPacco(schermo)), nomina, togli);
        archivio.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
        esito.errore = kMessaggioAccessoArchivio;
        return esito;
    }
    if (n == 0) {
        esito.errore = kScansioneNonScritta;
        return esito;
    }
    esito.posizione = n;
    return esito;
}
