#include "home/frmavvio.h"

#include "app/finestre.h"
#include "app/formati.h"

AspettoFinestra TfrmAvvio::aspetto()
{
    AspettoFinestra a{"frmAvvio", QStringLiteral(" Velmora"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmAvvio::TfrmAvvio(QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
{
    impostaFormatiProcesso();
}

void TfrmAvvio::FormClose()
{
    // Closing the launcher is one of the three ways out of the program.
    terminaProgramma();
}
