#include "output/frmstampapagina.h"

#include "app/formati.h"

AspettoFinestra TfrmStampaPagina::aspetto()
{
    AspettoFinestra a{"frmStampaPagina", QStringLiteral(" Stampa documento"), QSize(364, 287),
                      Bordo::FissaProprietario, false};
    return a;
}

TfrmStampaPagina::TfrmStampaPagina(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    impostaFormatiProcesso();
}
