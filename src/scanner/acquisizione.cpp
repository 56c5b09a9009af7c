#include "scanner/acquisizione.h"

#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// A small picture of the first `righe` lines, at the scale the whole page
// will have, so that it grows downwards instead of changing size. Sampled
// pixel by pixel from the page's own memory: a scaling by the toolkit would
// convert every line read so far at each step.
QImage anteprimaParziale(const QImage &parziale, int righe, QSize massimo)
{
    if (parziale.isNull() || righe <= 0)
        return QImage();
    const QSize pagina = parziale.size().scaled(massimo, Qt::KeepAspectRatio);
    const int larghezza = std::max(1, pagina.width());
    const int altezza = std::clamp(righe * pagina.height() / parziale.height(), 1, pagina.height());
    const bool rgb = parziale.format() == QImage::Format_RGB888;
    const bool mono = parziale.format() == QImage::Format_Mono;
    QImage piccola(larghezza, altezza, rgb ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
    std::vector<int> colonne(static_cast<size_t>(larghezza));
    for (int x = 0; x < larghezza; ++x)
        colonne[size_t(x)] = x * parziale.width() / larghezza;
    for (int y = 0; y < altezza; ++y) {
        const uchar *sorgente = parziale.constScanLine(std::min(righe - 1, y * parziale.height() / pagina.height()));
        uchar *dest = piccola.scanLine(y);
        for (int x = 0; x < larghezza; ++x) {
            const int xs = colonne[size_t(x)];
            if (rgb)
                std::memcpy(dest + 3 * x, sorgente + 3 * xs, 3);
            else if (mono)
                dest[x] = (sorgente[xs >> 3] >> (7 - (xs & 7))) & 1 ? 0 : 255;  // a set bit is black
            else
                dest[x] = sorgente[xs];
        }
    }
    return piccola;
}

} // namespace

Acquisizione::Acquisizione(QObject *genitore)
    : QObject(genitore), m_filo(new QThread(this)), m_lavoratore(new QObject)
{
    m_filo->setObjectName(QStringLiteral("scanner"));
    m_lavoratore->moveToThread(m_filo);
    connect(m_filo, &QThread::finished, m_lavoratore, &QObject::deleteLater);
    m_filo->start();
}

Acquisizione::~Acquisizione()
{
    annulla();
    // Waits for the job in hand to end, then for the device and the driver
    // stack to be closed: a thread's quit drops the jobs still queued.
    QMetaObject::invokeMethod(
        m_lavoratore,
        [this] {
            m_scanner.chiudi();
            delete m_sessione;
            m_sessione = nullptr;
        },
        Qt::BlockingQueuedConnection);
    m_filo->quit();
    m_filo->wait();
}

template <class Lavoro>
void Acquisizione::esegui(Lavoro &&lavoro)
{
    QMetaObject::invokeMethod(m_lavoratore, [this, lavoro = std::forward<Lavoro>(lavoro)] {
        if (!m_sessione)
            m_sessione = new SessioneSane;
        lavoro();
    });
}

void Acquisizione::cercaScanner()
{
    esegui([this] {
        m_scanner.chiudi();
        QList<DispositivoScanner> dispositivi;
        const EsitoScanner esito = elencaScanner(*m_sessione, dispositivi);
        emit scannerTrovati(dispositivi, esito);
    });
}

void Acquisizione::leggiCapacita(const QByteArray &nome)
{
    esegui([this, nome] {
        CapacitaScanner capacita;
        EsitoScanner esito = m_scanner.apri(*m_sessione, nome);
        if (esito == EsitoScanner::Ok)
            capacita = m_scanner.capacita();
        m_scanner.chiudi();
        emit capacitaLette(nome, capacita, esito);
    });
}

void Acquisizione::acquisisci(const QByteArray &nome, const ImpostazioniScanner &impostazioni, bool pacco)
{
    m_annullata = false;
    while (m_via.tryAcquire()) {
    }
    {
        QMutexLocker l(&m_mutexCambi);
        m_cambi.clear();
    }
    esegui([this, nome, impostazioni, pacco] { lavoroAcquisisci(nome, impostazioni, pacco); });
}

void Acquisizione::lavoroAcquisisci(const QByteArray &nome, const ImpostazioniScanner &impostazioni, bool pacco)
{
    int pagine = 0;
    auto termina = [&](EsitoScanner esito) {
        m_scanner.fine();
        m_scanner.chiudi();
        emit terminata(m_annullata && esito != EsitoScanner::TempoScaduto ? EsitoScanner::Annullata : esito,
                       pagine);
    };
    if (m_annullata)
        return termina(EsitoScanner::Annullata);
    EsitoScanner esito = m_scanner.apri(*m_sessione, nome);
    if (esito == EsitoScanner::Ok)
        esito = m_scanner.imposta(impostazioni);
    if (esito != EsitoScanner::Ok)
        return termina(esito);
    m_scanner.impostaTempoMassimo(m_tempoMassimo);
    if (m_annullata)
        m_scanner.annulla();

    for (;;) {
        const int pagina = pagine + 1;
        int ultimo = -2;
        QImage immagine;
        esito = m_scanner.acquisisciPagina(immagine, [&](int righe, int totale, const QImage &parziale) {
            const int percento = totale > 0 ? righe * 100 / totale : -1;
            if (percento == ultimo && parziale.isNull())
                return;
            ultimo = percento;
            emit avanzamento(pagina, percento, anteprimaParziale(parziale, righe, kAnteprima));
        });
        // A feeder empty at the first sheet is a failure; after some it is the end.
        if (esito == EsitoScanner::FineFogli && pagine > 0)
            return termina(EsitoScanner::FineFogli);
        if (esito != EsitoScanner::Ok)
            return termina(esito);
        pagine = pagina;
        emit paginaAcquisita(immagine, pagina);
        immagine = QImage();
        // The flatbed has no end of its own: one sheet per press.
        if (!pacco || impostazioni.origine == OrigineScanner::Piano)
            return termina(EsitoScanner::Ok);
        m_via.acquire();
        if (m_annullata)
            return termina(EsitoScanner::Annullata);
        QList<QPair<QByteArray, QVariant>> cambi;
        {
            QMutexLocker l(&m_mutexCambi);
            cambi.swap(m_cambi);
        }
        for (const auto &[opzione, valore] : cambi)
            if (const EsitoScanner e = m_scanner.impostaOpzione(opzione, valore); e != EsitoScanner::Ok)
                return termina(e);
    }
}

void Acquisizione::continua(bool avanti)
{
    if (!avanti)
        m_annullata = true;
    m_via.release();
}

void Acquisizione::cambiaPrimaDelProssimo(const QList<QPair<QByteArray, QVariant>> &opzioni)
{
    QMutexLocker l(&m_mutexCambi);
    m_cambi += opzioni;
}

void Acquisizione::annulla()
{
    m_annullata = true;
    m_scanner.annulla();
    m_via.release();
}
