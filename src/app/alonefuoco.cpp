#include "app/alonefuoco.h"
#include "app/fogliostile.h"

#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>

namespace {

class AloneFuoco : public QObject
{
public:
    AloneFuoco(QLineEdit *campo, QFrame *alone)
        : QObject(campo)
        , m_alone(alone)
    {
        campo->installEventFilter(this);
        segui(campo);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // Only ever installed on a field, but events still come while it is
        // being destroyed, when it is no longer a QLineEdit: a downcast then
        // would be undefined. What the halo needs is in every widget.
        if (!oggetto->isWidgetType())
            return false;
        auto *campo = static_cast<QWidget *>(oggetto);
        switch (evento->type()) {
        case QEvent::FocusIn:
            if (m_alone) {
                segui(campo);
                m_alone->show();
            }
            break;
        case QEvent::FocusOut:
            // A window being destroyed may delete the halo before the field
            // that has the focus, which loses it last.
            if (m_alone)
                m_alone->hide();
            break;
        case QEvent::Move:
        case QEvent::Resize:
            if (m_alone)
                segui(campo);
            break;
        default:
            break;
        }
        return false;
    }

private:
    void segui(QWidget *campo)
    {
        m_alone->setGeometry(campo->geometry().adjusted(-4, -4, 4, 4));
        m_alone->stackUnder(campo);
    }

    QPointer<QFrame> m_alone;
};

} // namespace

QFrame *creaAloneFuoco(QLineEdit *campo, const QString &nome)
{
    auto *alone = new QFrame(campo->parentWidget());
    alone->setObjectName(nome);
    alone->setAttribute(Qt::WA_TransparentForMouseEvents);
    impostaFoglioStile(alone, QStringLiteral(
        "QFrame { background-color: #ffff00; border: 2px solid "
        "qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffff00, stop:1 #ffffff); "
        "border-radius: 3px; }"));
    alone->hide();
    new AloneFuoco(campo, alone);
    return alone;
}
