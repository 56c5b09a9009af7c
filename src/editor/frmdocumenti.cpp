#include "editor/frmdocumenti.h"

#include "app/finestre.h"
#include "app/formati.h"
#include "home/frmavvio.h"

#include <QLabel>

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
    QWidget *pannello = creaPannello(this, QSize(996, 692));
    lblNome = new QLabel(QStringLiteral("Nome documento"), pannello);
    lblNome->setObjectName(QStringLiteral("lblNome"));
    lblFile = new QLabel(pannello);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();
    lblPosizione = new QLabel(pannello);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
}

void TfrmDocumenti::MostraScheda(const TSchedaPagina &, int posizione)
{
    lblPosizione->setText(QString::number(posizione));
}

void TfrmDocumenti::PulisciScheda()
{
    lblPosizione->clear();
}

void TfrmDocumenti::FormShow()
{
    PulisciScheda();
}

void TfrmDocumenti::FormClose()
{
    frmAvvio()->mostra();
}
