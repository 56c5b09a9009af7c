#pragma once

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;
class VistaImmagine;

// The named controls every window places at a design rectangle: flat and
// rounded backgrounds, pictures from the resources, picture commands,
// captions and text buttons. Each area keeps only its own colours and fonts.
namespace Elementi {

QFont carattere(const QString &famiglia, int punti, bool grassetto = false);

// A flat rectangle filled with a colour or a gradient, behind a group of
// controls.
QWidget *rettangolo(QWidget *genitore, const QString &nome, const QRect &posto,
                    const QBrush &fondo = Qt::white);
// A box drawn by a style sheet rule (`stile` is the body of the rule for this
// box alone). It stays where it is created in the stacking order: a box added
// after its controls must be lowered by the caller.
QFrame *riquadro(QWidget *genitore, const QString &nome, const QRect &posto, const QString &stile);
// A rounded box with a 1-pixel border and a top-to-bottom gradient, sent
// behind the controls already on its parent.
QFrame *riquadroSfumato(QWidget *genitore, const QString &nome, const QRect &posto, const QColor &alto,
                        const QColor &basso, const QColor &bordo, int raggio);

// A picture drawn at the size of its place. `testo` is what it says, for
// assistive technology; without it the picture only decorates and is left
// out of what a screen reader reaches.
QLabel *immagine(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto,
                 const QString &testo = QString());
// A picture view that is no command, drawn at the size of its place.
VistaImmagine *vista(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto);
// A picture command: reports clicked(), shows the hand cursor, is reached
// with Tab and run with Enter or Space. `testo` names it to assistive
// technology (the caption it shows or the command it runs); `descrizione`
// says what it does, for the commands that have no hover hint (a hint,
// once registered, is the description).
VistaImmagine *comando(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto,
                       const QString &testo, const QString &descrizione = QString());

// A caption in the given font and colour.
QLabel *didascalia(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto,
                   const QFont &font, const QColor &colore,
                   Qt::Alignment allineamento = Qt::AlignLeft | Qt::AlignVCenter);

// A text button with the hand cursor, in its parent's font or the given one.
// In a dialog it keeps the button's own rule: once it has the focus, Enter
// clicks it.
QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto);
QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto,
                      const QFont &font);

} // namespace Elementi
