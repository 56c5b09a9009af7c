#include "app/suggerimenti.h"

#include <QFocusEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

SuggerimentiStato::SuggerimentiStato(QLabel *panInfo)
    : QObject(panInfo)
    , m_panInfo(panInfo)
{
}

void SuggerimentiStato::aggiungi(QWidget *comando, const QString &testo)
{
    m_testi.insert(comando, testo);
    comando->setAccessibleDescription(testo);
    comando->setMouseTracking(true);
    comando->installEventFilter(this);
}

void SuggerimentiStato::sfondo(QWidget *elemento)
{
    m_sfondi.insert(elemento);
    elemento->setMouseTracking(true);
    elemento->installEventFilter(this);
}

bool SuggerimentiStato::eventFilter(QObject *oggetto, QEvent *evento)
{
    const QEvent::Type tipo = evento->type();
    if (tipo == QEvent::FocusIn) {
        const Qt::FocusReason motivo = static_cast<QFocusEvent *>(evento)->reason();
        const auto testo = m_testi.constFind(oggetto);
        if (testo != m_testi.constEnd() && (motivo == Qt::TabFocusReason || motivo == Qt::BacktabFocusReason))
            m_panInfo->setText(*testo);
        return false;
    }
    if (tipo != QEvent::MouseMove && tipo != QEvent::Enter)
        return false;

    const auto testo = m_testi.constFind(oggetto);
    if (testo != m_testi.constEnd()) {
        m_panInfo->setText(*testo);
        return false;
    }
    // Only a real move over the background empties the line: a window that
    // appears under a still pointer keeps its opening sentence.
    if (!m_sfondi.contains(oggetto) || tipo != QEvent::MouseMove)
        return false;

    // A move over a child without mouse tracking (a text field, a caption)
    // reaches its parent too: only a move over the element itself, or over
    // another background element, clears the line.
    auto *sfondo = static_cast<QWidget *>(oggetto);
    const QPoint pos = static_cast<QMouseEvent *>(evento)->position().toPoint();
    QWidget *sotto = sfondo->childAt(pos);
    if (sotto && !m_sfondi.contains(sotto))
        return false;
    m_panInfo->clear();
    return false;
}
