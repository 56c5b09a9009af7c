#include "archives/frmapricatalogo.h"

#include "app/finestre.h"
#include "app/formati.h"
#include "home/frmavvio.h"

AspettoFinestra TfrmApriCatalogo::aspetto()
{
    AspettoFinestra a{"frmApriCatalogo", QStringLiteral(" Velmora - Apertura documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmApriCatalogo::TfrmApriCatalogo(QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
{
    impostaFormatiProcesso();
}

void TfrmApriCatalogo::FormClose()
{
    frmAvvio()->mostra();
}
