#include "output/frmanteprimapagina.h"

#include "app/stampareport.h"

AspettoFinestra TfrmAnteprimaPagina::aspetto()
{
    AspettoFinestra a{"frmAnteprimaPagina", QStringLiteral(" Anteprima di stampa"), QSize(364, 287),
                      Bordo::FissaProprietario, false};
    return a;
}

TfrmAnteprimaPagina::TfrmAnteprimaPagina(const Contesto &contesto, QWidget *proprietario)
    : FinestraFoglio(contesto, aspetto(),
                     {QStringLiteral("Mostra anteprima"), QStringLiteral(":/output/lente.svg"),
                      QStringLiteral("Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon "
                                     "fine.\n\r\n\rSi consiglia di ridurre le dimensioni della foto.")},
                     proprietario)
{
}

bool TfrmAnteprimaPagina::esegui(QString &)
{
    return anteprimaReport(contesto(), this, repDocumento(), nomeStampa());
}
