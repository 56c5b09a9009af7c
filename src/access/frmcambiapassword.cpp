#include "access/frmcambiapassword.h"

#include "access/frmpassword.h"
#include "app/finestre.h"

AspettoFinestra TfrmCambiaPassword::aspetto()
{
    AspettoFinestra a{"frmCambiaPassword", QStringLiteral(" Cambia password"), QSize(411, 418),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
{
}

void TfrmCambiaPassword::FormClose()
{
    frmPassword()->mostra();
}
