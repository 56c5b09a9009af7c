#include "editor/comanditesto.h"

#include "app/contesto.h"
#include "app/dialoghifile.h"
#include "app/errori.h"
#include "app/finestra.h"
#include "app/lavorolungo.h"
#include "app/messaggi.h"
#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QThread>

#include <utility>

const QString kMessaggioSenzaScansione =
    QStringLiteral("Attenzione: la pagina non ha una scansione da cui riconoscere il testo.\n\r\n\r"
                   "Caricare prima la foto della pagina.");
const QString kMessaggioPdfCreato = QStringLiteral("Il file PDF ricercabile è stato creato:\n\r\n\r");

namespace {

QAction *azione(QWidget *dove, const char *nome, const QString &testo, const char *tasti)
{
    auto *a = new QAction(testo, dove);
    a->setObjectName(QString::fromLatin1(nome));
    a->setShortcut(QKeySequence(QString::fromLatin1(tasti), QKeySequence::PortableText));
    a->setShortcutContext(Qt::WindowShortcut);
    dove->addAction(a);
    return a;
}

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

ComandiTesto::ComandiTesto(TfrmDocumenti *editor, const Contesto &contesto)
    : QObject(editor)
    , m_editor(editor)
    , m_contesto(contesto)
{
    // The scan picture's context menu holds the commands; their keys work
    // anywhere in the editor.
    VistaImmagine *foto = editor->imgFoto;
    foto->setContextMenuPolicy(Qt::ActionsContextMenu);
    actRiconosciTesto = azione(foto, "actRiconosciTesto", QStringLiteral("Riconosci il testo della pagina"), "Ctrl+R");
    actCercaNelTesto = azione(foto, "actCercaNelTesto", QStringLiteral("Cerca nel testo delle pagine..."),
                              "Ctrl+Shift+F");
    actRiconosciArchivio = azione(foto, "actRiconosciArchivio",
                                  QStringLiteral("Riconosci il testo di tutte le pagine dell'archivio"), "Ctrl+Shift+R");
    actEsportaPdf = azione(foto, "actEsportaPdf", QStringLiteral("Esporta PDF ricercabile..."), "Ctrl+Shift+E");
    const auto collega = [this](QAction *a, void (ComandiTesto::*gestore)()) {
        connect(a, &QAction::triggered, this,
                [this, gestore] { protetto(m_contesto, [this, gestore] { (this->*gestore)(); }); });
    };
    collega(actRiconosciTesto, &ComandiTesto::riconosciTesto);
    collega(actCercaNelTesto, &ComandiTesto::cercaNelTesto);
    collega(actRiconosciArchivio, &ComandiTesto::riconosciArchivio);
    collega(actEsportaPdf, &ComandiTesto::esportaPdf);
    connect(editor, &TfrmDocumenti::fotoAcquisita, this,
            [this] { protetto(m_contesto, [this] { riconosciAcquisita(); }); });
}

ComandiTesto::~ComandiTesto() = default;

IndiceTesti *ComandiTesto::indice(bool dire)
{
    const QString percorso = IndiceTesti::percorsoIn(m_contesto.cartellaProgramma());
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
    const QImage foto = m_editor->foto();
    if (foto.isNull() || foto == m_editor->fotoSegnaposto()) {
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
        LavoroLungo lavoro(m_editor, QStringLiteral("Riconoscimento del testo"),
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
    QLineEdit *incipit = m_editor->campo(Campo::Incipit);
    QLineEdit *righe = m_editor->campo(Campo::RigheNum);
    QLineEdit *lingua = m_editor->campo(Campo::Lingua);
    const CampiLettura riempiti =
        riempiVuoti({incipit->text(), righe->text(), lingua->text()}, campiDaTesto(esito.testo));
    for (auto [campo, valore] : {std::pair{incipit, riempiti.incipit}, std::pair{righe, riempiti.righe},
                                 std::pair{lingua, riempiti.lingua}}) {
        if (campo->text() != valore) {
            campo->setText(valore);
            campo->setCursorPosition(0);
        }
    }
    // Kept for the save of this very picture.
    m_testoLetto = esito.testo;
    m_chiaveFoto = chiaveFoto;
    const int n = righeDiTesto(esito.testo);
    m_editor->panInfo->setText(n ? QStringLiteral("Testo della pagina riconosciuto: %1 righe.").arg(n)
                                 : QStringLiteral("Nessun testo riconosciuto nella pagina."));
}

void ComandiTesto::riconosciAcquisita()
{
    const QImage foto = m_editor->foto();
    if (foto.isNull())
        return;
    m_acquisita = std::make_unique<LetturaPagina>(foto);
    m_chiaveAcquisita = foto.cacheKey();
    m_salvataAcquisita = {};
    connect(m_acquisita.get(), &LetturaPagina::avanzamento, this, [this] {
        if (m_acquisita && m_editor->foto().cacheKey() != m_chiaveAcquisita)
            m_acquisita->annulla();
    });
    connect(m_acquisita.get(), &LetturaPagina::finita, this,
            [this](const EsitoLettura &esito) { protetto(m_contesto, [&] { acquisitaLetta(esito); }); });
    m_editor->panInfo->setText(QStringLiteral("Riconoscimento del testo della pagina acquisita..."));
    m_acquisita->avvia();
}

void ComandiTesto::acquisitaLetta(const EsitoLettura &esito)
{
    // Dropped once its signal has been handled.
    m_acquisita.release()->deleteLater();
    const PaginaAttesa salvata = std::exchange(m_salvataAcquisita, PaginaAttesa{});
    const bool sulloSchermo = m_editor->foto().cacheKey() == m_chiaveAcquisita;
    switch (esito.stato) {
    case EsitoLettura::Stato::Annullato:
        return;
    case EsitoLettura::Stato::DatiMancanti:
    case EsitoLettura::Stato::Illeggibile:
        // No window over the user's typing: the command says it in full.
        if (sulloSchermo)
            m_editor->panInfo->setText(QStringLiteral("Il testo della pagina acquisita non è stato riconosciuto."));
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
            m_editor->panInfo->setText(
                QStringLiteral("Il testo della pagina acquisita non è stato scritto nell'indice dei testi."));
            return;
        }
    }
    if (sulloSchermo)
        applica(esito, m_chiaveAcquisita);
}

bool ComandiTesto::acquisitaInLettura() const
{
    return m_acquisita != nullptr;
}

void ComandiTesto::paginaSalvata(int posizione)
{
    if (posizione <= 0)
        return;
    const qint64 chiave = m_editor->foto().cacheKey();
    if (m_acquisita && chiave == m_chiaveAcquisita) {
        const QString scansione =
            percorsoFotoPagina(m_contesto.cartellaProgramma(), m_editor->nomeArchivio(), QString::number(posizione));
        m_salvataAcquisita = {posizione, m_editor->nomeArchivio(), scansione, firmaScansione(scansione)};
    }
    if (m_chiaveFoto != 0 && chiave == m_chiaveFoto)
        scriviNellIndice(posizione, m_testoLetto);
}

bool ComandiTesto::scriviNellIndice(int posizione, const QString &testo)
{
    IndiceTesti *i = indice();
    if (!i)
        return false;
    const QString scansione =
        percorsoFotoPagina(m_contesto.cartellaProgramma(), m_editor->nomeArchivio(), QString::number(posizione));
    if (!i->scriviPagina(m_editor->nomeArchivio(), posizione, testo, firmaScansione(scansione))) {
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
    apriDialogo<TfrmCercaTesto>(m_contesto, m_editor, [&](TfrmCercaTesto &d) {
        d.impostaArchivio(m_contesto.cartellaProgramma(), m_editor->percorsoArchivio(), m_editor->nomeArchivio());
        // The chosen page is read once the window has closed.
        connect(&d, &QDialog::finished, &d, [&d, &posizione] { posizione = d.posizioneScelta(); });
    });
    if (posizione <= 0)
        return;
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(m_editor->percorsoArchivio());
        const TSchedaPagina scheda = archivio.LeggiScheda(posizione);
        archivio.ChiudiArchivio();
        m_editor->MostraScheda(scheda, posizione);
    } catch (const ErroreArchivio &) {
        m_contesto.errore(kMessaggioAccessoArchivio);
    }
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
        TArchivioPagine archivio;
        archivio.ApriArchivio(m_editor->percorsoArchivio());
        conteggio = archivio.ContaSchede();
        archivio.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
        m_contesto.errore(kMessaggioAccessoArchivio);
        return;
    }
    m_archivio =
        std::make_unique<LetturaArchivio>(*i, m_contesto.cartellaProgramma(), m_editor->nomeArchivio(), conteggio);
    // Not modal: the user goes on working while the pages are read.
    m_avanzamentoArchivio = new QProgressDialog(QStringLiteral("Riconoscimento del testo delle pagine dell'archivio"),
                                                QStringLiteral("Annulla"), 0, qMax(1, m_archivio->daLeggere()),
                                                m_editor);
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
        m_editor->panInfo->setText(
            QStringLiteral("Riconoscimento dell'archivio completato: %1 pagine lette.").arg(lette));
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
    const QString nome = m_editor->nomeArchivio();
    QVector<PaginaPdf> pagine;
    try {
        TArchivioPagine archivio;
        archivio.ApriArchivio(m_editor->percorsoArchivio());
        archivio.PerOgniScheda([&](int posizione, const TSchedaPagina &scheda) {
            const QString scansione =
                percorsoFotoPagina(m_contesto.cartellaProgramma(), nome, QString::number(posizione));
            if (firmaScansione(scansione).isEmpty())
                return;
            const QString titolo = leggiCampo(scheda, Campo::Titolo);
            pagine.append({scansione, titolo.isEmpty() ? QStringLiteral("Pagina %1").arg(posizione) : titolo});
        });
        archivio.ChiudiArchivio();
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
    richiesta.cartella = m_contesto.cartellaProgramma();
    richiesta.estensionePredefinita = QStringLiteral("pdf");
    const QString destinazione = m_contesto.scegliFile(m_editor, richiesta);
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
        LavoroLungo lavoro(m_editor, QStringLiteral("Esporta PDF ricercabile"),
                           QStringLiteral("Riconoscimento ed esportazione: pagina %1 di %2"), int(pagine.size()),
                           m_contesto.attesaLavoroLungo());
        esportazione.avvia();
        attendi(lavoro, fatte, [&finita] { return finita; }, [&esportazione] { esportazione.annulla(); });
    }
    if (riuscita)
        m_contesto.informazione(kMessaggioPdfCreato + destinazione);
    else if (!messaggio.isEmpty())
        m_contesto.errore(messaggio);
}
