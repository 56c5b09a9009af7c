#include "output/frmslideshow_documenti.h"

#include "app/formati.h"

AspettoFinestra TfrmSlideshow_Documenti::aspetto()
{
    AspettoFinestra a{"frmSlideshow_Documenti", QStringLiteral(" Slide Show Pagine Documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmSlideshow_Documenti::TfrmSlideshow_Documenti(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    impostaFormatiProcesso();
}
