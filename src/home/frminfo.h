#pragma once

#include "app/finestra.h"

class TfrmInfo : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
