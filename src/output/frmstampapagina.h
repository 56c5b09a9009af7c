#pragma once

#include "app/finestra.h"

class TfrmStampaPagina : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmStampaPagina(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
