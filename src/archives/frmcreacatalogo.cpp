#include "archives/frmcreacatalogo.h"

#include "app/accessibilita.h"
#include "app/contesto.h"
#include "app/elementi.h"
#include "app/errori.h"
#include "app/fogliostile.h"
#include "app/messaggi.h"
#include "app/rifinitura.h"
#include "app/tintafuoco.h"
#include "app/vistaimmagine.h"
#include "archives/cornice.h"
#include "archives/filtrotasti.h"
#include "archives/nomiarchivio.h"
#include "home/frmguida.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kNomeVuoto = QStringLiteral(
    "Attenzione: per creare il nuovo documento è necessario indicarne il nome.");
const QString kNomeUsato = QStringLiteral(
    "Attenzione: il nome del documento indicato è già stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera aprire un documento già creato, "
    "premere il pulsante Apri documento esistente.");
const QString kNomeNonAmmesso = QStringLiteral(
    "Attenzione: il nome del documento non può contenere i caratteri / e \\ "
    "né essere formato soltanto da punti.\r\n\r\n"
    "Il documento deve trovarsi nella cartella del programma: inserire un nome diverso.");
const QString kNomeTroppoLungo = QStringLiteral(
    "Attenzione: il nome del documento è troppo lungo per i nomi dei file delle foto delle sue pagine."
    "\r\n\r\nInserire un nome più breve.");
const QString kCreato = QStringLiteral(
    "Il file relativo al nuovo documento è stato creato con successo.\r\n\r\n"
    "E' ora possibile visualizzarlo nell'elenco dei documenti esistenti.");

} // namespace

AspettoFinestra TfrmCreaCatalogo::aspetto()
{
    AspettoFinestra a{"frmCreaCatalogo", QStringLiteral(" Velmora - Creazione documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmCreaCatalogo::TfrmCreaCatalogo(const Contesto &contesto, QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
    , m_contesto(contesto)
{
    using namespace Elementi;

    const Cornice cornice = creaCornice(
        this, QStringLiteral(":/archives/istruzioni_crea.svg"),
        QStringLiteral("Creazione nuovo documento. Indicare il nome del nuovo documento nella casella sottostante "
                       "e fare clic su Applica e chiudi. Il nome attribuito apparirà nell'elenco visualizzato "
                       "tramite il pulsante Apri documento esistente. Premere Annulla per uscire da questa "
                       "schermata senza creare un nuovo documento."));
    QWidget *pan = cornice.pannello;
    imgGuida = cornice.imgGuida;
    immagine(pan, QStringLiteral("imgFoto"), QStringLiteral(":/archives/foto.svg"), QRect(40, 212, 300, 420));

    auto *didascalia = new QLabel(QStringLiteral("Nome del nuovo documento:"), pan);
    didascalia->setObjectName(QStringLiteral("lblDidascalia"));
    QFont fd(QStringLiteral("Verdana"), 11);
    fd.setBold(true);
    didascalia->setFont(fd);
    impostaFoglioStile(didascalia, QStringLiteral("color: #12365A;"));
    didascalia->setGeometry(425, 342, 526, 24);

    immagine(pan, QStringLiteral("imgMano"), QStringLiteral(":/archives/mano.svg"), QRect(363, 370, 56, 40));
    txtFile = new QLineEdit(pan);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setGeometry(425, 370, 526, 40);
    // A field lays out its text again for a new font, which loads that font:
    // the field takes its own when the window first opens.
    allaRifinitura(txtFile, [this] {
        QFont f(QStringLiteral("Verdana"), 16);
        f.setBold(true);
        txtFile->setFont(f);
    });
    txtFile->setMaxLength(250);
    Accessibilita::collegaDidascalia(didascalia, txtFile);
    applicaTintaFuoco(txtFile);
    new FiltroTastiNome(txtFile);

    btnApplica = comando(pan, QStringLiteral("btnApplica"), QStringLiteral(":/archives/applica.svg"),
                         QRect(425, 450, 258, 45), QStringLiteral("Applica e chiudi"),
                         QStringLiteral("Crea il documento con il nome indicato e chiude la schermata."));
    btnAnnulla = comando(pan, QStringLiteral("btnAnnulla"), QStringLiteral(":/archives/annulla.svg"),
                         QRect(693, 450, 258, 45), QStringLiteral("Annulla"),
                         QStringLiteral("Esce da questa schermata senza creare un documento."));

    lblFile = new QLabel(pan);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();

    connect(btnApplica, &VistaImmagine::clicked, this, [this] { protetto(m_contesto, [this] { btnApplicaClick(); }); });
    connect(btnAnnulla, &VistaImmagine::clicked, this, &TfrmCreaCatalogo::btnAnnullaClick);
    connect(imgGuida, &VistaImmagine::clicked, this, &TfrmCreaCatalogo::imgGuidaClick);
}

void TfrmCreaCatalogo::FormShow()
{
    txtFile->clear();
    txtFile->setFocus();
}

void TfrmCreaCatalogo::FormClose()
{
    m_contesto.mostraFinestra(Permanente::Avvio);
}

void TfrmCreaCatalogo::btnApplicaClick()
{
    using namespace NomiArchivio;
    lblFile->clear();
    const QString nome = nomeDaCampo(txtFile->text());
    switch (verificaNome(nome)) {
    case EsitoNome::Vuoto:
        m_contesto.avviso(kNomeVuoto);
        txtFile->setFocus();
        return;
    case EsitoNome::NonAmmesso:
        m_contesto.avviso(kNomeNonAmmesso);
        txtFile->setFocus();
        return;
    case EsitoNome::TroppoLungo:
        m_contesto.avviso(kNomeTroppoLungo);
        txtFile->setFocus();
        return;
    case EsitoNome::Valido:
        break;
    }

    lblFile->setText(percorsoArchivio(m_contesto.cartella(), nome));
    if (QFileInfo::exists(lblFile->text())) {
        m_contesto.avviso(kNomeUsato);
        return;
    }
    // A refusal by the file system throws: it ends in the general error
    // report, with no success message and the window left as it is.
    creaArchivioVuoto(lblFile->text());
    m_contesto.informazione(kCreato);
    close();
}

void TfrmCreaCatalogo::btnAnnullaClick()
{
    close();
}

void TfrmCreaCatalogo::imgGuidaClick()
{
    apriGuida(m_contesto, this, ArgomentoGuida::CreaCatalogo);
}
