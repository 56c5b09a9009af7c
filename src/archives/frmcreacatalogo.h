#pragma once

#include "app/finestra.h"

class TfrmCreaCatalogo : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmCreaCatalogo(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

protected:
    void FormClose() override;
};
