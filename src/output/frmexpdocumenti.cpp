#include "output/frmexpdocumenti.h"

#include "app/contesto.h"
#include "app/elementi.h"
#include "app/errori.h"
#include "app/lavorolungo.h"
#include "app/messaggi.h"
#include "app/openurl.h"
#include "app/rifinitura.h"
#include "app/suggerimenti.h"
#include "app/vistaimmagine.h"
#include "home/frmguida.h"
#include "output/colonneesportazione.h"
#include "output/fileesportazione.h"
#include "output/modelloesportazione.h"
#include "storage/archiviopagine.h"
#include "storage/testo.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

namespace {

const QString kPronto = QStringLiteral("Esportazione archivio in Microsoft Excel.");
const QString kDomandaEsporta = QStringLiteral(
    "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede "
    "presenti in archivio.\r\n\r\nSi vuole esportare i dati adesso?");
const QString kDomandaApri = QStringLiteral(
    "Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");

constexpr int kAltezzaRiga = 21;
const QColor kArdesia(0x6A, 0x5A, 0xCD); // slate blue

} // namespace

AspettoFinestra TfrmExpDocumenti::aspetto()
{
    AspettoFinestra a{"frmExpDocumenti", QStringLiteral(" Esporta archivio pagine documento in Excel"), QSize(862, 560),
                      Bordo::FissaSchermo, false};
    return a;
}

// Panel 837 x 533: the white top band with the banner and the commands, the
// grid, and the status bar at the bottom.
TfrmExpDocumenti::TfrmExpDocumenti(const Contesto &contesto, QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
    , m_contesto(contesto)
{
    QWidget *pan = creaPannello(this, QSize(837, 533));
    QFrame *shpSfondo = Elementi::riquadro(pan, QStringLiteral("shpSfondo"), QRect(8, 8, 821, 60),
                                           QStringLiteral("background: #FFFFFF; border: 1px solid #9FB8D2; "
                                                          "border-radius: 6px;"));
    Elementi::immagine(pan, QStringLiteral("imgBanner"), QStringLiteral(":/output/banner_esporta.svg"),
                       QRect(10, 10, 560, 56),
                       QStringLiteral("Esportazione in Microsoft Excel. Tutte le schede dell'archivio in un "
                                      "foglio di lavoro"));
    Elementi::immagine(pan, QStringLiteral("imgMano"), QStringLiteral(":/output/mano.svg"),
                       QRect(590, 18, 56, 40));
    cmdEsporta = Elementi::comando(pan, QStringLiteral("cmdEsporta"), QStringLiteral(":/output/esporta.svg"),
                                   QRect(660, 14, 48, 48), QStringLiteral("Esporta"));
    cmdGuida = Elementi::comando(pan, QStringLiteral("cmdGuida"), QStringLiteral(":/output/guida.svg"),
                                 QRect(716, 14, 48, 48), QStringLiteral("Guida"));
    cmdEsci = Elementi::comando(pan, QStringLiteral("cmdEsci"), QStringLiteral(":/output/esci.svg"),
                                QRect(772, 14, 48, 48), QStringLiteral("Esci"));

    creaGriglia(pan);

    QFrame *shpInfo = Elementi::riquadro(pan, QStringLiteral("shpInfo"), QRect(8, 493, 821, 32),
                                         QStringLiteral("background: %1; border-radius: 4px;").arg(kArdesia.name()));
    panInfo = Elementi::didascalia(pan, QStringLiteral("panInfo"), kPronto, QRect(20, 493, 797, 32),
                                   Elementi::carattere(QStringLiteral("Tahoma"), 12), Qt::white);

    auto *suggerimenti = new SuggerimentiStato(panInfo);
    suggerimenti->aggiungi(cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel."));
    suggerimenti->aggiungi(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    suggerimenti->aggiungi(cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro."));
    for (QWidget *sfondo : {static_cast<QWidget *>(this), pan, static_cast<QWidget *>(shpSfondo),
                            static_cast<QWidget *>(shpInfo), static_cast<QWidget *>(panInfo),
                            static_cast<QWidget *>(grdRecords), grdRecords->viewport(),
                            grdRecords->horizontalHeader()->viewport()})
        suggerimenti->sfondo(sfondo);

    connect(cmdEsporta, &VistaImmagine::clicked, this, [this] { protetto(m_contesto, [this] { cmdEsportaClick(); }); });
    connect(cmdGuida, &VistaImmagine::clicked, this, [this] { protetto(m_contesto, [this] { cmdGuidaClick(); }); });
    connect(cmdEsci, &VistaImmagine::clicked, this, &QDialog::reject);
    impostaUscita({cmdEsci});
}

void TfrmExpDocumenti::creaGriglia(QWidget *pannello)
{
    m_modello = new ModelloEsportazione(this);
    grdRecords = new QTableView(pannello);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setAccessibleName(QStringLiteral("Schede dell'archivio"));
    grdRecords->setGeometry(8, 76, 821, 409);
    grdRecords->setAlternatingRowColors(true);
    grdRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    grdRecords->setSelectionBehavior(QAbstractItemView::SelectItems);
    grdRecords->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    grdRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grdRecords->setWordWrap(false);
    // The window's gradient would leave the grid's lines, header and scroll
    // bars to be derived from no colour at all (black): the grid keeps the
    // plain colours, with a pale blue every other row.
    QPalette colori = grdRecords->palette();
    colori.setBrush(QPalette::Window, QApplication::palette().window());
    colori.setColor(QPalette::AlternateBase, QColor(0xEA, 0xF2, 0xFB));
    grdRecords->setPalette(colori);

    // Every row is 21 high and the view never measures one: a grid of a
    // hundred thousand rows lays out at once.
    QHeaderView *righe = grdRecords->verticalHeader();
    righe->hide();
    righe->setMinimumSectionSize(kAltezzaRiga);
    righe->setDefaultSectionSize(kAltezzaRiga);
    righe->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView *colonne = grdRecords->horizontalHeader();
    colonne->setHighlightSections(false);
    colonne->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    colonne->setFixedHeight(kAltezzaRiga + 2);
    // Taking the model makes the header measure its 23 titles: the window
    // made hidden at start-up pays for that only once it opens.
    allaRifinitura(grdRecords, [this] {
        grdRecords->setModel(m_modello);
        for (int c = 0; c < kColonneGriglia; ++c)
            grdRecords->setColumnWidth(c, colonneEsportazione()[size_t(c)].larghezza);
    });
}

void TfrmExpDocumenti::FormShow()
{
    m_modello->carica(Testo::trim(m_archivio));
}

void TfrmExpDocumenti::cmdEsportaClick()
{
    // A cell still being typed in belongs to the grid's content: its editor
    // hands the text over when it loses the focus.
    QWidget *fuoco = QApplication::focusWidget();
    if (fuoco && fuoco != grdRecords && grdRecords->isAncestorOf(fuoco))
        grdRecords->setFocus();
    if (!m_contesto.conferma(kDomandaEsporta))
        return;
    const QString percorso = m_contesto.cartella() + kFileEsportazione;
    try {
        LavoroLungo lavoro(this, QStringLiteral(" Esportazione in corso"),
                           QStringLiteral("Esportazione delle schede in Excel: %1 di %2"), m_modello->rowCount(),
                           m_contesto.attesaLavoroLungo());
        esportaGriglia(*m_modello, percorso, lavoro.passo(), m_contesto.chiamateDisco());
    } catch (const EsportazioneAnnullata &) {
        // Stopped by the user: the earlier file stands, nothing to say.
        return;
    } catch (const ErroreEsportazione &) {
        m_contesto.messaggio(kMessaggioEsportazioneFallita);
        return;
    } catch (const ErroreArchivio &) {
        // The spreadsheet file is not the cause: the archive could not be read.
        m_contesto.messaggio(kMessaggioAccessoArchivio);
        return;
    }
    if (m_contesto.conferma(kDomandaApri))
        TMisc::Open(QLatin1Char('"') + percorso + QLatin1Char('"'));
}

void TfrmExpDocumenti::cmdGuidaClick()
{
    apriGuida(m_contesto, this, ArgomentoGuida::Esportazione);
}
