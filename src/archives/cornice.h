#pragma once

#include <QString>

class QWidget;
class VistaImmagine;

// The common frame of the two archive windows: the central panel with its
// steel-blue and white rectangles, the program icon, the instruction
// picture and the help icon. `testoIstruzioni` is what the instruction
// picture says, for assistive technology.
struct Cornice {
    QWidget *pannello;
    VistaImmagine *imgGuida;
};

Cornice creaCornice(QWidget *finestra, const QString &istruzioni, const QString &testoIstruzioni);
