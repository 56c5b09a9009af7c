#include "output/frmanteprimapagina.h"

#include "app/formati.h"

AspettoFinestra TfrmAnteprimaPagina::aspetto()
{
    AspettoFinestra a{"frmAnteprimaPagina", QStringLiteral(" Anteprima di stampa"), QSize(364, 287),
                      Bordo::FissaProprietario, false};
    return a;
}

TfrmAnteprimaPagina::TfrmAnteprimaPagina(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    impostaFormatiProcesso();
}
