#include "app/fogliostile.h"

#include "app/rifinitura.h"

#include <QString>
#include <QVariant>
#include <QWidget>

namespace {

// The sheet still waiting for its control, the latest one given.
constexpr char kFoglioInAttesa[] = "velmoraFoglioInAttesa";

} // namespace

void impostaFoglioStile(QWidget *controllo, const QString &foglio)
{
    const bool giaInAttesa = controllo->property(kFoglioInAttesa).isValid();
    controllo->setProperty(kFoglioInAttesa, foglio);
    if (giaInAttesa)
        return;
    allaRifinitura(controllo, [controllo] {
        const QString ultimo = controllo->property(kFoglioInAttesa).toString();
        controllo->setProperty(kFoglioInAttesa, QVariant());
        controllo->setStyleSheet(ultimo);
    });
}
