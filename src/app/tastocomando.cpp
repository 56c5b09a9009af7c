#include "app/tastocomando.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <utility>

bool TastoComando::riguarda(const QKeyEvent *evento)
{
    const int tasto = evento->key();
    const bool tastoGiusto = tasto == Qt::Key_Return || tasto == Qt::Key_Enter || tasto == Qt::Key_Space;
    return tastoGiusto && !(evento->modifiers() & ~Qt::KeypadModifier);
}

void TastoComando::premuto(const QKeyEvent *evento)
{
    if (!evento->isAutoRepeat())
        m_tasto = evento->key();
}

bool TastoComando::rilasciato(const QKeyEvent *evento)
{
    if (evento->isAutoRepeat() || evento->key() != m_tasto)
        return false;
    m_tasto = 0;
    return true;
}

bool comandoUtilizzabile(const QWidget *controllo)
{
    if (!controllo->isEnabled() || !controllo->isVisible())
        return false;
    const QWidget *modale = QApplication::activeModalWidget();
    return !modale || modale == controllo->window();
}

ComandoAccessibile::ComandoAccessibile(QWidget *controllo, QAccessible::Role ruolo, std::function<void()> premi)
    : QAccessibleWidget(controllo, ruolo)
    , m_premi(std::move(premi))
{
}

QStringList ComandoAccessibile::actionNames() const
{
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ComandoAccessibile::doAction(const QString &azione)
{
    if (azione != pressAction()) {
        QAccessibleWidget::doAction(azione);
        return;
    }
    // The press runs once the request has been answered: a command that
    // opens a modal window would otherwise hold the answer back until that
    // window closes, and the screen reader waiting for it would stall.
    QMetaObject::invokeMethod(widget(), m_premi, Qt::QueuedConnection);
}
