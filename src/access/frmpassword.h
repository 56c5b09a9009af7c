#pragma once

#include "app/finestra.h"

class Contesto;

class QLineEdit;
class QPushButton;

// The first window: asks for the installation's password and, when it
// matches the stored one, hands over to the launcher.
class TfrmPassword : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmPassword(const Contesto &contesto, QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    QLineEdit *txtPassword = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdEsci = nullptr;
    QPushButton *btnCambiaPassword = nullptr;

    // Back from changing the password: the field empty, the window shown,
    // the keyboard in the field.
    void ricomincia();

protected:
    void FormShow() override;

private:
    const Contesto &m_contesto;
    void txtPasswordChange();
    void txtPasswordInvio();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
};
