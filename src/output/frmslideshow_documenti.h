#pragma once

#include "app/finestra.h"

class Contesto;
class QLabel;
class QTimer;
class VistaImmagine;

// The page scans of an archive, one after another in record
// order, nearly full screen, six seconds each, from the first again after
// the last. A click anywhere on the picture ends it.
class TfrmSlideshow_Documenti : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmSlideshow_Documenti(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // The advance step the timer runs: the next page, the last one held for
    // a second interval, or the end on an empty archive.
    void cmdAvantiClick();

    QWidget *panContainer = nullptr;
    VistaImmagine *imgFoto = nullptr;
    VistaImmagine *cmdAvanti = nullptr;
    VistaImmagine *imgBianco = nullptr;
    QLabel *lblPosizione = nullptr;
    QLabel *lblNome = nullptr;
    QLabel *lblFile = nullptr;
    QTimer *Timer = nullptr;

protected:
    void FormShow() override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    const Contesto &m_contesto;
    void subApriFoto();
    void mostraSegnaposto();
};

// The editor's slideshow command: a fresh slideshow owned by the opener, on
// the archive it names (file path and name), shown modally and discarded
// when it closes.
void apriSlideshow(const Contesto &contesto, QWidget *proprietario, const QString &percorso, const QString &nome);
