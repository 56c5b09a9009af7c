#include "search/frmcercatesto.h"

#include "app/contesto.h"
#include "app/accessibilita.h"
#include "app/elementi.h"
#include "app/errori.h"
#include "app/messaggi.h"
#include "ocr/indicetesti.h"
#include "search/aspettoricerca.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace AspettoRicerca;

const QString kMessaggioNessunaParola =
    QStringLiteral("Attenzione: scrivere una o più parole da cercare nel testo delle pagine; una frase fra "
                   "virgolette si cerca come frase.");

const QString kParoleRidotte = QStringLiteral("le prime %1 parole cercate");

// More lines than anyone reads through: a common word fills the list at
// once, and the count says how many more pages hold it.
const int kMassimoElencate = 200;

namespace {

// Each line keeps the position of its page.
constexpr int kRuoloPosizione = Qt::UserRole + 1;

} // namespace

AspettoFinestra TfrmCercaTesto::aspetto()
{
    AspettoFinestra a{"frmCercaTesto", QStringLiteral(" Cerca nel testo delle pagine"), QSize(862, 560),
                      Bordo::FissaProprietario, true};
    return a;
}

TfrmCercaTesto::TfrmCercaTesto(const Contesto &contesto, QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
    , m_contesto(contesto)
{
    QWidget *pan = creaPannello(this, QSize(833, 529));
    riquadro(pan, QStringLiteral("shpParole"), QRect(0, 0, 833, 96));
    auto *cap = didascalia(pan, QStringLiteral("Parole da cercare nel testo delle pagine (una frase fra virgolette):"),
                           QRect(16, 10, 801, 18));
    txtParole = new QLineEdit(pan);
    txtParole->setObjectName(QStringLiteral("txtParole"));
    txtParole->setGeometry(16, 34, 681, 34);
    txtParole->setFont(Elementi::carattere(QStringLiteral("Verdana"), 12, true));
    Accessibilita::collegaDidascalia(cap, txtParole, QStringLiteral("Parole da cercare"));
    btnCerca = pulsante(pan, QStringLiteral("btnCerca"), QStringLiteral("Cerca"), QRect(707, 34, 110, 34));

    lstRecords = new QListWidget(pan);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(16, 108, 801, 330);
    lstRecords->setFont(Elementi::carattere(QStringLiteral("Courier New"), 12));
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setAccessibleName(QStringLiteral("Pagine trovate"));
    scritta(pan, QStringLiteral("lblDoppioClic"),
            QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"), QRect(16, 444, 801, 22),
            QColor(0xDC, 0x14, 0x3C), 10, true);
    // A long count goes on two lines, centred on the button's as one is,
    // rather than losing its ends.
    lblTrovate = scritta(pan, QStringLiteral("lblTrovate"), QString(), QRect(136, 477, 561, 38),
                         QColor(0x00, 0x8B, 0x8B), 11, true);
    lblTrovate->setWordWrap(true);
    btnChiudi = pulsante(pan, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(16, 479, 110, 34));

    setTabOrder(txtParole, btnCerca);
    setTabOrder(btnCerca, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    // Enter in the words field searches: there is nothing else to type.
    connect(txtParole, &QLineEdit::returnPressed, btnCerca, &QPushButton::click);
    connect(btnCerca, &QPushButton::clicked, this, [this] { protetto(m_contesto, [this] { btnCercaClick(); }); });
    connect(lstRecords, &QListWidget::itemActivated, this,
            [this] { protetto(m_contesto, [this] { lstRecordsDoppioClic(); }); });
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    impostaUscita({btnChiudi});
}

void TfrmCercaTesto::impostaArchivio(const QString &cartellaProgramma, const QString &percorsoArchivio,
                                     const QString &nome)
{
    m_cartella = cartellaProgramma;
    m_percorso = percorsoArchivio;
    m_nome = nome;
}

void TfrmCercaTesto::FormShow()
{
    txtParole->setFocus(Qt::OtherFocusReason);
}

void TfrmCercaTesto::btnCercaClick()
{
    lstRecords->clear();
    lblTrovate->clear();
    bool ridotta = false;
    if (richiestaTestuale(txtParole->text(), &ridotta).isEmpty()) {
        m_contesto.avviso(kMessaggioNessunaParola);
        txtParole->setFocus(Qt::OtherFocusReason);
        return;
    }
    IndiceTesti indice(IndiceTesti::percorsoIn(m_cartella));
    // A damaged file made anew holds no text yet: "no page" would be untrue.
    if (indice.apertura() != IndiceTesti::Apertura::Aperto) {
        m_contesto.messaggio(indice.messaggioApertura());
        return;
    }
    const QString parole = txtParole->text();
    int elencate = 0;
    int totale = 0;
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(m_percorso, TArchivioPagine::Accesso::Lettura);
        // A text kept for a position the archive no longer reaches (an
        // archive deleted and made again) belongs to no record.
        const int conteggio = archivio.ContaSchede();
        const QVector<IndiceTesti::Trovata> trovate = indice.cerca(m_nome, parole, kMassimoElencate, conteggio);
        totale = trovate.size() < kMassimoElencate ? int(trovate.size()) : indice.conta(m_nome, parole, conteggio);
        for (const IndiceTesti::Trovata &t : trovate) {
            // The summary line fills the list's width: the words found go
            // on a line of their own below it, where they are seen.
            auto *voce = new QListWidgetItem(RigaRiepilogo(archivio.LeggiScheda(t.posizione)) +
                                             QStringLiteral("\n   ") + t.contesto);
            voce->setData(kRuoloPosizione, t.posizione);
            lstRecords->addItem(voce);
            ++elencate;
        }
        archivio.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
        m_contesto.messaggio(kMessaggioAccessoArchivio);
        return;
    }
    // The file found damaged (and made anew) or held by another program.
    QString problema = indice.prendiAvviso();
    if (problema.isEmpty())
        problema = indice.ultimoErrore();
    if (!problema.isEmpty()) {
        m_contesto.messaggio(problema);
        return;
    }
    // A request cut to the words a search takes says so where the count
    // names them.
    const QString cercate = ridotta ? kParoleRidotte.arg(kMassimoParole) : QStringLiteral("le parole cercate");
    if (elencate == 0)
        lblTrovate->setText(QStringLiteral("Nessuna pagina contiene %1.").arg(cercate));
    else if (totale == 1)
        lblTrovate->setText(QStringLiteral("Il testo di una pagina contiene %1.").arg(cercate));
    else if (totale == elencate)
        lblTrovate->setText(QStringLiteral("Il testo di %1 pagine contiene %2.").arg(totale).arg(cercate));
    else
        lblTrovate->setText(QStringLiteral("Il testo di %1 pagine contiene %2: sono elencate le prime %3.")
                                .arg(totale)
                                .arg(cercate)
                                .arg(elencate));
    if (elencate) {
        lstRecords->setCurrentRow(0);
        lstRecords->setFocus(Qt::OtherFocusReason);
    }
}

void TfrmCercaTesto::lstRecordsDoppioClic()
{
    const QListWidgetItem *voce = lstRecords->currentItem();
    if (!voce)
        return;
    m_posizione = voce->data(kRuoloPosizione).toInt();
    accept();
}
