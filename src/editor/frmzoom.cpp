#include "editor/frmzoom.h"

#include "app/vistaimmagine.h"
#include "editor/dimensionizoom.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QScreen>

AspettoFinestra TfrmZoom::aspetto()
{
    AspettoFinestra a{"frmZoom", QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    a.sfondoAlto = QColor(0x46, 0x82, 0xB4); // steel blue
    return a;
}

TfrmZoom::TfrmZoom(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    panContainer = creaPannello(this, areaZoom(aspetto().client));
    panContainer->installEventFilter(this);

    imgFoto = new VistaImmagine(panContainer);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setAccessibleName(QStringLiteral("Scansione della pagina"));
    imgFoto->setGeometry(panContainer->rect());
    connect(imgFoto, &VistaImmagine::clicked, this, &TfrmZoom::reject);
}

void TfrmZoom::impostaFoto(const QImage &foto)
{
    imgFoto->impostaImmagine(foto);
}

void TfrmZoom::FormShow()
{
    // The size of the display itself, not of the window: the window is
    // maximised and the margins leave room for its frame.
    QScreen *schermo = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    const QSize area = areaZoom(schermo->size());
    panContainer->setFixedSize(area);
    imgFoto->setGeometry(QRect(QPoint(0, 0), area));
    // The panel, larger than the design size, makes the layout resize the
    // window, and a resize before the window is on screen drops its
    // maximised state: settle the layout now and ask for it again.
    layout()->activate();
    setWindowState(windowState() | Qt::WindowMaximized);
}

bool TfrmZoom::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == panContainer && evento->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton) {
        reject();
        return true;
    }
    return FinestraDialogo::eventFilter(oggetto, evento);
}

void mostraZoom(QWidget *proprietario, const QImage &foto)
{
    apriDialogo<TfrmZoom>(proprietario, [&](TfrmZoom &zoom) { zoom.impostaFoto(foto); });
}
