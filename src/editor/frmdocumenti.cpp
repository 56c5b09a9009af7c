#include "editor/frmdocumenti.h"

#include "app/accessibilita.h"
#include "app/contesto.h"
#include "app/catenainvio.h"
#include "app/chiamante.h"
#include "app/elementi.h"
#include "app/errori.h"
#include "app/messaggi.h"
#include "app/suggerimenti.h"
#include "app/vistaimmagine.h"
#include "commands/comanditesto.h"
#include "commands/scannerdocumenti.h"
#include "editor/aspettodocumenti.h"
#include "editor/campidocumenti.h"
#include "editor/comandidocumenti.h"
#include "editor/comandifoto.h"
#include "editor/frmallegacartella.h"
#include "editor/frmzoom.h"
#include "home/frmguida.h"
#include "output/frmanteprimapagina.h"
#include "output/frmexpdocumenti.h"
#include "output/frmslideshow_documenti.h"
#include "output/frmstampapagina.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/testo.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

namespace {

const QString kPronto = QStringLiteral("Pronto per archiviare una nuova scheda...");

// The placeholder is part of the window's design: opaque on white, at the
// size of the picture area, drawn once when it is first needed.
const QString kSegnaposto = QStringLiteral(":/editor/segnaposto.svg");

} // namespace

AspettoFinestra TfrmDocumenti::aspetto()
{
    AspettoFinestra a{"frmDocumenti", QStringLiteral(" Velmora - Gestione pagine documento"), QSize(1016, 713),
                      Bordo::Massimizzata, true};
    return a;
}

TfrmDocumenti::TfrmDocumenti(const Contesto &contesto, QWidget *parent)
    : FinestraPermanente(aspetto(), parent)
    , m_contesto(contesto)
{
    using namespace AspettoDocumenti;
    QWidget *pan = creaPannello(this, QSize(kLarghezzaPannello, kAltezzaPannello));
    const QList<QWidget *> sfondi = creaSfondi(pan);

    imgFoto = new VistaImmagine(pan);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setAccessibleName(QStringLiteral("Scansione della pagina"));
    imgFoto->setGeometry(postoFoto());
    imgBianco = new VistaImmagine(pan);
    imgBianco->setObjectName(QStringLiteral("imgBianco"));
    imgBianco->setGeometry(postoFoto());
    imgBianco->impostaRisorsa(kSegnaposto, postoFoto().size(), Qt::white);
    imgBianco->hide();
    imgFoto->impostaRisorsa(kSegnaposto, postoFoto().size(), Qt::white);

    lblNome = creaNome(pan);
    lblFile = etichettaNascosta(pan, QStringLiteral("lblFile"));
    lblPosizione = creaPosizione(pan, postoPosizione());
    lblFile01 = etichettaNascosta(pan, nomeEtichettaFile(0));
    lblFile02 = etichettaNascosta(pan, nomeEtichettaFile(1));
    lblFile03 = etichettaNascosta(pan, nomeEtichettaFile(2));
    lblDesc01 = etichettaNascosta(pan, nomeEtichettaDescrizione(0));
    lblDesc02 = etichettaNascosta(pan, nomeEtichettaDescrizione(1));
    lblDesc03 = etichettaNascosta(pan, nomeEtichettaDescrizione(2));

    QList<QWidget *> ordine;
    for (int k = 0; k < kCampiDescrittivi; ++k) {
        const DescrizioneCampo &d = campiDocumenti()[size_t(k)];
        if (d.didascalia) {
            QLabel *didascalia = creaDidascalia(pan, nomeDidascalia(k), d);
            m_campi[size_t(k)] = creaCampo(pan, d);
            Accessibilita::collegaDidascalia(didascalia, m_campi[size_t(k)]);
        } else {
            m_campi[size_t(k)] = creaNote(pan, d);
        }
        ordine.append(m_campi[size_t(k)]);
    }
    collegaInvio(ordine, true);
    chkDaCompletare = creaCasella(pan);

    m_documento = new DocumentoArchivio(m_contesto.cartella(), this);
    connect(m_documento, &DocumentoArchivio::archivioCambiato, this, &TfrmDocumenti::mostraNome);
    connect(m_documento, &DocumentoArchivio::posizioneCambiata, this, &TfrmDocumenti::mostraPosizioneCorrente);
    connect(m_documento, &DocumentoArchivio::schedaMostrata, this, [this] {
        mostraValori();
        LeggiFotoPagina();
    });
    connect(m_documento, &DocumentoArchivio::schedaPulita, this, [this] {
        mostraValori();
        impostaFoto(fotoSegnaposto());
        m_campi[0]->setFocus();
    });
    // A copy keeps the texts and the flag; its scan is not copied.
    connect(m_documento, &DocumentoArchivio::schedaDuplicata, this, [this] {
        impostaFoto(fotoSegnaposto());
        m_campi[0]->setFocus();
    });
    for (QLineEdit *c : m_campi)
        connect(c, &QLineEdit::textChanged, this, &TfrmDocumenti::schermoModificato);
    connect(chkDaCompletare, &QCheckBox::toggled, this, &TfrmDocumenti::schermoModificato);

    // Save moves the focus here first, so that no field is left half-edited.
    // It has no place on screen and Tab never lands on it.
    btnFocus = new QPushButton(pan);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setGeometry(0, 0, 0, 0);
    btnFocus->setFocusPolicy(Qt::NoFocus);
    btnFocus->setAccessibleName(QStringLiteral("Salvataggio della scheda"));
    Accessibilita::decorazione(btnFocus);

    for (int k = 0; k + 1 < ordine.size(); ++k)
        setTabOrder(ordine.at(k), ordine.at(k + 1));
    setTabOrder(ordine.last(), chkDaCompletare);

    panInfo = creaBarraStato(pan, kPronto);
    auto *suggerimenti = new SuggerimentiStato(panInfo);
    suggerimenti->sfondo(this);
    suggerimenti->sfondo(pan);
    for (QWidget *s : sfondi)
        suggerimenti->sfondo(s);
    suggerimenti->sfondo(imgFoto);
    creaComandi(pan);
    for (const DescrizioneComando &c : comandiDocumenti())
        suggerimenti->aggiungi(pan->findChild<QWidget *>(QString::fromLatin1(c.nome)),
                               QString::fromUtf8(c.suggerimento));
    suggerimenti->aggiungi(chkDaCompletare, QStringLiteral("Spunta questa casella per indicare che la pagina "
                                                           "del documento deve essere ancora completata."));
    creaComandiArchivio();
}

void TfrmDocumenti::creaComandi(QWidget *pannello)
{
    // Tab goes through the fields and the check box first, then the
    // commands, top bar then scan buttons, and back to the first field.
    QWidget *precedente = chkDaCompletare;
    for (const DescrizioneComando &c : comandiDocumenti()) {
        QWidget *comando = Elementi::comando(pannello, QString::fromLatin1(c.nome), QString::fromLatin1(c.risorsa),
                                             c.posto, QString::fromUtf8(c.testo));
        setTabOrder(precedente, comando);
        precedente = comando;
    }

    collegaComando("cmdNuovo", &TfrmDocumenti::cmdNuovoClick);
    collegaComando("cmdDuplica", &TfrmDocumenti::cmdDuplicaClick);
    collegaComando("cmdSalva", &TfrmDocumenti::cmdSalvaClick);
    collegaComando("cmdTrova", &TfrmDocumenti::cmdTrovaClick);
    collegaComando("cmdFile", &TfrmDocumenti::cmdFileClick);
    collegaComando("cmdAnteprima", &TfrmDocumenti::cmdAnteprimaClick);
    collegaComando("cmdStampa", &TfrmDocumenti::cmdStampaClick);
    collegaComando("cmdPrimo", &TfrmDocumenti::cmdPrimoClick);
    collegaComando("cmdIndietro", &TfrmDocumenti::cmdIndietroClick);
    collegaComando("cmdAvanti", &TfrmDocumenti::cmdAvantiClick);
    collegaComando("cmdUltimo", &TfrmDocumenti::cmdUltimoClick);
    collegaComando("cmdDaCompletare", &TfrmDocumenti::cmdDaCompletareClick);
    collegaComando("cmdEsporta", &TfrmDocumenti::cmdEsportaClick);
    collegaComando("cmdSlideshow", &TfrmDocumenti::cmdSlideshowClick);
    collegaComando("cmdGuida", &TfrmDocumenti::cmdGuidaClick);
    collegaComando("cmdEsci", &TfrmDocumenti::cmdEsciClick);
    collegaComando("btnCaricaFoto", &TfrmDocumenti::btnCaricaFotoClick);
    collegaComando("btnSalvaFoto", &TfrmDocumenti::btnSalvaFotoClick);
    collegaComando("btnCancFoto", &TfrmDocumenti::btnCancFotoClick);
    collegaComando("btnZoomFoto", &TfrmDocumenti::btnZoomFotoClick);

    // A key runs its command exactly as a click on it does, checks and
    // messages included.
    for (const ScorciatoiaComando &s : scorciatoieDocumenti()) {
        auto *comando = findChild<VistaImmagine *>(QString::fromLatin1(s.comando));
        auto *scorciatoia = new QShortcut(QKeySequence(QString::fromLatin1(s.tasti), QKeySequence::PortableText), this);
        connect(scorciatoia, &QShortcut::activated, comando, &VistaImmagine::premi);
    }
}

void TfrmDocumenti::creaComandiArchivio()
{
    auto *scanner = new ComandiScanner(*m_documento, m_contesto, this);
    // The acquired page is the scan on screen, as a loaded file would be,
    // without JPEG bytes of its own: saving encodes it once, at the scans'
    // quality. Its text is read meanwhile.
    connect(scanner, &ComandiScanner::fotoAcquisita, this, [this](const QImage &foto) {
        impostaFoto(foto);
        m_testo->leggiAcquisita(foto);
    });
    connect(scanner, &ComandiScanner::campoMancante, this, [this](Campo c) { campo(c)->setFocus(); });
    m_testo = new ComandiTesto(*m_documento, m_contesto, this);
    connect(m_testo, &ComandiTesto::stato, this, &TfrmDocumenti::impostaStato);
    connect(m_testo, &ComandiTesto::campiLetti, this, &TfrmDocumenti::mostraCampiLetti);
    for (QAction *azione : scanner->azioni() + m_testo->azioni())
        aggiungiComandoFoto(azione);
}

void TfrmDocumenti::mostraCampiLetti(const CampiLettura &campi)
{
    for (auto [c, valore] : {std::pair{Campo::Incipit, campi.incipit}, std::pair{Campo::RigheNum, campi.righe},
                             std::pair{Campo::Lingua, campi.lingua}}) {
        QLineEdit *e = campo(c);
        if (e->text() != valore) {
            e->setText(valore);
            e->setCursorPosition(0);
        }
    }
}

void TfrmDocumenti::collegaComando(const char *nome, void (TfrmDocumenti::*gestore)())
{
    auto *comando = findChild<VistaImmagine *>(QString::fromLatin1(nome));
    connect(comando, &VistaImmagine::clicked, this,
            [this, gestore] { protetto(m_contesto, [this, gestore] { (this->*gestore)(); }); });
}

QLineEdit *TfrmDocumenti::campo(Campo campo) const
{
    const int k = int(campo);
    return k >= 0 && k < kCampiDescrittivi ? m_campi[size_t(k)] : nullptr;
}

void TfrmDocumenti::schermoModificato()
{
    if (m_mostrando)
        return;
    ValoriScheda v = m_documento->valoriSchermo();
    for (int k = 0; k < kCampiDescrittivi; ++k)
        v.testi[size_t(k)] = m_campi[size_t(k)]->text();
    v.daCompletare = chkDaCompletare->isChecked();
    m_documento->impostaValoriSchermo(v);
}

void TfrmDocumenti::mostraValori()
{
    const ValoriScheda &v = m_documento->valoriSchermo();
    m_mostrando = true;
    for (int k = 0; k < kCampiDescrittivi; ++k) {
        QLineEdit *c = m_campi[size_t(k)];
        c->setText(v.testi[size_t(k)]);
        // A long text shows its beginning, not its end.
        c->setCursorPosition(0);
    }
    chkDaCompletare->setChecked(v.daCompletare);
    m_mostrando = false;
}

void TfrmDocumenti::mostraNome()
{
    lblNome->setText(m_documento->nome());
}

void TfrmDocumenti::mostraPosizioneCorrente()
{
    const std::optional<int> p = m_documento->posizione();
    lblPosizione->setText(p ? QString::number(*p) : QString());
}

void TfrmDocumenti::impostaStato(const QString &testo)
{
    panInfo->setText(testo);
}

void TfrmDocumenti::aggiungiComandoFoto(QAction *azione)
{
    imgFoto->addAction(azione);
    imgFoto->setContextMenuPolicy(Qt::ActionsContextMenu);
}

ValoriScheda TfrmDocumenti::valoriSchermo() const
{
    return m_documento->valoriSchermo();
}

ValoriAllegati TfrmDocumenti::allegati() const
{
    return m_documento->valoriSchermo().allegati;
}

void TfrmDocumenti::impostaAllegati(const ValoriAllegati &valori)
{
    m_documento->impostaAllegati(valori);
}

void TfrmDocumenti::apriArchivio(const QString &percorso, const QString &nome)
{
    m_documento->impostaCartellaProgramma(m_contesto.cartella());
    m_documento->apri(percorso, nome);
    mostra();
}

QString TfrmDocumenti::percorsoArchivio() const
{
    return m_documento->percorso();
}

QString TfrmDocumenti::nomeArchivio() const
{
    return m_documento->nome();
}

int TfrmDocumenti::posizioneCorrente() const
{
    return m_documento->posizione().value_or(0);
}

QImage TfrmDocumenti::foto() const
{
    return imgFoto->immagine();
}

void TfrmDocumenti::impostaFoto(const QImage &foto, const QByteArray &jpegOriginale)
{
    m_fotoIlleggibile = false;
    m_jpegFoto = jpegOriginale;
    m_chiaveJpegFoto = foto.cacheKey();
    imgFoto->impostaImmagine(foto);
    if (m_testo)
        m_testo->fotoSulloSchermo(foto.cacheKey() == fotoSegnaposto().cacheKey() ? QImage() : foto);
}

QByteArray TfrmDocumenti::jpegFoto() const
{
    return foto().cacheKey() == m_chiaveJpegFoto ? m_jpegFoto : QByteArray();
}

QImage TfrmDocumenti::fotoSegnaposto() const
{
    return imgBianco->immagine();
}

void TfrmDocumenti::MostraScheda(const TSchedaPagina &scheda, int posizione)
{
    m_documento->mostraScheda(scheda, posizione);
}

void TfrmDocumenti::PulisciScheda()
{
    m_documento->pulisci();
}

void TfrmDocumenti::LeggiFotoPagina()
{
    const QString cartella = m_documento->cartella();
    const QString percorso = m_documento->percorsoFoto();
    QByteArray jpeg;
    const QImage letta = leggiFileFoto(cartella, percorso, &jpeg);
    impostaFoto(letta.isNull() ? fotoSegnaposto() : letta, jpeg);
    m_fotoIlleggibile = letta.isNull() && QFileInfo::exists(percorso);
}

bool TfrmDocumenti::ScriviFotoPagina()
{
    if (m_fotoIlleggibile)
        return true; // the scan on disk stays as it is
    return scriviFileFoto(m_documento->cartella(), m_documento->percorsoFoto(), foto(), jpegFoto(),
                          m_contesto.chiamateDisco());
}

void TfrmDocumenti::FormShow()
{
    PulisciScheda();
}

void TfrmDocumenti::FormClose()
{
    m_testo->ferma();
    m_contesto.mostraFinestra(Permanente::Avvio);
}

void TfrmDocumenti::cmdNuovoClick()
{
    PulisciScheda();
}

void TfrmDocumenti::cmdDuplicaClick()
{
    if (!m_documento->duplica()) {
        m_contesto.avviso(kDuplicaNonSalvata);
        return;
    }
    m_contesto.informazione(kDuplicaPronta);
}

bool TfrmDocumenti::salvaInArchivio()
{
    DocumentoArchivio::Esito esito = m_documento->salva();
    // Another program (or another editor) changed the record since it was
    // shown. The question is asked with the file closed and unlocked: the
    // other program may save meanwhile, and what it writes is checked again.
    while (esito == DocumentoArchivio::Esito::CambiataAltrove) {
        if (!m_contesto.conferma(kSchedaCambiataAltrove))
            return false;
        esito = m_documento->sovrascriviCambiata();
    }
    if (esito == DocumentoArchivio::Esito::BloccoRifiutato) {
        m_contesto.errore(kMessaggioBloccoArchivio);
        return false;
    }
    if (esito == DocumentoArchivio::Esito::ErroreAccesso) {
        m_contesto.errore(kMessaggioAccessoArchivio);
        return false;
    }
    return true;
}

void TfrmDocumenti::cmdSalvaClick()
{
    btnFocus->setFocus();
    std::array<QString, kCampiDescrittivi> testi;
    for (int k = 0; k < kCampiDescrittivi; ++k)
        testi[size_t(k)] = m_campi[size_t(k)]->text();
    if (const CampoObbligatorio *mancante = primoObbligatorioMancante(testi)) {
        m_contesto.avviso(mancante->avviso);
        campo(mancante->campo)->setFocus();
        return;
    }

    const bool nuova = m_documento->nuova();
    if (!salvaInArchivio())
        return;
    // The record is stored whatever happens to its scan; a scan that could
    // not be written is said so, and the picture stays for another try.
    const bool fotoScritta = ScriviFotoPagina();
    if (fotoScritta)
        m_testo->paginaSalvata(posizioneCorrente());
    m_contesto.informazione(nuova ? kSchedaInserita : kSchedaModificata);
    if (!fotoScritta)
        m_contesto.avviso(kFotoNonSalvata);
}

void TfrmDocumenti::naviga(Navigazione verso)
{
    switch (m_documento->naviga(verso)) {
    case DocumentoArchivio::Esito::ArchivioVuoto:
        m_contesto.informazione(kMessaggioArchivioVuoto);
        break;
    case DocumentoArchivio::Esito::ErroreAccesso:
        m_contesto.errore(kMessaggioAccessoArchivio);
        break;
    default:
        break;
    }
}

void TfrmDocumenti::cmdPrimoClick()
{
    naviga(Navigazione::Primo);
}

void TfrmDocumenti::cmdIndietroClick()
{
    naviga(Navigazione::Indietro);
}

void TfrmDocumenti::cmdAvantiClick()
{
    naviga(Navigazione::Avanti);
}

void TfrmDocumenti::cmdUltimoClick()
{
    naviga(Navigazione::Ultimo);
}

void TfrmDocumenti::cmdTrovaClick()
{
    apriDialogo<TfrmTrovaPagine>(m_contesto, this, [this](TfrmTrovaPagine &d) {
        d.impostaArchivio(percorsoArchivio(), nomeArchivio());
        d.impostaChiamante(Chiamante::Documenti);
        connect(&d, &FinestraRiepilogo::schedaScelta, m_documento, &DocumentoArchivio::mostraPosizione);
    });
}

void TfrmDocumenti::cmdFileClick()
{
    if (const std::optional<ValoriAllegati> valori = apriAllegati(m_contesto, this, allegati()))
        impostaAllegati(*valori);
}

SchedaFoglio TfrmDocumenti::schedaFoglio() const
{
    return SchedaFoglio{nomeArchivio(), posizioneCorrente(), valoriSchermo(), foto()};
}

void TfrmDocumenti::cmdAnteprimaClick()
{
    apriDialogo<TfrmAnteprimaPagina>(m_contesto, this,
                                     [this](TfrmAnteprimaPagina &d) { d.impostaScheda(schedaFoglio()); });
}

void TfrmDocumenti::cmdStampaClick()
{
    apriDialogo<TfrmStampaPagina>(m_contesto, this, [this](TfrmStampaPagina &d) { d.impostaScheda(schedaFoglio()); });
}

void TfrmDocumenti::cmdDaCompletareClick()
{
    apriDialogo<TfrmRiepDaCompletare>(m_contesto, this, [this](TfrmRiepDaCompletare &d) {
        d.impostaArchivio(percorsoArchivio(), nomeArchivio());
        connect(&d, &FinestraRiepilogo::schedaScelta, m_documento, &DocumentoArchivio::mostraPosizione);
    });
}

void TfrmDocumenti::cmdEsportaClick()
{
    apriDialogo<TfrmExpDocumenti>(m_contesto, this,
                                  [this](TfrmExpDocumenti &d) { d.impostaArchivio(percorsoArchivio()); });
}

void TfrmDocumenti::cmdSlideshowClick()
{
    apriSlideshow(m_contesto, this, percorsoArchivio(), nomeArchivio());
}

void TfrmDocumenti::cmdGuidaClick()
{
    apriGuida(m_contesto, this, ArgomentoGuida::Documenti);
}

void TfrmDocumenti::cmdEsciClick()
{
    close();
}

void TfrmDocumenti::btnCaricaFotoClick()
{
    // A cancelled choice leaves everything, the mark of an unreadable scan
    // included: the next save must still leave that scan alone.
    QByteArray jpeg = jpegFoto();
    if (const std::optional<QImage> scelta = caricaFoto(m_contesto, this, fotoSegnaposto(), &jpeg))
        impostaFoto(*scelta, jpeg);
}

void TfrmDocumenti::btnSalvaFotoClick()
{
    const QByteArray jpeg = jpegFoto();
    const QImage dopo = salvaCopiaFoto(m_contesto, this, foto(), fotoSegnaposto(), jpeg);
    // A copy elsewhere puts no new picture on screen, so an unreadable scan
    // stays marked whatever the copy's outcome.
    const bool illeggibile = m_fotoIlleggibile;
    impostaFoto(dopo, dopo.cacheKey() == m_chiaveJpegFoto ? jpeg : QByteArray());
    m_fotoIlleggibile = illeggibile;
}

void TfrmDocumenti::btnCancFotoClick()
{
    impostaFoto(fotoSegnaposto());
}

void TfrmDocumenti::btnZoomFotoClick()
{
    mostraZoom(this, foto());
}
