#pragma once

#include "app/finestra.h"

class Contesto;

class QLabel;
class VistaImmagine;

// The home window: leads to creating or opening an archive, shows the
// information, splash and help dialogs, links to the maker's site, and is
// one of the ways out of the program.
class TfrmAvvio : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmAvvio(const Contesto &contesto, QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    VistaImmagine *imgInfo = nullptr;
    VistaImmagine *imgGuida = nullptr;
    VistaImmagine *imgApp01 = nullptr;
    VistaImmagine *btnApp01 = nullptr;
    VistaImmagine *imgApp02 = nullptr;
    VistaImmagine *btnApp02 = nullptr;
    VistaImmagine *imgSito = nullptr;
    VistaImmagine *imgCopyright = nullptr;
    VistaImmagine *imgEsci = nullptr;

protected:
    void FormShow() override;
    void FormClose() override;

private:
    const Contesto &m_contesto;
    void app01Click();
    void app02Click();
    void imgInfoClick();
    void imgCopyrightClick();
    void imgGuidaClick();
    void imgSitoClick();
    void imgEsciClick();
};
