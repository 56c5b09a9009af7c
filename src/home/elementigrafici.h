#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;
class VistaImmagine;

// The pieces the home and archive windows are drawn with: flat rectangles
// behind groups of controls, pictures from the resources drawn at their
// design size, and clickable pictures with the hand cursor.
namespace ElementiGrafici {

QWidget *rettangolo(QWidget *genitore, const QString &nome, const QRect &posto,
                    const QColor &colore = Qt::white);
// A picture that only decorates.
QLabel *immagine(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto);
// A picture command: reports clicked(), shows the hand cursor.
VistaImmagine *comando(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto);

} // namespace ElementiGrafici
