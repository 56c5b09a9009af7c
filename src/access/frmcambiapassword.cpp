#include "access/frmcambiapassword.h"

#include "access/elementiaccesso.h"
#include "access/passwordmemorizzata.h"
#include "app/accessibilita.h"
#include "app/elementi.h"
#include "app/contesto.h"
#include "app/catenainvio.h"
#include "app/messaggi.h"
#include "storage/registro.h"
#include "storage/testo.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

namespace {

const QString kVecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNonConfermata = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString kCaratteriNonAmmessi = QStringLiteral(
    "Attenzione: la nuova password contiene caratteri non ammessi. Sono ammesse soltanto le lettere, "
    "le cifre e i simboli dell'alfabeto latino occidentale. E' necessario reinserire entrambi i valori.");
const QString kTroppoLunga = QStringLiteral(
    "Attenzione: la nuova password non può superare i %1 caratteri. "
    "E' necessario reinserire entrambi i valori.")
                                 .arg(kLunghezzaMassimaPassword);
const QString kCompletata = QStringLiteral("Modifica della password completata con successo.");
const QString kErroreModifica = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");

} // namespace

AspettoFinestra TfrmCambiaPassword::aspetto()
{
    AspettoFinestra a{"frmCambiaPassword", QStringLiteral(" Cambia password"), QSize(411, 418),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmCambiaPassword::TfrmCambiaPassword(const Contesto &contesto, QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
    , m_contesto(contesto)
{
    using namespace ElementiAccesso;
    QWidget *pan = creaPannello(this, QSize(385, 390));

    sfondo(pan, QStringLiteral("shpSfondo"), QRect(0, 0, 385, 346));
    Elementi::immagine(pan, QStringLiteral("imgLogo"), QStringLiteral(":/access/logo_cambiapassword.svg"),
                       QRect(16, 6, 353, 148),
                       QStringLiteral("Cambia password. Per cambiare la password immetti i dati nei campi "
                                      "sottostanti e premi OK."));

    QLabel *vecchia =
        didascalia(pan, QStringLiteral("lblRigo05"), QStringLiteral("Vecchia password:"), QRect(20, 158, 345, 20));
    txtPasswordOld = campoPassword(pan, QStringLiteral("txtPasswordOld"), QStringLiteral("effPasswordOld"),
                                   QRect(20, 180, 345, 32));
    Accessibilita::collegaDidascalia(vecchia, txtPasswordOld);
    QLabel *nuova =
        didascalia(pan, QStringLiteral("lblRigo06"), QStringLiteral("Nuova password:"), QRect(20, 218, 345, 20));
    txtPasswordNew = campoPassword(pan, QStringLiteral("txtPasswordNew"), QStringLiteral("effPasswordNew"),
                                   QRect(20, 240, 345, 32));
    Accessibilita::collegaDidascalia(nuova, txtPasswordNew);
    QLabel *conferma = didascalia(pan, QStringLiteral("lblRigo07"), QStringLiteral("Conferma nuova password:"),
                                  QRect(20, 278, 345, 20));
    txtConferma = campoPassword(pan, QStringLiteral("txtConferma"), QStringLiteral("effConferma"),
                                QRect(20, 300, 345, 32));
    Accessibilita::collegaDidascalia(conferma, txtConferma);

    cmdEsci = pulsante(pan, QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), QRect(0, 354, 110, 34));
    cmdOK = pulsante(pan, QStringLiteral("cmdOK"), QStringLiteral("OK"), QRect(275, 354, 110, 34));
    cmdOK->setEnabled(false);

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);
    // Enter only moves on, round the three fields; it never runs OK here.
    collegaInvio({txtPasswordOld, txtPasswordNew, txtConferma}, true);

    for (QLineEdit *campo : {txtPasswordOld, txtPasswordNew, txtConferma})
        connect(campo, &QLineEdit::textChanged, this, &TfrmCambiaPassword::campoChange);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    impostaUscita({cmdEsci});
}

void TfrmCambiaPassword::FormShow()
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::FormClose()
{
    emit chiusa();
}

void TfrmCambiaPassword::campoChange()
{
    cmdOK->setEnabled(!Testo::trim(txtPasswordOld->text()).isEmpty()
                      && !Testo::trim(txtPasswordNew->text()).isEmpty()
                      && !Testo::trim(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    const QString archivio = percorsoArchivioPassword(m_contesto.cartella());
    QString memorizzata;
    try {
        memorizzata = leggiPasswordMemorizzata(archivio);
    } catch (const std::exception &e) {
        qCWarning(lcFile) << "password store:" << e.what();
        m_contesto.messaggio(kErroreModifica);
        return;
    }
    if (formaMemorizzata(txtPasswordOld->text()) != memorizzata) {
        m_contesto.messaggio(kVecchiaErrata);
        txtPasswordOld->clear();
        txtPasswordOld->setFocus();
        return;
    }
    // The confirmation is compared as typed: letter case counts here.
    if (Testo::trim(txtPasswordNew->text()) != Testo::trim(txtConferma->text())) {
        reinserisciNuova(kNonConfermata);
        return;
    }
    const QString nuova = formaMemorizzata(txtPasswordNew->text());
    if (!nuovaPasswordAccettata(nuova))
        return;
    try {
        scriviPasswordMemorizzata(archivio, nuova, m_contesto.chiamateDisco());
    } catch (const std::exception &e) {
        qCWarning(lcFile) << "password store:" << e.what();
        m_contesto.messaggio(kErroreModifica);
        return;
    }
    m_contesto.messaggio(kCompletata);
    close();
}

// Only a password that reads back exactly as typed may be stored: otherwise
// the change would seem to succeed and lock everyone out.
bool TfrmCambiaPassword::nuovaPasswordAccettata(const QString &nuova)
{
    switch (verificaNuovaPassword(nuova)) {
    case EsitoNuovaPassword::CaratteriNonAmmessi:
        reinserisciNuova(kCaratteriNonAmmessi);
        return false;
    case EsitoNuovaPassword::TroppoLunga:
        reinserisciNuova(kTroppoLunga);
        return false;
    case EsitoNuovaPassword::Vuota:
    case EsitoNuovaPassword::Valida:
        break;
    }
    return true;
}

void TfrmCambiaPassword::reinserisciNuova(const QString &messaggio)
{
    m_contesto.messaggio(messaggio);
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordNew->setFocus();
}
