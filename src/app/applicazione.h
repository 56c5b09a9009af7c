#pragma once

#include "app/contesto.h"

#include <QApplication>

// The application object of the program: a failure that escapes an event
// handler reaches the general error report and the event loop goes on.
// The report speaks through the context of the windows once start-up has
// handed it over (impostaContesto), and through the real message box
// before that.
class Applicazione : public QApplication
{
public:
    Applicazione(int &argc, char **argv);
    bool notify(QObject *destinatario, QEvent *evento) override;

    // The context must outlive the application object, or be taken back
    // (nullptr) before it goes.
    void impostaContesto(const Contesto *contesto) { m_contesto = contesto; }

private:
    const Contesto *m_contesto = nullptr;
    Contesto m_reale;
};
