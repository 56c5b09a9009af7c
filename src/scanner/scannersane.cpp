#include "scanner/scannersane.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <thread>

#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <pthread.h>
#include <sys/mman.h>

// Many drivers hand a page over from a reader thread (SANE's sanei_thread),
// which asks for asynchronous cancellation and is cancelled whenever a page
// ends, fails or is stopped. Cancelled asynchronously inside malloc or free,
// a thread dies holding the allocator's lock: its own exit then waits for
// that lock, the driver waits for the thread, and the window freezes (as
// does every other thread that needs the allocator, or forks, or unloads a
// library). The drivers are loaded at run time and find this definition
// first (the program exports it): their threads are cancelled only where
// the C library allows it, at a blocking call such as the write into the
// pipe that carries the lines, where no lock is held. Everything else that
// runs here uses deferred cancellation already.
extern "C" int pthread_setcanceltype(int tipo, int *vecchio)
{
    using Funzione = int (*)(int, int *);
    static const auto originale = reinterpret_cast<Funzione>(dlsym(RTLD_NEXT, "pthread_setcanceltype"));
    if (!originale)
        return ENOSYS;
    return originale(tipo == PTHREAD_CANCEL_ASYNCHRONOUS ? PTHREAD_CANCEL_DEFERRED : tipo, vecchio);
}

namespace {

std::mutex g_mutexSessione;
int g_sessioni = 0;
bool g_avviata = false;

SANE_Handle handle(void *h) { return static_cast<SANE_Handle>(h); }

QString testoSane(SANE_String_Const s) { return s ? QString::fromUtf8(s) : QString(); }

// The choices a device with a continuous range offers the user: the usual
// steps inside its limits, or its limits alone when none falls inside.
QList<int> risoluzioniDaIntervallo(int minimo, int massimo)
{
    static const int kUsuali[] = {75, 100, 150, 200, 300, 400, 600, 1200};
    QList<int> elenco;
    for (int r : kUsuali)
        if (r >= minimo && r <= massimo)
            elenco.append(r);
    if (elenco.isEmpty()) {
        elenco.append(minimo);
        if (massimo != minimo)
            elenco.append(massimo);
    }
    return elenco;
}

bool contiene(const QString &testo, std::initializer_list<const char *> parole)
{
    for (const char *p : parole)
        if (testo.contains(QLatin1String(p), Qt::CaseInsensitive))
            return true;
    return false;
}

// The device's own names for its modes and sources, read in our terms.
bool modoCorrisponde(const QString &nome, ModoScanner modo)
{
    switch (modo) {
    case ModoScanner::Colore:
        return contiene(nome, {"color", "colour"});
    case ModoScanner::Grigi:
        return contiene(nome, {"gray", "grey"});
    case ModoScanner::BiancoNero:
        return contiene(nome, {"lineart", "binary", "black"});
    }
    return false;
}

bool origineCorrisponde(const QString &nome, OrigineScanner origine)
{
    if (origine == OrigineScanner::Piano)
        return contiene(nome, {"flatbed", "normal"});
    return contiene(nome, {"adf", "feeder"});
}

QStringList elencoTesti(const SANE_Option_Descriptor *d)
{
    QStringList elenco;
    if (d && d->constraint_type == SANE_CONSTRAINT_STRING_LIST)
        for (const SANE_String_Const *s = d->constraint.string_list; s && *s; ++s)
            elenco.append(QString::fromUtf8(*s));
    return elenco;
}

bool ammetteIntero(const SANE_Option_Descriptor *d, int valore)
{
    if (!d)
        return false;
    if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        const SANE_Word *w = d->constraint.word_list;
        for (int i = 1; i <= w[0]; ++i)
            if (w[i] == valore)
                return true;
        return false;
    }
    if (d->constraint_type == SANE_CONSTRAINT_RANGE)
        return valore >= d->constraint.range->min && valore <= d->constraint.range->max;
    return true;
}

bool attiva(const SANE_Option_Descriptor *d)
{
    return d && SANE_OPTION_IS_ACTIVE(d->cap) && SANE_OPTION_IS_SETTABLE(d->cap);
}

// Watches a page for a scanner that stops answering: without a sign of life
// within the time allowed, the page is cancelled and marked as timed out.
class Guardia
{
public:
    Guardia(SANE_Handle h, int millisecondi)
        : m_h(h), m_tempo(millisecondi), m_ultimo(std::chrono::steady_clock::now()),
          m_filo([this] { sorveglia(); })
    {
    }
    ~Guardia()
    {
        {
            std::lock_guard<std::mutex> l(m_mutex);
            m_fine = true;
        }
        m_cv.notify_all();
        m_filo.join();
    }
    void vivo()
    {
        std::lock_guard<std::mutex> l(m_mutex);
        m_ultimo = std::chrono::steady_clock::now();
    }
    bool scaduta() const { return m_scaduta.load(); }

private:
    void sorveglia()
    {
        std::unique_lock<std::mutex> l(m_mutex);
        while (!m_fine) {
            const auto limite = m_ultimo + m_tempo;
            if (std::chrono::steady_clock::now() >= limite) {
                m_scaduta = true;
                sane_cancel(m_h);
                return;
            }
            m_cv.wait_until(l, limite);
        }
    }

    SANE_Handle m_h;
    std::chrono::milliseconds m_tempo;
    std::chrono::steady_clock::time_point m_ultimo;
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_fine = false;
    std::atomic<bool> m_scaduta{false};
    std::thread m_filo;
};

} // namespace

QString DispositivoScanner::descrizione() const
{
    QString testo = QStringList{produttore, modello}.join(QLatin1Char(' ')).trimmed();
    const QString n = QString::fromUtf8(nome);
    return testo.isEmpty() ? n : QStringLiteral("%1 (%2)").arg(testo, n);
}

SessioneSane::SessioneSane()
{
    std::lock_guard<std::mutex> l(g_mutexSessione);
    if (g_sessioni++ == 0) {
        // Backends hand lines over through a pipe from a reader thread or
        // process; cancelling a page closes the read end while the reader may
        // still write, and the default SIGPIPE would end the whole program.
        // A write to a closed pipe is an ordinary error for everything else
        // this program does, so the signal is ignored. (SANE's own thread
        // helper puts the default back after each page it reads and ignores
        // the signal again while the next page comes in.)
        std::signal(SIGPIPE, SIG_IGN);
        SANE_Int versione = 0;
        g_avviata = sane_init(&versione, nullptr) == SANE_STATUS_GOOD;
    }
    m_avviata = g_avviata;
}

SessioneSane::~SessioneSane()
{
    std::lock_guard<std::mutex> l(g_mutexSessione);
    if (--g_sessioni == 0 && g_avviata) {
        sane_exit();
        g_avviata = false;
    }
}

EsitoScanner elencaScanner(const SessioneSane &sessione, QList<DispositivoScanner> &dispositivi)
{
    dispositivi.clear();
    if (!sessione.avviata())
        return EsitoScanner::NessunDispositivo;
    const SANE_Device **elenco = nullptr;
    const SANE_Status stato = sane_get_devices(&elenco, SANE_FALSE);
    if (stato != SANE_STATUS_GOOD)
        return esitoDaStatoSane(stato);
    for (const SANE_Device **d = elenco; d && *d; ++d)
        dispositivi.append({QByteArray((*d)->name), testoSane((*d)->vendor), testoSane((*d)->model),
                            testoSane((*d)->type)});
    return dispositivi.isEmpty() ? EsitoScanner::NessunDispositivo : EsitoScanner::Ok;
}

ScannerSane::~ScannerSane()
{
    chiudi();
}

EsitoScanner ScannerSane::apri(const SessioneSane &sessione, const QByteArray &nome)
{
    chiudi();
    if (!sessione.avviata())
        return EsitoScanner::NessunDispositivo;
    SANE_Handle h = nullptr;
    const SANE_Status stato = sane_open(nome.constData(), &h);
    if (stato != SANE_STATUS_GOOD)
        return esitoDaStatoSane(stato, true);
    std::lock_guard<std::mutex> l(m_mutexHandle);
    m_handle = h;
    m_annullata = false;
    return EsitoScanner::Ok;
}

void ScannerSane::chiudi()
{
    std::lock_guard<std::mutex> l(m_mutexHandle);
    if (m_handle) {
        sane_cancel(handle(m_handle));
        sane_close(handle(m_handle));
        m_handle = nullptr;
    }
}

int ScannerSane::indiceOpzione(const QByteArray &nome) const
{
    if (!m_handle)
        return -1;
    for (SANE_Int i = 1;; ++i) {
        const SANE_Option_Descriptor *d = sane_get_option_descriptor(handle(m_handle), i);
        if (!d)
            return -1;
        if (d->name && nome == d->name)
            return i;
    }
}

CapacitaScanner ScannerSane::capacita() const
{
    CapacitaScanner c;
    if (!m_handle)
        return c;
    auto descrittore = [this](const char *nome) -> const SANE_Option_Descriptor * {
        const int i = indiceOpzione(nome);
        return i < 0 ? nullptr : sane_get_option_descriptor(handle(m_handle), i);
    };

    if (const SANE_Option_Descriptor *d = descrittore(SANE_NAME_SCAN_RESOLUTION)) {
        const bool fisso = d->type == SANE_TYPE_FIXED;
        auto intero = [fisso](SANE_Word w) { return fisso ? qRound(SANE_UNFIX(w)) : int(w); };
        if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST) {
            const SANE_Word *w = d->constraint.word_list;
            for (int i = 1; i <= w[0]; ++i)
                c.risoluzioni.append(intero(w[i]));
        } else if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
            c.risoluzioni = risoluzioniDaIntervallo(intero(d->constraint.range->min),
                                                    intero(d->constraint.range->max));
        }
        std::sort(c.risoluzioni.begin(), c.risoluzioni.end());
        c.risoluzioni.erase(std::unique(c.risoluzioni.begin(), c.risoluzioni.end()), c.risoluzioni.end());
    }

    const QStringList modi = elencoTesti(descrittore(SANE_NAME_SCAN_MODE));
    const bool profondita1 = ammetteIntero(descrittore(SANE_NAME_BIT_DEPTH), 1);
    for (ModoScanner m : {ModoScanner::Colore, ModoScanner::Grigi, ModoScanner::BiancoNero}) {
        const bool offerto = std::any_of(modi.begin(), modi.end(),
                                         [m](const QString &n) { return modoCorrisponde(n, m); });
        // Black and white from a grey mode at one bit, on devices that
        // have no line-art mode of their own.
        const bool daGrigi = m == ModoScanner::BiancoNero && profondita1 &&
                             c.modi.contains(ModoScanner::Grigi);
        if (offerto || daGrigi)
            c.modi.append(m);
    }
    if (modi.isEmpty())
        c.modi.append(ModoScanner::Colore);

    const QStringList origini = elencoTesti(descrittore(SANE_NAME_SCAN_SOURCE));
    for (OrigineScanner o : {OrigineScanner::Piano, OrigineScanner::Alimentatore})
        if (std::any_of(origini.begin(), origini.end(), [o](const QString &n) { return origineCorrisponde(n, o); }))
            c.origini.append(o);
    if (c.origini.isEmpty())
        c.origini.append(OrigineScanner::Piano);

    c.area = descrittore(SANE_NAME_SCAN_BR_X) && descrittore(SANE_NAME_SCAN_BR_Y);
    return c;
}

EsitoScanner ScannerSane::impostaOpzione(const QByteArray &nome, const QVariant &valore)
{
    const int i = indiceOpzione(nome);
    if (i < 0)
        return EsitoScanner::NonSupportato;
    const SANE_Option_Descriptor *d = sane_get_option_descriptor(handle(m_handle), i);
    if (!attiva(d))
        return EsitoScanner::NonSupportato;
    SANE_Status stato = SANE_STATUS_INVAL;
    SANE_Int info = 0;
    switch (d->type) {
    case SANE_TYPE_BOOL: {
        SANE_Bool b = valore.toBool() ? SANE_TRUE : SANE_FALSE;
        stato = sane_control_option(handle(m_handle), i, SANE_ACTION_SET_VALUE, &b, &info);
        break;
    }
    case SANE_TYPE_INT: {
        SANE_Word w = valore.toInt();
        stato = sane_control_option(handle(m_handle), i, SANE_ACTION_SET_VALUE, &w, &info);
        break;
    }
    case SANE_TYPE_FIXED: {
        SANE_Word w = SANE_FIX(valore.toDouble());
        stato = sane_control_option(handle(m_handle), i, SANE_ACTION_SET_VALUE, &w, &info);
        break;
    }
    case SANE_TYPE_STRING: {
        QByteArray testo = valore.toString().toUtf8();
        if (testo.size() >= d->size)
            return EsitoScanner::NonSupportato;
        testo.resize(d->size, '\0');
        stato = sane_control_option(handle(m_handle), i, SANE_ACTION_SET_VALUE, testo.data(), &info);
        break;
    }
    default:
        return EsitoScanner::NonSupportato;
    }
    return stato == SANE_STATUS_INVAL ? EsitoScanner::NonSupportato : esitoDaStatoSane(stato);
}

QVariant ScannerSane::opzione(const QByteArray &nome) const
{
    const int i = indiceOpzione(nome);
    if (i < 0)
        return {};
    const SANE_Option_Descriptor *d = sane_get_option_descriptor(handle(m_handle), i);
    if (!d || !SANE_OPTION_IS_ACTIVE(d->cap) || d->size <= 0)
        return {};
    QByteArray spazio(d->size, '\0');
    if (sane_control_option(handle(m_handle), i, SANE_ACTION_GET_VALUE, spazio.data(), nullptr) != SANE_STATUS_GOOD)
        return {};
    SANE_Word w = 0;
    if (d->type != SANE_TYPE_STRING)
        std::memcpy(&w, spazio.constData(), sizeof w);
    switch (d->type) {
    case SANE_TYPE_BOOL:
        return bool(w);
    case SANE_TYPE_INT:
        return int(w);
    case SANE_TYPE_FIXED:
        return SANE_UNFIX(w);
    case SANE_TYPE_STRING:
        return QString::fromUtf8(spazio.constData());
    default:
        return {};
    }
}

EsitoScanner ScannerSane::imposta(const ImpostazioniScanner &impostazioni)
{
    if (!m_handle)
        return EsitoScanner::NessunDispositivo;
    auto descrittore = [this](const char *nome) -> const SANE_Option_Descriptor * {
        const int i = indiceOpzione(nome);
        return i < 0 ? nullptr : sane_get_option_descriptor(handle(m_handle), i);
    };
    auto primoCorrispondente = [](const QStringList &nomi, auto corrisponde) {
        for (const QString &n : nomi)
            if (corrisponde(n))
                return n;
        return QString();
    };

    // The source first: some devices offer other resolutions on the feeder.
    const QString origine = primoCorrispondente(elencoTesti(descrittore(SANE_NAME_SCAN_SOURCE)),
        [&](const QString &n) { return origineCorrisponde(n, impostazioni.origine); });
    if (!origine.isEmpty()) {
        if (const EsitoScanner e = impostaOpzione(SANE_NAME_SCAN_SOURCE, origine); e != EsitoScanner::Ok)
            return e;
    } else if (impostazioni.origine == OrigineScanner::Alimentatore) {
        return EsitoScanner::NonSupportato;
    }

    const QStringList modi = elencoTesti(descrittore(SANE_NAME_SCAN_MODE));
    QString modo = primoCorrispondente(modi, [&](const QString &n) { return modoCorrisponde(n, impostazioni.modo); });
    int profondita = 8;
    if (modo.isEmpty() && impostazioni.modo == ModoScanner::BiancoNero) {
        modo = primoCorrispondente(modi, [](const QString &n) { return modoCorrisponde(n, ModoScanner::Grigi); });
        profondita = 1;
    }
    if (!modo.isEmpty()) {
        if (const EsitoScanner e = impostaOpzione(SANE_NAME_SCAN_MODE, modo); e != EsitoScanner::Ok)
            return e;
    } else if (!modi.isEmpty()) {
        return EsitoScanner::NonSupportato;
    }
    if (attiva(descrittore(SANE_NAME_BIT_DEPTH)) && ammetteIntero(descrittore(SANE_NAME_BIT_DEPTH), profondita))
        impostaOpzione(SANE_NAME_BIT_DEPTH, profondita);

    const CapacitaScanner c = capacita();
    if (!c.risoluzioni.isEmpty()) {
        const SANE_Option_Descriptor *d = descrittore(SANE_NAME_SCAN_RESOLUTION);
        int dpi = impostazioni.dpi;
        // A range takes any value inside it; a list only its own.
        if (d->constraint_type == SANE_CONSTRAINT_RANGE) {
            const bool fisso = d->type == SANE_TYPE_FIXED;
            const int minimo = fisso ? qRound(SANE_UNFIX(d->constraint.range->min)) : d->constraint.range->min;
            const int massimo = fisso ? qRound(SANE_UNFIX(d->constraint.range->max)) : d->constraint.range->max;
            dpi = std::clamp(dpi, minimo, massimo);
        } else {
            dpi = *std::min_element(c.risoluzioni.begin(), c.risoluzioni.end(),
                                    [&](int a, int b) { return std::abs(a - dpi) < std::abs(b - dpi); });
        }
        if (const EsitoScanner e = impostaOpzione(SANE_NAME_SCAN_RESOLUTION, dpi); e != EsitoScanner::Ok)
            return e;
    }

    // The whole glass: from the top-left corner to the farthest the device reaches.
    for (const char *nome : {SANE_NAME_SCAN_TL_X, SANE_NAME_SCAN_TL_Y, SANE_NAME_SCAN_BR_X, SANE_NAME_SCAN_BR_Y}) {
        const SANE_Option_Descriptor *d = descrittore(nome);
        if (!attiva(d) || d->constraint_type != SANE_CONSTRAINT_RANGE)
            continue;
        const bool angolo = std::strncmp(nome, "tl", 2) == 0;
        const SANE_Word w = angolo ? d->constraint.range->min : d->constraint.range->max;
        impostaOpzione(nome, d->type == SANE_TYPE_FIXED ? QVariant(SANE_UNFIX(w)) : QVariant(int(w)));
    }

    for (const auto &[nome, valore] : impostazioni.altre)
        if (const EsitoScanner e = impostaOpzione(nome, valore); e != EsitoScanner::Ok)
            return e;
    return EsitoScanner::Ok;
}

void ScannerSane::annulla()
{
    m_annullata = true;
    std::lock_guard<std::mutex> l(m_mutexHandle);
    if (m_handle && m_inLettura)
        sane_cancel(handle(m_handle));
}

void ScannerSane::fine()
{
    if (m_handle)
        sane_cancel(handle(m_handle));
}

EsitoScanner ScannerSane::acquisisciPagina(QImage &immagine, const Avanzamento &avanzamento)
{
    immagine = QImage();
    if (!m_handle)
        return EsitoScanner::NessunDispositivo;
    if (m_annullata)
        return EsitoScanner::Annullata;
    m_inLettura = true;
    EsitoScanner esito;
    {
        Guardia guardia(handle(m_handle), m_tempoMassimo);
        esito = leggiPagina(immagine, [&](int righe, int totale, const QImage &parziale) {
            guardia.vivo();
            if (avanzamento)
                avanzamento(righe, totale, parziale);
        });
        if (guardia.scaduta() && esito != EsitoScanner::Ok)
            esito = EsitoScanner::TempoScaduto;
    }
    m_inLettura = false;
    if (m_annullata && esito != EsitoScanner::TempoScaduto)
        esito = EsitoScanner::Annullata;
    if (esito != EsitoScanner::Ok) {
        immagine = QImage();
        sane_cancel(handle(m_handle));
    }
    return esito;
}

// Reads one page: sane_start, its parameters, then the lines as they come,
// each converted into its row of the picture. A 16-bit sample keeps its high
// byte; a scanner that does not know the height beforehand (a hand scanner)
// grows the picture as lines come.
EsitoScanner ScannerSane::leggiPagina(QImage &immagine, const Avanzamento &avanzamento)
{
    SANE_Handle h = handle(m_handle);
    SANE_Status stato = sane_start(h);
    if (stato != SANE_STATUS_GOOD)
        return esitoDaStatoSane(stato);
    if (m_annullata)
        return EsitoScanner::Annullata;
    if (avanzamento)
        avanzamento(0, -1, QImage());

    SANE_Parameters p;
    stato = sane_get_parameters(h, &p);
    if (stato != SANE_STATUS_GOOD)
        return esitoDaStatoSane(stato);
    const bool rgb = p.format == SANE_FRAME_RGB;
    if (!(rgb || p.format == SANE_FRAME_GRAY) || !p.last_frame || p.pixels_per_line <= 0 ||
        p.bytes_per_line <= 0 || !(p.depth == 1 || p.depth == 8 || p.depth == 16) || (rgb && p.depth == 1))
        return EsitoScanner::NonSupportato;

    const QImage::Format formato = rgb ? QImage::Format_RGB888
                                       : (p.depth == 1 ? QImage::Format_Mono : QImage::Format_Grayscale8);
    const int larghezza = p.pixels_per_line;
    const int altezzaNota = p.lines;
    if (altezzaNota > 0 && p.depth != 16) {
        const EsitoScanner esito = leggiDiretta(immagine, p.bytes_per_line, larghezza, altezzaNota, formato,
                                                avanzamento);
        if (esito != EsitoScanner::NonSupportato || !immagine.isNull())
            return esito == EsitoScanner::Ok ? segnaRisoluzione(immagine) : esito;
    }
    int capienza = altezzaNota > 0 ? altezzaNota : std::max(larghezza, 256);
    immagine = QImage(larghezza, capienza, formato);
    if (immagine.isNull())
        return EsitoScanner::MemoriaEsaurita;
    if (p.depth == 1)
        immagine.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});  // a set bit is black

    const int byteRiga = p.bytes_per_line;
    const int campioni = larghezza * (rgb ? 3 : 1);
    const int copiabili = std::min<int>(byteRiga, int(immagine.bytesPerLine()));
    QByteArray riga(byteRiga, '\0');
    int pieno = 0;
    int y = 0;
    // About one progress report per 2 % of the page, and a few per second
    // on a page of unknown height.
    const int passo = std::max(1, altezzaNota > 0 ? altezzaNota / 50 : 64);
    int prossimoAvviso = passo;

    auto chiudiRiga = [&]() -> bool {
        if (y >= capienza) {
            capienza *= 2;
            immagine = immagine.copy(0, 0, larghezza, capienza);
            if (immagine.isNull())
                return false;
        }
        uchar *dest = immagine.scanLine(y);
        if (p.depth == 16) {
            const auto *src = reinterpret_cast<const quint16 *>(riga.constData());
            for (int i = 0; i < campioni; ++i)
                dest[i] = uchar(src[i] >> 8);
        } else {
            std::memcpy(dest, riga.constData(), size_t(copiabili));
        }
        ++y;
        return true;
    };

    const int kBlocco = std::max(byteRiga, 256 * 1024);
    QByteArray blocco(kBlocco, '\0');
    for (;;) {
        SANE_Int letti = 0;
        stato = sane_read(h, reinterpret_cast<SANE_Byte *>(blocco.data()), kBlocco, &letti);
        if (stato == SANE_STATUS_EOF)
            break;
        if (stato != SANE_STATUS_GOOD)
            return esitoDaStatoSane(stato);
        int da = 0;
        while (da < letti) {
            const int n = std::min(letti - da, byteRiga - pieno);
            std::memcpy(riga.data() + pieno, blocco.constData() + da, size_t(n));
            pieno += n;
            da += n;
            if (pieno == byteRiga) {
                pieno = 0;
                if (altezzaNota > 0 && y >= altezzaNota)
                    continue;  // more than announced: the extra lines are dropped
                if (!chiudiRiga())
                    return EsitoScanner::MemoriaEsaurita;
            }
        }
        if (avanzamento) {
            if (y >= prossimoAvviso) {
                prossimoAvviso = y + passo;
                avanzamento(y, altezzaNota, immagine);
            } else {
                avanzamento(y, altezzaNota, QImage());
            }
        }
    }
    if (y == 0)
        return EsitoScanner::Errore;
    if (y < capienza)
        immagine = immagine.copy(0, 0, larghezza, y);

    return segnaRisoluzione(immagine);
}

// The resolution the device really used, which may differ from the one asked.
EsitoScanner ScannerSane::segnaRisoluzione(QImage &immagine) const
{
    const QVariant dpi = opzione(SANE_NAME_SCAN_RESOLUTION);
    if (dpi.isValid() && dpi.toDouble() > 0) {
        const int puntiMetro = qRound(dpi.toDouble() / 0.0254);
        immagine.setDotsPerMeterX(puntiMetro);
        immagine.setDotsPerMeterY(puntiMetro);
    }
    return EsitoScanner::Ok;
}

// A page of known height whose lines the picture can hold as the scanner
// sends them: the picture's memory takes the lines straight from the driver,
// with no copy in between, and asks the system for large pages so that
// filling it does not stop at every 4 KB. NonSupportato with no picture when
// the toolkit will not take that line length; the caller reads line by line.
EsitoScanner ScannerSane::leggiDiretta(QImage &immagine, int byteRiga, int larghezza, int altezza,
                                       QImage::Format formato, const Avanzamento &avanzamento)
{
    constexpr size_t kPaginaGrande = 2 * 1024 * 1024;
    const size_t totale = size_t(byteRiga) * size_t(altezza);
    const size_t allocati = (totale + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
    auto *memoria = static_cast<uchar *>(std::aligned_alloc(kPaginaGrande, allocati));
    if (!memoria)
        return EsitoScanner::MemoriaEsaurita;
#ifdef MADV_HUGEPAGE
    madvise(memoria, allocati, MADV_HUGEPAGE);
#endif
    immagine = QImage(memoria, larghezza, altezza, byteRiga, formato, [](void *m) { std::free(m); }, memoria);
    if (immagine.isNull() || immagine.bytesPerLine() != byteRiga) {
        if (immagine.isNull())
            std::free(memoria);
        immagine = QImage();
        return EsitoScanner::NonSupportato;
    }
    if (formato == QImage::Format_Mono)
        immagine.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});  // a set bit is black

    SANE_Handle h = handle(m_handle);
    // Reads of at most 1 MB, so that progress comes at least that often.
    constexpr size_t kMassimo = 1024 * 1024;
    const int passo = std::max(1, altezza / 20);
    int prossimoAvviso = passo;
    size_t pieni = 0;
    for (;;) {
        SANE_Int letti = 0;
        const size_t chiesti = std::min(kMassimo, std::max<size_t>(totale - pieni, 1));
        if (pieni >= totale) {
            // The announced page is in: whatever else comes is dropped.
            uchar scarto[4096];
            const SANE_Status stato = sane_read(h, scarto, sizeof scarto, &letti);
            if (stato == SANE_STATUS_EOF)
                break;
            if (stato != SANE_STATUS_GOOD)
                return esitoDaStatoSane(stato);
            continue;
        }
        const SANE_Status stato = sane_read(h, memoria + pieni, SANE_Int(chiesti), &letti);
        if (stato == SANE_STATUS_EOF)
            break;
        if (stato != SANE_STATUS_GOOD)
            return esitoDaStatoSane(stato);
        pieni += size_t(letti);
        if (avanzamento) {
            const int righe = int(pieni / size_t(byteRiga));
            if (righe >= prossimoAvviso) {
                prossimoAvviso = righe + passo;
                avanzamento(righe, altezza, immagine);
            } else {
                avanzamento(righe, altezza, QImage());
            }
        }
    }
    const int righe = int(pieni / size_t(byteRiga));
    if (righe == 0)
        return EsitoScanner::Errore;
    if (righe < altezza)
        immagine = immagine.copy(0, 0, larghezza, righe);
    return EsitoScanner::Ok;
}
