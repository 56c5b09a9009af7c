#include "home/frminfo.h"

AspettoFinestra TfrmInfo::aspetto()
{
    AspettoFinestra a{"frmInfo", QStringLiteral(" Informazioni su Velmora"), QSize(473, 579),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmInfo::TfrmInfo(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
}
