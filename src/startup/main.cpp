#include "app/applicazione.h"
#include "startup/startup.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // Software rendering for the whole run, chosen before the application
    // object exists.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    Applicazione app(argc, argv);
    createWindows(QCoreApplication::applicationDirPath());
    return app.exec();
}
