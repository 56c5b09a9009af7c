#include "search/finestrariepilogo.h"

#include "app/contesto.h"
#include "app/accessibilita.h"
#include "app/catenainvio.h"
#include "app/elementi.h"
#include "app/errori.h"
#include "app/messaggi.h"
#include "search/aprischeda.h"
#include "search/aspettoricerca.h"
#include "search/modellorighe.h"
#include "search/reportriepilogo.h"
#include "search/rigariepilogo.h"
#include "search/stampariepilogo.h"
#include "storage/archiviopagine.h"
#include "storage/testo.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

using namespace AspettoRicerca;

namespace {

const QString kListaVuota = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");
constexpr int kLarghezzaVoci = 1600;

} // namespace

FinestraRiepilogo::FinestraRiepilogo(const Contesto &contesto, const AspettoFinestra &aspetto, QWidget *proprietario,
                                     const QString &titoloStampa)
    : FinestraDialogo(aspetto, proprietario)
    , m_contesto(contesto)
    , m_titoloStampa(titoloStampa)
{
    panContainer = creaPannello(this, QSize(833, 529));
}

void FinestraRiepilogo::scegliScheda(int posizione)
{
    emit schedaScelta(posizione);
}

FinestraRiepilogo::~FinestraRiepilogo() = default;

Report &FinestraRiepilogo::frxReport() const
{
    if (!m_frxReport)
        m_frxReport = creaReportRiepilogo();
    return *m_frxReport;
}

// Result panel, 833 x 529: banner and instructions on top, the find row, the
// 801 x 273 list, its hint, and the commands along the bottom.
void FinestraRiepilogo::costruisciRisultati(const PannelloRisultati &contenuto)
{
    QWidget *pannello = panContainer;
    Elementi::immagine(pannello, QStringLiteral("imgBanner"), contenuto.banner, QRect(0, 0, 833, 64),
                       contenuto.testoBanner);
    QLabel *istruzioni = Elementi::immagine(
        pannello, QStringLiteral("imgIstruzioni"), contenuto.istruzioni, QRect(16, 72, 801, 40),
        QStringLiteral("Per cercare una voce nell'elenco scrivere il testo nella casella e fare clic su Trova: "
                       "ogni nuovo clic passa alla voce successiva che lo contiene, ripartendo dalla prima "
                       "dopo l'ultima."));
    riquadro(pannello, QStringLiteral("shpRisultati"), QRect(8, 118, 817, 404));

    txtTrova = new QLineEdit(pannello);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(16, 126, 681, 30);
    txtTrova->setFont(Elementi::carattere(QStringLiteral("Verdana"), 12, true));
    // The instructions above say what the field is for.
    Accessibilita::collegaDidascalia(istruzioni, txtTrova, QStringLiteral("Testo da trovare nell'elenco"));
    btnTrova = pulsante(pannello, QStringLiteral("btnTrova"), QStringLiteral("Trova"), QRect(707, 125, 110, 32));

    m_modello = new ModelloRighe(this);
    lstRecords = new QListView(pannello);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setAccessibleName(contenuto.nomeElenco);
    lstRecords->setGeometry(16, 166, 801, 273);
    lstRecords->setModel(m_modello);
    lstRecords->setUniformItemSizes(true);
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstRecords->viewport()->installEventFilter(this);

    scritta(pannello, QStringLiteral("lblDoppioClic"), contenuto.doppioClic, QRect(16, 443, 801, 22),
            QColor(0xDC, 0x14, 0x3C), 10, true);

    btnChiudi = pulsante(pannello, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(16, 479, 110, 34));
    btnStampa =
        pulsante(pannello, QStringLiteral("btnStampa"), QStringLiteral("Stampa"), QRect(707, 479, 110, 34));
    if (contenuto.rigaConteggio) {
        lblTrovate = scritta(pannello, QStringLiteral("lblTrovate"), QString(), QRect(136, 479, 561, 34),
                             QColor(0x00, 0x8B, 0x8B), 10, true);
    }

    collegaInvio(txtTrova, btnTrova);
    connect(btnTrova, &QPushButton::clicked, this, [this] { protetto(m_contesto, [this] { btnTrovaClick(); }); });
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    impostaUscita({btnChiudi});
    connect(btnStampa, &QPushButton::clicked, this,
            [this] { protetto(m_contesto, [this] { StampaRiepilogo(*this, m_titoloStampa); }); });

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    setTabOrder(btnChiudi, btnStampa);
}

void FinestraRiepilogo::riempiLista(ElencoRighe righe)
{
    righe.ordina();
    m_modello->impostaLarghezzaVoci(kLarghezzaVoci);
    m_modello->impostaRighe(std::move(righe));
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void FinestraRiepilogo::azzeraTrova()
{
    m_ultimoTrova.clear();
    txtTrova->clear();
}

void FinestraRiepilogo::impostaArchivio(const QString &percorso, const QString &nome)
{
    m_percorsoArchivio = Testo::trim(percorso);
    m_nomeArchivio = Testo::trim(nome);
}

PercorsoSchede FinestraRiepilogo::archivioEditore() const
{
    return percorsoFile(m_percorsoArchivio);
}

int FinestraRiepilogo::voceSelezionata() const
{
    const QModelIndexList scelte = lstRecords->selectionModel()->selectedIndexes();
    return scelte.isEmpty() ? -1 : scelte.first().row();
}

void FinestraRiepilogo::selezionaVoce(int riga)
{
    const QModelIndex indice = m_modello->index(riga);
    lstRecords->selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect);
    lstRecords->scrollTo(indice);
}

void FinestraRiepilogo::btnTrovaClick()
{
    const ElencoRighe &voci = m_modello->righe();
    if (voci.isEmpty()) {
        m_contesto.messaggio(kListaVuota);
        return;
    }
    const int prima = voceSelezionata();
    const int dopo = trovaNellaLista(voci, prima, txtTrova->text(), m_ultimoTrova);
    if (dopo != prima)
        selezionaVoce(dopo);
}

bool FinestraRiepilogo::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (lstRecords && oggetto == lstRecords->viewport() && evento->type() == QEvent::MouseButtonDblClick) {
        protetto(m_contesto, [this] { ApriSchedaDaRiga(this); });
        return true;
    }
    return FinestraDialogo::eventFilter(oggetto, evento);
}

void FinestraRiepilogo::done(int risultato)
{
    m_modello->svuota();
    FinestraDialogo::done(risultato);
}
