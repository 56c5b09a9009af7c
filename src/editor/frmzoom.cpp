#include "editor/frmzoom.h"

#include "app/formati.h"

AspettoFinestra TfrmZoom::aspetto()
{
    AspettoFinestra a{"frmZoom", QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmZoom::TfrmZoom(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    impostaFormatiProcesso();
}
