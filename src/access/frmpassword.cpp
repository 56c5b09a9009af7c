#include "access/frmpassword.h"

AspettoFinestra TfrmPassword::aspetto()
{
    AspettoFinestra a{"frmPassword", QStringLiteral(" Velmora - Autenticazione"), QSize(388, 405),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmPassword::TfrmPassword(QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
{
}
