#pragma once

#include "app/finestra.h"

class TfrmCambiaPassword : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

protected:
    void FormClose() override;
};
