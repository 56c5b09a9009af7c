#include "editor/frmallegacartella.h"

AspettoFinestra TfrmAllegaCartella::aspetto()
{
    AspettoFinestra a{"frmAllegaCartella", QStringLiteral(" Allega file"), QSize(634, 534),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
}
