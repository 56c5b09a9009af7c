#include "app/protezioneclic.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// A handler that hides its window does so while its click is being
// delivered; anything later than this was not caused by that click.
constexpr qint64 kStessoClicMs = 500;

} // namespace

ProtezioneClic &ProtezioneClic::istanza()
{
    static ProtezioneClic *protezione = [] {
        auto *p = new ProtezioneClic;
        p->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(p);
        return p;
    }();
    return *protezione;
}

void ProtezioneClic::installa()
{
    if (QCoreApplication::instance())
        istanza();
}

void ProtezioneClic::finestraNascosta()
{
    if (!QCoreApplication::instance())
        return;
    ProtezioneClic &p = istanza();
    if (p.m_ultimoMouse.isValid() && p.m_ultimoMouse.elapsed() < kStessoClicMs) {
        p.m_nascostaA = p.m_ultimoTempo;
        p.m_armata = true;
    }
}

bool ProtezioneClic::eventFilter(QObject *oggetto, QEvent *evento)
{
    const QEvent::Type tipo = evento->type();
    // Each mouse event reaches the filter twice, for the window and then for
    // the widget; the window's copy decides for both.
    if (!oggetto->isWindowType()
        || (tipo != QEvent::MouseButtonPress && tipo != QEvent::MouseButtonDblClick
            && tipo != QEvent::MouseButtonRelease))
        return false;
    const ulong tempo = static_cast<QMouseEvent *>(evento)->timestamp();

    if (tipo == QEvent::MouseButtonRelease && m_ignoraRilascio) {
        m_ignoraRilascio = false;
        return true;
    }
    if (tipo != QEvent::MouseButtonRelease && m_armata) {
        if (tempo >= m_nascostaA && tempo - m_nascostaA < ulong(QApplication::doubleClickInterval())) {
            m_ignoraRilascio = true;
            return true;
        }
        m_armata = false;
    }
    m_ultimoTempo = tempo;
    m_ultimoMouse.start();
    return false;
}
