#include "app/finestra.h"
#include "app/vistaimmagine.h"
#include "editor/frmallegacartella.h"
#include "editor/frmdocumenti.h"
#include "home/frmguida.h"
#include "home/frminfo.h"
#include "home/frmsplash.h"
#include "output/frmexpdocumenti.h"
#include "startup/finestre.h"

#include "support/accesso_supporto.h"
#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString kGuida = QStringLiteral("Visualizza la pagina della guida sensibile al contesto.");

// The window a row is about, shown and active as the user reaches it: the
// long-lived windows by the program's own flow, the editor on the archive
// "Prova", the dialogs over the editor (owned by the test, shown modeless).
QWidget *mostra(const QString &nome, const QString &cartella, std::unique_ptr<QWidget> &dialogo)
{
    finestre().permanenti[size_t(Permanente::Password)]->hide();
    QWidget *finestra = nullptr;
    for (Permanente p : {Permanente::Avvio, Permanente::ApriCatalogo, Permanente::CreaCatalogo}) {
        if (finestre().permanenti[size_t(p)]->objectName() == nome) {
            contestoDiProva().mostraFinestra(p);
            finestra = finestre().permanenti[size_t(p)];
        }
    }
    if (!finestra) {
        finestra = apriEditore(cartella, QStringLiteral("Prova"));
        if (nome == QLatin1String("frmExpDocumenti"))
            dialogo = std::make_unique<TfrmExpDocumenti>(contestoDiProva(), finestra);
        else if (nome == QLatin1String("frmAllegaCartella"))
            dialogo = std::make_unique<TfrmAllegaCartella>(contestoDiProva(), finestra);
        if (dialogo) {
            dialogo->show();
            finestra = dialogo.get();
        }
    }
    if (!attendiAttiva(finestra))
        qWarning("%s did not become the active window", qPrintable(nome));
    return finestra;
}

VistaImmagine *comandoDi(QWidget *finestra, const QString &nome)
{
    auto *c = finestra->findChild<VistaImmagine *>(nome);
    if (!c)
        qWarning("no picture command %s", qPrintable(nome));
    return c;
}

bool giallo(const QColor &c)
{
    return c.red() > 200 && c.green() > 200 && c.blue() < 90;
}

// The colour just outside the command's left edge, halfway down, as its
// panel shows it.
QColor appenaFuori(QWidget *comando)
{
    const QPoint punto = comando->geometry().topLeft() + QPoint(-2, comando->height() / 2);
    return comando->parentWidget()->grab(QRect(punto, QSize(1, 1))).toImage().pixelColor(0, 0);
}

void tasto(QWidget *comando, const QString &modo)
{
    QTest::keyClick(comando, modo == QLatin1String("Invio") ? Qt::Key_Return : Qt::Key_Space);
}

} // namespace

// The picture commands of every window, for the keyboard and for assistive
// technology.
class TestAccessibilita : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void comandi_data();
    void comandi();
    void ordineTab_data();
    void ordineTab();
    void effetti_data();
    void effetti();
    void collegamenti_data();
    void collegamenti();
};

void TestAccessibilita::cleanup()
{
    chiudiModali();
}

void TestAccessibilita::comandi_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("descrizione");

    auto riga = [](const char *finestra, const char *comando, const char *nome, const char *descrizione) {
        QTest::addRow("%s %s", finestra, comando)
            << QString::fromLatin1(finestra) << QString::fromLatin1(comando) << QString::fromUtf8(nome)
            << QString::fromUtf8(descrizione);
    };
    const QByteArray guida = kGuida.toUtf8();

    const char *crea = "Crea un nuovo documento in cui archiviare le pagine scansionate.";
    const char *apri = "Apre un documento esistente per gestirne le pagine.";
    riga("frmAvvio", "imgInfo", "Informazioni", "Visualizza le informazioni sul programma.");
    riga("frmAvvio", "imgGuida", "Guida", guida.constData());
    riga("frmAvvio", "imgApp01", "Crea nuovo documento", crea);
    riga("frmAvvio", "btnApp01", "Crea nuovo documento", crea);
    riga("frmAvvio", "imgApp02", "Apri documento esistente", apri);
    riga("frmAvvio", "btnApp02", "Apri documento esistente", apri);
    riga("frmAvvio", "imgSito", "Sito del produttore", "Apre il sito web del produttore.");
    riga("frmAvvio", "imgCopyright", "Copyright", "Visualizza la finestra del produttore del programma.");
    riga("frmAvvio", "imgEsci", "Esci", "Chiude il programma.");

    riga("frmApriCatalogo", "imgGuida", "Guida", guida.constData());
    riga("frmApriCatalogo", "btnElimina", "Elimina documento", "Elimina il documento selezionato nell'elenco.");
    riga("frmApriCatalogo", "btnApri", "Apri archivio", "Apre il documento selezionato nell'elenco.");
    riga("frmApriCatalogo", "btnAnnulla", "Annulla", "Esce da questa schermata senza aprire un documento.");

    riga("frmCreaCatalogo", "imgGuida", "Guida", guida.constData());
    riga("frmCreaCatalogo", "btnApplica", "Applica e chiudi",
         "Crea il documento con il nome indicato e chiude la schermata.");
    riga("frmCreaCatalogo", "btnAnnulla", "Annulla", "Esce da questa schermata senza creare un documento.");

    // The editor's and the export window's descriptions are their hover hints.
    riga("frmDocumenti", "cmdNuovo", "Nuova scheda", "Prepara la schermata per l'inserimento di una nuova scheda.");
    riga("frmDocumenti", "cmdDuplica", "Duplica scheda",
         "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.");
    riga("frmDocumenti", "cmdSalva", "Salva scheda", "Salva la scheda in archivio.");
    riga("frmDocumenti", "cmdTrova", "Trova scheda", "Trova una scheda in archivio.");
    riga("frmDocumenti", "cmdFile", "Allega file", "Allega file alla scheda.");
    riga("frmDocumenti", "cmdAnteprima", "Anteprima di stampa", "Visualizza l'anteprima di stampa della scheda.");
    riga("frmDocumenti", "cmdStampa", "Stampa", "Stampa la scheda.");
    riga("frmDocumenti", "cmdPrimo", "Prima scheda", "Visualizza la prima scheda in archivio.");
    riga("frmDocumenti", "cmdIndietro", "Scheda precedente", "Visualizza la scheda precedente in archivio.");
    riga("frmDocumenti", "cmdAvanti", "Scheda successiva", "Visualizza la scheda successiva in archivio.");
    riga("frmDocumenti", "cmdUltimo", "Ultima scheda", "Visualizza l'ultima scheda in archivio.");
    riga("frmDocumenti", "cmdDaCompletare", "Pagine da completare",
         "Visualizza l'elenco delle pagine del documento da completare.");
    riga("frmDocumenti", "cmdEsporta", "Esporta in Excel", "Esporta le schede in archivio in un file di Excel.");
    riga("frmDocumenti", "cmdSlideshow", "Slide show", "Esegui lo slide show delle pagine scansionate del documento.");
    riga("frmDocumenti", "cmdGuida", "Guida", guida.constData());
    riga("frmDocumenti", "cmdEsci", "Esci", "Esci da questa schermata di lavoro.");
    riga("frmDocumenti", "btnCaricaFoto", "Carica foto", "Carica una foto esistente.");
    riga("frmDocumenti", "btnSalvaFoto", "Salva foto", "Salva la foto su disco.");
    riga("frmDocumenti", "btnCancFoto", "Cancella foto", "Cancella la foto.");
    riga("frmDocumenti", "btnZoomFoto", "Zoom foto", "Visualizza la foto nelle sue dimensioni reali.");

    riga("frmExpDocumenti", "cmdEsporta", "Esporta", "Esporta l'archivio in formato Microsoft Excel.");
    riga("frmExpDocumenti", "cmdGuida", "Guida", guida.constData());
    riga("frmExpDocumenti", "cmdEsci", "Esci", "Esci da questo ambiente di lavoro.");

    riga("frmAllegaCartella", "imgCancella01", "Cancella nome 1° file", "Cancella il nome del 1° file allegato.");
    riga("frmAllegaCartella", "imgCancella02", "Cancella nome 2° file", "Cancella il nome del 2° file allegato.");
    riga("frmAllegaCartella", "imgCancella03", "Cancella nome 3° file", "Cancella il nome del 3° file allegato.");
}

// What assistive technology reads of each command, and that its press
// action, Enter and Space each give exactly one click, the signal the
// window's handler listens to (the handlers themselves are run by the
// effects test below). Reached by Tab, a command is marked by a yellow ring
// just outside its picture and, where the window has a status line, shows
// its hint there.
void TestAccessibilita::comandi()
{
    QFETCH(QString, finestra);
    QFETCH(QString, comando);
    QFETCH(QString, nome);
    QFETCH(QString, descrizione);

    ProgrammaDiProva programma;
    std::unique_ptr<QWidget> dialogo;
    QWidget *w = mostra(finestra, programma.cartella(), dialogo);
    VistaImmagine *c = comandoDi(w, comando);
    QVERIFY(c);

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), nome);
    QCOMPARE(iface->text(QAccessible::Description), descrizione);
    QVERIFY(iface->actionInterface());
    QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    QVERIFY(c->focusPolicy() & Qt::TabFocus);

    c->clearFocus();
    c->setFocus(Qt::TabFocusReason);
    QVERIFY(c->hasFocus());
    QVERIFY(giallo(appenaFuori(c)));
    if (auto *panInfo = w->findChild<QLabel *>(QStringLiteral("panInfo")))
        QCOMPARE(panInfo->text(), descrizione);

    disconnect(c, &VistaImmagine::clicked, nullptr, nullptr);
    QSignalSpy clic(c, &VistaImmagine::clicked);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::sendPostedEvents(c, QEvent::MetaCall);
    QCOMPARE(clic.count(), 1);
    QTest::keyClick(c, Qt::Key_Return);
    QCOMPARE(clic.count(), 2);
    QTest::keyClick(c, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clic.count(), 3);
    QTest::keyClick(c, Qt::Key_Space);
    QCOMPARE(clic.count(), 4);
    clicca(c);
    QCOMPARE(clic.count(), 5);

    c->clearFocus();
    QVERIFY(!giallo(appenaFuori(c)));
}

void TestAccessibilita::ordineTab_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QStringList>("ordine");

    QTest::newRow("avvio") << "frmAvvio"
                           << QStringList{"imgInfo", "imgGuida", "imgApp01", "btnApp01", "imgApp02", "btnApp02",
                                          "imgSito", "imgCopyright", "imgEsci"};
    QTest::newRow("apertura") << "frmApriCatalogo"
                              << QStringList{"imgGuida", "btnElimina", "lstFiles", "btnApri", "btnAnnulla"};
    QTest::newRow("creazione") << "frmCreaCatalogo"
                               << QStringList{"imgGuida", "txtFile", "btnApplica", "btnAnnulla"};
    QTest::newRow("editor") << "frmDocumenti"
                            << QStringList{"txtTitolo", "txtCodice", "txtAutore", "txtCreazione", "txtModifica",
                                           "txtTipologia", "txtPagNum", "txtRigheNum", "txtCarta", "txtCarattere",
                                           "txtLingua", "txtDescrizione", "txtIncipit", "txtParole",
                                           "txtIllustrazioni", "txtAnnotazioni", "txtFormato", "txtStato",
                                           "txtCollocazione", "txtGiudizio", "txtNote", "chkDaCompletare",
                                           "cmdNuovo", "cmdDuplica", "cmdSalva", "cmdTrova", "cmdFile",
                                           "cmdAnteprima", "cmdStampa", "cmdPrimo", "cmdIndietro", "cmdAvanti",
                                           "cmdUltimo", "cmdDaCompletare", "cmdEsporta", "cmdSlideshow",
                                           "cmdGuida", "cmdEsci", "btnCaricaFoto", "btnSalvaFoto", "btnCancFoto",
                                           "btnZoomFoto"};
    QTest::newRow("esportazione") << "frmExpDocumenti"
                                  << QStringList{"cmdEsporta", "cmdGuida", "cmdEsci", "grdRecords"};
    // "Apri" waits for a file name, so Tab passes it by.
    QTest::newRow("allegati") << "frmAllegaCartella"
                              << QStringList{"txtFile01", "imgCancella01", "btnSfoglia01", "txtDesc01",
                                             "txtFile02", "imgCancella02", "btnSfoglia02", "txtDesc02",
                                             "txtFile03", "imgCancella03", "btnSfoglia03", "txtDesc03",
                                             "btnApplica", "btnAnnulla"};
}

// Tab from the first control visits every control in reading order, the
// picture commands among them, and comes back round to the first.
void TestAccessibilita::ordineTab()
{
    QFETCH(QString, finestra);
    QFETCH(QStringList, ordine);

    ProgrammaDiProva programma;
    std::unique_ptr<QWidget> dialogo;
    QWidget *w = mostra(finestra, programma.cartella(), dialogo);
    QWidget *primo = w->findChild<QWidget *>(ordine.first());
    QVERIFY(primo);
    primo->setFocus(Qt::TabFocusReason);

    QStringList visitati;
    for (int k = 0; k <= ordine.size(); ++k) {
        QWidget *fuoco = QApplication::focusWidget();
        QVERIFY(fuoco);
        visitati.append(fuoco->objectName());
        QTest::keyClick(fuoco, Qt::Key_Tab);
    }
    QCOMPARE(visitati, ordine + QStringList{ordine.first()});
}

void TestAccessibilita::effetti_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("modo");        // "azione" (press action), "Invio" or "Spazio"
    QTest::addColumn<int>("schede");          // records of the editor's archive "Prova"
    QTest::addColumn<QStringList>("visibili");
    QTest::addColumn<QStringList>("messaggi");
    QTest::addColumn<QString>("posizione");   // the editor's position afterwards, when it is shown

    const QString vuoto = QStringLiteral("Attenzione: l'elenco non contiene nessun documento.");
    const QString senzaNome =
        QStringLiteral("Attenzione: per creare il nuovo documento è necessario indicarne il nome.");
    const QString senzaTitolo =
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il titolo della pagina.");

    QTest::newRow("avvio, crea") << "frmAvvio" << "btnApp01" << "azione" << 0 << QStringList{"frmCreaCatalogo"}
                                 << QStringList() << QString();
    QTest::newRow("avvio, apri") << "frmAvvio" << "imgApp02" << "Spazio" << 0 << QStringList{"frmApriCatalogo"}
                                 << QStringList() << QString();
    QTest::newRow("apertura, elenco vuoto") << "frmApriCatalogo" << "btnApri" << "Invio" << 0
                                            << QStringList{"frmApriCatalogo"} << QStringList{vuoto} << QString();
    QTest::newRow("apertura, annulla") << "frmApriCatalogo" << "btnAnnulla" << "azione" << 0
                                       << QStringList{"frmAvvio"} << QStringList() << QString();
    QTest::newRow("creazione, senza nome") << "frmCreaCatalogo" << "btnApplica" << "Spazio" << 0
                                           << QStringList{"frmCreaCatalogo"} << QStringList{senzaNome} << QString();
    QTest::newRow("editor, ultima") << "frmDocumenti" << "cmdUltimo" << "azione" << 3 << QStringList{"frmDocumenti"}
                                    << QStringList() << "3";
    QTest::newRow("editor, successiva") << "frmDocumenti" << "cmdAvanti" << "Invio" << 3
                                        << QStringList{"frmDocumenti"} << QStringList() << "1";
    QTest::newRow("editor, salva senza titolo") << "frmDocumenti" << "cmdSalva" << "Spazio" << 0
                                                << QStringList{"frmDocumenti"} << QStringList{senzaTitolo} << "";
    QTest::newRow("editor, esci") << "frmDocumenti" << "cmdEsci" << "Invio" << 0 << QStringList{"frmAvvio"}
                                  << QStringList() << QString();
}

// The press action and the keys run the window's own command, with its
// checks and messages.
void TestAccessibilita::effetti()
{
    QFETCH(QString, finestra);
    QFETCH(QString, comando);
    QFETCH(QString, modo);
    QFETCH(int, schede);
    QFETCH(QStringList, visibili);
    QFETCH(QStringList, messaggi);
    QFETCH(QString, posizione);

    ProgrammaDiProva programma;
    if (finestra == QLatin1String("frmDocumenti"))
        QVERIFY(scriviArchivio(programma.percorso(QStringLiteral("Prova.kpx")), schedeNumerate(schede)));
    std::unique_ptr<QWidget> dialogo;
    QWidget *w = mostra(finestra, programma.cartella(), dialogo);
    VistaImmagine *c = comandoDi(w, comando);
    QVERIFY(c);

    RegistroMessaggi registro;
    if (modo == QLatin1String("azione")) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::sendPostedEvents(c, QEvent::MetaCall);
    } else {
        c->setFocus(Qt::TabFocusReason);
        tasto(c, modo);
    }
    QCOMPARE(registro.testi(), messaggi);
    QCOMPARE(finestreVisibili(), visibili);
    if (!posizione.isNull())
        QCOMPARE(posizioneMostrata(frmDocumenti()), posizione);
}

void TestAccessibilita::collegamenti_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("nome");

    const QString manuale = QStringLiteral("Visualizza guida in formato PDF");
    const QString posta = QStringLiteral("info@velmora-software.example");
    const QString sito = QStringLiteral("https://www.velmora-software.example");
    QTest::newRow("guida, testo") << "frmGuida" << "lnkWeb" << manuale;
    QTest::newRow("guida, icona") << "frmGuida" << "imgPDF" << manuale;
    QTest::newRow("informazioni, testo") << "frmInfo" << "lnkWeb" << posta;
    QTest::newRow("informazioni, icona") << "frmInfo" << "imgEmail" << posta;
    QTest::newRow("splash, testo") << "frmSplash" << "lnkWeb" << sito;
    QTest::newRow("splash, icona") << "frmSplash" << "imgWeb" << sito;
}

// A link and its picture are one link named by its text: the press action
// opens what a click opens. Tab reaches the text, which the ring marks, and
// Enter or Space opens the link too.
void TestAccessibilita::collegamenti()
{
    QFETCH(QString, finestra);
    QFETCH(QString, controllo);
    QFETCH(QString, nome);

    ProgrammaDiProva programma;
    std::unique_ptr<QWidget> dialogo;
    QWidget *proprietario = finestre().permanenti[size_t(Permanente::Avvio)];
    if (finestra == QLatin1String("frmGuida"))
        dialogo = std::make_unique<TfrmGuida>(contestoDiProva(), proprietario);
    else if (finestra == QLatin1String("frmInfo"))
        dialogo = std::make_unique<TfrmInfo>(proprietario);
    else
        dialogo = std::make_unique<TfrmSplash>(proprietario);
    dialogo->show();
    QVERIFY(attendiAttiva(dialogo.get()));
    QWidget *c = dialogo->findChild<QWidget *>(controllo);
    QVERIFY(c);

    RegistroAperture aperture;
    clicca(c);
    QCOMPARE(aperture.aperture().size(), 1);
    const QUrl destinazione = aperture.aperture().first();

    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Link);
    QCOMPARE(iface->text(QAccessible::Name), nome);
    QVERIFY(iface->actionInterface());
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::sendPostedEvents(c, QEvent::MetaCall);
    QCOMPARE(aperture.aperture(), QList<QUrl>(2, destinazione));

    if (controllo != QLatin1String("lnkWeb")) {
        QCOMPARE(c->focusPolicy(), Qt::NoFocus);
        return;
    }
    c->setFocus(Qt::TabFocusReason);
    QVERIFY(giallo(appenaFuori(c)));
    tasto(c, QStringLiteral("Invio"));
    tasto(c, QStringLiteral("Spazio"));
    QCOMPARE(aperture.aperture(), QList<QUrl>(4, destinazione));
    c->clearFocus();
    QVERIFY(!giallo(appenaFuori(c)));
}

QTEST_MAIN(TestAccessibilita)
#include "tst_accessibilita.moc"
