#pragma once

#include "app/finestra.h"

class TfrmExpDocumenti : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmExpDocumenti(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
