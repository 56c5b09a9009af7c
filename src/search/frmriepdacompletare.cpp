#include "search/frmriepdacompletare.h"

#include "app/formati.h"

AspettoFinestra TfrmRiepDaCompletare::aspetto()
{
    AspettoFinestra a{"frmRiepDaCompletare", QStringLiteral(" Riepilogo pagine da completare"), QSize(862, 560),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmRiepDaCompletare::TfrmRiepDaCompletare(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    impostaFormatiProcesso();
}
