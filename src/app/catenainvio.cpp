#include "app/catenainvio.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

class CatenaInvio : public QObject
{
public:
    CatenaInvio(QWidget *campo, QWidget *successivo)
        : QObject(campo)
        , m_successivo(successivo)
    {
        campo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *evento) override
    {
        if (evento->type() == QEvent::KeyPress && m_successivo) {
            const int tasto = static_cast<QKeyEvent *>(evento)->key();
            if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter)
                m_successivo->setFocus(Qt::OtherFocusReason);
        }
        return false;
    }

private:
    QPointer<QWidget> m_successivo;
};

} // namespace

void collegaInvio(QWidget *campo, QWidget *successivo)
{
    new CatenaInvio(campo, successivo);
}

void collegaInvio(const QList<QWidget *> &ordine, bool ciclo)
{
    for (int i = 0; i + 1 < ordine.size(); ++i)
        collegaInvio(ordine.at(i), ordine.at(i + 1));
    if (ciclo && ordine.size() > 1)
        collegaInvio(ordine.last(), ordine.first());
}
