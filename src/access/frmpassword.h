#pragma once

#include "app/finestra.h"

class TfrmPassword : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();
};
