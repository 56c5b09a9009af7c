#include "search/frmtrovapagine.h"

#include "app/contesto.h"
#include "app/accessibilita.h"
#include "app/alonefuoco.h"
#include "app/catenainvio.h"
#include "app/errori.h"
#include "app/elementi.h"
#include "app/messaggi.h"
#include "search/aspettoricerca.h"
#include "search/criteriricerca.h"
#include "storage/archiviopagine.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace AspettoRicerca;

namespace {

struct CampoRicerca {
    const char *nome;
    const char *didascalia;
    Campo campo;
    int riga;
    int colonna;
    const char *alone;
};

// In Enter order, which is also the order of the two columns read row by row.
const CampoRicerca kCampi[10] = {
    {"txtTitolo", "Titolo pagina:", Campo::Titolo, 0, 0, "effCampo01"},
    {"txtCodice", "Codice univoco:", Campo::Codice, 0, 1, "effCampo02"},
    {"txtAutore", "Autore:", Campo::Autore, 1, 0, "effCampo09"},
    {"txtTipologia", "Tipologia:", Campo::Tipologia, 1, 1, "effCampo10"},
    {"txtPagNum", "Pagina n.", Campo::PagNum, 2, 0, "effCampo05"},
    {"txtDescrizione", "Descrizione pagina:", Campo::Descrizione, 2, 1, "effCampo06"},
    {"txtIncipit", "Incipit pagina:", Campo::Incipit, 3, 0, "effCampo07"},
    {"txtParole", "Parole chiave:", Campo::Parole, 3, 1, "effCampo08"},
    {"txtGiudizio", "Giudizio:", Campo::Giudizio, 4, 0, "effCampo03"},
    {"txtNote", "Note:", Campo::Note, 4, 1, "effCampo04"},
};

} // namespace

AspettoFinestra TfrmTrovaPagine::aspetto()
{
    AspettoFinestra a{"frmTrovaPagine", QStringLiteral(" Trova pagine in archivio"), QSize(862, 560),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmTrovaPagine::TfrmTrovaPagine(const Contesto &contesto, QWidget *proprietario)
    : FinestraRiepilogo(contesto, aspetto(), proprietario, QStringLiteral("Riepilogo pagine in archivio"))
{
    // Both panels share the centre of the window, one over the other.
    panAvvio = new QWidget(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setFixedSize(833, 529);
    static_cast<QGridLayout *>(layout())->addWidget(panAvvio, 0, 0, Qt::AlignCenter);

    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
    lblConta = new QLabel(QStringLiteral("0"), this);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();

    costruisciCriteri();
    costruisciRisultati({QStringLiteral(":/search/banner_trova.svg"),
                                       QStringLiteral(":/search/istruzioni_trova.svg"),
                                       QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"),
                                       true,
                                       QStringLiteral("Risultati della ricerca. Schede dell'archivio che contengono "
                                                      "tutti i testi indicati, in ordine di titolo"),
                                       QStringLiteral("Pagine trovate")});
    panContainer->hide();
    // The criteria panel's "Chiudi" until a search has switched panels.
    impostaUscita({btnAnnulla, btnChiudi});
}

// Criteria panel, 833 x 529: the explanatory picture on top, a column of
// pictures at the left, the ten fields in two columns of five rows, and
// the commands along the bottom.
void TfrmTrovaPagine::costruisciCriteri()
{
    Elementi::immagine(panAvvio, QStringLiteral("imgCriteri"), QStringLiteral(":/search/criteri.svg"),
                       QRect(0, 0, 833, 84),
                       QStringLiteral("Ricerca delle pagine in archivio. Scrivere il testo da cercare in uno o più "
                                      "campi: vengono elencate le schede che li contengono tutti. Lasciando vuoti i "
                                      "campi si ottiene l'elenco completo."));
    Elementi::immagine(panAvvio, QStringLiteral("imgColonna"), QStringLiteral(":/search/colonna.svg"),
                       QRect(12, 100, 120, 350));
    riquadro(panAvvio, QStringLiteral("shpCriteri"), QRect(142, 92, 683, 370));

    QList<QWidget *> ordine;
    for (int i = 0; i < 10; ++i) {
        const CampoRicerca &c = kCampi[i];
        const int x = 164 + c.colonna * 330;
        const int y = 102 + c.riga * 71;
        QLabel *testo = didascalia(panAvvio, QString::fromUtf8(c.didascalia), QRect(x, y, 320, 18));
        auto *campo = new QLineEdit(panAvvio);
        campo->setObjectName(QString::fromLatin1(c.nome));
        Accessibilita::collegaDidascalia(testo, campo);
        campo->setGeometry(x, y + 22, 320, 30);
        campo->setFont(Elementi::carattere(QStringLiteral("Verdana"), 12, true));
        creaAloneFuoco(campo, QString::fromLatin1(c.alone));
        m_campi[i] = campo;
        ordine.append(campo);
    }
    collegaInvio(ordine, true);

    btnAnnulla =
        pulsante(panAvvio, QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), QRect(16, 479, 110, 34));
    btnCerca = pulsante(panAvvio, QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QRect(707, 479, 110, 34));
    lblAttendere = scritta(panAvvio, QStringLiteral("lblAttendere"),
                           QStringLiteral("Ricerca schede in corso. Attendere..."), QRect(136, 479, 561, 34),
                           QColor(0x00, 0x8B, 0x8B), 11, true);
    lblAttendere->hide();

    for (int i = 0; i + 1 < 10; ++i)
        setTabOrder(m_campi[i], m_campi[i + 1]);
    setTabOrder(m_campi[9], btnCerca);
    setTabOrder(btnCerca, btnAnnulla);

    connect(btnCerca, &QPushButton::pressed, this, &TfrmTrovaPagine::btnCercaMouseDown);
    connect(btnCerca, &QPushButton::clicked, this, [this] { protetto(this->contesto(), [this] { btnCercaClick(); }); });
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmTrovaPagine::impostaChiamante(Chiamante chiamante)
{
    lblMemory->setText(marcaChiamante(chiamante));
}

bool TfrmTrovaPagine::scriveInEditore() const
{
    return chiamanteDaMarca(lblMemory->text()) == Chiamante::Documenti;
}

void TfrmTrovaPagine::FormShow()
{
    azzeraTrova();
    m_campi[0]->setFocus(Qt::OtherFocusReason);
}

// The search runs inside the click and holds the event loop: the busy label
// must be painted now, before the release comes.
void TfrmTrovaPagine::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint();
}

void TfrmTrovaPagine::btnCercaClick()
{
    CriteriRicerca criteri;
    for (int i = 0; i < 10; ++i)
        criteri.aggiungi(kCampi[i].campo, m_campi[i]->text());
    lblConta->setText(QString::number(criteri.conta()));

    ElencoRighe righe;
    try {
        righeRiepilogo(archivioEditore(), [&criteri](const TSchedaPagina &s) { return criteri.soddisfatti(s); },
                       righe);
    } catch (const ErroreArchivio &) {
        // Nothing was searched: the busy label would only mislead.
        lblAttendere->hide();
        contesto().messaggio(kMessaggioAccessoArchivio);
        return;
    }

    const int trovate = int(righe.size());
    riempiLista(std::move(righe));
    lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(trovate));

    panContainer->show();
    panAvvio->hide();
    txtTrova->clear();
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmTrovaPagine::done(int risultato)
{
    lblAttendere->hide();
    FinestraRiepilogo::done(risultato);
}
