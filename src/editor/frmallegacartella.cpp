#include "editor/frmallegacartella.h"

#include "app/accessibilita.h"
#include "app/contesto.h"
#include "app/chiamante.h"
#include "app/dialoghifile.h"
#include "app/elementi.h"
#include "app/messaggi.h"
#include "app/openurl.h"
#include "app/rifinitura.h"
#include "app/vistaimmagine.h"
#include "storage/allegati.h"
#include "storage/testo.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPushButton>

namespace {

const QString kDomandaSovrascrivi = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
    "Si vuole sovrascrivere il file esistente?");
const QString kNomeNonMemorizzabile = QStringLiteral(
    "Attenzione: il nome del file scelto non può essere memorizzato nella scheda. Il nome deve avere al "
    "massimo 250 caratteri e contenere soltanto lettere, cifre e simboli dell'alfabeto latino occidentale."
    "\r\n\r\nRinominare il file e sceglierlo di nuovo.");
// Followed by the reason: the file and what the system said of it.
const QString kCopiaNonRiuscita = QStringLiteral(
    "Attenzione: il sistema non ha permesso di copiare il file nella cartella dei documenti allegati."
    "\r\n\r\nMotivo: %1.");

// Design places, in client coordinates of the 634 x 534 window.
constexpr int kMargine = 10;
constexpr int kLarghezzaRiga = 614;
constexpr int kAltezzaRiga = 114;
constexpr int kPrimaRiga = 124;
constexpr int kPassoRiga = 120;

QWidget *pannelloSfumato(QWidget *genitore, const QRect &posto, const QString &nome)
{
    QLinearGradient sfumatura(0, 0, 0, 1);
    sfumatura.setCoordinateMode(QGradient::ObjectMode);
    sfumatura.setColorAt(0, QColor(0xA8, 0xCA, 0xE5));
    sfumatura.setColorAt(1, Qt::white);
    return Elementi::rettangolo(genitore, nome, posto, sfumatura);
}

// Captions take the size of their text at a design point.
QLabel *didascalia(QWidget *genitore, const QString &testo, const QPoint &dove)
{
    QLabel *l = Elementi::didascalia(genitore, QString(), testo, QRect(dove, QSize()),
                                     Elementi::carattere(QStringLiteral("Verdana"), 9, true),
                                     QColor(0x12, 0x36, 0x5A));
    allaRifinitura(l, [l] { l->adjustSize(); });
    return l;
}

// Enter in this dialog never clicks a button by itself: a focused "Sfoglia..."
// or "Apri" would otherwise take it.
QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    QPushButton *b = Elementi::pulsante(genitore, nome, testo, posto);
    b->setAutoDefault(false);
    return b;
}

} // namespace

AspettoFinestra TfrmAllegaCartella::aspetto()
{
    AspettoFinestra a{"frmAllegaCartella", QStringLiteral(" Allega file"), QSize(634, 534),
                      Bordo::FissaSchermo, false};
    a.sfondoAlto = QColor(0x6A, 0x9B, 0xC4);
    return a;
}

TfrmAllegaCartella::TfrmAllegaCartella(const Contesto &contesto, QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
    , m_contesto(contesto)
{
    Elementi::immagine(this, QStringLiteral("imgLogo"), QStringLiteral(":/allegati/istruzioni.svg"),
                       QRect(kMargine, 8, kLarghezzaRiga, 108),
                       QStringLiteral("Selezionare i file da allegare alla scheda corrente servendosi del pulsante "
                                      "Sfoglia. Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per "
                                      "salvare le modifiche. Per aprire un file è sufficiente premere il pulsante "
                                      "Apri."));

    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    for (int k = 0; k < 3; ++k) {
        const QRect posto(kMargine, kPrimaRiga + k * kPassoRiga, kLarghezzaRiga, kAltezzaRiga);
        QWidget *pannello = pannelloSfumato(this, posto, nomeNumerato("panRiga", k));
        // Each row's "Sfoglia..." and "Apri" read alike: the group says which file they are for.
        pannello->setAccessibleName(QStringLiteral("%1° file allegato").arg(k + 1));
        creaRiga(pannello, k);
    }

    const int yComandi = kPrimaRiga + 3 * kPassoRiga + 6;
    btnAnnulla = pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                          QRect(634 - kMargine - 110, yComandi, 110, 32));
    btnApplica = pulsante(this, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"),
                          QRect(btnAnnulla->x() - 10 - 150, yComandi, 150, 32));
    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
    impostaUscita({btnAnnulla});

    QWidget *precedente = nullptr;
    for (const Riga &r : m_righe) {
        for (QWidget *w : {static_cast<QWidget *>(r.txtFile), static_cast<QWidget *>(r.imgCancella),
                           static_cast<QWidget *>(r.btnSfoglia), static_cast<QWidget *>(r.btnApri),
                           static_cast<QWidget *>(r.txtDesc)}) {
            if (precedente)
                setTabOrder(precedente, w);
            precedente = w;
        }
    }
    setTabOrder(precedente, btnApplica);
    setTabOrder(btnApplica, btnAnnulla);
}

void TfrmAllegaCartella::creaRiga(QWidget *pannello, int k)
{
    const QString n = QString::number(k + 1);
    Riga &r = m_righe[k];

    QLabel *nome = didascalia(pannello, QStringLiteral("Nome %1° file allegato:").arg(n), QPoint(12, 5));
    r.txtFile = new QLineEdit(pannello);
    r.txtFile->setObjectName(nomeNumerato("txtFile", k));
    Accessibilita::collegaDidascalia(nome, r.txtFile);
    r.txtFile->setGeometry(12, 24, 338, 28);
    r.txtFile->setReadOnly(true);
    // A field lays out its text again for a new font, which loads that font:
    // the fields take theirs when the dialog first opens.
    allaRifinitura(r.txtFile, [campo = r.txtFile] {
        campo->setFont(Elementi::carattere(QStringLiteral("Verdana"), 10, true));
    });
    QPalette grigio = r.txtFile->palette();
    grigio.setColor(QPalette::Text, QColor(0x80, 0x80, 0x80));
    r.txtFile->setPalette(grigio);

    r.imgCancella = Elementi::comando(pannello, nomeNumerato("imgCancella", k),
                                      QStringLiteral(":/allegati/gomma.svg"), QRect(356, 27, 22, 22),
                                      QStringLiteral("Cancella nome %1° file").arg(n),
                                      QStringLiteral("Cancella il nome del %1° file allegato.").arg(n));

    r.btnSfoglia = pulsante(pannello, nomeNumerato("btnSfoglia", k), QStringLiteral("Sfoglia..."),
                            QRect(388, 23, 104, 30));
    r.btnApri = pulsante(pannello, nomeNumerato("btnApri", k), QStringLiteral("Apri"), QRect(500, 23, 104, 30));
    r.btnApri->setEnabled(false);

    QLabel *descrizione =
        didascalia(pannello, QStringLiteral("Descrizione %1° file allegato:").arg(n), QPoint(12, 58));
    r.txtDesc = new QLineEdit(pannello);
    r.txtDesc->setObjectName(nomeNumerato("txtDesc", k));
    Accessibilita::collegaDidascalia(descrizione, r.txtDesc);
    r.txtDesc->setGeometry(12, 77, 552, 30);
    allaRifinitura(r.txtDesc, [campo = r.txtDesc] {
        campo->setFont(Elementi::carattere(QStringLiteral("Verdana"), 12, true));
    });

    connect(r.btnSfoglia, &QPushButton::clicked, this, [this, k] { btnSfogliaClick(k); });
    connect(r.btnApri, &QPushButton::clicked, this, [this, k] { btnApriClick(k); });
    connect(r.imgCancella, &VistaImmagine::clicked, this, [this, k] { imgCancellaClick(k); });
    connect(r.txtFile, &QLineEdit::textChanged, this, [this, k] { txtFileChange(k); });
}

void TfrmAllegaCartella::impostaValori(const ValoriAllegati &valori)
{
    for (int k = 0; k < 3; ++k) {
        m_righe[k].txtFile->setText(Testo::trim(valori.nomi[k]));
        m_righe[k].txtDesc->setText(Testo::trim(valori.descrizioni[k]));
    }
}

ValoriAllegati TfrmAllegaCartella::valori() const
{
    ValoriAllegati v;
    for (int k = 0; k < 3; ++k) {
        v.nomi[k] = Testo::trim(m_righe[k].txtFile->text());
        v.descrizioni[k] = Testo::trim(m_righe[k].txtDesc->text());
    }
    return v;
}

// The copy is made here, not on confirmation: a file chosen and then
// abandoned with "Annulla" stays in the folder. A name the record could not
// hold is refused before anything is copied; a copy that fails (a full
// disk) is said so, and the name field keeps the chosen name, unless the
// folder itself could not be made: then it is left empty.
void TfrmAllegaCartella::btnSfogliaClick(int k)
{
    RichiestaFile richiesta;
    richiesta.modo = RichiestaFile::Apri;
    richiesta.titolo = QStringLiteral("Selezionare il file da allegare:");
    richiesta.filtri = {QStringLiteral("Tutti i file (*)")};
    const QString sorgente = m_contesto.scegliFile(this, richiesta);
    if (sorgente.isEmpty())
        return;

    const QString nome = QFileInfo(sorgente).fileName();
    if (!nomeAllegatoMemorizzabile(nome)) {
        m_contesto.avviso(kNomeNonMemorizzabile);
        return;
    }
    m_righe[k].txtFile->setText(nome);

    const QString cartella = cartellaAllegati(m_contesto.cartella());
    if (!QDir().mkpath(cartella)) {
        // No copy can exist without the folder (read-only, no inodes left):
        // a name in the row would stand for a file that is not there.
        m_righe[k].txtFile->clear();
        m_contesto.avviso(kCopiaNonRiuscita);
        return;
    }
    const QString destinazione = percorsoAllegato(m_contesto.cartella(), Testo::trim(m_righe[k].txtFile->text()));
    if (destinazione.isEmpty())
        return;
    if (QFileInfo::exists(destinazione) && !m_contesto.conferma(kDomandaSovrascrivi))
        return;
    QString motivo;
    if (!copiaSostituendo(sorgente, destinazione, &motivo, 07777, m_contesto.chiamateDisco()))
        m_contesto.avviso(kCopiaNonRiuscita.arg(motivo));
}

// Only a bare name is opened: a stored name that reaches outside the
// attachments folder is ignored.
void TfrmAllegaCartella::btnApriClick(int k)
{
    const QString percorso = percorsoAllegato(m_contesto.cartella(), Testo::trim(m_righe[k].txtFile->text()));
    if (percorso.isEmpty())
        return;
    TMisc::Open(u'"' + percorso + u'"');
}

void TfrmAllegaCartella::imgCancellaClick(int k)
{
    m_righe[k].txtFile->clear();
}

void TfrmAllegaCartella::txtFileChange(int k)
{
    m_righe[k].btnApri->setEnabled(!Testo::trim(m_righe[k].txtFile->text()).isEmpty());
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (chiamanteDaMarca(lblMemory->text()) != Chiamante::Documenti)
        return;
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}

std::optional<ValoriAllegati> apriAllegati(const Contesto &contesto, QWidget *editor, const ValoriAllegati &valori)
{
    std::optional<ValoriAllegati> confermati;
    apriDialogo<TfrmAllegaCartella>(contesto, editor, [&](TfrmAllegaCartella &finestra) {
        finestra.lblMemory->setText(marcaChiamante(Chiamante::Documenti));
        finestra.impostaValori(valori);
        QObject::connect(&finestra, &QDialog::accepted, &finestra, [&] { confermati = finestra.valori(); });
    });
    return confermati;
}
