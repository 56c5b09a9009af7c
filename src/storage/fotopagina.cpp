#include "storage/fotopagina.h"

#include "storage/archiviopagine.h"
#include "storage/sostituzionefile.h"
#include "storage/testo.h"

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
    // Written aside and put in place at the end: a failed write (a full
    // disk) leaves the previous scan whole instead of a truncated JPEG.
    const QImage piatta = suFondoBianco(foto);
    return sostituisciFile(percorso, [&piatta](QIODevice &file) {
        QImageWriter scrittore(&file, "jpeg");
        return scrittore.write(piatta);
    });
}

QImage leggiFileFoto(const QString &cartellaProgramma, const QString &percorso)
{
    if (!preparaCartellaFotoPagine(cartellaProgramma))
        return QImage();
    QImageReader lettore(percorso);
    lettore.setDecideFormatFromContent(true);
    return lettore.read();
}
