#include "app/disegnirisorse.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

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

} // namespace

QImage disegnoRisorsa(const QString &risorsa, const QSize &dimensione, qreal dpr, const QColor &sfondo)
{
    if (dimensione.isEmpty())
        return QImage();
    QImage &img = disegni()[Chiave{risorsa, dimensione, dpr, sfondo.rgba()}];
    if (img.isNull()) {
        ++g_disegni;
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
