#include "app/vistaimmagine.h"
#include "archives/frmapricatalogo.h"
#include "editor/frmdocumenti.h"
#include "home/frmavvio.h"
#include "startup/finestre.h"

#include "support/documenti_supporto.h"
#include "support/accesso_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kElencoVuoto = QStringLiteral("Attenzione: l'elenco non contiene nessun documento.");
const QString kSelezionaApri = QStringLiteral(
    "Attenzione: selezionare il documento dall'elenco prima di premere il pulsante Apri archivio.");
const QString kSelezionaElimina = QStringLiteral(
    "Attenzione: selezionare dall'elenco il documento da eliminare prima di premere il pulsante del cestino.");
const QString kDomandaElimina = QStringLiteral(
    "Si sta per eliminare il documento selezionato. Si ricorda che il file eliminato non potrà essere "
    "recuperato.\r\n\r\nSi conferma l'eliminazione del documento?");
const QString kEliminato = QStringLiteral("Il documento è stato eliminato con successo.");

void creaArchivi(const ProgrammaDiProva &programma, const QStringList &nomi)
{
    for (const QString &nome : nomi)
        QVERIFY(scriviFile(programma.percorso(nome), QByteArray()));
}

TfrmApriCatalogo *apriElenco()
{
    TfrmApriCatalogo *w = frmApriCatalogo();
    reinterpret_cast<QWidget *>(frmPassword())->hide();
    w->mostra();
    return w;
}

QStringList voci(const QListWidget *lista)
{
    QStringList t;
    for (int i = 0; i < lista->count(); ++i)
        t << lista->item(i)->text();
    return t;
}

void seleziona(QListWidget *lista, const QString &voce)
{
    const QList<QListWidgetItem *> trovate = lista->findItems(voce, Qt::MatchExactly);
    QCOMPARE(trovate.size(), 1);
    lista->setCurrentItem(trovate.first());
    QVERIFY(trovate.first()->isSelected());
}

} // namespace

class TestApriCatalogo : public QObject
{
    Q_OBJECT

private slots:
    void ordine_data();
    void ordine();
    void elencoDellaCartella();
    void elencoRifattoAOgniApertura();
    void elencoVuoto();
    void nessunaSelezione();
    void apertura();
    void aperturaPoiAltroArchivio();
    void chiusuraTornaAlLauncher();
    void eliminazione();
    void eliminazioneNo();
    void eliminazioneConNomeConSpazi();
    void eliminazioneNonRiuscita();
    void eliminazioneDiUnCollegamento();
    void correnteComeScelta_data();
    void correnteComeScelta();
};

void TestApriCatalogo::ordine_data()
{
    QTest::addColumn<QStringList>("file");
    QTest::addColumn<QStringList>("atteso");
    QTest::newRow("lettere piegate") << QStringList{"beta.kpx", "Alfa.kpx", "alfa2.kpx"}
                                     << QStringList{"Alfa.kpx", "alfa2.kpx", "beta.kpx"};
    // '_' lies between 'Z' and 'a' in code order: only a to z fold.
    QTest::newRow("oltre le lettere") << QStringList{"_x.kpx", "b.kpx", "Zeta.kpx", "ab.kpx", "a.kpx"}
                                      << QStringList{"a.kpx", "ab.kpx", "b.kpx", "Zeta.kpx", "_x.kpx"};
    QTest::newRow("prefisso prima") << QStringList{"nota.kpx.kpx", "nota.kpx", "Nota 2.kpx"}
                                    << QStringList{"Nota 2.kpx", "nota.kpx", "nota.kpx.kpx"};
    // Accented letters are not folded: they sort by code, after every ASCII letter.
    QTest::newRow("accentate per codice") << QStringList{"\u00E8ra.kpx", "\u00C8ra.kpx", "zeta.kpx"}
                                          << QStringList{"zeta.kpx", "\u00C8ra.kpx", "\u00E8ra.kpx"};
}

void TestApriCatalogo::ordine()
{
    QFETCH(QStringList, file);
    QFETCH(QStringList, atteso);

    ProgrammaDiProva programma;
    creaArchivi(programma, file);
    TfrmApriCatalogo *w = apriElenco();
    QCOMPARE(voci(w->lstFiles), atteso);
    QCOMPARE(w->lblCreati->text(), QStringLiteral("Sono stati creati %1 documenti.").arg(atteso.size()));
    QVERIFY(w->lstFiles->selectedItems().isEmpty());
}

// Only files matching "*.kpx" directly in the program folder are archives.
void TestApriCatalogo::elencoDellaCartella()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"uno.kpx", ".nascosto.kpx", "note.txt", "senza estensione", "kpx",
                            "Pagine_Documenti/uno_Foto_1.jpg", "sotto/due.kpx"});
    QDir().mkpath(programma.percorso(QStringLiteral("cartella.kpx")));
    TfrmApriCatalogo *w = apriElenco();
    QCOMPARE(voci(w->lstFiles), (QStringList{".nascosto.kpx", "uno.kpx"}));
    QCOMPARE(w->lstFiles->font().family(), QStringLiteral("Courier New"));
}

void TestApriCatalogo::elencoRifattoAOgniApertura()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx"});
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("a.kpx"));
    clicca(w->btnAnnulla);

    creaArchivi(programma, {"b.kpx"});
    w->mostra();
    QCOMPARE(voci(w->lstFiles), (QStringList{"a.kpx", "b.kpx"}));
    QCOMPARE(w->lblCreati->text(), QStringLiteral("Sono stati creati 2 documenti."));
    QVERIFY(w->lstFiles->selectedItems().isEmpty());
}

void TestApriCatalogo::elencoVuoto()
{
    ProgrammaDiProva programma;
    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    QCOMPARE(w->lstFiles->count(), 0);
    QCOMPARE(w->lblCreati->text(), QStringLiteral("Sono stati creati 0 documenti."));
    clicca(w->btnApri);
    clicca(w->btnElimina);
    QCOMPARE(messaggi.testi(), (QStringList{kElencoVuoto, kElencoVuoto}));
    QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Avviso);
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmApriCatalogo")});
}

void TestApriCatalogo::nessunaSelezione()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx", "b.kpx"});
    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    clicca(w->btnApri);
    clicca(w->btnElimina);
    QCOMPARE(messaggi.testi(), (QStringList{kSelezionaApri, kSelezionaElimina}));
    QCOMPARE(contenutoCartella(programma.cartella()), (QStringList{"a.kpx", "b.kpx"}));
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmApriCatalogo")});
    QCOMPARE(w->lblMemory->text(), QStringLiteral("avvio"));
}

void TestApriCatalogo::apertura()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"Alfa.kpx", "Lettere 1920.kpx"});
    TfrmDocumenti *editor = frmDocumenti();
    editor->MostraScheda(schedaVuota(), 7);
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("Lettere 1920.kpx"));
    clicca(w->btnApri);

    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmDocumenti")});
    QCOMPARE(nomeMostrato(editor), QStringLiteral("Lettere 1920"));
    QCOMPARE(editor->percorsoArchivio(), programma.percorso(QStringLiteral("Lettere 1920.kpx")));
    QCOMPARE(posizioneMostrata(editor), QString());
    QCOMPARE(w->lblMemory->text(), QStringLiteral("documenti"));
    // Opening reads nothing and writes nothing.
    QCOMPARE(QFileInfo(programma.percorso(QStringLiteral("Lettere 1920.kpx"))).size(), 0);
}

// The editor is one instance: a second opening replaces what the first wrote.
void TestApriCatalogo::aperturaPoiAltroArchivio()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"primo.kpx", "secondo.kpx"});
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("primo.kpx"));
    clicca(w->btnApri);
    frmDocumenti()->close();
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});

    clicca(frmAvvio()->btnApp02);
    QCOMPARE(w->lblMemory->text(), QStringLiteral("avvio"));
    seleziona(w->lstFiles, QStringLiteral("secondo.kpx"));
    clicca(w->btnApri);
    QCOMPARE(nomeMostrato(frmDocumenti()), QStringLiteral("secondo"));
    QCOMPARE(frmDocumenti()->percorsoArchivio(), programma.percorso(QStringLiteral("secondo.kpx")));
}

void TestApriCatalogo::chiusuraTornaAlLauncher()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx"});
    TfrmDocumenti *editor = frmDocumenti();
    editor->documento().apri(programma.percorso(QStringLiteral("prima.kpx")), QStringLiteral("prima"));
    TfrmApriCatalogo *w = apriElenco();
    // A selection alone does not open: only the open command sets the route.
    seleziona(w->lstFiles, QStringLiteral("a.kpx"));
    clicca(w->btnAnnulla);
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});
    QCOMPARE(nomeMostrato(editor), QStringLiteral("prima"));
    QCOMPARE(programma.terminazioni(), 0);
}

void TestApriCatalogo::eliminazione()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx", "b.kpx", "c.kpx"});
    const QString scansione = programma.percorso(QStringLiteral("Pagine_Documenti/b_Foto_1.jpg"));
    const QString allegato = programma.percorso(QStringLiteral("Documenti_Allegati/b.pdf"));
    QVERIFY(scriviFile(scansione, "jpg"));
    QVERIFY(scriviFile(allegato, "pdf"));

    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("b.kpx"));
    clicca(w->btnElimina);

    QCOMPARE(messaggi.testi(), (QStringList{kDomandaElimina, kEliminato}));
    QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Conferma);
    QCOMPARE(messaggi.messaggi().at(1).tipo, TipoMessaggio::Informazione);
    QCOMPARE(contenutoCartella(programma.cartella()),
             (QStringList{"Documenti_Allegati", "Pagine_Documenti", "a.kpx", "c.kpx"}));
    QVERIFY(QFileInfo::exists(scansione));
    QVERIFY(QFileInfo::exists(allegato));
    QCOMPARE(voci(w->lstFiles), (QStringList{"a.kpx", "c.kpx"}));
    QCOMPARE(w->lblCreati->text(), QStringLiteral("Sono stati creati 2 documenti."));
    QVERIFY(w->lstFiles->selectedItems().isEmpty());
    QCOMPARE(w->lblMemory->text(), QStringLiteral("avvio"));
    QCOMPARE(w->lblFile->text(), QString());
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmApriCatalogo")});
}

void TestApriCatalogo::eliminazioneNo()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx", "b.kpx"});
    RegistroMessaggi messaggi;
    messaggi.rispondi(mrNo);
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("b.kpx"));
    clicca(w->btnElimina);

    QCOMPARE(messaggi.testi(), QStringList{kDomandaElimina});
    QCOMPARE(contenutoCartella(programma.cartella()), (QStringList{"a.kpx", "b.kpx"}));
    QCOMPARE(voci(w->lstFiles), (QStringList{"a.kpx", "b.kpx"}));
    QCOMPARE(w->lstFiles->selectedItems().size(), 1);
    QCOMPARE(w->lstFiles->selectedItems().first()->text(), QStringLiteral("b.kpx"));
    QCOMPARE(w->lblCreati->text(), QStringLiteral("Sono stati creati 2 documenti."));
}

// An entry is the file's exact name: a name beginning with blanks must not
// lead, once trimmed, to another archive.
void TestApriCatalogo::eliminazioneConNomeConSpazi()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"  a.kpx", "a.kpx"});
    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("  a.kpx"));
    clicca(w->btnElimina);
    QCOMPARE(contenutoCartella(programma.cartella()), QStringList{"a.kpx"});

    seleziona(w->lstFiles, QStringLiteral("a.kpx"));
    clicca(w->btnApri);
    QCOMPARE(frmDocumenti()->percorsoArchivio(), programma.percorso(QStringLiteral("a.kpx")));
}

// What cannot be removed (here a folder that took the archive's place after
// the list was built) gives no success message and stays on disk.
void TestApriCatalogo::eliminazioneNonRiuscita()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx", "b.kpx"});
    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    QVERIFY(QFile::remove(programma.percorso(QStringLiteral("b.kpx"))));
    QVERIFY(scriviFile(programma.percorso(QStringLiteral("b.kpx/dentro")), "x"));
    seleziona(w->lstFiles, QStringLiteral("b.kpx"));
    clicca(w->btnElimina);

    QCOMPARE(messaggi.messaggi().size(), 2);
    QVERIFY(!messaggi.testi().contains(kEliminato));
    QCOMPARE(messaggi.messaggi().at(1).tipo, TipoMessaggio::Avviso);
    QVERIFY(QFileInfo::exists(programma.percorso(QStringLiteral("b.kpx/dentro"))));
    QCOMPARE(voci(w->lstFiles), QStringList{"a.kpx"});
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmApriCatalogo")});
}

// An archive that is a link to a file elsewhere: deleting it removes the
// link only, and the file it pointed to stays whole.
void TestApriCatalogo::eliminazioneDiUnCollegamento()
{
    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx"});
    QTemporaryDir altrove;
    const QString bersaglio = altrove.filePath(QStringLiteral("vero.kpx"));
    QVERIFY(scriviFile(bersaglio, QByteArray(3990, 'v')));
    QVERIFY(QFile::link(bersaglio, programma.percorso(QStringLiteral("b.kpx"))));
    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    seleziona(w->lstFiles, QStringLiteral("b.kpx"));
    clicca(w->btnElimina);

    QCOMPARE(messaggi.testi(), (QStringList{kDomandaElimina, kEliminato}));
    QCOMPARE(contenutoCartella(programma.cartella()), QStringList{"a.kpx"});
    QCOMPARE(leggiFile(bersaglio), QByteArray(3990, 'v'));
}

void TestApriCatalogo::correnteComeScelta_data()
{
    QTest::addColumn<QStringList>("passi");
    QTest::addColumn<int>("scelta");   // the selected entry afterwards, -1 for none

    QTest::newRow("all'apertura") << QStringList() << -1;
    QTest::newRow("fuoco tolto e ridato") << QStringList{"Backtab", "Tab"} << -1;
    QTest::newRow("prima freccia") << QStringList{"Giù"} << 0;
    QTest::newRow("seconda freccia") << QStringList{"Giù", "Giù"} << 1;
    QTest::newRow("freccia su") << QStringList{"Su"} << 0;
    QTest::newRow("clic") << QStringList{"clic 2"} << 2;
    QTest::newRow("scelta tolta con Ctrl+clic") << QStringList{"clic 1", "Ctrl+clic 1"} << -1;
    QTest::newRow("freccia dopo la scelta tolta") << QStringList{"clic 1", "Ctrl+clic 1", "Giù"} << 0;
}

// The list has the keyboard as the window opens. Whatever the user does,
// an entry is current (and framed) only when it is selected, and "Apri
// archivio" opens exactly the entry that looks chosen.
void TestApriCatalogo::correnteComeScelta()
{
    QFETCH(QStringList, passi);
    QFETCH(int, scelta);

    ProgrammaDiProva programma;
    creaArchivi(programma, {"a.kpx", "b.kpx", "c.kpx"});
    RegistroMessaggi messaggi;
    TfrmApriCatalogo *w = apriElenco();
    QVERIFY(attendiAttiva(w));
    QListWidget *lista = w->lstFiles;
    QVERIFY(lista->hasFocus());

    for (const QString &passo : passi) {
        const QStringList parti = passo.split(u' ');
        if (passo == QLatin1String("Tab") || passo == QLatin1String("Backtab")) {
            QTest::keyClick(QApplication::focusWidget(), passo == QLatin1String("Tab") ? Qt::Key_Tab : Qt::Key_Backtab);
        } else if (passo == u"Giù" || passo == u"Su") {
            QTest::keyClick(lista, passo == u"Giù" ? Qt::Key_Down : Qt::Key_Up);
        } else {
            const Qt::KeyboardModifiers tasti = parti.first() == QLatin1String("Ctrl+clic") ? Qt::ControlModifier
                                                                                          : Qt::NoModifier;
            const QRect voce = lista->visualItemRect(lista->item(parti.last().toInt()));
            QTest::mouseClick(lista->viewport(), Qt::LeftButton, tasti, voce.center());
        }
    }

    QVERIFY(lista->hasFocus());
    const QList<QListWidgetItem *> scelte = lista->selectedItems();
    QCOMPARE(scelte.isEmpty() ? -1 : lista->row(scelte.first()), scelta);
    QCOMPARE(lista->currentRow(), scelta);

    clicca(w->btnApri);
    if (scelta < 0) {
        QCOMPARE(messaggi.testi(), QStringList{kSelezionaApri});
    } else {
        QCOMPARE(messaggi.testi(), QStringList());
        QCOMPARE(nomeMostrato(frmDocumenti()), QStringList({"a", "b", "c"}).at(scelta));
    }
}

QTEST_MAIN(TestApriCatalogo)
#include "tst_apricatalogo.moc"
