#pragma once

#include "app/finestra.h"

class TfrmApriCatalogo : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmApriCatalogo(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

protected:
    void FormClose() override;
};
