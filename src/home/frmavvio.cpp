#include "home/frmavvio.h"

#include "app/elementi.h"
#include "app/contesto.h"
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

TfrmAvvio::TfrmAvvio(const Contesto &contesto, QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
    , m_contesto(contesto)
{
    using namespace Elementi;

    QWidget *pan = creaPannello(this, QSize(995, 692));
    rettangolo(pan, QStringLiteral("shpTop"), QRect(6, 6, 983, 92));
    rettangolo(pan, QStringLiteral("shpApp01"), QRect(6, 106, 487, 494));
    rettangolo(pan, QStringLiteral("shpApp02"), QRect(502, 106, 487, 494));
    rettangolo(pan, QStringLiteral("shpBottom"), QRect(6, 608, 983, 78));

    const QString crea = QStringLiteral("Crea un nuovo documento in cui archiviare le pagine scansionate.");
    const QString apri = QStringLiteral("Apre un documento esistente per gestirne le pagine.");
    imgInfo = comando(pan, QStringLiteral("imgInfo"), QStringLiteral(":/home/info.svg"), QRect(20, 20, 30, 30),
                      QStringLiteral("Informazioni"), QStringLiteral("Visualizza le informazioni sul programma."));
    immagine(pan, QStringLiteral("icoTitolo01"), QStringLiteral(":/home/titolo.svg"), QRect(87, 12, 820, 52),
             QStringLiteral("Velmora"));
    imgGuida = comando(pan, QStringLiteral("imgGuida"), QStringLiteral(":/home/guida.svg"), QRect(946, 21, 29, 28),
                       QStringLiteral("Guida"), QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    immagine(pan, QStringLiteral("imgSottotitolo"), QStringLiteral(":/home/sottotitolo.svg"),
             QRect(17, 70, 961, 22),
             QStringLiteral("Software per archiviare e descrivere minuziosamente le singole pagine scansionate "
                            "dei propri documenti cartacei di qualsiasi tipo"));

    imgApp01 = comando(pan, QStringLiteral("imgApp01"), QStringLiteral(":/home/crea.svg"), QRect(51, 122, 397, 370),
                       QStringLiteral("Crea nuovo documento"), crea);
    btnApp01 = comando(pan, QStringLiteral("btnApp01"), QStringLiteral(":/home/btn_crea.svg"),
                       QRect(52, 520, 395, 53), QStringLiteral("Crea nuovo documento"), crea);
    imgApp02 = comando(pan, QStringLiteral("imgApp02"), QStringLiteral(":/home/apri.svg"), QRect(565, 122, 361, 370),
                       QStringLiteral("Apri documento esistente"), apri);
    btnApp02 = comando(pan, QStringLiteral("btnApp02"), QStringLiteral(":/home/btn_apri.svg"),
                       QRect(548, 520, 395, 53), QStringLiteral("Apri documento esistente"), apri);

    imgSito = comando(pan, QStringLiteral("imgSito"), QStringLiteral(":/home/sito.svg"), QRect(17, 618, 961, 22),
                      QStringLiteral("Sito del produttore"), QStringLiteral("Apre il sito web del produttore."));
    imgCopyright = comando(pan, QStringLiteral("imgCopyright"), QStringLiteral(":/home/copyright.svg"),
                           QRect(20, 652, 23, 22), QStringLiteral("Copyright"),
                           QStringLiteral("Visualizza la finestra del produttore del programma."));
    imgEsci = comando(pan, QStringLiteral("imgEsci"), QStringLiteral(":/home/esci.svg"), QRect(958, 654, 17, 18),
                      QStringLiteral("Esci"), QStringLiteral("Chiude il programma."));

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

void TfrmAvvio::FormShow()
{
    // The keyboard starts on the first working area, not on the small
    // icons of the top band; a later show keeps the user's last command.
    if (!focusWidget())
        btnApp01->setFocus();
}

void TfrmAvvio::FormClose()
{
    // Closing the launcher is one of the three ways out of the program.
    m_contesto.termina();
}

void TfrmAvvio::app01Click()
{
    m_contesto.mostraFinestra(Permanente::CreaCatalogo);
    hide();
}

void TfrmAvvio::app02Click()
{
    m_contesto.mostraFinestra(Permanente::ApriCatalogo);
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
    apriGuida(m_contesto, this, ArgomentoGuida::Avvio);
}

void TfrmAvvio::imgSitoClick()
{
    TMisc::Open(Produttore::sito);
}

void TfrmAvvio::imgEsciClick()
{
    m_contesto.termina();
}
