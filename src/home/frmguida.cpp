#include "home/frmguida.h"

AspettoFinestra TfrmGuida::aspetto()
{
    AspettoFinestra a{"frmGuida", QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572),
                      Bordo::FissaSchermo, false};
    a.sfondoAlto = Qt::white;
    a.sfondoBasso = Colori::sfondoBlu;
    return a;
}

TfrmGuida::TfrmGuida(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
}
