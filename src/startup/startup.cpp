#include "startup/startup.h"

#include "startup/finestre.h"

#include "app/cartellaprogramma.h"

#include "access/frmcambiapassword.h"
#include "access/frmpassword.h"
#include "archives/frmapricatalogo.h"
#include "archives/frmcreacatalogo.h"
#include "editor/frmallegacartella.h"
#include "editor/frmdocumenti.h"
#include "editor/frmzoom.h"
#include "home/frmavvio.h"
#include "home/frmguida.h"
#include "home/frminfo.h"
#include "home/frmsplash.h"
#include "output/frmanteprimapagina.h"
#include "output/frmexpdocumenti.h"
#include "output/frmslideshow_documenti.h"
#include "output/frmstampapagina.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"
#include "storage/allegati.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QIcon>
#include <QImageReader>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <clocale>

namespace {

// Room for A3 pages at 600 dpi (about 280 MB decoded) with margin.
constexpr int kLimiteImmagineMB = 512;

} // namespace

Finestre &finestre()
{
    static Finestre f;
    return f;
}

void caricaTraduzioni()
{
    static QPointer<QTranslator> qt;
    static QPointer<QTranslator> supplemento;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (qt)
        return;
    // Both belong to the application object: a new one (the command line
    // is read before the windows' one exists) loads them again.
    qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        qWarning("Velmora: traduzioni italiane di Qt non trovate in %s",
                 qUtf8Printable(QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    // Installed last, so looked up first; it holds only what the toolkit's
    // catalogue lacks, and everything else falls through to it.
    supplemento = new QTranslator(QCoreApplication::instance());
    if (supplemento->load(QStringLiteral(":/traduzioni/qt_supplemento_it.qm")))
        QCoreApplication::installTranslator(supplemento);
}

LocaleItaliana::LocaleItaliana()
    : m_lcAll(qgetenv("LC_ALL"))
    , m_lcAllImpostata(qEnvironmentVariableIsSet("LC_ALL"))
{
    // The C library takes the user's locale now, as the toolkit would; the
    // toolkit's own attempt, under the Italian name that may not be
    // installed, then fails and changes nothing.
    const char *locale = std::setlocale(LC_ALL, "");
    m_localeC = locale ? QByteArray(locale) : QByteArray();
    qputenv("LC_ALL", "it_IT.UTF-8");
}

LocaleItaliana::~LocaleItaliana()
{
    QLocale::system(); // read now, under the Italian name
    if (m_lcAllImpostata)
        qputenv("LC_ALL", m_lcAll);
    else
        qunsetenv("LC_ALL");
    if (!m_localeC.isEmpty())
        std::setlocale(LC_ALL, m_localeC.constData());
}

void createWindows(const QString &programFolder)
{
    destroyWindows();
    impostaCartellaProgramma(programFolder);
    // The program ends only through its three exits, never because the last
    // visible window went away (the login hides itself once passed).
    QApplication::setQuitOnLastWindowClosed(false);
    caricaTraduzioni();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.velmora"));
    // An A4 page scanned in colour at 600 dpi decodes to about 140 MB, over
    // the toolkit's default limit of 128 MB for one picture.
    QImageReader::setAllocationLimit(kLimiteImmagineMB);

    // The order is fixed: the first window made is the main window, and the
    // second (the launcher) sets the process formats for the rest of the run.
    Finestre &f = finestre();
    f.frmPassword = new TfrmPassword;
    f.frmAvvio = new TfrmAvvio;
    f.frmApriCatalogo = new TfrmApriCatalogo;
    f.frmCambiaPassword = new TfrmCambiaPassword;
    f.frmCreaCatalogo = new TfrmCreaCatalogo;
    f.frmGuida = new TfrmGuida;
    f.frmInfo = new TfrmInfo;
    f.frmSplash = new TfrmSplash;
    f.frmDocumenti = new TfrmDocumenti;
    f.frmZoom = new TfrmZoom;
    f.frmAllegaCartella = new TfrmAllegaCartella;
    f.frmSlideshow_Documenti = new TfrmSlideshow_Documenti;
    f.frmRiepDaCompletare = new TfrmRiepDaCompletare;
    f.frmExpDocumenti = new TfrmExpDocumenti;
    f.frmTrovaPagine = new TfrmTrovaPagine;
    f.frmAnteprimaPagina = new TfrmAnteprimaPagina;
    f.frmStampaPagina = new TfrmStampaPagina;
    f.permanenti = {f.frmPassword, f.frmAvvio, f.frmApriCatalogo, f.frmCambiaPassword, f.frmCreaCatalogo,
                    f.frmDocumenti};
    impostaPermanenti(f.permanenti);
    // What one window hands over to another.
    QObject::connect(f.frmCambiaPassword, &TfrmCambiaPassword::chiusa, f.frmPassword, &TfrmPassword::ricomincia);
    QObject::connect(f.frmApriCatalogo, &TfrmApriCatalogo::archivioScelto, f.frmDocumenti,
                     &TfrmDocumenti::apriArchivio);

    // Every control made above has asked to be polished (style, fonts) by
    // the event loop, which would do it for all the hidden windows before the
    // login is first painted. Showing a window polishes its controls anyway,
    // so the hidden ones wait until they open.
    QCoreApplication::removePostedEvents(nullptr, QEvent::PolishRequest);
    f.frmPassword->mostra();
}

void destroyWindows()
{
    Finestre &f = finestre();
    impostaPermanenti({});
    // Dialogs first, then the long-lived windows in reverse creation order.
    delete f.frmStampaPagina;
    delete f.frmAnteprimaPagina;
    delete f.frmTrovaPagine;
    delete f.frmExpDocumenti;
    delete f.frmRiepDaCompletare;
    delete f.frmSlideshow_Documenti;
    delete f.frmAllegaCartella;
    delete f.frmZoom;
    delete f.frmDocumenti;
    delete f.frmSplash;
    delete f.frmInfo;
    delete f.frmGuida;
    delete f.frmCreaCatalogo;
    delete f.frmCambiaPassword;
    delete f.frmApriCatalogo;
    delete f.frmAvvio;
    delete f.frmPassword;
    f = Finestre();
}

void rimuoviProvvisoriDelProgramma(const QString &cartellaProgramma)
{
    const QString programma = QDir(cartellaProgramma).absolutePath() + QLatin1Char('/');
    for (const QString &cartella : {programma, cartellaFotoPagine(programma), cartellaAllegati(programma)})
        rimuoviProvvisoriAbbandonati(cartella, std::chrono::hours(1));
}
