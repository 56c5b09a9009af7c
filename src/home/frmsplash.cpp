#include "home/frmsplash.h"

AspettoFinestra TfrmSplash::aspetto()
{
    AspettoFinestra a{"frmSplash", QStringLiteral(" Velmora - Laboratorio Velmora"), QSize(661, 467),
                      Bordo::FissaProprietario, false};
    a.sfondoAlto = Qt::white;
    a.sfondoBasso = QColor(0x35, 0x25, 0x25);
    return a;
}

TfrmSplash::TfrmSplash(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
}
