#pragma once

#include "app/finestra.h"

class QLabel;
class QPushButton;

// The maker's picture, with the link to the maker's site.
class TfrmSplash : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    QPushButton *btnChiudi = nullptr;
    QLabel *imgWeb = nullptr;
    QLabel *lnkWeb = nullptr;
};
