#include "home/frmavvio.h"

#include "app/elementi.h"
#include "app/finestre.h"
#include "app/formati.h"
#include "app/openurl.h"
#include "app/vistaimmagine.h"
#include "home/frmguida.h"
#include "home/frminfo.h"
#include "home/frmsplash.h"
#include "home/produttore.h"

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
    using namespace Elementi;

    QWidget *pan = creaPannello(this, QSize(995, 692));
    rettangolo(pan, QStringLiteral("shpTop"), QRect(6, 6, 983, 92));
    rettangolo(pan, QStringLiteral("shpApp01"), QRect(6, 106, 487, 494));
    rettangolo(pan, QStringLiteral("shpApp02"), QRect(502, 106, 487, 494));
    rettangolo(pan, QStringLiteral("shpBottom"), QRect(6, 608, 983, 78));

    imgInfo = comando(pan, QStringLiteral("imgInfo"), QStringLiteral(":/home/info.svg"), QRect(20, 20, 30, 30));
    immagine(pan, QStringLiteral("icoTitolo01"), QStringLiteral(":/home/titolo.svg"), QRect(87, 12, 820, 52));
    imgGuida = comando(pan, QStringLiteral("imgGuida"), QStringLiteral(":/home/guida.svg"), QRect(946, 21, 29, 28));
    immagine(pan, QStringLiteral("imgSottotitolo"), QStringLiteral(":/home/sottotitolo.svg"),
             QRect(17, 70, 961, 22));

    imgApp01 = comando(pan, QStringLiteral("imgApp01"), QStringLiteral(":/home/crea.svg"), QRect(51, 122, 397, 370));
    btnApp01 = comando(pan, QStringLiteral("btnApp01"), QStringLiteral(":/home/btn_crea.svg"),
                       QRect(52, 520, 395, 53));
    imgApp02 = comando(pan, QStringLiteral("imgApp02"), QStringLiteral(":/home/apri.svg"), QRect(565, 122, 361, 370));
    btnApp02 = comando(pan, QStringLiteral("btnApp02"), QStringLiteral(":/home/btn_apri.svg"),
                       QRect(548, 520, 395, 53));

    imgSito = comando(pan, QStringLiteral("imgSito"), QStringLiteral(":/home/sito.svg"), QRect(17, 618, 961, 22));
    imgCopyright = comando(pan, QStringLiteral("imgCopyright"), QStringLiteral(":/home/copyright.svg"),
                           QRect(20, 652, 23, 22));
    imgEsci = comando(pan, QStringLiteral("imgEsci"), QStringLiteral(":/home/esci.svg"), QRect(958, 654, 17, 18));

    connect(imgApp01, &VistaImmagine::clicked, this, &TfrmAvvio::app01Click);
    connect(btnApp01, &VistaImmagine::clicked, this, &TfrmAvvio::app01Click);
    connect(imgApp02, &VistaImmagine::clicked, this, &TfrmAvvio::app02Click);
    connect(btnApp02, &VistaImmagine::clicked, this, &TfrmAvvio::app02Click);
    connect(imgInfo, &VistaImmagine::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgCopyright, &VistaImmagine::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgGuida, &VistaImmagine::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgSito, &VistaImmagine::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgEsci, &VistaImmagine::clicked, this, &TfrmAvvio::imgEsciClick);
}

void TfrmAvvio::FormClose()
{
    // Closing the launcher is one of the three ways out of the program.
    terminaProgramma();
}

void TfrmAvvio::app01Click()
{
    mostraFinestra(Permanente::CreaCatalogo);
    hide();
}

void TfrmAvvio::app02Click()
{
    mostraFinestra(Permanente::ApriCatalogo);
    hide();
}

void TfrmAvvio::imgInfoClick()
{
    apriDialogo<TfrmInfo>(this);
}

void TfrmAvvio::imgCopyrightClick()
{
    apriDialogo<TfrmSplash>(this);
}

void TfrmAvvio::imgGuidaClick()
{
    apriGuida(this, ArgomentoGuida::Avvio);
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(Produttore::sito);
}

void TfrmAvvio::imgEsciClick()
{
    terminaProgramma();
}
