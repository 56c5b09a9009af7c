#pragma once

#include "app/finestra.h"

class TfrmGuida : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
