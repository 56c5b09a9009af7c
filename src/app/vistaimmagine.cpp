#include "app/vistaimmagine.h"

#include "app/disegnirisorse.h"
#include "app/marcafuoco.h"
#include "app/tastocomando.h"

#include <QAccessible>
#include <QKeyEvent>
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

namespace {

QAccessibleInterface *fabbricaComandi(const QString &classe, QObject *oggetto)
{
    if (classe != QLatin1String("VistaImmagine"))
        return nullptr;
    auto *vista = static_cast<VistaImmagine *>(oggetto);
    if (!vista->comando())
        return nullptr;
    return new ComandoAccessibile(vista, QAccessible::Button, [vista] { vista->premi(); });
}

} // namespace

VistaImmagine::VistaImmagine(QWidget *parent)
    : QWidget(parent)
{
}

void VistaImmagine::rendiComando(const QString &testo)
{
    static const bool fabbricaInstallata = [] {
        QAccessible::installFactory(fabbricaComandi);
        return true;
    }();
    Q_UNUSED(fabbricaInstallata);
    m_comando = true;
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(testo);
}

void VistaImmagine::premi()
{
    if (comandoUtilizzabile(this))
        emit clicked();
}

void VistaImmagine::impostaImmagine(const QImage &immagine)
{
    m_risorsa.clear();
    m_immagine = immagine;
    m_cache = QPixmap();
    update();
}

void VistaImmagine::impostaRisorsa(const QString &risorsa, const QSize &dimensione, const QColor &sfondo)
{
    m_sfondoRisorsa = sfondo;
    m_immagine = QImage();
    m_risorsa = risorsa;
    m_dimensioneRisorsa = dimensione;
    m_cache = QPixmap();
    update();
}

const QImage &VistaImmagine::immagine() const
{
    if (!m_risorsa.isEmpty()) {
        m_immagine = disegnoRisorsa(m_risorsa, m_dimensioneRisorsa, 1.0, m_sfondoRisorsa);
        m_risorsa.clear();
    }
    return m_immagine;
}

QRect VistaImmagine::rettangoloDisegno() const
{
    const QSize d = dimensioneAdattata(immagine().size(), size());
    return QRect(QPoint((width() - d.width()) / 2, (height() - d.height()) / 2), d);
}

QSize VistaImmagine::sizeHint() const
{
    return immagine().isNull() ? QWidget::sizeHint() : immagine().size();
}

// A page scanned at 300 or 600 dpi is 8 to 15 times the size shown, and
// smoothing the whole of it (converted first to the toolkit's 32-bit form)
// held the window for up to a second and more. A grid four times as fine as
// the result is sampled first, nearest pixel to each point, and the
// smoothing works on that: a few milliseconds, and alike to the eye.
QImage VistaImmagine::ridotta(const QImage &immagine, const QSize &dimensione)
{
    const QSize griglia = dimensione * 4;
    const QImage fonte = immagine.width() > griglia.width() && immagine.height() > griglia.height()
        ? immagine.scaled(griglia, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        : immagine;
    return fonte.scaled(dimensione, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void VistaImmagine::paintEvent(QPaintEvent *)
{
    if (immagine().isNull())
        return;
    const QRect r = rettangoloDisegno();
    if (r.isEmpty())
        return;
    const qreal dpr = devicePixelRatioF();
    const QSize fisica = (QSizeF(r.size()) * dpr).toSize();
    if (m_cache.isNull() || m_cache.size() != fisica) {
        const QImage scalata = fisica == m_immagine.size() ? m_immagine : ridotta(m_immagine, fisica);
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

void VistaImmagine::keyPressEvent(QKeyEvent *evento)
{
    if (!m_comando || !TastoComando::riguarda(evento)) {
        QWidget::keyPressEvent(evento);
        return;
    }
    m_tasto.premuto(evento);
    evento->accept();
}

void VistaImmagine::keyReleaseEvent(QKeyEvent *evento)
{
    if (!m_comando || !TastoComando::riguarda(evento)) {
        QWidget::keyReleaseEvent(evento);
        return;
    }
    evento->accept();
    if (m_tasto.rilasciato(evento))
        premi();
}

void VistaImmagine::focusInEvent(QFocusEvent *evento)
{
    QWidget::focusInEvent(evento);
    if (!m_comando)
        return;
    if (!m_marca)
        m_marca = new MarcaFuoco(this);
    m_marca->mostra();
}

void VistaImmagine::focusOutEvent(QFocusEvent *evento)
{
    QWidget::focusOutEvent(evento);
    m_tasto.dimentica();
    if (m_marca)
        m_marca->hide();
}
