#pragma once

#include "app/finestra.h"

class TfrmRiepDaCompletare : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmRiepDaCompletare(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
