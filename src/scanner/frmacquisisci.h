#pragma once

#include "app/finestra.h"
#include "scanner/acquisizione.h"
#include "scanner/sceltescanner.h"

#include <QImage>
#include <QList>
#include <QPair>

#include <functional>

class Contesto;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class VistaImmagine;

// What the opener did with one page of a bundle: the position it was
// stored at, or why it could not be stored.
struct PaginaSalvata {
    int posizione = 0;
    QString errore;
};

// Acquires from a scanner: one page, which the window hands back to its
// opener, or a bundle, each page of which it hands to the opener's saver
// as it arrives. Settings are picked from what the chosen device offers and
// remembered for the next time (sceltescanner.h). The scanner runs on a
// worker thread; "Annulla", Escape and the close box stop it at once.
class TfrmAcquisisci : public FinestraDialogo
{
    Q_OBJECT
public:
    using SalvaPagina = std::function<PaginaSalvata(const QImage &pagina, int foglio)>;

    explicit TfrmAcquisisci(const Contesto &contesto, QWidget *proprietario = nullptr);
    ~TfrmAcquisisci() override;

    static AspettoFinestra aspetto();

    // Values in. A bundle: every page acquired goes to `salva`; the window
    // stays open after a failure so that the rest can follow, and closes
    // when the feeder has run out. Without it the window takes one page.
    void impostaPacco(SalvaPagina salva);
    // The driver's own options for every acquisition, and how long a
    // silent scanner is waited for (tests use both).
    void impostaOpzioniDriver(const QList<QPair<QByteArray, QVariant>> &opzioni) { m_opzioniDriver = opzioni; }
    void impostaTempoMassimo(int millisecondi) { m_acquisizione.impostaTempoMassimo(millisecondi); }

    // Values out: the page acquired (null unless one page was taken).
    QImage immagine() const { return m_immagine; }
    bool inCorso() const { return m_inCorso; }

    QComboBox *cboScanner = nullptr;
    QComboBox *cboRisoluzione = nullptr;
    QComboBox *cboModo = nullptr;
    QComboBox *cboOrigine = nullptr;
    QPushButton *btnAcquisisci = nullptr;
    QPushButton *btnAnnulla = nullptr;
    QProgressBar *prbAvanzamento = nullptr;
    QLabel *lblStato = nullptr;
    VistaImmagine *imgFoto = nullptr;

    void reject() override;

signals:
    // Each whole page as it arrives, before anything else is done with it:
    // the hook for work that follows a page (reading its text).
    void paginaAcquisita(const QImage &pagina, int foglio);

protected:
    void FormShow() override;

private:
    const Contesto &m_contesto;
    void scannerTrovati(const QList<DispositivoScanner> &dispositivi, EsitoScanner esito);
    void cboScannerChange();
    void capacitaLette(const QByteArray &nome, const CapacitaScanner &capacita, EsitoScanner esito);
    void btnAcquisisciClick();
    void btnAnnullaClick();
    void avanzamento(int foglio, int percento, const QImage &anteprima);
    void pagina(const QImage &immagine, int foglio);
    void terminata(EsitoScanner esito, int pagine);
    void abilita(bool comandi);
    ImpostazioniScanner impostazioniScelte() const;

    Acquisizione m_acquisizione;
    SceltaScanner m_ricordata;
    SalvaPagina m_salva;
    QList<QPair<QByteArray, QVariant>> m_opzioniDriver;
    QImage m_immagine;
    bool m_inCorso = false;
    bool m_cercato = false;
    int m_salvate = 0;
    int m_primaPosizione = 0;
    QString m_erroreSalvataggio;
};
