#include "output/frmslideshow_documenti.h"

#include "app/contesto.h"
#include "app/elementi.h"
#include "app/messaggi.h"
#include "app/vistaimmagine.h"
#include "output/passoslideshow.h"
#include "storage/archiviopagine.h"
#include "storage/testo.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kIntervalloMs = 6000;

QLabel *etichettaNascosta(QWidget *genitore, const QString &nome)
{
    auto *l = new QLabel(genitore);
    l->setObjectName(nome);
    l->hide();
    return l;
}

} // namespace

AspettoFinestra TfrmSlideshow_Documenti::aspetto()
{
    AspettoFinestra a{"frmSlideshow_Documenti", QStringLiteral(" Slide Show Pagine Documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    a.sfondoAlto = QColor(0x46, 0x82, 0xB4); // steel blue
    return a;
}

TfrmSlideshow_Documenti::TfrmSlideshow_Documenti(const Contesto &contesto, QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
    , m_contesto(contesto)
{
    using namespace Elementi;

    panContainer = creaPannello(this, aspetto().client - QSize(60, 90));
    panContainer->installEventFilter(this);
    imgFoto = new VistaImmagine(panContainer);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setAccessibleName(QStringLiteral("Scansione della pagina"));
    imgFoto->setGeometry(panContainer->rect());
    connect(imgFoto, &VistaImmagine::clicked, this, &QDialog::reject);

    imgBianco = vista(this, QStringLiteral("imgBianco"), QStringLiteral(":/output/bianco.svg"),
                        QRect(0, 0, 680, 183));
    imgBianco->setAccessibleName(QStringLiteral("Avvio Slide Show. Attendere..."));
    imgBianco->hide();
    cmdAvanti = new VistaImmagine(this);
    cmdAvanti->setObjectName(QStringLiteral("cmdAvanti"));
    cmdAvanti->hide();
    connect(cmdAvanti, &VistaImmagine::clicked, this, &TfrmSlideshow_Documenti::cmdAvantiClick);
    lblPosizione = etichettaNascosta(this, QStringLiteral("lblPosizione"));
    lblNome = etichettaNascosta(this, QStringLiteral("lblNome"));
    lblFile = etichettaNascosta(this, QStringLiteral("lblFile"));

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(kIntervalloMs);
    connect(Timer, &QTimer::timeout, this, &TfrmSlideshow_Documenti::cmdAvantiClick);
}

void TfrmSlideshow_Documenti::FormShow()
{
    QScreen *schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    if (schermo) {
        const QSize area = schermo->size() - QSize(60, 90);
        panContainer->setFixedSize(area);
        imgFoto->setGeometry(QRect(QPoint(0, 0), area));
        // The panel, larger than the design size, makes the layout resize
        // the window, and a resize before the window is on screen drops its
        // maximised state: settle the layout now and ask for it again.
        layout()->activate();
        setWindowState(windowState() | Qt::WindowMaximized);
    }
    mostraSegnaposto();
    Timer->start();
}

void TfrmSlideshow_Documenti::cmdAvantiClick()
{
    QString posizione = lblPosizione->text();
    const EsitoPasso esito = passoSlideshow(lblFile->text(), posizione);
    lblPosizione->setText(posizione);
    switch (esito) {
    case EsitoPasso::NuovaPagina:
        subApriFoto();
        break;
    case EsitoPasso::StessaPagina:
        break;
    case EsitoPasso::ArchivioVuoto:
        Timer->stop();
        m_contesto.informazione(kMessaggioArchivioVuoto);
        reject();
        break;
    case EsitoPasso::ErroreAccesso:
        // One message at a time: the timer waits while it is up, so the
        // messages do not pile up every six seconds.
        Timer->stop();
        m_contesto.errore(kMessaggioAccessoArchivio);
        if (isVisible())
            Timer->start();
        break;
    }
}

void TfrmSlideshow_Documenti::subApriFoto()
{
    // Decoded at the size the screen shows it, never larger.
    const QSize area = imgFoto->size() * imgFoto->devicePixelRatioF();
    const QImage foto = fotoSlideshow(m_contesto.cartella(), lblNome->text(), lblPosizione->text().toInt(), area);
    if (foto.isNull())
        mostraSegnaposto();
    else
        imgFoto->impostaImmagine(foto);
}

void TfrmSlideshow_Documenti::mostraSegnaposto()
{
    imgFoto->impostaImmagine(imgBianco->immagine());
}

bool TfrmSlideshow_Documenti::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == panContainer && evento->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton) {
        reject();
        return true;
    }
    return FinestraDialogo::eventFilter(oggetto, evento);
}

void apriSlideshow(const Contesto &contesto, QWidget *proprietario, const QString &percorso, const QString &nome)
{
    apriDialogo<TfrmSlideshow_Documenti>(contesto, proprietario, [&](TfrmSlideshow_Documenti &s) {
        s.lblNome->setText(Testo::trim(nome));
        s.lblFile->setText(Testo::trim(percorso));
    });
}
