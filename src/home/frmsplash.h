#pragma once

#include "app/finestra.h"

class TfrmSplash : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
