#include "commands/paginepacco.h"

#include "document/salvataggio.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"
#include "storage/testo.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
                                  const QString &nomeArchivio, const ValoriScheda &schermo, const QImage &pagina)
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
    if (!provvisorio.open() || provvisorio.write(jpeg) != jpeg.size() || !provvisorio.flush() ||
        !sincronizzaFile(provvisorio.handle())) {
        esito.errore = kScansioneNonScritta;
        return esito;  // the temporary file goes with it
    }

    int n = 0;
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(Testo::trim(percorsoArchivio));
        n = archivio.AggiungiScheda(componiScheda(valoriPaginaPacco(schermo)));
        archivio.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
        esito.errore = kMessaggioAccessoArchivio;
        return esito;
    }

    // The record is in: its scan takes its name at once. A rename inside
    // one folder needs no room on the disk and replaces a scan left there
    // by an older archive of the same name, as a save would.
    const QString finale = percorsoFotoPagina(cartellaProgramma, nomeArchivio, QString::number(n));
    provvisorio.close();
    if (std::rename(QFile::encodeName(provvisorio.fileName()).constData(), QFile::encodeName(finale).constData()) != 0) {
        esito.errore = QStringLiteral("La scheda %1 è stata inserita in archivio, ma la sua scansione non ha potuto "
                                      "prendere il nome %2.")
                           .arg(n)
                           .arg(QFileInfo(finale).fileName());
        return esito;
    }
    provvisorio.setAutoRemove(false);
    sincronizzaCartella(cartella);
    esito.posizione = n;
    return esito;
}
