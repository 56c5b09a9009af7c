#pragma once

#include <QRect>
#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The look of the two password windows, over the shared builders in
// app/elementi.h.
namespace ElementiAccesso {

// A rounded rectangle with a vertical gradient, behind a group of controls.
QFrame *sfondo(QWidget *genitore, const QString &nome, const QRect &posto);
// A caption in Verdana.
QLabel *didascalia(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto);
// A masked field in Verdana 14 bold with its focus halo (named effXxx).
QLineEdit *campoPassword(QWidget *genitore, const QString &nome, const QString &nomeAlone,
                         const QRect &posto);
// A text button in Verdana with the hand cursor.
QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto);

} // namespace ElementiAccesso
