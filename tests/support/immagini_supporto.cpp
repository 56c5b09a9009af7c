#include "support/immagini_supporto.h"

#include <QBuffer>
#include <QImageReader>

QImage tinta(const QSize &dimensione, const QColor &colore, QImage::Format formato)
{
    QImage immagine(dimensione, formato);
    immagine.fill(colore);
    return immagine;
}

QByteArray codifica(const QImage &immagine, const char *formato)
{
    QByteArray dati;
    QBuffer buffer(&dati);
    buffer.open(QIODevice::WriteOnly);
    immagine.save(&buffer, formato);
    return dati;
}

QByteArray formatoDelFile(const QString &percorso)
{
    QImageReader lettore(percorso);
    lettore.setDecideFormatFromContent(true);
    return lettore.canRead() ? lettore.format() : QByteArray();
}

bool coloreVicino(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

QColor coloreAlCentro(const QImage &immagine)
{
    return immagine.isNull() ? QColor() : immagine.pixelColor(immagine.width() / 2, immagine.height() / 2);
}
