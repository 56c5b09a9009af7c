#pragma once

#include <QElapsedTimer>
#include <QObject>

// A click that hides a window must not reach the window it reveals. The
// second press of a double click on a command that closes its window lands
// on whatever the pointer is over by then: the launcher's help icon under
// the editor's exit, the open-archive icon under the create window's
// "Annulla". Every window reports its hiding here; the presses that follow
// it within the double-click interval, by the time stamps of the input
// events, are swallowed together with their releases.
class ProtezioneClic : public QObject
{
public:
    // Called by a window as it hides. Only a hide that comes from a mouse
    // event in progress arms the protection: one from the keyboard or a
    // timer leaves the next click alone.
    static void finestraNascosta();
    // Starts watching the mouse; every window calls it as it is made, so
    // the click that hides the first one is already seen.
    static void installa();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    static ProtezioneClic &istanza();

    QElapsedTimer m_ultimoMouse;  // wall time of the last mouse event seen
    ulong m_ultimoTempo = 0;      // its input time stamp
    ulong m_nascostaA = 0;        // time stamp of the click that hid a window
    bool m_armata = false;
    bool m_ignoraRilascio = false;
};
