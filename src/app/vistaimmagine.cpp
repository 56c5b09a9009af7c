#include "app/vistaimmagine.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

QSize dimensioneAdattata(const QSize &immagine, const QSize &area)
{
    if (immagine.isEmpty() || area.isEmpty())
        return QSize(0, 0);
    if (immagine.width() <= area.width() && immagine.height() <= area.height())
        return immagine;
    const double scala = std::min(double(area.width()) / immagine.width(),
                                  double(area.height()) / immagine.height());
    const int larghezza = std::clamp(int(std::lround(immagine.width() * scala)), 1, area.width());
    const int altezza = std::clamp(int(std::lround(immagine.height() * scala)), 1, area.height());
    return QSize(larghezza, altezza);
}

VistaImmagine::VistaImmagine(QWidget *parent)
    : QWidget(parent)
{
}

void VistaImmagine::impostaImmagine(const QImage &immagine)
{
    m_immagine = immagine;
    m_cache = QPixmap();
    update();
}

QRect VistaImmagine::rettangoloDisegno() const
{
    const QSize d = dimensioneAdattata(m_immagine.size(), size());
    return QRect(QPoint((width() - d.width()) / 2, (height() - d.height()) / 2), d);
}

QSize VistaImmagine::sizeHint() const
{
    return m_immagine.isNull() ? QWidget::sizeHint() : m_immagine.size();
}

void VistaImmagine::paintEvent(QPaintEvent *)
{
    if (m_immagine.isNull())
        return;
    const QRect r = rettangoloDisegno();
    if (r.isEmpty())
        return;
    const qreal dpr = devicePixelRatioF();
    const QSize fisica = (QSizeF(r.size()) * dpr).toSize();
    if (m_cache.isNull() || m_cache.size() != fisica) {
        const QImage scalata = fisica == m_immagine.size()
            ? m_immagine
            : m_immagine.scaled(fisica, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        m_cache = QPixmap::fromImage(scalata);
        m_cache.setDevicePixelRatio(dpr);
    }
    QPainter p(this);
    p.drawPixmap(r.topLeft(), m_cache);
}

void VistaImmagine::mousePressEvent(QMouseEvent *evento)
{
    m_premuto = evento->button() == Qt::LeftButton;
    evento->accept();
}

void VistaImmagine::mouseReleaseEvent(QMouseEvent *evento)
{
    const bool click = m_premuto && evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint());
    m_premuto = false;
    evento->accept();
    if (click)
        emit clicked();
}
