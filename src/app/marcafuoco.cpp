#include "app/marcafuoco.h"

#include "app/colori.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kBordoScuro{0x12, 0x36, 0x5A};

} // namespace

MarcaFuoco::MarcaFuoco(QWidget *comando)
    : QWidget(comando->parentWidget())
    , m_comando(comando)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void MarcaFuoco::mostra()
{
    setGeometry(m_comando->geometry().adjusted(-kMargine, -kMargine, kMargine, kMargine));
    raise();
    show();
}

void MarcaFuoco::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF esterno = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF interno = QRectF(rect()).adjusted(kMargine - 0.5, kMargine - 0.5, 0.5 - kMargine, 0.5 - kMargine);
    const qreal raggio = kMargine + 2;

    QPainterPath anello;
    anello.addRoundedRect(esterno, raggio, raggio);
    anello.addRoundedRect(interno, 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(Colori::tintaFuoco);
    p.drawPath(anello);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kBordoScuro, 1));
    p.drawRoundedRect(esterno, raggio, raggio);
    p.drawRoundedRect(interno, 2, 2);
}
