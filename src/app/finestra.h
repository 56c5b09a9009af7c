#pragma once

#include "app/colori.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <utility>

class Contesto;

// How a window sits on the screen.
enum class Bordo {
    Massimizzata,       // opened maximised; the client size is the design size
    FissaSchermo,       // fixed client size, centred on the screen
    FissaProprietario,  // fixed client size, centred on the window that opens it
};

struct AspettoFinestra {
    const char *nome;          // instance name, also the objectName: "frmPassword"
    QString titolo;            // caption, leading blank included
    QSize client;              // client area (design size when maximised)
    Bordo bordo;
    bool pulsantiTitolo;       // system menu, minimise, maximise and close box
    QColor sfondoAlto = Colori::sfondoBlu;
    QColor sfondoBasso = Qt::white;
};

// Title, flags, size and the vertical gradient of the background.
void applicaAspetto(QWidget *finestra, const AspettoFinestra &aspetto);
// Moves a fixed window to the centre of its screen or of its owner.
void centra(QWidget *finestra, Bordo bordo);
// The central panel that holds a window's controls at their design places:
// a child of the given size kept centred in the window.
QWidget *creaPannello(QWidget *finestra, const QSize &dimensione,
                      const QString &nome = QStringLiteral("panContainer"));

// What both kinds of window below do as they appear and close: placing
// and the close box. Kept in one place so the two cannot drift apart.
//
// A window without a close box may still get one from the window manager:
// several draw it whatever the window asks for. Its click must not be dead
// nor do anything the window could not do by itself, so it runs the
// window's own way out (impostaUscita), as a click on that command would,
// enabled-state check included. A window blocked by a modal question never
// sees the request: the toolkit holds it back.
class ComportamentoFinestra
{
public:
    explicit ComportamentoFinestra(const AspettoFinestra &aspetto);

    Bordo bordo() const { return m_bordo; }
    bool pulsantiTitolo() const { return m_pulsantiTitolo; }

    // Before the window becomes visible: centred from its very first frame.
    void primaDiMostrare(QWidget *finestra, bool visibile) const;
    // After showing: centred again now that the frame is known. True when
    // the program showed it (not the window system restoring it), which is
    // when FormShow runs.
    bool dopoMostrata(QWidget *finestra, QShowEvent *evento) const;
    // The commands that leave the window, in order; the first one on screen
    // is the way out when the window manager asks to close a window that
    // has no close box.
    void impostaUscita(std::initializer_list<QWidget *> comandi);
    // A close from the window manager on a window without a close box: the
    // event is refused and the way out runs once the request is over (it
    // may close the window itself). True when the close was refused.
    bool chiusuraRifiutata(QWidget *finestra, QCloseEvent *evento) const;
    // Escape in a window without a close box: runs the way out, as the
    // close request does, unless a question of the program is open over
    // the window (it answers Escape itself). True when the key was taken.
    bool esciConEscape(QWidget *finestra) const;
    // As the window hides: the rest of a click that hid it must not reach
    // the window revealed under the pointer.
    void dopoNascosta() const;

private:
    // The first command of the way out on screen; nullptr when none is.
    QWidget *uscita(const QWidget *finestra) const;

    Bordo m_bordo;
    bool m_pulsantiTitolo;
    QList<QPointer<QWidget>> m_uscita;
};

// A window that lives for the whole run: shown and hidden, never destroyed.
// Closing it (its own command or the close box) runs FormClose, which says
// where the user goes next, and hides it.
class FinestraPermanente : public QWidget
{
    Q_OBJECT
public:
    explicit FinestraPermanente(const AspettoFinestra &aspetto, QWidget *parent = nullptr);

    // Shows the window (maximised or centred) and brings it to the front.
    void mostra();
    Bordo bordo() const { return m_comportamento.bordo(); }
    bool pulsantiTitolo() const { return m_comportamento.pulsantiTitolo(); }

    void setVisible(bool visibile) override;

protected:
    virtual void FormShow() {}
    virtual void FormClose() {}
    void impostaUscita(std::initializer_list<QWidget *> comandi) { m_comportamento.impostaUscita(comandi); }

    void showEvent(QShowEvent *evento) override;
    void hideEvent(QHideEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    ComportamentoFinestra m_comportamento;
};

// A dialog: a fresh instance for each opening, owned by its opener, modal,
// destroyed when it closes (see apriDialogo). A dialog without a close box
// is left only through its own commands: Escape and a close from the window
// manager run its way out.
class FinestraDialogo : public QDialog
{
    Q_OBJECT
public:
    FinestraDialogo(const AspettoFinestra &aspetto, QWidget *proprietario);

    Bordo bordo() const { return m_comportamento.bordo(); }
    bool pulsantiTitolo() const { return m_comportamento.pulsantiTitolo(); }

    void setVisible(bool visibile) override;

protected:
    virtual void FormShow() {}
    void impostaUscita(std::initializer_list<QWidget *> comandi) { m_comportamento.impostaUscita(comandi); }

    void showEvent(QShowEvent *evento) override;
    void hideEvent(QHideEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    ComportamentoFinestra m_comportamento;
};

// Opens a dialog: creates a new instance owned by the opener, lets the
// caller fill some of its controls, shows it modally, and destroys it when
// the modal loop returns. Returns the dialog's result.
template <class Dialogo, class Riempi>
int apriDialogo(QWidget *proprietario, Riempi &&riempi)
{
    Dialogo dialogo(proprietario);
    std::forward<Riempi>(riempi)(dialogo);
    return dialogo.exec();
}

template <class Dialogo>
int apriDialogo(QWidget *proprietario)
{
    return apriDialogo<Dialogo>(proprietario, [](Dialogo &) {});
}

// The same for a dialog that works with the run's context, which its opener
// hands on.
template <class Dialogo, class Riempi>
int apriDialogo(const Contesto &contesto, QWidget *proprietario, Riempi &&riempi)
{
    Dialogo dialogo(contesto, proprietario);
    std::forward<Riempi>(riempi)(dialogo);
    return dialogo.exec();
}

template <class Dialogo>
int apriDialogo(const Contesto &contesto, QWidget *proprietario)
{
    return apriDialogo<Dialogo>(contesto, proprietario, [](Dialogo &) {});
}
