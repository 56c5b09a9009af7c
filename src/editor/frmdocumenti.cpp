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
#include "editor/aspettodocumenti.h"
#include "editor/campidocumenti.h"
#include "editor/comandidocumenti.h"
#include "editor/comandifoto.h"
#include "editor/comanditesto.h"
#include "editor/frmallegacartella.h"
#include "editor/frmzoom.h"
#include "editor/scannerdocumenti.h"
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
    m_testo = new ComandiTesto(this, m_contesto);
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
    creaComandiScanner(this, m_contesto);
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

std::array<QLabel *, 6> TfrmDocumenti::etichetteAllegati() const
{
    return {lblFile01, lblFile02, lblFile03, lblDesc01, lblDesc02, lblDesc03};
}

void TfrmDocumenti::svuotaAllegati()
{
    for (QLabel *l : etichetteAllegati())
        l->clear();
}

ValoriScheda TfrmDocumenti::valoriSchermo() const
{
    ValoriScheda v;
    for (int k = 0; k < kCampiDescrittivi; ++k)
        v.testi[size_t(k)] = m_campi[size_t(k)]->text();
    v.daCompletare = chkDaCompletare->isChecked();
    v.allegati = allegati();
    return v;
}

ValoriAllegati TfrmDocumenti::allegati() const
{
    ValoriAllegati v;
    const std::array<QLabel *, 6> etichette = etichetteAllegati();
    for (size_t k = 0; k < 3; ++k) {
        v.nomi[k] = Testo::trim(etichette[k]->text());
        v.descrizioni[k] = Testo::trim(etichette[k + 3]->text());
    }
    return v;
}

void TfrmDocumenti::impostaAllegati(const ValoriAllegati &valori)
{
    const std::array<QLabel *, 6> etichette = etichetteAllegati();
    for (size_t k = 0; k < 3; ++k) {
        etichette[k]->setText(Testo::trim(valori.nomi[k]));
        etichette[k + 3]->setText(Testo::trim(valori.descrizioni[k]));
    }
}

void TfrmDocumenti::apriArchivio(const QString &percorso, const QString &nome)
{
    lblFile->setText(percorso);
    lblNome->setText(nome);
    mostra();
}

QString TfrmDocumenti::percorsoArchivio() const
{
    return Testo::trim(lblFile->text());
}

QString TfrmDocumenti::nomeArchivio() const
{
    return Testo::trim(lblNome->text());
}

int TfrmDocumenti::posizioneCorrente() const
{
    return Testo::trim(lblPosizione->text()).toInt();
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
    for (int k = 0; k < kCampiDescrittivi; ++k) {
        QLineEdit *c = m_campi[size_t(k)];
        c->setText(leggiCampo(scheda, Campo(k)));
        // A long text shows its beginning, not its end.
        c->setCursorPosition(0);
    }
    const Flag flag = leggiFlag(scheda);
    if (flag != Flag::Nessuno)
        chkDaCompletare->setChecked(flag == Flag::Si);
    const std::array<QLabel *, 6> allegati = etichetteAllegati();
    for (int k = 0; k < 6; ++k)
        allegati[size_t(k)]->setText(leggiCampo(scheda, Campo(int(Campo::File01) + k)));
    lblPosizione->setText(QString::number(posizione));
    m_schedaMostrata = scheda;
    LeggiFotoPagina();
}

void TfrmDocumenti::PulisciScheda()
{
    for (QLineEdit *c : m_campi)
        c->clear();
    chkDaCompletare->setChecked(false);
    svuotaAllegati();
    impostaFoto(fotoSegnaposto());
    lblPosizione->clear();
    m_schedaMostrata.reset();
    m_campi[0]->setFocus();
}

void TfrmDocumenti::LeggiFotoPagina()
{
    const QString cartella = m_contesto.cartellaProgramma();
    const QString percorso = percorsoFotoPagina(cartella, lblNome->text(), lblPosizione->text());
    QByteArray jpeg;
    const QImage letta = leggiFileFoto(cartella, percorso, &jpeg);
    impostaFoto(letta.isNull() ? fotoSegnaposto() : letta, jpeg);
    m_fotoIlleggibile = letta.isNull() && QFileInfo::exists(percorso);
}

bool TfrmDocumenti::ScriviFotoPagina()
{
    if (m_fotoIlleggibile)
        return true; // the scan on disk stays as it is
    const QString cartella = m_contesto.cartellaProgramma();
    return scriviFileFoto(cartella, percorsoFotoPagina(cartella, lblNome->text(), lblPosizione->text()), foto(),
                          jpegFoto(), m_contesto.chiamateDisco());
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
    if (Testo::trim(lblPosizione->text()).isEmpty()) {
        m_contesto.avviso(kDuplicaNonSalvata);
        return;
    }
    svuotaAllegati();
    lblPosizione->clear();
    m_schedaMostrata.reset();
    impostaFoto(fotoSegnaposto());
    m_campi[0]->setFocus();
    m_contesto.informazione(kDuplicaPronta);
}

int TfrmDocumenti::salvaInArchivio()
{
    const QString posizione = Testo::trim(lblPosizione->text());
    const TSchedaPagina scheda = componiScheda(valoriSchermo());
    std::optional<TSchedaPagina> attesa = m_schedaMostrata;
    try {
        for (;;) {
            TArchivioPagine archivio;
            archivio.ApriArchivio(Testo::trim(lblFile->text()));
            int n = posizione.toInt();
            TSchedaPagina trovata;
            if (posizione.isEmpty()) {
                n = archivio.AggiungiScheda(scheda);
            } else if (!attesa) {
                archivio.ScriviScheda(n, scheda);
            } else if (!archivio.SostituisciScheda(n, *attesa, scheda, &trovata)) {
                // Another program (or another editor) changed the record
                // since it was shown. The question is asked with the file
                // closed and unlocked: the other program may save meanwhile,
                // and what it writes is checked again.
                archivio.ChiudiArchivio();
                if (!m_contesto.conferma(kSchedaCambiataAltrove))
                    return 0;
                attesa = trovata;
                continue;
            }
            // From here on the screen stands for the stored record n: a
            // further save overwrites it instead of appending again.
            lblPosizione->setText(QString::number(n));
            m_schedaMostrata = scheda;
            archivio.ChiudiArchivio();
            return n;
        }
    } catch (const ErroreBloccoArchivio &) {
        m_contesto.errore(kMessaggioBloccoArchivio);
        return 0;
    } catch (const ErroreArchivio &) {
        m_contesto.errore(kMessaggioAccessoArchivio);
        return 0;
    }
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

    const bool nuova = Testo::trim(lblPosizione->text()).isEmpty();
    if (salvaInArchivio() == 0)
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
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(Testo::trim(lblFile->text()), TArchivioPagine::Accesso::Lettura);
        const PassoNavigazione passo =
            passoNavigazione(verso, Testo::trim(lblPosizione->text()), archivio.ContaSchede());
        if (passo.svuotaPosizione)
            lblPosizione->clear();
        if (passo.tipo == PassoNavigazione::Mostra) {
            const TSchedaPagina scheda = archivio.LeggiScheda(passo.posizione);
            archivio.ChiudiArchivio();
            MostraScheda(scheda, passo.posizione);
            return;
        }
        archivio.ChiudiArchivio();
        if (passo.tipo == PassoNavigazione::ArchivioVuoto)
            m_contesto.informazione(kMessaggioArchivioVuoto);
    } catch (const ErroreArchivio &) {
        m_contesto.errore(kMessaggioAccessoArchivio);
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

void TfrmDocumenti::mostraPosizione(int posizione)
{
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(percorsoArchivio());
        const TSchedaPagina scheda = archivio.LeggiScheda(posizione);
        archivio.ChiudiArchivio();
        MostraScheda(scheda, posizione);
    } catch (const ErroreArchivio &) {
        // The list has closed all the same; the screen stays as it was.
    }
}

void TfrmDocumenti::cmdTrovaClick()
{
    apriDialogo<TfrmTrovaPagine>(m_contesto, this, [this](TfrmTrovaPagine &d) {
        d.impostaArchivio(percorsoArchivio(), nomeArchivio());
        d.impostaChiamante(Chiamante::Documenti);
        connect(&d, &FinestraRiepilogo::schedaScelta, this, &TfrmDocumenti::mostraPosizione);
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
        connect(&d, &FinestraRiepilogo::schedaScelta, this, &TfrmDocumenti::mostraPosizione);
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
