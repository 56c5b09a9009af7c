#include "access/frmpassword.h"
#include "app/applicazione.h"
#include "app/contesto.h"
#include "app/versione.h"
#include "startup/cartelladati.h"
#include "startup/escidopodisegno.h"
#include "startup/finestre.h"
#include "startup/startup.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

const char kSenzaSchermo[] =
    "velmora: nessuno schermo disponibile: il programma ha bisogno di un ambiente grafico.\n";

// Reads the command line with a core application, which needs no display:
// --help and --version answer in a terminal over ssh, in a packaging script
// or under help2man, and end the process there. The program folder asked
// for, empty when none was.
QString leggiRigaDiComando(int argc, char *argv[])
{
    int argomenti = argc;
    QCoreApplication riga(argomenti, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersione));
    caricaTraduzioni();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Velmora: catalogazione delle pagine di documenti cartacei scansionati."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption cartella(
        QStringLiteral("program-folder"),
        QStringLiteral("Usa DIR come cartella del programma: archivi, scansioni, allegati e password."),
        QStringLiteral("DIR"));
    parser.addOption(cartella);
    parser.process(riga);
    return parser.value(cartella);
}

// Without a platform chosen, the toolkit goes to the X server or the
// Wayland compositor that the environment names; with neither there is
// nothing to show windows on.
bool schermoNominato()
{
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

QtMessageHandler g_gestorePrecedente = nullptr;

// While the application object connects to the display: a display that is
// named but cannot be reached makes the toolkit give up with a fatal
// message, which would abort with a core dump. The program says so in its
// own words and ends with an error status instead.
void gestoreApertura(QtMsgType tipo, const QMessageLogContext &contesto, const QString &testo)
{
    if (tipo == QtFatalMsg) {
        std::fputs(kSenzaSchermo, stderr);
        std::_Exit(EXIT_FAILURE);
    }
    if (g_gestorePrecedente)
        g_gestorePrecedente(tipo, contesto, testo);
}

} // namespace

int main(int argc, char *argv[])
{
    // The toolkit reads the system's locale once per process, with the
    // first application object: the command line's.
    std::optional<LocaleItaliana> italiano(std::in_place);
    const QString richiesta = leggiRigaDiComando(argc, argv);
    if (!schermoNominato()) {
        std::fputs(kSenzaSchermo, stderr);
        return EXIT_FAILURE;
    }

    // Software rendering for the whole run, chosen before the application
    // object exists.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    g_gestorePrecedente = qInstallMessageHandler(gestoreApertura);
    Applicazione app(argc, argv);
    qInstallMessageHandler(g_gestorePrecedente);
    italiano.reset();
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QLatin1String(kVersione));
    caricaTraduzioni();

    LuoghiProgramma luoghi;
    luoghi.eseguibile = QCoreApplication::applicationDirPath();
    luoghi.installati = QDir(luoghi.eseguibile).filePath(QStringLiteral(VELMORA_DATI_INSTALLATI));
    luoghi.documentazione = QDir(luoghi.eseguibile).filePath(QStringLiteral(VELMORA_DOC_INSTALLATA));
    luoghi.datiUtente = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    luoghi.richiesta = richiesta;
    // No window exists yet: the real message box tells what went wrong.
    const QString programma = apriCartellaProgramma(luoghi, Contesto());
    if (programma.isEmpty()) {
        std::fprintf(stderr, "velmora: impossibile creare la cartella del programma %s\n",
                     qUtf8Printable(luoghi.richiesta.isEmpty() ? luoghi.datiUtente : luoghi.richiesta));
        return 1;
    }
    rimuoviProvvisoriDelProgramma(programma);
    createWindows(programma);
    app.impostaContesto(finestre().contesto);
    EsciDopoDisegno esci;
    if (qEnvironmentVariableIsSet("VELMORA_BENCH_ESCI_DOPO_DISEGNO"))
        finestre().frmPassword->installEventFilter(&esci);
    const int esito = app.exec();
    app.impostaContesto(nullptr);
    return esito;
}
