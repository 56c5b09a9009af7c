#pragma once

#include "search/finestrariepilogo.h"

class QWidget;

// Lists the pages of the opener's archive still to be completed (flag "Sì"),
// filled once when the window is shown. Opening a line always hands the
// record back: this window needs no caller mark.
class TfrmRiepDaCompletare : public FinestraRiepilogo
{
    Q_OBJECT
public:
    explicit TfrmRiepDaCompletare(const Contesto &contesto, QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    bool scriveInEditore() const override { return true; }

protected:
    void FormShow() override;

private:
    void riempi();
};
