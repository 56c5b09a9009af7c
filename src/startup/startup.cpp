#include "startup/startup.h"

#include "startup/finestre.h"

#include "app/contesto.h"

#include "access/frmcambiapassword.h"
#include "access/frmpassword.h"
#include "archives/frmapricatalogo.h"
#include "archives/frmcreacatalogo.h"
#include "editor/frmdocumenti.h"
#include "home/frmavvio.h"
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
    auto contesto = std::make_unique<Contesto>(programFolder);
    Contesto &c = *contesto;
    createWindows(c);
    finestre().contestoProprio = std::move(contesto);
}

void createWindows(Contesto &contesto)
{
    destroyWindows();
    // The program ends only through its three exits, never because the last
    // visible window went away (the login hides itself once passed).
    QApplication::setQuitOnLastWindowClosed(false);
    caricaTraduzioni();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velmora.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.velmora"));
    // An A4 page scanned in colour at 600 dpi decodes to about 140 MB, over
    // the toolkit's default limit of 128 MB for one picture.
    QImageReader::setAllocationLimit(kLimiteImmagineMB);

    // The order is fixed: the first window made is the main window. The
    // dialogs are not made here: each opening makes its own.
    Finestre &f = finestre();
    f.contesto = &contesto;
    f.frmPassword = new TfrmPassword(contesto);
    f.frmAvvio = new TfrmAvvio(contesto);
    f.frmApriCatalogo = new TfrmApriCatalogo(contesto);
    f.frmCambiaPassword = new TfrmCambiaPassword(contesto);
    f.frmCreaCatalogo = new TfrmCreaCatalogo(contesto);
    f.frmDocumenti = new TfrmDocumenti(contesto);
    f.permanenti = {f.frmPassword, f.frmAvvio, f.frmApriCatalogo, f.frmCambiaPassword, f.frmCreaCatalogo,
                    f.frmDocumenti};
    // Windows of one area show those of another without knowing their
    // classes: by the context, which asks here.
    contesto.impostaFinestre([&f](Permanente quale) {
        if (FinestraPermanente *finestra = f.permanenti[size_t(quale)])
            finestra->mostra();
    });
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
    if (f.contesto)
        f.contesto->impostaFinestre(nullptr);
    // The long-lived windows in reverse creation order.
    delete f.frmDocumenti;
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
