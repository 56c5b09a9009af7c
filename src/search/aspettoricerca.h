#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Small builders for the controls of the search and to-complete windows,
// so both look alike.
namespace AspettoRicerca {

QFont carattere(const char *famiglia, int punti, bool grassetto);
// A text button at a design place; Enter on it (once it has the focus)
// clicks it.
QPushButton *pulsante(QWidget *genitore, const QString &testo, const QString &nome, const QRect &posto);
// A caption in dark blue Verdana 9 bold.
QLabel *didascalia(QWidget *genitore, const QString &testo, const QRect &posto);
// A picture from the resources drawn at the size of its place.
QLabel *immagine(QWidget *genitore, const QString &risorsa, const QString &nome, const QRect &posto);
// A label in the given colour, Verdana of the given size, centred.
QLabel *scritta(QWidget *genitore, const QString &testo, const QString &nome, const QRect &posto,
                const QColor &colore, int punti, bool grassetto);
// A pale rounded box behind a group of controls.
QWidget *riquadro(QWidget *genitore, const QString &nome, const QRect &posto);

} // namespace AspettoRicerca
