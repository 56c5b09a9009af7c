#pragma once

#include "app/finestra.h"

class TfrmTrovaPagine : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmTrovaPagine(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
