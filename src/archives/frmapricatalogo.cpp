#include "archives/frmapricatalogo.h"

#include "app/contesto.h"
#include "app/chiamante.h"
#include "app/elementi.h"
#include "app/errori.h"
#include "app/fogliostile.h"
#include "app/messaggi.h"
#include "app/vistaimmagine.h"
#include "archives/cornice.h"
#include "archives/elencoarchivi.h"
#include "archives/listaarchivi.h"
#include "home/frmguida.h"

#include <QLabel>
#include <QListWidget>

namespace {


const QString kElencoVuoto = QStringLiteral("Attenzione: l'elenco non contiene nessun documento.");
const QString kSelezionaApri = QStringLiteral(
    "Attenzione: selezionare il documento dall'elenco prima di premere il pulsante Apri archivio.");
const QString kSelezionaElimina = QStringLiteral(
    "Attenzione: selezionare dall'elenco il documento da eliminare prima di premere il pulsante del cestino.");
const QString kDomandaElimina = QStringLiteral(
    "Si sta per eliminare il documento selezionato. Si ricorda che il file eliminato non potrà essere "
    "recuperato.\r\n\r\nSi conferma l'eliminazione del documento?");
const QString kEliminato = QStringLiteral("Il documento è stato eliminato con successo.");
const QString kNonEliminato = QStringLiteral(
    "Attenzione: il sistema non ha permesso di eliminare il documento selezionato.\r\n\r\n"
    "Accertarsi che il file non sia in uso e di possedere i privilegi di scrittura nella cartella "
    "di installazione del programma.");

} // namespace

AspettoFinestra TfrmApriCatalogo::aspetto()
{
    AspettoFinestra a{"frmApriCatalogo", QStringLiteral(" Velmora - Apertura documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmApriCatalogo::TfrmApriCatalogo(const Contesto &contesto, QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
    , m_contesto(contesto)
{
    using namespace Elementi;

    const Cornice cornice = creaCornice(
        this, QStringLiteral(":/archives/istruzioni_apri.svg"),
        QStringLiteral("Apertura documento. Selezionare il documento di interesse nell'elenco sottostante e "
                       "premere il pulsante Apri archivio. Fare clic sull'icona del cestino per eliminare il "
                       "documento selezionato. Premere Annulla per uscire da questa schermata senza aprire un "
                       "documento."));
    QWidget *pan = cornice.pannello;
    imgGuida = cornice.imgGuida;

    btnElimina = comando(pan, QStringLiteral("btnElimina"), QStringLiteral(":/archives/cestino.svg"),
                         QRect(34, 190, 43, 45), QStringLiteral("Elimina documento"),
                         QStringLiteral("Elimina il documento selezionato nell'elenco."));
    immagine(pan, QStringLiteral("imgMano"), QStringLiteral(":/archives/mano_giu.svg"), QRect(477, 186, 40, 56));

    QWidget *panElenco = rettangolo(pan, QStringLiteral("panElenco"), QRect(26, 242, 942, 314),
                                    QColor(0xFF, 0xEB, 0xCD));
    lstFiles = new ListaArchivi(panElenco);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setAccessibleName(QStringLiteral("Documenti esistenti"));
    lstFiles->setGeometry(8, 8, 926, 298);
    // The entries are inserted already in their order, which is not the
    // toolkit's own (see ElencoArchivi::elenco).
    lstFiles->setSortingEnabled(false);
    QFont fl(QStringLiteral("Courier New"), 14);
    lstFiles->setFont(fl);
    impostaFoglioStile(lstFiles, QStringLiteral("QListWidget { color: #000000; background: white; "
                                                "border: 2px solid #C8B89A; }"
                                                "QListWidget:focus { border: 2px solid #12365A; }"));

    lblCreati = new QLabel(ElencoArchivi::rigaConteggio(0), pan);
    lblCreati->setObjectName(QStringLiteral("lblCreati"));
    lblCreati->setFont(QFont(QStringLiteral("Verdana"), 12));
    impostaFoglioStile(lblCreati, QStringLiteral("color: #008000;"));
    lblCreati->setGeometry(34, 564, 600, 26);

    btnApri = comando(pan, QStringLiteral("btnApri"), QStringLiteral(":/archives/apri.svg"),
                      QRect(434, 606, 258, 45), QStringLiteral("Apri archivio"),
                      QStringLiteral("Apre il documento selezionato nell'elenco."));
    btnAnnulla = comando(pan, QStringLiteral("btnAnnulla"), QStringLiteral(":/archives/annulla.svg"),
                         QRect(702, 606, 258, 45), QStringLiteral("Annulla"),
                         QStringLiteral("Esce da questa schermata senza aprire un documento."));

    lblMemory = new QLabel(marcaChiamante(Chiamante::Avvio), pan);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
    lblFile = new QLabel(pan);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

    connect(btnApri, &VistaImmagine::clicked, this, &TfrmApriCatalogo::btnApriClick);
    connect(btnElimina, &VistaImmagine::clicked, this, [this] { protetto(m_contesto, [this] { btnEliminaClick(); }); });
    connect(btnAnnulla, &VistaImmagine::clicked, this, &TfrmApriCatalogo::btnAnnullaClick);
    connect(imgGuida, &VistaImmagine::clicked, this, &TfrmApriCatalogo::imgGuidaClick);
}

void TfrmApriCatalogo::FormShow()
{
    lblMemory->setText(marcaChiamante(Chiamante::Avvio));
    lblFile->setText(m_contesto.cartella());
    costruisciElenco();
    // The keyboard starts in the list, where the choice is made.
    lstFiles->setFocus();
}

void TfrmApriCatalogo::costruisciElenco()
{
    lstFiles->clear();
    const QStringList voci = ElencoArchivi::elenco(m_contesto.cartella());
    lstFiles->addItems(voci);
    lblCreati->setText(ElencoArchivi::rigaConteggio(int(voci.size())));
    lstFiles->clearSelection();
    lstFiles->setCurrentRow(-1);
}

QString TfrmApriCatalogo::voceScelta() const
{
    const QList<QListWidgetItem *> scelte = lstFiles->selectedItems();
    return scelte.isEmpty() ? QString() : scelte.first()->text();
}

void TfrmApriCatalogo::btnApriClick()
{
    if (lstFiles->count() == 0) {
        m_contesto.avviso(kElencoVuoto);
        return;
    }
    if (voceScelta().isEmpty()) {
        m_contesto.avviso(kSelezionaApri);
        return;
    }
    lblMemory->setText(marcaChiamante(Chiamante::Documenti));
    close();
}

void TfrmApriCatalogo::FormClose()
{
    const QString voce = voceScelta();
    if (chiamanteDaMarca(lblMemory->text()) == Chiamante::Documenti && !voce.isEmpty()) {
        lblFile->setText(ElencoArchivi::percorsoDaVoce(m_contesto.cartella(), voce));
        emit archivioScelto(lblFile->text(), ElencoArchivi::nomeDaVoce(voce));
    } else {
        m_contesto.mostraFinestra(Permanente::Avvio);
    }
}

void TfrmApriCatalogo::btnEliminaClick()
{
    if (lstFiles->count() == 0) {
        m_contesto.avviso(kElencoVuoto);
        return;
    }
    const QString voce = voceScelta();
    if (voce.isEmpty()) {
        m_contesto.avviso(kSelezionaElimina);
        return;
    }
    if (!m_contesto.conferma(kDomandaElimina))
        return;

    lblFile->setText(ElencoArchivi::percorsoDaVoce(m_contesto.cartella(), voce));
    if (ElencoArchivi::elimina(lblFile->text())) {
        ElencoArchivi::togliTesti(m_contesto.cartella(), ElencoArchivi::nomeDaVoce(voce));
        m_contesto.informazione(kEliminato);
    } else {
        m_contesto.avviso(kNonEliminato);
    }

    lblMemory->setText(marcaChiamante(Chiamante::Avvio));
    lblFile->clear();
    costruisciElenco();
}

void TfrmApriCatalogo::btnAnnullaClick()
{
    close();
}

void TfrmApriCatalogo::imgGuidaClick()
{
    apriGuida(m_contesto, this, ArgomentoGuida::ApriCatalogo);
}
