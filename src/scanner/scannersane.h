#pragma once

#include "scanner/esitoscanner.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <atomic>
#include <functional>
#include <mutex>

// The scanners the system's driver stack (SANE) knows of, and one of them
// opened: its settings and its pages, read line by line into a picture that
// carries the resolution it was scanned at. Plain Qt Core, no window: the
// window that uses it runs it on a worker thread, the tests call it
// directly. One thread drives a device; only annulla() may come from
// another.

struct DispositivoScanner {
    QByteArray nome;  // the driver's name for it, "backend:device"
    QString produttore;
    QString modello;
    QString tipo;

    // "Produttore Modello (nome)", what a list shows.
    QString descrizione() const;
};

enum class ModoScanner { Colore, Grigi, BiancoNero };
enum class OrigineScanner { Piano, Alimentatore };

// What the open device can be asked for, in the terms of the window.
struct CapacitaScanner {
    QList<int> risoluzioni;  // dpi, ascending
    QList<ModoScanner> modi;
    QList<OrigineScanner> origini;
    bool area = false;       // the scan area can be set (the whole glass is used)
};

struct ImpostazioniScanner {
    int dpi = 300;
    ModoScanner modo = ModoScanner::Colore;
    OrigineScanner origine = OrigineScanner::Piano;
    // Further options by the driver's own names, set after the ones above
    // (a test device's picture or its failures, a vendor's own switches).
    QList<QPair<QByteArray, QVariant>> altre;
};

// The driver stack is started by the first session and stopped with the
// last one; a new session lists the devices afresh.
class SessioneSane
{
public:
    SessioneSane();
    ~SessioneSane();
    SessioneSane(const SessioneSane &) = delete;
    SessioneSane &operator=(const SessioneSane &) = delete;

    bool avviata() const { return m_avviata; }

private:
    bool m_avviata = false;
};

// The devices there now. NessunDispositivo when there is none.
EsitoScanner elencaScanner(const SessioneSane &sessione, QList<DispositivoScanner> &dispositivi);

class ScannerSane
{
public:
    // Lines read so far and lines expected (-1 while the scanner does not
    // say). Every few lines the picture read so far comes along (null
    // otherwise): it is good only during the call, and keeping it would
    // make the reading copy the whole page at its next line.
    using Avanzamento = std::function<void(int righe, int totale, const QImage &parziale)>;

    ScannerSane() = default;
    ~ScannerSane();
    ScannerSane(const ScannerSane &) = delete;
    ScannerSane &operator=(const ScannerSane &) = delete;

    EsitoScanner apri(const SessioneSane &sessione, const QByteArray &nome);
    bool aperto() const { return m_handle != nullptr; }
    void chiudi();

    CapacitaScanner capacita() const;
    // Resolution (the nearest the device offers), mode, source, the whole
    // scan area, then the further options. Stops at the first refusal.
    EsitoScanner imposta(const ImpostazioniScanner &impostazioni);
    // One option by the driver's name: a bool, a whole number, a number
    // (fixed point for the driver) or a text, as the option is.
    EsitoScanner impostaOpzione(const QByteArray &nome, const QVariant &valore);
    QVariant opzione(const QByteArray &nome) const;

    // Starts the next page and reads it whole. Ok with the picture, its dpi
    // set; FineFogli when the feeder is empty as the page should start; a
    // failure or Annullata otherwise, with no picture. Progress comes every
    // few lines, with the part read so far.
    EsitoScanner acquisisciPagina(QImage &immagine, const Avanzamento &avanzamento = {});
    // Ends a series of pages: after the last one, or after a failure.
    void fine();
    // From any thread: stops the page coming in, which then ends Annullata.
    void annulla();
    bool annullata() const { return m_annullata.load(); }
    // How long the scanner may stay silent before the page is given up
    // (TempoScaduto). 90 seconds unless set: a lamp may take long to warm.
    void impostaTempoMassimo(int millisecondi) { m_tempoMassimo = millisecondi; }

private:
    int indiceOpzione(const QByteArray &nome) const;
    EsitoScanner leggiPagina(QImage &immagine, const Avanzamento &avanzamento);
    EsitoScanner leggiDiretta(QImage &immagine, int byteRiga, int larghezza, int altezza, QImage::Format formato,
                              const Avanzamento &avanzamento);
    EsitoScanner segnaRisoluzione(QImage &immagine) const;

    void *m_handle = nullptr;
    std::atomic<bool> m_annullata{false};
    std::atomic<bool> m_inLettura{false};
    std::mutex m_mutexHandle;  // annulla() against chiudi()
    int m_tempoMassimo = 90000;
};
