#include "app/finestra.h"
#include "startup/finestre.h"
#include "startup/startup.h"

#include "access/frmcambiapassword.h"
#include "access/frmpassword.h"
#include "archives/frmapricatalogo.h"
#include "archives/frmcreacatalogo.h"
#include "editor/frmdocumenti.h"
#include "home/frmavvio.h"

#include "support/dialoghi_supporto.h"
#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QScopeGuard>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QWindow>

#include <memory>

namespace {

// The long-lived windows start-up made, in creation order.
QList<QWidget *> insiemeInOrdine()
{
    const Finestre &f = finestre();
    return {
        reinterpret_cast<QWidget *>(f.frmPassword),     reinterpret_cast<QWidget *>(f.frmAvvio),
        reinterpret_cast<QWidget *>(f.frmApriCatalogo), reinterpret_cast<QWidget *>(f.frmCambiaPassword),
        reinterpret_cast<QWidget *>(f.frmCreaCatalogo), reinterpret_cast<QWidget *>(f.frmDocumenti),
    };
}

// A long-lived window by its instance name; null for a dialog.
QWidget *perNome(const QString &nome)
{
    for (QWidget *w : insiemeInOrdine()) {
        if (w && w->objectName() == nome)
            return w;
    }
    return nullptr;
}

// Any window of the set by its instance name: a dialog is made as the
// editor would make it, and kept in dialogo.
QWidget *finestraPerNome(const QString &nome, std::unique_ptr<QWidget> &dialogo)
{
    if (QWidget *w = perNome(nome))
        return w;
    dialogo.reset(creaDialogo(nome, perNome(QStringLiteral("frmDocumenti"))));
    return dialogo.get();
}

// A close from the window manager (the title-bar close box), as opposed to a
// close asked by the program.
void chiudiDaBarraTitolo(QWidget *w)
{
    // Delivered to the platform window, as the close box does, the close
    // reaches the widget as a spontaneous event.
    QVERIFY(w->windowHandle());
    QCloseEvent evento;
    QCoreApplication::sendEvent(w->windowHandle(), &evento);
}

// Where the program stands once a window has been left.
struct Esito {
    QStringList visibili;  // the windows on screen, while the program goes on
    int terminazioni = 0;
    int risultato = -1;    // the dialog's result; none for a long-lived window
    bool aperta = true;    // the window left still on screen
};

// What a window asks the window manager for: the title alone where it has
// no close box (without the customise flag the platform would add its
// default buttons), otherwise every title-bar button; a dialog is a dialog
// transient for its owner, so that window managers keep the two together;
// a window that is not maximised cannot be resized.
void controllaAspetto(QWidget *w, QWidget *proprietario, bool pulsanti)
{
    const Qt::WindowFlags f = w->windowFlags();
    const Qt::WindowFlags tutti = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
        | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    QVERIFY(f.testFlag(Qt::WindowTitleHint));
    QCOMPARE(f & tutti, pulsanti ? tutti : Qt::WindowFlags());
    QCOMPARE(f.testFlag(Qt::CustomizeWindowHint), !pulsanti);

    const auto *dialogo = qobject_cast<FinestraDialogo *>(w);
    const auto *permanente = qobject_cast<FinestraPermanente *>(w);
    QVERIFY(dialogo || permanente);
    QCOMPARE(w->windowType(), dialogo ? Qt::Dialog : Qt::Window);
    QVERIFY(w->windowHandle());
    QCOMPARE(w->windowHandle()->transientParent(), dialogo ? proprietario->windowHandle() : nullptr);

    if ((dialogo ? dialogo->bordo() : permanente->bordo()) == Bordo::Massimizzata) {
        QVERIFY(w->windowState().testFlag(Qt::WindowMaximized));
    } else {
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->size(), w->minimumSize());
    }
}

// The ways a user leaves a window.
enum class Modo { Comando, Barra, Escape };

// Escape as the keyboard delivers it: to the control with the focus, from
// which it goes up to the window unless the control takes it.
void premiEscape(QWidget *finestra)
{
    QWidget *fuoco = finestra->focusWidget();
    QTest::keyClick(fuoco && fuoco->window() == finestra ? fuoco : finestra, Qt::Key_Escape);
}

// Opens a window as the user reaches it (from the window da, by its command
// apertura; a window without them is shown directly), checks its look to
// the window manager, then leaves it by its own command uscita, by a close
// request from the title bar or by Escape, and says where the program is
// then.
void lascia(const QString &nome, const QString &da, const QString &apertura, const QString &uscita,
            bool pulsanti, Modo modo, Esito &esito)
{
    EditoreDiProva programma;
    RegistroMessaggi messaggi;
    QVERIFY(scriviArchivio(programma.archivio(), schedeNumerate(3)));
    const QString primo = da.isEmpty() ? nome : da;
    if (primo != QStringLiteral("frmPassword"))
        perNome(QStringLiteral("frmPassword"))->hide();
    if (primo == QStringLiteral("frmDocumenti"))
        apriEditore(programma.cartella(), QStringLiteral("Prova"));
    else
        static_cast<FinestraPermanente *>(perNome(primo))->mostra();
    QWidget *proprietario = perNome(primo);

    QPointer<QWidget> finestra;
    auto esci = [&](QWidget *w) {
        finestra = w;
        controllaAspetto(w, proprietario, pulsanti);
        if (modo == Modo::Barra)
            chiudiDaBarraTitolo(w);
        else if (modo == Modo::Escape)
            premiEscape(w);
        else
            clicca(w->findChild<QWidget *>(uscita));
    };
    if (qobject_cast<FinestraPermanente *>(perNome(nome))) {
        if (!apertura.isEmpty())
            clicca(proprietario->findChild<QWidget *>(apertura));
        QWidget *w = perNome(nome);
        QVERIFY(w->isVisible());
        esci(w);
        // A request from the window manager is answered once it is over.
        QCoreApplication::processEvents();
    } else {
        azzeraModaleMancata();
        allaProssimaModale(
            [&](QWidget *m) {
                QCOMPARE(m->objectName(), nome);
                QObject::connect(static_cast<QDialog *>(m), &QDialog::finished, m,
                                 [&esito](int risultato) { esito.risultato = risultato; });
                esci(m);
            },
            2000);
        clicca(proprietario->findChild<QWidget *>(apertura));
        QVERIFY2(!modaleMancata(), "the dialog stayed open");
    }
    esito.terminazioni = programma.terminazioni();
    if (esito.terminazioni == 0)
        esito.visibili = finestreVisibili();
    esito.aperta = finestra && finestra->isVisible();
}

} // namespace

class TestFinestre : public QObject
{
    Q_OBJECT

private slots:
    void insieme_data();
    void insieme();
    void ordineDiCreazione();
    void soloIlLoginVisibileECentrato();
    void cartellaDelProgramma();
    void chiusure_data();
    void chiusure();
    void uscite_data();
    void uscite();
    void escapeSottoUnaDomanda();
    void chiudereIlLauncherTerminaIlProgramma();
    void ricreareLInsieme();
    void testiInteriAllApertura_data();
    void testiInteriAllApertura();
    void caratteriAllApertura_data();
    void caratteriAllApertura();
    void dialogoNuovoAOgniApertura();
};

void TestFinestre::insieme_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("bordo");
    QTest::addColumn<bool>("pulsanti");
    QTest::addColumn<bool>("permanente");

    const int M = int(Bordo::Massimizzata), S = int(Bordo::FissaSchermo), P = int(Bordo::FissaProprietario);
    const QSize design(1016, 713);
    QTest::newRow("1") << "frmPassword" << " Velmora - Autenticazione" << QSize(388, 405) << S << false << true;
    QTest::newRow("2") << "frmAvvio" << " Velmora" << design << M << true << true;
    QTest::newRow("3") << "frmApriCatalogo" << " Velmora - Apertura documento" << design << M << true << true;
    QTest::newRow("4") << "frmCambiaPassword" << " Cambia password" << QSize(411, 418) << S << false << true;
    QTest::newRow("5") << "frmCreaCatalogo" << " Velmora - Creazione documento" << design << M << true << true;
    QTest::newRow("6") << "frmGuida" << " Guida all'utilizzo del software" << QSize(670, 572) << S << false << false;
    QTest::newRow("7") << "frmInfo" << " Informazioni su Velmora" << QSize(473, 579) << S << false << false;
    QTest::newRow("8") << "frmSplash" << QString() << QSize(661, 467) << P << false << false;
    QTest::newRow("9") << "frmDocumenti" << " Velmora - Gestione pagine documento" << design << M << true << true;
    QTest::newRow("10") << "frmZoom" << " Fai clic sulla foto per chiudere questa finestra" << design << M << true << false;
    QTest::newRow("11") << "frmAllegaCartella" << " Allega file" << QSize(634, 534) << S << false << false;
    QTest::newRow("12") << "frmSlideshow_Documenti" << " Slide Show Pagine Documento" << design << M << true << false;
    QTest::newRow("13") << "frmRiepDaCompletare" << " Riepilogo pagine da completare" << QSize(862, 560) << S << false << false;
    QTest::newRow("14") << "frmExpDocumenti" << " Esporta archivio pagine documento in Excel" << QSize(862, 560) << S << false << false;
    QTest::newRow("15") << "frmTrovaPagine" << " Trova pagine in archivio" << QSize(862, 560) << S << false << false;
    QTest::newRow("16") << "frmAnteprimaPagina" << " Anteprima di stampa" << QSize(364, 287) << P << false << false;
    QTest::newRow("17") << "frmStampaPagina" << " Stampa documento" << QSize(364, 287) << P << false << false;
}

void TestFinestre::insieme()
{
    QFETCH(QString, nome);
    QFETCH(QString, titolo);
    QFETCH(QSize, client);
    QFETCH(int, bordo);
    QFETCH(bool, pulsanti);
    QFETCH(bool, permanente);

    ProgrammaDiProva programma;
    std::unique_ptr<QWidget> dialogo;
    QWidget *w = finestraPerNome(nome, dialogo);
    QVERIFY2(w, qPrintable(nome));
    QVERIFY(w->isWindow());
    if (titolo.isNull()) // the splash caption is the product name and the maker's notice
        QVERIFY(w->windowTitle().startsWith(QStringLiteral(" Velmora")));
    else
        QCOMPARE(w->windowTitle(), titolo);

    QCOMPARE(bool(qobject_cast<FinestraPermanente *>(w)), permanente);
    QCOMPARE(bool(qobject_cast<QDialog *>(w)), !permanente);

    if (bordo == int(Bordo::Massimizzata)) {
        QVERIFY(w->windowState().testFlag(Qt::WindowMaximized));
    } else {
        QCOMPARE(w->minimumSize(), client);
        QCOMPARE(w->maximumSize(), client);
    }
    const auto *d = qobject_cast<FinestraDialogo *>(w);
    const auto *p = qobject_cast<FinestraPermanente *>(w);
    QCOMPARE(int(d ? d->bordo() : p->bordo()), bordo);
    QCOMPARE(d ? d->pulsantiTitolo() : p->pulsantiTitolo(), pulsanti);
    if (d)
        QVERIFY(d->isModal());
}

// Start-up makes the six long-lived windows in their order, and no dialog:
// each opening makes its own.
void TestFinestre::ordineDiCreazione()
{
    ProgrammaDiProva programma;
    const QList<QWidget *> insieme = insiemeInOrdine();
    QVERIFY(insieme.first());
    for (QWidget *w : QApplication::allWidgets())
        QVERIFY2(!qobject_cast<QDialog *>(w), qPrintable(w->objectName()));
    for (int i = 1; i < insieme.size(); ++i) {
        QVERIFY(insieme.at(i));
        QVERIFY2(insieme.at(i)->property("ordineCreazione").toInt()
                     > insieme.at(i - 1)->property("ordineCreazione").toInt(),
                 qPrintable(insieme.at(i)->objectName()));
    }
}

void TestFinestre::soloIlLoginVisibileECentrato()
{
    ProgrammaDiProva programma;
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmPassword")});
    QWidget *login = perNome(QStringLiteral("frmPassword"));
    QVERIFY(QTest::qWaitForWindowExposed(login));
    const QPoint centroSchermo = login->screen()->availableGeometry().center();
    QVERIFY((login->frameGeometry().center() - centroSchermo).manhattanLength() <= 2);
}

// The windows work on the folder start-up is given, with a trailing '/'
// whether or not the caller wrote one.
void TestFinestre::cartellaDelProgramma()
{
    const QTemporaryDir cartella;
    createWindows(cartella.path());
    const auto distruggi = qScopeGuard([] { destroyWindows(); });
    const Contesto *contesto = finestre().contesto;
    QVERIFY(contesto);
    QVERIFY(contesto != &contestoDiProva());
    QCOMPARE(contesto->cartella(), cartella.path() + QLatin1Char('/'));
    frmApriCatalogo()->mostra();
    QCOMPARE(frmApriCatalogo()->findChild<QLabel *>(QStringLiteral("lblFile"))->text(),
             cartella.path() + QLatin1Char('/'));
}

void TestFinestre::chiusure_data()
{
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("a");
    QTest::addColumn<bool>("massimizzata");
    QTest::newRow("editor") << "frmDocumenti" << "frmAvvio" << true;
    QTest::newRow("creazione") << "frmCreaCatalogo" << "frmAvvio" << true;
    QTest::newRow("apertura") << "frmApriCatalogo" << "frmAvvio" << true;
    QTest::newRow("cambio password") << "frmCambiaPassword" << "frmPassword" << false;
}

// Closing a working window never ends the program: it returns to the window
// it belongs to, and the closed one is only hidden.
void TestFinestre::chiusure()
{
    QFETCH(QString, da);
    QFETCH(QString, a);
    QFETCH(bool, massimizzata);

    ProgrammaDiProva programma;
    auto *sorgente = static_cast<FinestraPermanente *>(perNome(da));
    perNome(QStringLiteral("frmPassword"))->hide();
    sorgente->mostra();
    QCOMPARE(finestreVisibili(), QStringList{da});

    if (sorgente->pulsantiTitolo())
        chiudiDaBarraTitolo(sorgente);
    else
        sorgente->close();

    QCOMPARE(finestreVisibili(), QStringList{a});
    QCOMPARE(perNome(a)->windowState().testFlag(Qt::WindowMaximized), massimizzata);
    QCOMPARE(programma.terminazioni(), 0);
    QVERIFY(perNome(da)); // hidden, not destroyed
}

void TestFinestre::uscite_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("da");
    QTest::addColumn<QString>("apertura");
    QTest::addColumn<QString>("uscita");
    QTest::addColumn<bool>("pulsanti");

    QTest::newRow("login") << "frmPassword" << "" << "" << "cmdEsci" << false;
    QTest::newRow("launcher") << "frmAvvio" << "" << "" << "imgEsci" << true;
    QTest::newRow("apertura") << "frmApriCatalogo" << "frmAvvio" << "btnApp02" << "btnAnnulla" << true;
    QTest::newRow("cambio password") << "frmCambiaPassword" << "frmPassword" << "btnCambiaPassword" << "cmdEsci"
                                     << false;
    QTest::newRow("creazione") << "frmCreaCatalogo" << "frmAvvio" << "btnApp01" << "btnAnnulla" << true;
    QTest::newRow("guida") << "frmGuida" << "frmAvvio" << "imgGuida" << "btnChiudi" << false;
    QTest::newRow("informazioni") << "frmInfo" << "frmAvvio" << "imgInfo" << "btnChiudi" << false;
    QTest::newRow("splash") << "frmSplash" << "frmAvvio" << "imgCopyright" << "btnChiudi" << false;
    QTest::newRow("editor") << "frmDocumenti" << "" << "" << "cmdEsci" << true;
    QTest::newRow("zoom") << "frmZoom" << "frmDocumenti" << "btnZoomFoto" << "imgFoto" << true;
    QTest::newRow("allegati") << "frmAllegaCartella" << "frmDocumenti" << "cmdFile" << "btnAnnulla" << false;
    QTest::newRow("slideshow") << "frmSlideshow_Documenti" << "frmDocumenti" << "cmdSlideshow" << "imgFoto" << true;
    QTest::newRow("da completare") << "frmRiepDaCompletare" << "frmDocumenti" << "cmdDaCompletare" << "btnChiudi"
                                   << false;
    QTest::newRow("esportazione") << "frmExpDocumenti" << "frmDocumenti" << "cmdEsporta" << "cmdEsci" << false;
    QTest::newRow("ricerca") << "frmTrovaPagine" << "frmDocumenti" << "cmdTrova" << "btnAnnulla" << false;
    QTest::newRow("anteprima") << "frmAnteprimaPagina" << "frmDocumenti" << "cmdAnteprima" << "btnAnnulla" << false;
    QTest::newRow("stampa") << "frmStampaPagina" << "frmDocumenti" << "cmdStampa" << "btnAnnulla" << false;
}

// Every window, as the user opens it, asks for the title-bar buttons it
// has; and whatever close button a window manager draws leaves the window
// exactly as the window's own way out does: the same windows on screen
// after it, the same dialog result, the same end of the program.
void TestFinestre::uscite()
{
    QFETCH(QString, nome);
    QFETCH(QString, da);
    QFETCH(QString, apertura);
    QFETCH(QString, uscita);
    QFETCH(bool, pulsanti);

    Esito comando, barra;
    lascia(nome, da, apertura, uscita, pulsanti, Modo::Comando, comando);
    if (QTest::currentTestFailed())
        return;
    lascia(nome, da, apertura, uscita, pulsanti, Modo::Barra, barra);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(comando.terminazioni > 0 || !comando.aperta);
    QVERIFY2(barra.terminazioni > 0 || !barra.aperta, "the close request left the window on screen");
    QCOMPARE(barra.terminazioni, comando.terminazioni);
    QCOMPARE(barra.visibili, comando.visibili);
    QCOMPARE(barra.risultato, comando.risultato);

    // Escape leaves every dialog the same way too. The long-lived windows
    // keep it: there it would end the program or drop the user's place.
    if (!nomiDialoghi().contains(nome))
        return;
    Esito tasto;
    lascia(nome, da, apertura, uscita, pulsanti, Modo::Escape, tasto);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(!tasto.aperta, "Escape left the window on screen");
    QCOMPARE(tasto.visibili, comando.visibili);
    QCOMPARE(tasto.risultato, comando.risultato);
}

void TestFinestre::chiudereIlLauncherTerminaIlProgramma()
{
    ProgrammaDiProva programma;
    perNome(QStringLiteral("frmPassword"))->hide();
    auto *avvio = static_cast<FinestraPermanente *>(perNome(QStringLiteral("frmAvvio")));
    avvio->mostra();
    QVERIFY(QTest::qWaitForWindowExposed(avvio));
    chiudiDaBarraTitolo(avvio);
    QCOMPARE(programma.terminazioni(), 1);
}

void TestFinestre::ricreareLInsieme()
{
    QPointer<QWidget> vecchio;
    {
        ProgrammaDiProva primo;
        vecchio = perNome(QStringLiteral("frmDocumenti"));
        QVERIFY(vecchio);
    }
    QVERIFY(!vecchio);
    QCOMPARE(finestre().frmDocumenti, nullptr);
    ProgrammaDiProva secondo;
    QVERIFY(perNome(QStringLiteral("frmDocumenti")));
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmPassword")});
}

// Captions and links of a window made hidden take the size of their text
// only once polished: when such a window opens, none may be cut.
void TestFinestre::testiInteriAllApertura_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("testo");

    QTest::newRow("guida, collegamento") << "frmGuida" << "lnkWeb" << QString();
    QTest::newRow("informazioni, collegamento") << "frmInfo" << "lnkWeb" << QString();
    QTest::newRow("splash, collegamento") << "frmSplash" << "lnkWeb" << QString();
    QTest::newRow("allegati, primo nome") << "frmAllegaCartella" << QString() << "Nome 1° file allegato:";
    QTest::newRow("allegati, ultima descrizione")
        << "frmAllegaCartella" << QString() << "Descrizione 3° file allegato:";
}

void TestFinestre::testiInteriAllApertura()
{
    QFETCH(QString, finestra);
    QFETCH(QString, nome);
    QFETCH(QString, testo);

    ProgrammaDiProva programma;
    std::unique_ptr<QWidget> dialogo;
    QWidget *w = finestraPerNome(finestra, dialogo);
    QVERIFY(w);
    QLabel *etichetta = nullptr;
    for (QLabel *l : w->findChildren<QLabel *>()) {
        if (nome.isEmpty() ? l->text() == testo : l->objectName() == nome)
            etichetta = l;
    }
    QVERIFY(etichetta);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QVERIFY(etichetta->isVisible());
    QVERIFY(!etichetta->text().isEmpty());
    QCOMPARE(etichetta->size(), etichetta->sizeHint());
    w->hide();
}

// Fields of a window made hidden take their own font only once polished:
// when such a window opens, each shows its text in that font.
void TestFinestre::caratteriAllApertura_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("punti");

    QTest::newRow("guida, testo") << "frmGuida" << "txtGuida" << 12;
    QTest::newRow("allegati, primo file") << "frmAllegaCartella" << "txtFile01" << 10;
    QTest::newRow("allegati, ultima descrizione") << "frmAllegaCartella" << "txtDesc03" << 12;
    QTest::newRow("creazione, nome") << "frmCreaCatalogo" << "txtFile" << 16;
}

void TestFinestre::caratteriAllApertura()
{
    QFETCH(QString, finestra);
    QFETCH(QString, nome);
    QFETCH(int, punti);

    ProgrammaDiProva programma;
    std::unique_ptr<QWidget> dialogo;
    QWidget *w = finestraPerNome(finestra, dialogo);
    QVERIFY(w);
    auto *campo = w->findChild<QWidget *>(nome);
    QVERIFY(campo);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(campo->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(campo->font().pointSize(), punti);
    QVERIFY(campo->font().bold());
    w->hide();
}

class DialogoDiProva : public FinestraDialogo
{
public:
    explicit DialogoDiProva(QWidget *proprietario)
        : FinestraDialogo({"frmProva", QStringLiteral(" Prova"), QSize(200, 100), Bordo::FissaProprietario, false},
                          proprietario)
    {
        ++vivi;
    }
    ~DialogoDiProva() override { --vivi; }
    static inline int vivi = 0;
};

// Each opening makes a fresh instance owned by the opener, modal, and gone
// once it closes.
// While the program asks a question over a window, Escape belongs to the
// question: the window under it stays, and so does the work it was asked
// about.
void TestFinestre::escapeSottoUnaDomanda()
{
    EditoreDiProva programma;
    QVERIFY(scriviArchivio(programma.archivio(), schedeNumerate(2)));
    perNome(QStringLiteral("frmPassword"))->hide();
    TfrmDocumenti *editor = apriEditore(programma.cartella(), QStringLiteral("Prova"));
    bool chiesto = false;
    bool rimasta = false;
    azzeraModaleMancata();
    allaProssimaModale([&](QWidget *esportazione) {
        allaProssimaModale([&](QWidget *domanda) {
            auto *box = qobject_cast<QMessageBox *>(domanda);
            QVERIFY(box);
            chiesto = true;
            premiEscape(esportazione);
            QCoreApplication::processEvents();
            rimasta = esportazione->isVisible() && box->isVisible();
            box->button(QMessageBox::No)->click();
        });
        clicca(esportazione->findChild<QWidget *>(QStringLiteral("cmdEsporta")));
        clicca(esportazione->findChild<QWidget *>(QStringLiteral("cmdEsci")));
    });
    clicca(editor->findChild<QWidget *>(QStringLiteral("cmdEsporta")));
    QVERIFY(!modaleMancata());
    QVERIFY(chiesto);
    QVERIFY(rimasta);
}

void TestFinestre::dialogoNuovoAOgniApertura()
{
    ProgrammaDiProva programma;
    QWidget *proprietario = perNome(QStringLiteral("frmPassword"));
    QList<QWidget *> visti;
    for (int volta = 0; volta < 2; ++volta) {
        allaProssimaModale([&](QWidget *m) {
            visti.append(m);
            QCOMPARE(m->parentWidget(), proprietario);
            QCOMPARE(DialogoDiProva::vivi, 1);
            // No close box and no way out of its own: Escape leaves it open.
            QTest::keyClick(m, Qt::Key_Escape);
            QVERIFY(m->isVisible());
            static_cast<QDialog *>(m)->accept();
        });
        apriDialogo<DialogoDiProva>(proprietario, [](DialogoDiProva &d) { d.setWindowTitle(QStringLiteral(" Riempito")); });
        QVERIFY(!modaleMancata());
        QCOMPARE(DialogoDiProva::vivi, 0);
    }
    QCOMPARE(visti.size(), 2);
}

QTEST_MAIN(TestFinestre)
#include "tst_finestre.moc"
