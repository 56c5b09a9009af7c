#pragma once

#include "app/finestra.h"

class TfrmZoom : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
