#pragma once

#include "output/finestrafoglio.h"

// Prints the record on the editor's screen as a page sheet.
class TfrmStampaPagina : public FinestraFoglio
{
    Q_OBJECT
public:
    explicit TfrmStampaPagina(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

protected:
    bool esegui(QString &motivo) override;
};
