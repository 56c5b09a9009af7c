#include "app/fogliostile.h"

#include <QEvent>
#include <QString>
#include <QWidget>

namespace {

class FoglioInAttesa : public QObject
{
public:
    FoglioInAttesa(QWidget *controllo, const QString &foglio)
        : QObject(controllo)
        , m_foglio(foglio)
    {
        controllo->installEventFilter(this);
    }

    void sostituisci(const QString &foglio) { m_foglio = foglio; }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Polish) {
            auto *controllo = static_cast<QWidget *>(oggetto);
            controllo->removeEventFilter(this);
            controllo->setStyleSheet(m_foglio);
            deleteLater();
        }
        return false;
    }

private:
    QString m_foglio;
};

} // namespace

void impostaFoglioStile(QWidget *controllo, const QString &foglio)
{
    if (controllo->testAttribute(Qt::WA_WState_Polished)) {
        controllo->setStyleSheet(foglio);
        return;
    }
    for (QObject *figlio : controllo->children()) {
        if (auto *attesa = dynamic_cast<FoglioInAttesa *>(figlio)) {
            attesa->sostituisci(foglio);
            return;
        }
    }
    new FoglioInAttesa(controllo, foglio);
}
