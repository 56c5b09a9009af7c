#pragma once

#include "app/finestra.h"

class Contesto;

class QLineEdit;
class QPushButton;

// Replaces the installation's password, given the current one; reached
// from the login window and always returning to it: closing it says so
// through chiusa, which start-up connects to the login's ricomincia.
class TfrmCambiaPassword : public FinestraPermanente
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(const Contesto &contesto, QWidget *parent = nullptr);

    static AspettoFinestra aspetto();

    QLineEdit *txtPasswordOld = nullptr;
    QLineEdit *txtPasswordNew = nullptr;
    QLineEdit *txtConferma = nullptr;
    QPushButton *cmdEsci = nullptr;
    QPushButton *cmdOK = nullptr;

signals:
    void chiusa();

protected:
    void FormShow() override;
    void FormClose() override;

private:
    const Contesto &m_contesto;
    void campoChange();
    void cmdOKClick();
    bool nuovaPasswordAccettata(const QString &nuova);
    void reinserisciNuova(const QString &messaggio);
};
