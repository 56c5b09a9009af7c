#pragma once

#include "app/finestra.h"

class QLabel;
class QPushButton;

// About the program, with the maker's e-mail link.
class TfrmInfo : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    QLabel *lblTitolo = nullptr;
    QPushButton *btnChiudi = nullptr;
    QLabel *imgEmail = nullptr;
    QLabel *lnkWeb = nullptr;
};
