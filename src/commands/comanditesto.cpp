#include "commands/comanditesto.h"

#include "app/contesto.h"
#include "app/dialoghifile.h"
#include "app/errori.h"
#include "app/finestra.h"
#include "app/lavorolungo.h"
#include "app/messaggi.h"
#include "commands/azionicomandi.h"
#include "document/documentoarchivio.h"
#include "ocr/indicetesti.h"
#include "ocr/letturaarchivio.h"
#include "ocr/letturapagina.h"
#include "ocr/letturatesto.h"
#include "ocr/pdfricercabile.h"
#include "search/frmcercatesto.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/testo.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>

#include <utility>

const QString kMessaggioSenzaScansione =
    QStringLiteral("Attenzione: la pagina non ha una scansione da cui riconoscere il testo.\n\r\n\r"
                   "Caricare prima la foto della pagina.");
const QString kMessaggioPdfCreato = QStringLiteral("Il file PDF ricercabile è stato creato:\n\r\n\r");

namespace {

// Waits for a work on another thread inside the click that started it, as
// any long work of the program does: the progress window after a moment,
// "Annulla" asking the work to stop, which then ends by itself.
template <class Finito>
void attendi(LavoroLungo &lavoro, const int &fatti, Finito finito, const std::function<void()> &annulla)
{
    bool annullato = false;
    while (!finito()) {
        if (!lavoro.avanza(fatti) && !annullato) {
            annullato = true;
            annulla();
        }
        // The work's signals come through the event loop; the user's input
        // only through the progress window's own.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        QThread::msleep(10);
    }
}

} // namespace

ComandiTesto::ComandiTesto(DocumentoArchivio &documento, const Contesto &contesto, QWidget *finestra)
    : QObject(finestra)
    , m_documento(documento)
    , m_contesto(contesto)
    , m_finestra(finestra)
{
    static const DescrizioneAzione<ComandiTesto> comandi[] = {
        {"actRiconosciTesto", "Riconosci il testo della pagina", "Ctrl+R", &ComandiTesto::riconosciTesto},
        {"actCercaNelTesto", "Cerca nel testo delle pagine...", "Ctrl+Shift+F", &ComandiTesto::cercaNelTesto},
        {"actRiconosciArchivio", "Riconosci il testo di tutte le pagine dell'archivio", "Ctrl+Shift+R",
         &ComandiTesto::riconosciArchivio},
        {"actEsportaPdf", "Esporta PDF ricercabile...", "Ctrl+Shift+E", &ComandiTesto::esportaPdf},
    };
    m_azioni = creaAzioni(this, m_contesto, comandi);
}

ComandiTesto::~ComandiTesto() = default;

QList<QAction *> ComandiTesto::azioni() const
{
    return m_azioni;
}

void ComandiTesto::fotoSulloSchermo(const QImage &foto)
{
    m_foto = foto;
    // The acquired page is no longer on screen: its reading would fill
    // nothing.
    if (m_acquisita && foto.cacheKey() != m_chiaveAcquisita)
        m_acquisita->annulla();
}

QString ComandiTesto::scansione(int posizione) const
{
    return percorsoFotoPagina(m_documento.cartella(), m_documento.nome(), QString::number(posizione));
}

IndiceTesti *ComandiTesto::indice(bool dire)
{
    const QString percorso = IndiceTesti::percorsoIn(m_documento.cartella());
    // A file removed since it was opened would take the texts into nothing:
    // it is made anew, unless the whole archive's reading holds it.
    if (m_indice && !m_archivio && !QFileInfo::exists(percorso))
        m_indice.reset();
    if (!m_indice)
        m_indice = std::make_unique<IndiceTesti>(percorso);
    if (dire && !m_indiceDetto && !m_indice->messaggioApertura().isEmpty()) {
        m_indiceDetto = true;
        m_contesto.errore(m_indice->messaggioApertura());
    }
    return m_indice->usabile() ? m_indice.get() : nullptr;
}

void ComandiTesto::riconosciTesto()
{
    const QImage foto = m_foto;
    if (foto.isNull()) {
        m_contesto.avviso(kMessaggioSenzaScansione);
        return;
    }
    // Asked for now, with a window: the background reading gives way.
    m_acquisita.reset();
    LetturaPagina lettura(foto);
    int percento = 0;
    bool finita = false;
    EsitoLettura esito;
    connect(&lettura, &LetturaPagina::avanzamento, this, [&percento](int p) { percento = p; });
    connect(&lettura, &LetturaPagina::finita, this, [&](const EsitoLettura &e) {
        esito = e;
        finita = true;
    });
    {
        // Closed before any message, which would otherwise stand over it.
        LavoroLungo lavoro(m_finestra, QStringLiteral("Riconoscimento del testo"),
                           QStringLiteral("Riconoscimento del testo della pagina: %1 su %2"), 100,
                           m_contesto.attesaLavoroLungo());
        lettura.avvia();
        attendi(lavoro, percento, [&finita] { return finita; }, [&lettura] { lettura.annulla(); });
    }

    switch (esito.stato) {
    case EsitoLettura::Stato::Annullato:
        return;
    case EsitoLettura::Stato::DatiMancanti:
    case EsitoLettura::Stato::Illeggibile:
        m_contesto.errore(esito.messaggio);
        return;
    case EsitoLettura::Stato::Letto:
        break;
    }
    applica(esito, foto.cacheKey());
}

void ComandiTesto::applica(const EsitoLettura &esito, qint64 chiaveFoto)
{
    const auto &testi = m_documento.valoriSchermo().testi;
    const auto testo = [&testi](Campo c) { return testi[size_t(c)]; };
    emit campiLetti(
        riempiVuoti({testo(Campo::Incipit), testo(Campo::RigheNum), testo(Campo::Lingua)}, campiDaTesto(esito.testo)));
    // Kept for the save of this very picture.
    m_testoLetto = esito.testo;
    m_chiaveFoto = chiaveFoto;
    const int n = righeDiTesto(esito.testo);
    emit stato(n ? QStringLiteral("Testo della pagina riconosciuto: %1 righe.").arg(n)
                 : QStringLiteral("Nessun testo riconosciuto nella pagina."));
}

void ComandiTesto::leggiAcquisita(const QImage &foto)
{
    if (foto.isNull())
        return;
    // A child of the commands while it reads: whoever holds them can see
    // that a page is being read.
    m_acquisita = std::make_unique<LetturaPagina>(foto, QString(), this);
    m_chiaveAcquisita = foto.cacheKey();
    m_salvataAcquisita = {};
    connect(m_acquisita.get(), &LetturaPagina::finita, this,
            [this](const EsitoLettura &esito) { protetto(m_contesto, [&] { acquisitaLetta(esito); }); });
    emit stato(QStringLiteral("Riconoscimento del testo della pagina acquisita..."));
    m_acquisita->avvia();
}

void ComandiTesto::acquisitaLetta(const EsitoLettura &esito)
{
    // Dropped once its signal has been handled.
    m_acquisita.release()->deleteLater();
    const PaginaAttesa salvata = std::exchange(m_salvataAcquisita, PaginaAttesa{});
    const bool sulloSchermo = m_foto.cacheKey() == m_chiaveAcquisita;
    switch (esito.stato) {
    case EsitoLettura::Stato::Annullato:
        return;
    case EsitoLettura::Stato::DatiMancanti:
    case EsitoLettura::Stato::Illeggibile:
        // No window over the user's typing: the command says it in full.
        if (sulloSchermo)
            emit stato(QStringLiteral("Il testo della pagina acquisita non è stato riconosciuto."));
        return;
    case EsitoLettura::Stato::Letto:
        break;
    }
    // Only while the saved page still has the very scan that was read:
    // the archive may have been closed, the scan removed or replaced.
    if (salvata.posizione > 0 && !salvata.firma.isEmpty() &&
        firmaScansione(salvata.scansione) == salvata.firma) {
        // Ends at any moment, maybe under another window: what went wrong
        // is said on the information bar, not in a window of its own.
        IndiceTesti *i = indice(false);
        if (!i || !i->scriviPagina(salvata.archivio, salvata.posizione, esito.testo, salvata.firma)) {
            emit stato(QStringLiteral("Il testo della pagina acquisita non è stato scritto nell'indice dei testi."));
            return;
        }
    }
    if (sulloSchermo)
        applica(esito, m_chiaveAcquisita);
}

void ComandiTesto::paginaSalvata(int posizione)
{
    if (posizione <= 0)
        return;
    const qint64 chiave = m_foto.cacheKey();
    if (m_acquisita && chiave == m_chiaveAcquisita) {
        const QString percorso = scansione(posizione);
        m_salvataAcquisita = {posizione, m_documento.nome(), percorso, firmaScansione(percorso)};
    }
    if (m_chiaveFoto != 0 && chiave == m_chiaveFoto)
        scriviNellIndice(posizione, m_testoLetto);
}

bool ComandiTesto::scriviNellIndice(int posizione, const QString &testo)
{
    IndiceTesti *i = indice();
    if (!i)
        return false;
    if (!i->scriviPagina(m_documento.nome(), posizione, testo, firmaScansione(scansione(posizione)))) {
        m_contesto.errore(i->ultimoErrore());
        return false;
    }
    diDanno();
    return true;
}

void ComandiTesto::diDanno()
{
    // The index found damaged while in use was made anew: its texts must
    // be read again, which the user decides.
    if (m_indice)
        if (const QString avviso = m_indice->prendiAvviso(); !avviso.isEmpty())
            m_contesto.errore(avviso);
}

void ComandiTesto::cercaNelTesto()
{
    int posizione = 0;
    apriDialogo<TfrmCercaTesto>(m_contesto, m_finestra, [&](TfrmCercaTesto &d) {
        d.impostaArchivio(m_documento.cartella(), m_documento.percorso(), m_documento.nome());
        // The chosen page is read once the window has closed.
        connect(&d, &QDialog::finished, &d, [&d, &posizione] { posizione = d.posizioneScelta(); });
    });
    if (posizione > 0 && m_documento.mostraPosizione(posizione) == DocumentoArchivio::Esito::ErroreAccesso)
        m_contesto.errore(kMessaggioAccessoArchivio);
}

void ComandiTesto::riconosciArchivio()
{
    if (m_archivio && m_avanzamentoArchivio) {
        m_avanzamentoArchivio->show();
        m_avanzamentoArchivio->raise();
        return;
    }
    IndiceTesti *i = indice();
    if (!i)
        return;
    int conteggio = 0;
    try {
        conteggio = m_documento.contaSchede();
    } catch (const ErroreArchivio &) {
        m_contesto.errore(kMessaggioAccessoArchivio);
        return;
    }
    m_archivio = std::make_unique<LetturaArchivio>(*i, m_documento.cartella(), m_documento.nome(), conteggio);
    // Not modal: the user goes on working while the pages are read.
    m_avanzamentoArchivio =
        new QProgressDialog(QStringLiteral("Riconoscimento del testo delle pagine dell'archivio"),
                            QStringLiteral("Annulla"), 0, qMax(1, m_archivio->daLeggere()), m_finestra);
    m_avanzamentoArchivio->setObjectName(QStringLiteral("dlgRiconosciArchivio"));
    m_avanzamentoArchivio->setWindowTitle(QStringLiteral(" Riconoscimento del testo"));
    m_avanzamentoArchivio->setWindowModality(Qt::NonModal);
    m_avanzamentoArchivio->setAutoClose(false);
    m_avanzamentoArchivio->setAutoReset(false);
    m_avanzamentoArchivio->setMinimumDuration(0);
    m_avanzamentoArchivio->setValue(0);
    connect(m_avanzamentoArchivio, &QProgressDialog::canceled, m_archivio.get(), &LetturaArchivio::ferma);
    connect(m_archivio.get(), &LetturaArchivio::avanzamento, m_avanzamentoArchivio, [this](int fatte, int totale) {
        m_avanzamentoArchivio->setValue(fatte);
        m_avanzamentoArchivio->setLabelText(
            QStringLiteral("Riconoscimento del testo delle pagine dell'archivio: %1 di %2").arg(fatte).arg(totale));
    });
    connect(m_archivio.get(), &LetturaArchivio::finita, this, &ComandiTesto::archivioFinito);
    m_avanzamentoArchivio->show();
    m_archivio->avvia();
}

void ComandiTesto::archivioFinito(bool completa, const QString &messaggio)
{
    const int lette = m_archivio ? m_archivio->lette() : 0;
    if (m_avanzamentoArchivio) {
        m_avanzamentoArchivio->deleteLater();
        m_avanzamentoArchivio = nullptr;
    }
    // The work is dropped once its last signal has been handled.
    QMetaObject::invokeMethod(this, [this] { m_archivio.reset(); }, Qt::QueuedConnection);
    diDanno();
    if (!messaggio.isEmpty())
        m_contesto.errore(messaggio);
    else if (completa)
        emit stato(QStringLiteral("Riconoscimento dell'archivio completato: %1 pagine lette.").arg(lette));
}

void ComandiTesto::ferma()
{
    if (m_archivio)
        m_archivio->ferma();
    if (m_acquisita)
        m_acquisita->annulla();
}

void ComandiTesto::esportaPdf()
{
    const QString nome = m_documento.nome();
    QVector<PaginaPdf> pagine;
    try {
        m_documento.schede()([&](int posizione, const TSchedaPagina &scheda) {
            const QString percorso = scansione(posizione);
            if (firmaScansione(percorso).isEmpty())
                return;
            const QString titolo = leggiCampo(scheda, Campo::Titolo);
            pagine.append(
                {percorso, titolo.isEmpty() ? QStringLiteral("Pagina %1").arg(posizione) : titolo, posizione});
        });
    } catch (const ErroreArchivio &) {
        m_contesto.errore(kMessaggioAccessoArchivio);
        return;
    }
    if (pagine.isEmpty()) {
        m_contesto.errore(kMessaggioPdfSenzaPagine);
        return;
    }
    RichiestaFile richiesta;
    richiesta.modo = RichiestaFile::Salva;
    richiesta.titolo = QStringLiteral("Esporta PDF ricercabile");
    richiesta.filtri = {QStringLiteral("Documento PDF (*.pdf)")};
    richiesta.nomeProposto = nome + QStringLiteral(".pdf");
    richiesta.cartella = m_documento.cartella();
    richiesta.estensionePredefinita = QStringLiteral("pdf");
    const QString destinazione = m_contesto.scegliFile(m_finestra, richiesta);
    if (destinazione.isEmpty())
        return;

    EsportazionePdf esportazione(pagine, nome, destinazione);
    int fatte = 0;
    bool finita = false;
    bool riuscita = false;
    QString messaggio;
    connect(&esportazione, &EsportazionePdf::avanzamento, this, [&fatte](int f, int) { fatte = f; });
    connect(&esportazione, &EsportazionePdf::finita, this, [&](bool r, const QString &m) {
        riuscita = r;
        messaggio = m;
        finita = true;
    });
    {
        LavoroLungo lavoro(m_finestra, QStringLiteral("Esporta PDF ricercabile"),
                           QStringLiteral("Riconoscimento ed esportazione: pagina %1 di %2"), int(pagine.size()),
                           m_contesto.attesaLavoroLungo());
        esportazione.avvia();
        attendi(lavoro, fatte, [&finita] { return finita; }, [&esportazione] { esportazione.annulla(); });
    }
    if (riuscita)
        m_contesto.informazione(kMessaggioPdfCreato + destinazione + messaggio);
    else if (!messaggio.isEmpty())
        m_contesto.errore(messaggio);
}
