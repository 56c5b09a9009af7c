#pragma once

#include "app/finestra.h"

class TfrmAllegaCartella : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();
};
