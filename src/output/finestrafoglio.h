#pragma once

#include "app/finestra.h"
#include "report/report.h"

#include <QImage>

#include <memory>

class QLabel;
class QPushButton;

// What the print and the preview window of the page sheet share: the
// decoration, the two buttons, the picture taken from the editor as the
// window appears, the filling of the sheet and the failure message. Each
// window holds its own sheet; they differ only in what they do with it once
// it is prepared.
class FinestraFoglio : public FinestraDialogo
{
    Q_OBJECT
public:
    struct Testi {
        QString pulsante;        // the right button
        QString decorazione;     // resource of the picture on the panel
        QString fallimento;      // the warning after any failure
    };

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
    FinestraFoglio(const AspettoFinestra &aspetto, const Testi &testi, QWidget *proprietario);

    void FormShow() override;
    // Prints or previews the prepared sheet; false when that failed, with
    // motivo set when a file could not be written. Cancelling a print
    // dialog is no failure.
    virtual bool esegui(QString &motivo) = 0;

private:
    void btnStampaClick();

    Testi m_testi;
    std::unique_ptr<Report> m_repDocumento;
    QImage m_logo;
};
