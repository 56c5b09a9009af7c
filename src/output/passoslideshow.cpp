#include "output/passoslideshow.h"

#include "app/vistaimmagine.h"
#include "storage/archiviopagine.h"
#include "storage/filenormale.h"
#include "storage/fotopagina.h"

#include <QFile>
#include <QImageReader>

EsitoPasso passoSlideshow(const QString &percorsoArchivio, QString &posizione)
{
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(percorsoArchivio, TArchivioPagine::Accesso::Lettura);
        const int p = posizione.isEmpty() ? 0 : posizione.toInt();
        const int n = archivio.ContaSchede();
        if (n == 0) {
            posizione.clear();
            archivio.ChiudiArchivio();
            return EsitoPasso::ArchivioVuoto;
        }
        if (p < n) {
            // Read though not shown: a record that cannot be read is an
            // access failure like any other.
            archivio.LeggiScheda(p + 1);
            archivio.ChiudiArchivio();
            posizione = QString::number(p + 1);
            return EsitoPasso::NuovaPagina;
        }
        // Past the last page, also when the archive is now shorter than the
        // page shown last: start again rather than stop on one picture.
        posizione = QStringLiteral("0");
        archivio.ChiudiArchivio();
        return EsitoPasso::StessaPagina;
    } catch (const ErroreArchivio &) {
        return EsitoPasso::ErroreAccesso;
    }
}

QImage fotoSlideshow(const QString &cartellaProgramma, const QString &nomeArchivio, int posizione,
                     const QSize &area)
{
    if (!preparaCartellaFotoPagine(cartellaProgramma))
        return QImage();
    QFile file;
    if (!apriFileNormale(file, percorsoFotoPagina(cartellaProgramma, nomeArchivio, QString::number(posizione))))
        return QImage();
    QImageReader lettore(&file);
    const QSize intera = lettore.size();
    if (intera.isValid() && !area.isEmpty()) {
        const QSize adattata = dimensioneAdattata(intera, area);
        if (adattata != intera)
            lettore.setScaledSize(adattata);
    }
    return lettore.read();
}
