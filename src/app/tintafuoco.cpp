#include "app/tintafuoco.h"

#include "app/colori.h"
#include "app/fogliostile.h"

#include <QEvent>
#include <QLineEdit>

namespace {

QString foglio(const QColor &riempimento)
{
    return QStringLiteral("QLineEdit { background-color: %1; border: 1px solid %2; "
                          "padding: 1px 3px; color: black; }")
        .arg(riempimento.name(), Colori::tintaBordo.name());
}

class TintaFuoco : public QObject
{
public:
    explicit TintaFuoco(QLineEdit *campo)
        : QObject(campo)
        , m_riposo(foglio(Colori::tintaRiposo))
        , m_fuoco(foglio(Colori::tintaFuoco))
    {
        impostaFoglioStile(campo, m_riposo);
        campo->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        // Only ever installed on a field, but events still come while it is
        // being destroyed, when it is no longer a QLineEdit: a downcast then
        // would be undefined, and the tint has nothing left to do.
        auto *campo = qobject_cast<QLineEdit *>(oggetto);
        if (!campo)
            return false;
        if (evento->type() == QEvent::FocusIn)
            imposta(campo, m_fuoco);
        else if (evento->type() == QEvent::FocusOut)
            imposta(campo, m_riposo);
        return false;
    }

private:
    static void imposta(QLineEdit *campo, const QString &stile)
    {
        if (campo->styleSheet() != stile)
            impostaFoglioStile(campo, stile);
    }

    const QString m_riposo;
    const QString m_fuoco;
};

} // namespace

void applicaTintaFuoco(QLineEdit *campo)
{
    new TintaFuoco(campo);
}
