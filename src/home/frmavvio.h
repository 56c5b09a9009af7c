#pragma once

#include "app/finestra.h"

class TfrmAvvio : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

protected:
    void FormClose() override;
};
