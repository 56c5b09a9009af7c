#pragma once

#include "app/finestra.h"

class TfrmSlideshow_Documenti : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmSlideshow_Documenti(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
