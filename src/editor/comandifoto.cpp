#include "editor/comandifoto.h"

#include "app/contesto.h"
#include "storage/filenormale.h"
#include "storage/fotopagina.h"

#include <QFile>
#include <QFileInfo>

std::optional<QImage> caricaFoto(const Contesto &contesto, QWidget *proprietario, const QImage &segnaposto,
                                 QByteArray *jpegOriginale)
{
    RichiestaFile richiesta;
    richiesta.modo = RichiestaFile::Apri;
    richiesta.titolo = QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap.");
    richiesta.filtri = {QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")};
    const QString percorso = contesto.scegliFile(proprietario, richiesta);
    if (percorso.isEmpty())
        return std::nullopt;

    // The decoder goes by the content, not the name: a JPEG saved as .bmp
    // still loads.
    QFile file;
    const QImage foto = apriFileNormale(file, percorso) ? decodificaFoto(file.readAll(), jpegOriginale) : QImage();
    if (foto.isNull() && jpegOriginale)
        jpegOriginale->clear();
    return foto.isNull() ? segnaposto : foto;
}

QString nomeCopiaFoto(const QString &scelto)
{
    if (scelto.isEmpty() || !QFileInfo(scelto).suffix().isEmpty())
        return scelto;
    return scelto + QStringLiteral(".jpg");
}

QImage salvaCopiaFoto(const Contesto &contesto, QWidget *proprietario, const QImage &attuale, const QImage &segnaposto,
                      const QByteArray &jpegOriginale)
{
    RichiestaFile richiesta;
    richiesta.modo = RichiestaFile::Salva;
    richiesta.titolo = QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.");
    richiesta.filtri = {QStringLiteral("File Jpeg (*.jpg)")};
    richiesta.nomeProposto = QStringLiteral("Foto.jpg");
    richiesta.estensionePredefinita = QStringLiteral("jpg");
    richiesta.chiediSovrascrittura = true;
    const QString scelto = contesto.scegliFile(proprietario, richiesta);
    if (scelto.isEmpty())
        return attuale;

    QFile copia(nomeCopiaFoto(scelto));
    if (!copia.open(QIODevice::WriteOnly | QIODevice::Truncate) || !scriviJpeg(copia, attuale, jpegOriginale)
        || !copia.flush())
        return segnaposto;
    return attuale;
}
