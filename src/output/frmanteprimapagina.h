#pragma once

#include "output/finestrafoglio.h"

// Shows the record on the editor's screen as a page sheet in the preview.
class TfrmAnteprimaPagina : public FinestraFoglio
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaPagina(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

protected:
    bool esegui(QString &) override;
};
