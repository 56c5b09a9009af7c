#include "archives/frmcreacatalogo.h"

#include "app/finestre.h"
#include "app/formati.h"
#include "home/frmavvio.h"

AspettoFinestra TfrmCreaCatalogo::aspetto()
{
    AspettoFinestra a{"frmCreaCatalogo", QStringLiteral(" Velmora - Creazione documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmCreaCatalogo::TfrmCreaCatalogo(QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
{
    impostaFormatiProcesso();
}

void TfrmCreaCatalogo::FormClose()
{
    frmAvvio()->mostra();
}
