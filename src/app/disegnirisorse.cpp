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
    bool operator==(const Chiave &altra) const
    {
        return std::tie(risorsa, dimensione, dpr) == std::tie(altra.risorsa, altra.dimensione, altra.dpr);
    }
};

size_t qHash(const Chiave &c, size_t seme = 0)
{
    return qHashMulti(seme, c.risorsa, c.dimensione.width(), c.dimensione.height(), c.dpr);
}

int g_disegni = 0;

QHash<Chiave, QImage> &disegni()
{
    static QHash<Chiave, QImage> cache;
    return cache;
}

} // namespace

QImage disegnoRisorsa(const QString &risorsa, const QSize &dimensione, qreal dpr)
{
    if (dimensione.isEmpty())
        return QImage();
    QImage &img = disegni()[Chiave{risorsa, dimensione, dpr}];
    if (img.isNull()) {
        ++g_disegni;
        img = QImage((QSizeF(dimensione) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
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
