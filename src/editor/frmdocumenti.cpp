#include "editor/frmdocumenti.h"

#include "app/finestre.h"
#include "app/formati.h"
#include "home/frmavvio.h"

AspettoFinestra TfrmDocumenti::aspetto()
{
    AspettoFinestra a{"frmDocumenti", QStringLiteral(" Velmora - Gestione pagine documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmDocumenti::TfrmDocumenti(QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
{
    impostaFormatiProcesso();
}

void TfrmDocumenti::FormClose()
{
    frmAvvio()->mostra();
}
