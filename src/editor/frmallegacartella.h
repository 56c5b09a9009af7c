#pragma once

#include "app/finestra.h"
#include "editor/valoriallegati.h"

#include <array>
#include <optional>

class Contesto;
class QLabel;
class QLineEdit;
class QPushButton;
class VistaImmagine;

// Edits the three attachments of the page shown in the editor. Choosing a
// file copies it into the attachments folder at once; "Applica e chiudi"
// hands the six values back to the editor that opened it, and the archive
// gets them when the page is saved.
class TfrmAllegaCartella : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // Fills the rows (trimmed), as the opener does before showing the window.
    void impostaValori(const ValoriAllegati &valori);
    // The rows as they stand, trimmed.
    ValoriAllegati valori() const;

    // Who opened the window: "documenti" for the editor. Confirming hands
    // the values back only to that opener.
    QLabel *lblMemory = nullptr;

    struct Riga {
        QLineEdit *txtFile = nullptr;
        VistaImmagine *imgCancella = nullptr;
        QPushButton *btnSfoglia = nullptr;
        QPushButton *btnApri = nullptr;
        QLineEdit *txtDesc = nullptr;
    };
    const Riga &riga(int k) const { return m_righe[k]; }
    QPushButton *btnApplica = nullptr;
    QPushButton *btnAnnulla = nullptr;

private:
    const Contesto &m_contesto;
    void creaRiga(QWidget *pannello, int k);
    void btnSfogliaClick(int k);
    void btnApriClick(int k);
    void imgCancellaClick(int k);
    void txtFileChange(int k);
    void btnApplicaClick();
    void btnAnnullaClick();

    std::array<Riga, 3> m_righe;
};

// The editor's attach command: a fresh attachments window owned by the
// editor, filled with the given attachments, shown modally and discarded.
// The values confirmed with "Applica e chiudi", or nothing when the window
// was left another way.
std::optional<ValoriAllegati> apriAllegati(const Contesto &contesto, QWidget *editor, const ValoriAllegati &valori);
