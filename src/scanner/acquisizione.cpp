#include "scanner/acquisizione.h"

#include <QMetaObject>
#include <QThread>

namespace {

// A small picture of the first `righe` lines, drawn over the page's own
// memory without copying it: it is cut to the lines read and scaled down.
QImage anteprimaParziale(const QImage &parziale, int righe, QSize massimo)
{
    if (parziale.isNull() || righe <= 0)
        return QImage();
    QImage vista(parziale.constBits(), parziale.width(), righe, parziale.bytesPerLine(), parziale.format());
    if (parziale.format() == QImage::Format_Mono)
        vista.setColorTable(parziale.colorTable());
    // The same scale the whole page will have, so that the picture grows
    // downwards instead of changing size.
    const QSize pagina = parziale.size().scaled(massimo, Qt::KeepAspectRatio);
    const double scala = double(pagina.width()) / parziale.width();
    return vista.scaled(pagina.width(), std::max(1, qRound(righe * scala)), Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
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
    m_occupata = true;
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
        m_occupata = false;
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
