#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

// scripts/bench.sh times start-up as a whole process, up to the first window
// on screen: installed on that window, this ends the program once the window
// has been painted. Header-only, so that the bench's bare-window yardstick
// uses the very same stop without linking the program.
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
