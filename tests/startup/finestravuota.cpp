// The yardstick for start-up in scripts/bench.sh: the least a Qt Widgets
// program does to put a window on screen. It shows one bare QWidget and,
// like the program with VELMORA_BENCH_ESCI_DOPO_DISEGNO set, ends once that
// window has been painted.

#include "startup/escidopodisegno.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget finestra;
    finestra.resize(388, 405);
    EsciDopoDisegno esci;
    finestra.installEventFilter(&esci);
    finestra.show();
    return app.exec();
}
