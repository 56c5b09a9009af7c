#include "access/frmpassword.h"
#include "app/applicazione.h"
#include "startup/cartelladati.h"
#include "startup/escidopodisegno.h"
#include "startup/finestre.h"
#include "startup/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Software rendering for the whole run, chosen before the application
    // object exists.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    Applicazione app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSIONE));
    caricaTraduzioni();

    QCommandLineParser riga;
    riga.setApplicationDescription(
        QStringLiteral("Velmora: catalogazione delle pagine di documenti cartacei scansionati."));
    riga.addHelpOption();
    riga.addVersionOption();
    const QCommandLineOption cartella(
        QStringLiteral("program-folder"),
        QStringLiteral("Usa DIR come cartella del programma: archivi, scansioni, allegati e password."),
        QStringLiteral("DIR"));
    riga.addOption(cartella);
    riga.process(app);

    LuoghiProgramma luoghi;
    luoghi.eseguibile = QCoreApplication::applicationDirPath();
    luoghi.installati = QDir(luoghi.eseguibile).filePath(QStringLiteral(VELMORA_DATI_INSTALLATI));
    luoghi.documentazione = QDir(luoghi.eseguibile).filePath(QStringLiteral(VELMORA_DOC_INSTALLATA));
    luoghi.datiUtente = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    luoghi.richiesta = riga.value(cartella);
    const QString programma = apriCartellaProgramma(luoghi);
    if (programma.isEmpty()) {
        std::fprintf(stderr, "velmora: impossibile creare la cartella del programma %s\n",
                     qUtf8Printable(luoghi.richiesta.isEmpty() ? luoghi.datiUtente : luoghi.richiesta));
        return 1;
    }
    rimuoviProvvisoriDelProgramma(programma);
    createWindows(programma);
    EsciDopoDisegno esci;
    if (qEnvironmentVariableIsSet("VELMORA_BENCH_ESCI_DOPO_DISEGNO"))
        finestre().frmPassword->installEventFilter(&esci);
    return app.exec();
}
