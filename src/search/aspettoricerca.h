#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

// The look of the search and to-complete windows, over the shared builders in
// app/elementi.h, so both look alike.
namespace AspettoRicerca {

// A text button in Verdana 10 bold; Enter on it (once it has the focus)
// clicks it.
QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto);
// A caption in dark blue Verdana 9 bold.
QLabel *didascalia(QWidget *genitore, const QString &testo, const QRect &posto);
// A label in the given colour, Verdana of the given size, centred.
QLabel *scritta(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto,
                const QColor &colore, int punti, bool grassetto);
// A pale rounded box behind a group of controls.
QFrame *riquadro(QWidget *genitore, const QString &nome, const QRect &posto);

} // namespace AspettoRicerca
