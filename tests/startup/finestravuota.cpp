// The yardstick for start-up in scripts/bench.sh: the least a Qt Widgets
// program does to put a window on screen. It shows one bare QWidget and,
// like the program with VELMORA_BENCH_ESCI_DOPO_DISEGNO set, ends once that
// window has been painted.

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

class EsciDopoDisegno : public QObject
{
protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return QObject::eventFilter(oggetto, evento);
    }
};

} // namespace

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
