#include "app/disegnirisorse.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <tuple>

namespace {

struct Chiave {
    QString risorsa;
    QSize dimensione;
    qreal dpr;
    QRgb sfondo;
    bool operator==(const Chiave &altra) const
    {
        return std::tie(risorsa, dimensione, dpr, sfondo)
            == std::tie(altra.risorsa, altra.dimensione, altra.dpr, altra.sfondo);
    }
};

size_t qHash(const Chiave &c, size_t seme = 0)
{
    return qHashMulti(seme, c.risorsa, c.dimensione.width(), c.dimensione.height(), c.dpr, c.sfondo);
}

int g_disegni = 0;

QHash<Chiave, QImage> &disegni()
{
    static QHash<Chiave, QImage> cache;
    return cache;
}

// A drawing slow to render (lettering as outlines) may sit beside its twin:
// the same name ending in .argb, its render on no background at 1x at the
// size it is shown. At that size the twin stands for the render. The twin
// holds the width and the height, then the premultiplied pixels row by row,
// all little-endian 32-bit words: taking it is a copy, where decoding a
// compressed picture would cost most of a render.
QImage gemello(const QString &risorsa, const QSize &dimensione, qreal dpr, const QColor &sfondo)
{
    if (dpr != 1.0 || sfondo.alpha() != 0 || !risorsa.endsWith(QLatin1String(".svg")))
        return QImage();
    QFile file(risorsa.chopped(4) + QLatin1String(".argb"));
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    char testa[8];
    if (file.read(testa, sizeof testa) != qint64(sizeof testa)
        || qFromLittleEndian<quint32>(testa) != quint32(dimensione.width())
        || qFromLittleEndian<quint32>(testa + 4) != quint32(dimensione.height()))
        return QImage();
    const QByteArray pixel = file.readAll();
    if (pixel.size() != 4 * qsizetype(dimensione.width()) * dimensione.height())
        return QImage();
    QImage img(dimensione, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < dimensione.height(); ++y)
        qFromLittleEndian<quint32>(pixel.constData() + 4 * qsizetype(y) * dimensione.width(), dimensione.width(),
                                   img.scanLine(y));
    return img;
}

} // namespace

QImage disegnoRisorsa(const QString &risorsa, const QSize &dimensione, qreal dpr, const QColor &sfondo)
{
    if (dimensione.isEmpty())
        return QImage();
    QImage &img = disegni()[Chiave{risorsa, dimensione, dpr, sfondo.rgba()}];
    if (img.isNull()) {
        ++g_disegni;
        img = gemello(risorsa, dimensione, dpr, sfondo);
        if (!img.isNull())
            return img;
        img = QImage((QSizeF(dimensione) * dpr).toSize(),
                     sfondo.alpha() == 255 ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        img.fill(sfondo);
        QSvgRenderer svg(risorsa);
        QPainter p(&img);
        svg.render(&p);
        p.end();
        img.setDevicePixelRatio(dpr);
    }
    return img;
}

int disegniEseguiti()
{
    return g_disegni;
}
