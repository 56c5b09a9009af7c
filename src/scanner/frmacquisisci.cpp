#include "scanner/frmacquisisci.h"

#include "app/contesto.h"
#include "app/accessibilita.h"
#include "app/elementi.h"
#include "app/messaggi.h"
#include "app/vistaimmagine.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr QSize kClient(650, 396);
const QColor kTesto(0x12, 0x36, 0x5A);

QLabel *didascalia(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    return Elementi::didascalia(genitore, nome, testo, posto, Elementi::carattere(QStringLiteral("Verdana"), 9, true),
                                kTesto);
}

// A list with its caption, which is tied to it for assistive technology
// and names it.
QComboBox *elenco(QWidget *genitore, const QString &nome, const QString &didascaliaTesto, const QRect &posto)
{
    QLabel *l = didascalia(genitore, QStringLiteral("lbl") + nome.mid(3), didascaliaTesto,
                           QRect(posto.x(), posto.y() - 20, posto.width(), 18));
    auto *c = new QComboBox(genitore);
    c->setObjectName(nome);
    c->setGeometry(posto);
    c->setFont(Elementi::carattere(QStringLiteral("Verdana"), 10));
    Accessibilita::collegaDidascalia(l, c);
    return c;
}

QString testoRisoluzione(int dpi) { return QStringLiteral("%1 dpi").arg(dpi); }

// Selects the entry holding `dato`, or leaves the current one.
void seleziona(QComboBox *c, const QVariant &dato)
{
    const int i = c->findData(dato);
    if (i >= 0)
        c->setCurrentIndex(i);
}

} // namespace

AspettoFinestra TfrmAcquisisci::aspetto()
{
    AspettoFinestra a{"frmAcquisisci", QStringLiteral(" Acquisisci dallo scanner"), kClient, Bordo::FissaProprietario,
                      true};
    a.sfondoAlto = QColor(0x6A, 0x9B, 0xC4);
    return a;
}

TfrmAcquisisci::TfrmAcquisisci(const Contesto &contesto, QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
    , m_contesto(contesto)
    , m_ricordata(leggiSceltaScanner())
{
    QWidget *impostazioni = Elementi::riquadroSfumato(this, QStringLiteral("shpImpostazioni"), QRect(10, 10, 370, 330),
                                                      Qt::white, QColor(0xA8, 0xCA, 0xE5), QColor(0x87, 0xCE, 0xEB), 6);
    cboScanner = elenco(impostazioni, QStringLiteral("cboScanner"), QStringLiteral("Scanner:"),
                        QRect(12, 32, 346, 30));
    cboRisoluzione = elenco(impostazioni, QStringLiteral("cboRisoluzione"), QStringLiteral("Risoluzione:"),
                            QRect(12, 94, 150, 30));
    cboModo = elenco(impostazioni, QStringLiteral("cboModo"), QStringLiteral("Modo:"), QRect(174, 94, 184, 30));
    cboOrigine = elenco(impostazioni, QStringLiteral("cboOrigine"), QStringLiteral("Origine dei fogli:"),
                        QRect(12, 156, 346, 30));

    lblStato = didascalia(impostazioni, QStringLiteral("lblStato"), QString(), QRect(12, 198, 346, 84));
    lblStato->setFont(Elementi::carattere(QStringLiteral("Verdana"), 9));
    lblStato->setWordWrap(true);
    lblStato->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    prbAvanzamento = new QProgressBar(impostazioni);
    prbAvanzamento->setObjectName(QStringLiteral("prbAvanzamento"));
    prbAvanzamento->setGeometry(12, 290, 346, 24);
    prbAvanzamento->setRange(0, 100);
    prbAvanzamento->setValue(0);
    prbAvanzamento->setAccessibleName(QStringLiteral("Avanzamento dell'acquisizione"));

    QWidget *riquadroFoto = Elementi::riquadroSfumato(this, QStringLiteral("shpFoto"), QRect(390, 10, 250, 330),
                                                      Qt::white, QColor(0xA8, 0xCA, 0xE5), QColor(0x87, 0xCE, 0xEB), 6);
    imgFoto = new VistaImmagine(riquadroFoto);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setGeometry(10, 10, 230, 310);
    imgFoto->setAccessibleName(QStringLiteral("Ultima pagina acquisita"));

    btnAnnulla = Elementi::pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                    QRect(kClient.width() - 10 - 110, 352, 110, 32));
    btnAcquisisci = Elementi::pulsante(this, QStringLiteral("btnAcquisisci"), QStringLiteral("Acquisisci"),
                                       QRect(btnAnnulla->x() - 10 - 150, 352, 150, 32));
    btnAcquisisci->setAutoDefault(false);
    btnAnnulla->setAutoDefault(false);
    btnAcquisisci->setEnabled(false);
    impostaUscita({btnAnnulla});

    setTabOrder(cboScanner, cboRisoluzione);
    setTabOrder(cboRisoluzione, cboModo);
    setTabOrder(cboModo, cboOrigine);
    setTabOrder(cboOrigine, btnAcquisisci);
    setTabOrder(btnAcquisisci, btnAnnulla);

    connect(cboScanner, &QComboBox::currentIndexChanged, this, &TfrmAcquisisci::cboScannerChange);
    connect(btnAcquisisci, &QPushButton::clicked, this, &TfrmAcquisisci::btnAcquisisciClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAcquisisci::btnAnnullaClick);
    connect(&m_acquisizione, &Acquisizione::scannerTrovati, this, &TfrmAcquisisci::scannerTrovati);
    connect(&m_acquisizione, &Acquisizione::capacitaLette, this, &TfrmAcquisisci::capacitaLette);
    connect(&m_acquisizione, &Acquisizione::avanzamento, this, &TfrmAcquisisci::avanzamento);
    connect(&m_acquisizione, &Acquisizione::paginaAcquisita, this, &TfrmAcquisisci::pagina);
    connect(&m_acquisizione, &Acquisizione::terminata, this, &TfrmAcquisisci::terminata);
}

TfrmAcquisisci::~TfrmAcquisisci()
{
    m_acquisizione.annulla();
}

void TfrmAcquisisci::impostaPacco(SalvaPagina salva)
{
    m_salva = std::move(salva);
    setWindowTitle(QStringLiteral(" Acquisisci più pagine dallo scanner"));
}

// The devices are looked for each time the window opens, on the worker: a
// network scanner may take seconds to answer, and the window stays usable.
void TfrmAcquisisci::FormShow()
{
    if (m_cercato)
        return;
    m_cercato = true;
    lblStato->setText(QStringLiteral("Ricerca degli scanner in corso..."));
    abilita(false);
    m_acquisizione.cercaScanner();
}

void TfrmAcquisisci::scannerTrovati(const QList<DispositivoScanner> &dispositivi, EsitoScanner esito)
{
    if (esito != EsitoScanner::Ok) {
        lblStato->setText(messaggioScanner(esito));
        return;
    }
    const QSignalBlocker blocco(cboScanner);
    for (const DispositivoScanner &d : dispositivi)
        cboScanner->addItem(d.descrizione(), d.nome);
    seleziona(cboScanner, m_ricordata.dispositivo);
    cboScannerChange();
}

void TfrmAcquisisci::cboScannerChange()
{
    abilita(false);
    lblStato->setText(QStringLiteral("Lettura delle impostazioni dello scanner..."));
    m_acquisizione.leggiCapacita(cboScanner->currentData().toByteArray());
}

// The lists offer only what this device can do; the last choice, or the
// usual one, is selected where the device has it.
void TfrmAcquisisci::capacitaLette(const QByteArray &nome, const CapacitaScanner &capacita, EsitoScanner esito)
{
    if (nome != cboScanner->currentData().toByteArray())
        return;  // the user has picked another one meanwhile
    if (esito != EsitoScanner::Ok) {
        lblStato->setText(messaggioScanner(esito));
        cboScanner->setEnabled(true);
        return;
    }
    const ImpostazioniScanner &ricordate = m_ricordata.impostazioni;
    cboRisoluzione->clear();
    for (int dpi : capacita.risoluzioni)
        cboRisoluzione->addItem(testoRisoluzione(dpi), dpi);
    if (!capacita.risoluzioni.isEmpty()) {
        const int vicina = *std::min_element(capacita.risoluzioni.begin(), capacita.risoluzioni.end(), [&](int a, int b) {
            return std::abs(a - ricordate.dpi) < std::abs(b - ricordate.dpi);
        });
        seleziona(cboRisoluzione, vicina);
    }
    cboModo->clear();
    for (ModoScanner m : capacita.modi)
        cboModo->addItem(nomeModo(m), int(m));
    seleziona(cboModo, int(ricordate.modo));
    cboOrigine->clear();
    for (OrigineScanner o : capacita.origini)
        cboOrigine->addItem(nomeOrigine(o), int(o));
    // A bundle wants the feeder whatever was used last.
    seleziona(cboOrigine, int(m_salva ? OrigineScanner::Alimentatore : ricordate.origine));
    lblStato->setText(m_salva ? QStringLiteral("Inserire i fogli nell'alimentatore e premere Acquisisci: "
                                               "ogni pagina diventa una nuova scheda dell'archivio.")
                              : QStringLiteral("Appoggiare la pagina sullo scanner e premere Acquisisci."));
    abilita(true);
}

ImpostazioniScanner TfrmAcquisisci::impostazioniScelte() const
{
    ImpostazioniScanner i;
    i.dpi = cboRisoluzione->currentData().toInt();
    i.modo = ModoScanner(cboModo->currentData().toInt());
    i.origine = OrigineScanner(cboOrigine->currentData().toInt());
    i.altre = m_opzioniDriver;
    return i;
}

void TfrmAcquisisci::btnAcquisisciClick()
{
    if (m_inCorso || cboScanner->currentIndex() < 0)
        return;
    m_ricordata.dispositivo = cboScanner->currentData().toByteArray();
    m_ricordata.impostazioni = impostazioniScelte();
    m_ricordata.impostazioni.altre.clear();
    scriviSceltaScanner(m_ricordata);

    m_inCorso = true;
    m_salvate = 0;
    m_primaPosizione = 0;
    m_erroreSalvataggio.clear();
    abilita(false);
    prbAvanzamento->setValue(0);
    lblStato->setText(QStringLiteral("Pagina 1: acquisizione in corso..."));
    m_acquisizione.acquisisci(m_ricordata.dispositivo, impostazioniScelte(), bool(m_salva));
}

void TfrmAcquisisci::btnAnnullaClick()
{
    reject();
}

// Escape, the close box and "Annulla" all leave at once: a page coming in
// is cancelled, and the worker is waited for only as long as the driver
// takes to stop.
void TfrmAcquisisci::reject()
{
    if (m_inCorso) {
        m_acquisizione.annulla();
        m_inCorso = false;
    }
    FinestraDialogo::reject();
}

void TfrmAcquisisci::avanzamento(int foglio, int percento, const QImage &anteprima)
{
    if (percento >= 0) {
        prbAvanzamento->setRange(0, 100);
        prbAvanzamento->setValue(percento);
    } else {
        prbAvanzamento->setRange(0, 0);  // the device does not say how long the page is
    }
    lblStato->setText(QStringLiteral("Pagina %1: acquisizione in corso...").arg(foglio));
    if (!anteprima.isNull())
        imgFoto->impostaImmagine(anteprima);
}

void TfrmAcquisisci::pagina(const QImage &immagine, int foglio)
{
    imgFoto->impostaImmagine(
        VistaImmagine::ridotta(immagine, immagine.size().scaled(Acquisizione::kAnteprima, Qt::KeepAspectRatio)));
    emit paginaAcquisita(immagine, foglio);
    if (!m_salva) {
        m_immagine = immagine;
        return;
    }
    lblStato->setText(QStringLiteral("Pagina %1: salvataggio in archivio...").arg(foglio));
    const PaginaSalvata salvata = m_salva(immagine, foglio);
    if (salvata.errore.isEmpty()) {
        if (m_salvate++ == 0)
            m_primaPosizione = salvata.posizione;
        lblStato->setText(QStringLiteral("Pagina %1 inserita in archivio come scheda %2.").arg(foglio).arg(salvata.posizione));
    } else {
        m_erroreSalvataggio = salvata.errore;
    }
    m_acquisizione.continua(salvata.errore.isEmpty());
}

void TfrmAcquisisci::terminata(EsitoScanner esito, int pagine)
{
    if (!m_inCorso)
        return;  // the window is being left
    m_inCorso = false;
    prbAvanzamento->setRange(0, 100);
    abilita(true);
    if (!m_salva) {
        if (esito == EsitoScanner::Ok && pagine == 1 && !m_immagine.isNull()) {
            prbAvanzamento->setValue(100);
            accept();
            return;
        }
        prbAvanzamento->setValue(0);
        lblStato->setText(esito == EsitoScanner::Annullata ? QStringLiteral("Acquisizione annullata.")
                                                           : messaggioScanner(esito));
        if (esito != EsitoScanner::Annullata)
            m_contesto.errore(messaggioScanner(esito));
        return;
    }

    // One page at a time from the glass: the window stays for the next.
    if (esito == EsitoScanner::Ok && m_erroreSalvataggio.isEmpty())
        return;
    RiepilogoPacco riepilogo;
    riepilogo.esito = esito;
    riepilogo.salvate = m_salvate;
    riepilogo.prima = m_primaPosizione;
    riepilogo.erroreSalvataggio = m_erroreSalvataggio;
    const QString testo = testoRiepilogo(riepilogo);
    lblStato->setText(testo.section(QStringLiteral("\r\n"), 0, 0));
    if (riepilogoRegolare(riepilogo)) {
        m_contesto.informazione(testo);
        if (esito == EsitoScanner::FineFogli)
            accept();
    } else {
        m_contesto.errore(testo);
    }
}

void TfrmAcquisisci::abilita(bool comandi)
{
    const bool scanner = comandi && cboScanner->count() > 0;
    for (QWidget *w : {static_cast<QWidget *>(cboScanner), static_cast<QWidget *>(cboRisoluzione),
                       static_cast<QWidget *>(cboModo), static_cast<QWidget *>(cboOrigine),
                       static_cast<QWidget *>(btnAcquisisci)})
        w->setEnabled(scanner);
    cboRisoluzione->setEnabled(scanner && cboRisoluzione->count() > 0);
}
