#include "output/frmstampapagina.h"

#include "app/stampareport.h"

AspettoFinestra TfrmStampaPagina::aspetto()
{
    AspettoFinestra a{"frmStampaPagina", QStringLiteral(" Stampa documento"), QSize(364, 287),
                      Bordo::FissaProprietario, false};
    return a;
}

TfrmStampaPagina::TfrmStampaPagina(const Contesto &contesto, QWidget *proprietario)
    : FinestraFoglio(contesto, aspetto(),
                     {QStringLiteral("Stampa"), QStringLiteral(":/output/stampante.svg"),
                      QStringLiteral("Attenzione: la stampa non è andata a buon fine.\n\r\n\r"
                                     "Si consiglia di ridurre le dimensioni della foto.")},
                     proprietario)
{
}

bool TfrmStampaPagina::esegui(QString &motivo)
{
    return stampaReport(contesto(), this, repDocumento(), nomeStampa(), &motivo) != EsitoStampa::Fallita;
}
