#pragma once

#include "app/finestra.h"

#include <QImage>

class VistaImmagine;

// Shows one picture as large as the screen allows; a click closes it.
class TfrmZoom : public FinestraDialogo
{
    Q_OBJECT
public:
    explicit TfrmZoom(QWidget *proprietario = nullptr);

    static AspettoFinestra aspetto();

    // The opener hands over a copy of its picture before showing the window.
    void impostaFoto(const QImage &foto);

    QWidget *panContainer = nullptr;
    VistaImmagine *imgFoto = nullptr;

protected:
    void FormShow() override;
    bool eventFilter(QObject *oggetto, QEvent *evento) override;
};

// The editor's zoom command: a fresh zoom window owned by the opener, shown
// modally with a copy of the picture, and discarded when it closes.
void mostraZoom(QWidget *proprietario, const QImage &foto);
