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
    lblTrovate = scritta(pan, QStringLiteral("lblTrovate"), QString(), QRect(136, 479, 561, 34),
                         QColor(0x00, 0x8B, 0x8B), 11, true);
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
    if (richiestaTestuale(txtParole->text()).isEmpty()) {
        m_contesto.avviso(kMessaggioNessunaParola);
        txtParole->setFocus(Qt::OtherFocusReason);
        return;
    }
    IndiceTesti indice(IndiceTesti::percorsoIn(m_cartella));
    if (!indice.usabile()) {
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
    if (const QString avviso = indice.prendiAvviso(); !avviso.isEmpty())
        m_contesto.messaggio(avviso);
    if (elencate == 0)
        lblTrovate->setText(QStringLiteral("Nessuna pagina contiene le parole cercate."));
    else if (totale == 1)
        lblTrovate->setText(QStringLiteral("Il testo di una pagina contiene le parole cercate."));
    else if (totale == elencate)
        lblTrovate->setText(QStringLiteral("Il testo di %1 pagine contiene le parole cercate.").arg(totale));
    else
        lblTrovate->setText(QStringLiteral("Il testo di %1 pagine contiene le parole cercate: sono elencate le "
                                           "prime %2.")
                                .arg(totale)
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
