#pragma once

#include "scanner/scannersane.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QMutex>
#include <QSemaphore>

#include <atomic>

class QThread;

// Runs the scanner on a worker thread of its own, never on the thread of
// the windows: listing the devices (a network scanner may take seconds to
// answer), reading a device's settings and acquiring pages. One job at a
// time; results come back as signals on the thread that made this object.
//
// A bundle (every sheet the feeder gives) goes one sheet at a time: after
// each paginaAcquisita the worker waits for continua(), so that the page is
// dealt with (saved) before the next sheet is pulled in, and a failure to
// save stops the feeder with no sheet scanned for nothing.
class Acquisizione : public QObject
{
    Q_OBJECT
public:
    explicit Acquisizione(QObject *genitore = nullptr);
    // Stops any job and waits for the worker.
    ~Acquisizione() override;

    void cercaScanner();
    void leggiCapacita(const QByteArray &nome);
    void acquisisci(const QByteArray &nome, const ImpostazioniScanner &impostazioni, bool pacco);
    // After a page of a bundle: on to the next sheet, or stop there.
    void continua(bool avanti);
    // Options by the driver's names, set on the device before the next
    // sheet of the bundle going on (a test device told to jam at the fourth).
    void cambiaPrimaDelProssimo(const QList<QPair<QByteArray, QVariant>> &opzioni);
    // Stops the job: the page coming in is cancelled (sane_cancel).
    void annulla();
    void impostaTempoMassimo(int millisecondi) { m_tempoMassimo = millisecondi; }

    // The largest preview avanzamento() hands out.
    static constexpr QSize kAnteprima{307, 409};

signals:
    void scannerTrovati(const QList<DispositivoScanner> &dispositivi, EsitoScanner esito);
    void capacitaLette(const QByteArray &nome, const CapacitaScanner &capacita, EsitoScanner esito);
    // The page coming in: its number in the job (from 1), the percentage
    // read (-1 when the scanner does not say how long the page is), and now
    // and then a small picture of the part read so far (null otherwise).
    void avanzamento(int pagina, int percento, const QImage &anteprima);
    // A whole page, at its resolution. The hook for whatever follows an
    // acquired page (saving it, reading its text).
    void paginaAcquisita(const QImage &immagine, int pagina);
    // The job is over: Ok after one page, FineFogli when the feeder ran out
    // (a bundle's normal end), Annullata, or the failure that stopped it;
    // `pagine` pages were handed out before it.
    void terminata(EsitoScanner esito, int pagine);

private:
    template <class Lavoro>
    void esegui(Lavoro &&lavoro);
    void lavoroAcquisisci(const QByteArray &nome, const ImpostazioniScanner &impostazioni, bool pacco);

    QThread *m_filo = nullptr;
    QObject *m_lavoratore = nullptr;  // lives in m_filo; jobs are posted to it
    SessioneSane *m_sessione = nullptr;  // made and ended on the worker
    ScannerSane m_scanner;
    QSemaphore m_via;
    QMutex m_mutexCambi;
    QList<QPair<QByteArray, QVariant>> m_cambi;
    std::atomic<bool> m_annullata{false};
    std::atomic<int> m_tempoMassimo{90000};
};
