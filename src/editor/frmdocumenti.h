#pragma once

#include "app/finestra.h"

class TfrmDocumenti : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmDocumenti(QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

protected:
    void FormClose() override;
};
