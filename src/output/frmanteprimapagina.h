#pragma once

#include "app/finestra.h"

class TfrmAnteprimaPagina : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmAnteprimaPagina(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
