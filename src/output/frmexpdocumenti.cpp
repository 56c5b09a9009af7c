#include "output/frmexpdocumenti.h"

AspettoFinestra TfrmExpDocumenti::aspetto()
{
    AspettoFinestra a{"frmExpDocumenti", QStringLiteral(" Esporta archivio pagine documento in Excel"), QSize(862, 560),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmExpDocumenti::TfrmExpDocumenti(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
}
