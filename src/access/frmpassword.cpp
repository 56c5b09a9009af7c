#include "access/frmpassword.h"

#include "access/elementiaccesso.h"
#include "access/passwordmemorizzata.h"
#include "app/accessibilita.h"
#include "app/elementi.h"
#include "app/contesto.h"
#include "app/messaggi.h"
#include "storage/registro.h"
#include "storage/testo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

namespace {

const QString kPasswordErrata = QStringLiteral("Attenzione: password errata.");
const QString kErroreLettura = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");

} // namespace

AspettoFinestra TfrmPassword::aspetto()
{
    AspettoFinestra a{"frmPassword", QStringLiteral(" Velmora - Autenticazione"), QSize(388, 405),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmPassword::TfrmPassword(const Contesto &contesto, QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
    , m_contesto(contesto)
{
    using namespace ElementiAccesso;
    QWidget *pan = creaPannello(this, QSize(360, 378));

    sfondo(pan, QStringLiteral("shpSfondo"), QRect(0, 0, 360, 176));
    Elementi::immagine(pan, QStringLiteral("imgLogo"), QStringLiteral(":/access/logo_password.svg"),
                       QRect(16, 8, 328, 160),
                       QStringLiteral("Password. Proteggi l'accesso all'app con una password di tua scelta. "
                                      "Al primo accesso usa la password \"primaveralunga\" "
                                      "(senza virgolette)."));
    sfondo(pan, QStringLiteral("shpTitolo"), QRect(0, 188, 360, 112));
    QLabel *invito = didascalia(pan, QStringLiteral("lblRigo05"),
                                QStringLiteral("Immetti la password e premi OK."), QRect(18, 204, 324, 22));

    txtPassword = campoPassword(pan, QStringLiteral("txtPassword"), QStringLiteral("effPassword"),
                                QRect(20, 240, 246, 36));
    // The prompt is a sentence: the field is named by what it asks for.
    Accessibilita::collegaDidascalia(invito, txtPassword, QStringLiteral("Password"));
    cmdOK = pulsante(pan, QStringLiteral("cmdOK"), QStringLiteral("OK"), QRect(278, 240, 64, 36));
    cmdOK->setEnabled(false);
    cmdEsci = pulsante(pan, QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QRect(0, 340, 110, 34));
    btnCambiaPassword = pulsante(pan, QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"),
                                 QRect(190, 340, 170, 34));

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &QLineEdit::returnPressed, this, &TfrmPassword::txtPasswordInvio);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
    impostaUscita({cmdEsci});
}

void TfrmPassword::FormShow()
{
    txtPassword->setFocus();
}

void TfrmPassword::ricomincia()
{
    txtPassword->clear();
    mostra();
    txtPassword->setFocus();
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!Testo::trim(txtPassword->text()).isEmpty());
}

void TfrmPassword::txtPasswordInvio()
{
    if (!Testo::trim(txtPassword->text()).isEmpty())
        cmdOKClick();
}

void TfrmPassword::cmdOKClick()
{
    QString memorizzata;
    try {
        memorizzata = leggiPasswordMemorizzata(percorsoArchivioPassword(m_contesto.cartella()));
    } catch (const std::exception &e) {
        qCWarning(lcFile) << "password store:" << e.what();
        m_contesto.messaggio(kErroreLettura);
        return;
    }

    if (formaMemorizzata(txtPassword->text()) == memorizzata) {
        m_contesto.mostraFinestra(Permanente::Avvio);
        hide();
        return;
    }
    m_contesto.messaggio(kPasswordErrata);
    txtPassword->clear();
    txtPassword->setFocus();
}

void TfrmPassword::cmdEsciClick()
{
    close();
    m_contesto.termina();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    m_contesto.mostraFinestra(Permanente::CambiaPassword);
    hide();
}
