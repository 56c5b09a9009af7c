#pragma once

#include "app/finestra.h"

class Contesto;

class QLabel;
class QLineEdit;
class VistaImmagine;

// Names a new archive and creates its empty file in the program folder.
class TfrmCreaCatalogo : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmCreaCatalogo(const Contesto &contesto, QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    QLineEdit *txtFile = nullptr;
    VistaImmagine *btnApplica = nullptr;
    VistaImmagine *btnAnnulla = nullptr;
    VistaImmagine *imgGuida = nullptr;
    // The path being created; nothing outside the window reads it.
    QLabel *lblFile = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    const Contesto &m_contesto;
    void btnApplicaClick();
    void btnAnnullaClick();
    void imgGuidaClick();
};
