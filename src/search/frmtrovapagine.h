#pragma once

#include "app/chiamante.h"
#include "search/finestrariepilogo.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Finds the pages of an archive by up to ten fields at once and
// lists them as sorted summary lines. Starts on the criteria panel; a
// completed search switches to the result panel for good, so a new search
// needs a new window.
//
// The editor opens it on its archive with its caller mark, which is what
// lets a double click hand the chosen record back:
//     apriDialogo<TfrmTrovaPagine>(this, [this](TfrmTrovaPagine &d) {
//         d.impostaArchivio(percorsoArchivio(), nomeArchivio());
//         d.impostaChiamante(Chiamante::Documenti);
//         connect(&d, &FinestraRiepilogo::schedaScelta, m_documento, &DocumentoArchivio::mostraPosizione);
//     });
class TfrmTrovaPagine : public FinestraRiepilogo
{
    Q_OBJECT
public:
    explicit TfrmTrovaPagine(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // Writes the caller mark into the hidden lblMemory.
    void impostaChiamante(Chiamante chiamante);
    bool scriveInEditore() const override;

    // The ten search fields in their Enter order: Titolo, Codice, Autore,
    // Tipologia, PagNum, Descrizione, Incipit, Parole, Giudizio, Note.
    const std::array<QLineEdit *, 10> &campi() const { return m_campi; }

    QWidget *panAvvio = nullptr;      // criteria panel
    QLabel *lblMemory = nullptr;      // caller mark, hidden
    QLabel *lblConta = nullptr;       // criteria of the last search, hidden
    QLabel *lblAttendere = nullptr;   // busy label, shown from mouse-down on "Cerca"
    QPushButton *btnCerca = nullptr;
    QPushButton *btnAnnulla = nullptr;

protected:
    void FormShow() override;
    void done(int risultato) override;

private:
    void costruisciCriteri();
    void btnCercaMouseDown();
    void btnCercaClick();

    std::array<QLineEdit *, 10> m_campi{};
};
