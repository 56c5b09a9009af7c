#include "app/rifinitura.h"

#include <QEvent>
#include <QWidget>

namespace {

class AttesaRifinitura : public QObject
{
public:
    AttesaRifinitura(QWidget *controllo, std::function<void()> azione)
        : QObject(controllo)
        , m_azione(std::move(azione))
    {
        controllo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Polish) {
            oggetto->removeEventFilter(this);
            deleteLater();
            m_azione();
        }
        return false;
    }

private:
    std::function<void()> m_azione;
};

} // namespace

void allaRifinitura(QWidget *controllo, std::function<void()> azione)
{
    if (controllo->testAttribute(Qt::WA_WState_Polished))
        azione();
    else
        new AttesaRifinitura(controllo, std::move(azione));
}
