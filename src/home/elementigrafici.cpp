#include "home/elementigrafici.h"

#include "app/vistaimmagine.h"

#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

namespace ElementiGrafici {

namespace {

// Resources are vector drawings: render them at the size they are shown,
// sharp at any device pixel ratio.
QImage disegna(const QString &risorsa, const QSize &dimensione, qreal dpr)
{
    QImage img((QSizeF(dimensione) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QSvgRenderer svg(risorsa);
    QPainter p(&img);
    svg.render(&p);
    p.end();
    img.setDevicePixelRatio(dpr);
    return img;
}

} // namespace

QWidget *rettangolo(QWidget *genitore, const QString &nome, const QRect &posto, const QColor &colore)
{
    auto *r = new QWidget(genitore);
    r->setObjectName(nome);
    r->setGeometry(posto);
    QPalette p = r->palette();
    p.setColor(QPalette::Window, colore);
    r->setPalette(p);
    r->setAutoFillBackground(true);
    return r;
}

QLabel *immagine(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto)
{
    auto *l = new QLabel(genitore);
    l->setObjectName(nome);
    l->setGeometry(posto);
    l->setPixmap(QPixmap::fromImage(disegna(risorsa, posto.size(), genitore->devicePixelRatioF())));
    return l;
}

VistaImmagine *comando(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto)
{
    auto *v = new VistaImmagine(genitore);
    v->setObjectName(nome);
    v->setGeometry(posto);
    v->setCursor(Qt::PointingHandCursor);
    // VistaImmagine draws at its own size: give it the logical size and let
    // it scale only if the device asks for more pixels.
    v->impostaImmagine(disegna(risorsa, posto.size(), 1.0));
    return v;
}

} // namespace ElementiGrafici
