#include "storage/fotopagina.h"

#include "storage/testo.h"

#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

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
    piatta.fill(Qt::white);
    QPainter p(&piatta);
    p.drawImage(0, 0, foto);
    p.end();
    return piatta;
}

} // namespace

bool scriviFileFoto(const QString &cartellaProgramma, const QString &percorso, const QImage &foto)
{
    if (!preparaCartellaFotoPagine(cartellaProgramma) || foto.isNull())
        return false;
    // Written aside and put in place at the end: a failed write leaves the
    // previous scan whole instead of a truncated JPEG.
    QSaveFile file(percorso);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter scrittore(&file, "jpeg");
    if (!scrittore.write(suFondoBianco(foto))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QImage leggiFileFoto(const QString &cartellaProgramma, const QString &percorso)
{
    if (!preparaCartellaFotoPagine(cartellaProgramma))
        return QImage();
    QImageReader lettore(percorso);
    lettore.setDecideFormatFromContent(true);
    return lettore.read();
}
