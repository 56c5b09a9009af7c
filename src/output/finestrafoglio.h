#pragma once

#include "app/finestra.h"
#include "report/report.h"
#include "storage/valorischeda.h"

#include <QImage>

#include <memory>
#include <optional>

class Contesto;
class QLabel;
class QPushButton;

// The record a sheet is made of, as the window that opens it hands it over:
// the archive's name, the record's position (0 for a new one), the screen's
// values and the picture as shown.
struct SchedaFoglio {
    QString nome;
    int posizione = 0;
    ValoriScheda valori;
    QImage foto;
};

// What the print and the preview window of the page sheet share: the
// decoration, the two buttons, the picture handed over by the opener, the
// filling of the sheet and the failure message. Each window holds its own
// sheet; they differ only in what they do with it once it is prepared.
class FinestraFoglio : public FinestraDialogo
{
    Q_OBJECT
public:
    struct Testi {
        QString pulsante;        // the right button
        QString decorazione;     // resource of the picture on the panel
        QString fallimento;      // the warning after any failure
    };

    // The record to print, given before the window is shown. Without it the
    // sheet carries no values and the window's own blank page.
    void impostaScheda(const SchedaFoglio &scheda) { m_scheda = scheda; }

    Report &repDocumento() const { return *m_repDocumento; }
    // The picture the sheet will carry.
    const QImage &logo() const { return m_logo; }
    // The name the print or the PDF offered without a printer goes by.
    QString nomeStampa() const;

    QPushButton *btnAnnulla = nullptr;
    QPushButton *btnStampa = nullptr;
    QLabel *imgLogo = nullptr;   // hidden
    QLabel *imgTemp = nullptr;   // hidden, the fallback picture

protected:
    FinestraFoglio(const Contesto &contesto, const AspettoFinestra &aspetto, const Testi &testi, QWidget *proprietario);

    const Contesto &contesto() const { return m_contesto; }

    void FormShow() override;
    // Prints or previews the prepared sheet; false when that failed, with
    // motivo set when a file could not be written. Cancelling a print
    // dialog is no failure.
    virtual bool esegui(QString &motivo) = 0;

private:
    void btnStampaClick();

    const Contesto &m_contesto;
    Testi m_testi;
    std::optional<SchedaFoglio> m_scheda;
    std::unique_ptr<Report> m_repDocumento;
    QImage m_logo;
};
