#pragma once

#include <QAccessibleWidget>

#include <functional>

class QKeyEvent;
class QWidget;

// Controls that act like a button (picture commands, links), for the
// keyboard and for assistive technology.

// Enter and Space on a control that acts like a button (a picture command,
// a link): the key runs it on its release, and only when it was pressed on
// that same control, so a key that closed another window cannot run a
// control of the window it reveals, and a key held down runs it once.
class TastoComando
{
public:
    // True when the event is Enter or Space without modifiers (the keypad's
    // Enter too); the caller accepts it then.
    static bool riguarda(const QKeyEvent *evento);
    // The press: remembered unless it is a repeat.
    void premuto(const QKeyEvent *evento);
    // The release: true when it ends the press remembered above.
    bool rilasciato(const QKeyEvent *evento);
    // The focus went elsewhere: a press in progress is forgotten.
    void dimentica() { m_tasto = 0; }

private:
    int m_tasto = 0;
};

// Whether a control that acts like a button may run now, as a click on it
// could: enabled, visible, and not under a modal window other than its own.
bool comandoUtilizzabile(const QWidget *controllo);

// What assistive technology sees of such a control: its role, and a press
// action that runs it as soon as the request is answered.
class ComandoAccessibile : public QAccessibleWidget
{
public:
    ComandoAccessibile(QWidget *controllo, QAccessible::Role ruolo, std::function<void()> premi);

    QStringList actionNames() const override;
    void doAction(const QString &azione) override;

private:
    std::function<void()> m_premi;
};
