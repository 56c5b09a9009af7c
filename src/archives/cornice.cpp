#include "archives/cornice.h"

#include "app/colori.h"
#include "app/elementi.h"
#include "app/finestra.h"

Cornice creaCornice(QWidget *finestra, const QString &istruzioni, const QString &testoIstruzioni)
{
    using namespace Elementi;
    QWidget *pan = creaPannello(finestra, QSize(995, 692));
    rettangolo(pan, QStringLiteral("shpContainer"), QRect(8, 8, 979, 676), Colori::sfondoBlu);
    rettangolo(pan, QStringLiteral("shpSfondo"), QRect(16, 16, 963, 660));
    immagine(pan, QStringLiteral("imgIcona"), QStringLiteral(":/home/logo.svg"), QRect(32, 32, 64, 64));
    immagine(pan, QStringLiteral("imgIstruzioni"), istruzioni, QRect(112, 28, 780, 150), testoIstruzioni);
    VistaImmagine *guida = comando(pan, QStringLiteral("imgGuida"), QStringLiteral(":/home/guida.svg"),
                                   QRect(934, 32, 29, 28), QStringLiteral("Guida"),
                                   QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    return {pan, guida};
}
