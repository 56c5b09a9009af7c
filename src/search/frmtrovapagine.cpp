#include "search/frmtrovapagine.h"

#include "app/formati.h"

AspettoFinestra TfrmTrovaPagine::aspetto()
{
    AspettoFinestra a{"frmTrovaPagine", QStringLiteral(" Trova pagine in archivio"), QSize(862, 560),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmTrovaPagine::TfrmTrovaPagine(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    impostaFormatiProcesso();
}
