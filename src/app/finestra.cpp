#include "app/finestra.h"

#include "app/accessibilita.h"
#include "app/protezioneclic.h"
#include "app/vistaimmagine.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QScreen>

void applicaAspetto(QWidget *finestra, const AspettoFinestra &aspetto)
{
    // A running number makes the order in which windows were made visible
    // from outside (the first one made is the main window).
    static int contatore = 0;
    finestra->setProperty("ordineCreazione", ++contatore);
    finestra->setObjectName(QString::fromLatin1(aspetto.nome));
    finestra->setWindowTitle(aspetto.titolo);

    Qt::WindowFlags flags = finestra->windowFlags() & Qt::WindowType_Mask;
    if (aspetto.pulsantiTitolo) {
        flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
            | Qt::WindowCloseButtonHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    }
    finestra->setWindowFlags(flags);

    if (aspetto.bordo == Bordo::Massimizzata) {
        finestra->resize(aspetto.client);
        finestra->setWindowState(Qt::WindowMaximized);
    } else {
        finestra->setFixedSize(aspetto.client);
    }

    // ObjectMode stretches the gradient over whatever size the window has.
    QLinearGradient sfumatura(0, 0, 0, 1);
    sfumatura.setCoordinateMode(QGradient::ObjectMode);
    sfumatura.setColorAt(0, aspetto.sfondoAlto);
    sfumatura.setColorAt(1, aspetto.sfondoBasso);
    QPalette p = finestra->palette();
    p.setBrush(QPalette::Window, QBrush(sfumatura));
    finestra->setPalette(p);
    finestra->setAutoFillBackground(true);
}

void centra(QWidget *finestra, Bordo bordo)
{
    if (bordo == Bordo::Massimizzata)
        return;
    QRect area;
    QWidget *proprietario = finestra->parentWidget();
    if (bordo == Bordo::FissaProprietario && proprietario && proprietario->isVisible()) {
        area = proprietario->frameGeometry();
    } else {
        QScreen *schermo = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
        if (!schermo)
            return;
        area = schermo->availableGeometry();
    }
    // move() places the frame: centre the frame, whose margins are known
    // once the window has been shown.
    QRect r(QPoint(0, 0), finestra->frameGeometry().size());
    r.moveCenter(area.center());
    finestra->move(r.topLeft());
}

QWidget *creaPannello(QWidget *finestra, const QSize &dimensione, const QString &nome)
{
    auto *pannello = new QWidget(finestra);
    pannello->setObjectName(nome);
    pannello->setFixedSize(dimensione);
    auto *layout = new QGridLayout(finestra);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pannello, 0, 0, Qt::AlignCenter);
    return pannello;
}

ComportamentoFinestra::ComportamentoFinestra(const AspettoFinestra &aspetto)
    : m_bordo(aspetto.bordo)
    , m_pulsantiTitolo(aspetto.pulsantiTitolo)
{
    ProtezioneClic::installa();
    Accessibilita::installa();
}

void ComportamentoFinestra::primaDiMostrare(QWidget *finestra, bool visibile) const
{
    if (visibile && !finestra->isVisible())
        centra(finestra, m_bordo);
}

bool ComportamentoFinestra::dopoMostrata(QWidget *finestra, QShowEvent *evento) const
{
    centra(finestra, m_bordo);
    return !evento->spontaneous();
}

void ComportamentoFinestra::impostaUscita(std::initializer_list<QWidget *> comandi)
{
    m_uscita.clear();
    for (QWidget *comando : comandi)
        m_uscita.append(comando);
}

namespace {

// What a click on a command does; each kind of command checks by itself
// that it could be clicked now.
void premi(QWidget *comando)
{
    if (auto *pulsante = qobject_cast<QAbstractButton *>(comando))
        pulsante->click();
    else if (auto *immagine = qobject_cast<VistaImmagine *>(comando))
        immagine->premi();
}

} // namespace

QWidget *ComportamentoFinestra::uscita(const QWidget *finestra) const
{
    for (const QPointer<QWidget> &comando : m_uscita) {
        if (comando && comando->isVisibleTo(finestra))
            return comando;
    }
    return nullptr;
}

bool ComportamentoFinestra::chiusuraRifiutata(QWidget *finestra, QCloseEvent *evento) const
{
    if (m_pulsantiTitolo || !evento->spontaneous())
        return false;
    evento->ignore();
    // Queued: the command may close this very window, which the toolkit
    // does not allow while the close request is under way.
    if (QWidget *comando = uscita(finestra))
        QMetaObject::invokeMethod(comando, [comando] { premi(comando); }, Qt::QueuedConnection);
    return true;
}

bool ComportamentoFinestra::esciConEscape(QWidget *finestra) const
{
    if (m_pulsantiTitolo)
        return false;
    const QWidget *modale = QApplication::activeModalWidget();
    if (modale && modale != finestra->window())
        return true;
    if (QWidget *comando = uscita(finestra))
        premi(comando);
    return true;
}

void ComportamentoFinestra::dopoNascosta() const
{
    ProtezioneClic::finestraNascosta();
}

FinestraPermanente::FinestraPermanente(const AspettoFinestra &aspetto, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_comportamento(aspetto)
{
    applicaAspetto(this, aspetto);
}

void FinestraPermanente::mostra()
{
    if (bordo() == Bordo::Massimizzata)
        showMaximized();
    else
        show();
    raise();
    activateWindow();
}

void FinestraPermanente::setVisible(bool visibile)
{
    m_comportamento.primaDiMostrare(this, visibile);
    QWidget::setVisible(visibile);
}

void FinestraPermanente::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (m_comportamento.dopoMostrata(this, evento))
        FormShow();
}

void FinestraPermanente::hideEvent(QHideEvent *evento)
{
    QWidget::hideEvent(evento);
    if (!evento->spontaneous())
        m_comportamento.dopoNascosta();
}

void FinestraPermanente::closeEvent(QCloseEvent *evento)
{
    if (m_comportamento.chiusuraRifiutata(this, evento))
        return;
    evento->accept();
    FormClose();
}

FinestraDialogo::FinestraDialogo(const AspettoFinestra &aspetto, QWidget *proprietario)
    : QDialog(proprietario)
    , m_comportamento(aspetto)
{
    applicaAspetto(this, aspetto);
    setModal(true);
    setSizeGripEnabled(false);
}

void FinestraDialogo::setVisible(bool visibile)
{
    m_comportamento.primaDiMostrare(this, visibile);
    QDialog::setVisible(visibile);
}

void FinestraDialogo::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (m_comportamento.dopoMostrata(this, evento))
        FormShow();
}

void FinestraDialogo::hideEvent(QHideEvent *evento)
{
    QDialog::hideEvent(evento);
    if (!evento->spontaneous())
        m_comportamento.dopoNascosta();
}

void FinestraDialogo::closeEvent(QCloseEvent *evento)
{
    if (m_comportamento.chiusuraRifiutata(this, evento))
        return;
    QDialog::closeEvent(evento);
}

void FinestraDialogo::keyPressEvent(QKeyEvent *evento)
{
    const int tasto = evento->key();
    if (tasto == Qt::Key_Escape && m_comportamento.esciConEscape(this)) {
        evento->accept();
        return;
    }
    // Enter belongs to the fields (Enter chaining), never to a default button.
    if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}
