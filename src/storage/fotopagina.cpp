#include "storage/fotopagina.h"

#include "storage/archiviopagine.h"
#include "storage/filenormale.h"
#include "storage/sostituzionefile.h"
#include "storage/testo.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

QString cartellaFotoPagine(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("Pagine_Documenti");
}

QString percorsoFotoPagina(const QString &cartellaProgramma, const QString &nomeArchivio,
                           const QString &posizione)
{
    return cartellaFotoPagine(cartellaProgramma) + QLatin1Char('/') + Testo::trim(nomeArchivio)
        + QStringLiteral("_Foto_") + Testo::trim(posizione) + QStringLiteral(".jpg");
}

bool nomeArchivioAmmessoPerFoto(const QString &nomeArchivio)
{
    const QString piuLungo = QFileInfo(percorsoFotoPagina(QString(), nomeArchivio,
                                                          QString::number(kMassimoSchede))).fileName();
    return QFile::encodeName(piuLungo).size() <= kMassimoByteNomeFile;
}

bool preparaCartellaFotoPagine(const QString &cartellaProgramma)
{
    const QString cartella = cartellaFotoPagine(cartellaProgramma);
    return QDir(cartella).exists() || QDir().mkpath(cartella);
}

namespace {

QImage suFondoBianco(const QImage &foto)
{
    if (!foto.hasAlphaChannel())
        return foto;
    QImage piatta(foto.size(), QImage::Format_RGB32);
    piatta.setDevicePixelRatio(foto.devicePixelRatio());
    piatta.setDotsPerMeterX(foto.dotsPerMeterX());
    piatta.setDotsPerMeterY(foto.dotsPerMeterY());
    piatta.fill(Qt::white);
    QPainter p(&piatta);
    p.drawImage(0, 0, foto);
    p.end();
    return piatta;
}

} // namespace

QImage decodificaFoto(const QByteArray &byte, QByteArray *jpegOriginale)
{
    QBuffer sorgente;
    sorgente.setData(byte);
    sorgente.open(QIODevice::ReadOnly);
    QImageReader lettore(&sorgente);
    lettore.setDecideFormatFromContent(true);
    const bool jpeg = lettore.format() == "jpeg"; // once read, the reader no longer says
    const QImage foto = lettore.read();
    if (jpegOriginale)
        *jpegOriginale = !foto.isNull() && jpeg ? byte : QByteArray();
    return foto;
}

bool scriviJpeg(QIODevice &destinazione, const QImage &foto, const QByteArray &jpegOriginale)
{
    if (!jpegOriginale.isEmpty())
        return destinazione.write(jpegOriginale) == jpegOriginale.size();
    // The encoder writes the picture's dots per meter as the file's
    // resolution: a scan keeps the dpi it was made at.
    QImageWriter scrittore(&destinazione, "jpeg");
    scrittore.setQuality(kQualitaJpeg);
    return scrittore.write(suFondoBianco(foto));
}

bool scriviFileFoto(const QString &cartellaProgramma, const QString &percorso, const QImage &foto,
                    const QByteArray &jpegOriginale, const ChiamateDisco &chiamate)
{
    if (!preparaCartellaFotoPagine(cartellaProgramma) || foto.isNull())
        return false;
    // Written aside and put in place at the end: a failed write (a full
    // disk) leaves the previous scan whole instead of a truncated JPEG.
    return sostituisciFile(
        percorso, [&](QIODevice &file) { return scriviJpeg(file, foto, jpegOriginale); }, nullptr, 07777, chiamate);
}

QImage leggiFileFoto(const QString &cartellaProgramma, const QString &percorso, QByteArray *jpegOriginale)
{
    if (jpegOriginale)
        jpegOriginale->clear();
    if (!preparaCartellaFotoPagine(cartellaProgramma))
        return QImage();
    QFile file;
    if (!apriFileNormale(file, percorso))
        return QImage();
    return decodificaFoto(file.readAll(), jpegOriginale);
}
