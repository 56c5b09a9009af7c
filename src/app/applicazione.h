#pragma once

#include <QApplication>

// The application object of the program: a failure that escapes an event
// handler reaches the general error report and the event loop goes on.
class Applicazione : public QApplication
{
public:
    Applicazione(int &argc, char **argv);
    bool notify(QObject *destinatario, QEvent *evento) override;
};
