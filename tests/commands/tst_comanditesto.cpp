#include "commands/comanditesto.h"
#include "editor/frmdocumenti.h"
#include "ocr/indicetesti.h"
#include "ocr/letturapagina.h"
#include "search/frmcercatesto.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"

#include "support/documenti_supporto.h"
#include "support/pagine_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/permessi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList kRighe = {
    QStringLiteral("Quel ramo del lago di Como, che volge a mezzogiorno,"),
    QStringLiteral("tra due catene non interrotte di monti, tutto a seni"),
    QStringLiteral("e a golfi, a seconda dello sporgere e del rientrare di"),
};

const QStringList kAltreRighe = {QStringLiteral("La città dormiva sotto la neve.")};

QList<int> posizioni(const QVector<IndiceTesti::Trovata> &trovate)
{
    QList<int> p;
    for (const IndiceTesti::Trovata &t : trovate)
        p.append(t.posizione);
    return p;
}

void triggera(TfrmDocumenti *editor, const char *comando)
{
    auto *azione = editor->findChild<QAction *>(QString::fromLatin1(comando));
    QVERIFY2(azione, comando);
    azione->trigger();
}

} // namespace

class TestComandiTesto : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { m_utente.reset(); }
    void cleanupTestCase();
    void riempieSoloICampiVuoti_data();
    void riempieSoloICampiVuoti();
    void salvataggioScriveIlTesto();
    void acquisitaSalvataPrima_data();
    void acquisitaSalvataPrima();
    void acquisitaSostituita();
    void senzaScansione();
    void ricercaApreLaScheda_data();
    void ricercaApreLaScheda();
    void soloLetturaRiconosceLaPagina();
    void soloLetturaRiconosceLArchivio();
    void soloLetturaEsportaIlPdf();

private:
    void riconosci();
    void acquisisci(const QImage &pagina);
    // Until no page is being read in the background any more.
    void attendiLettura();
    void riempiObbligatori();
    // Records 1 "Uno" and 2 "Due" with their scans (kRighe and kAltreRighe)
    // in an archive the user may only read, and the editor on the first;
    // from then on the test obeys file permissions (m_utente), where the
    // machine lets it.
    bool archivioDiSolaLettura();

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
    std::unique_ptr<PermessiDaUtente> m_utente;
};

void TestComandiTesto::initTestCase()
{
    m_programma = std::make_unique<EditoreDiProva>();
}

void TestComandiTesto::cleanupTestCase()
{
    m_programma.reset();
}

void TestComandiTesto::init()
{
    m_editor = m_programma->riapri();
    QFile::remove(IndiceTesti::percorsoIn(m_programma->cartella()));
}

void TestComandiTesto::riconosci()
{
    m_editor->impostaFoto(paginaStampata(kRighe));
    triggera(m_editor, "actRiconosciTesto");
}

void TestComandiTesto::acquisisci(const QImage &pagina)
{
    // As the editor takes a page from the scanner: on screen, then read.
    m_editor->impostaFoto(pagina);
    m_editor->findChild<ComandiTesto *>()->leggiAcquisita(pagina);
}

void TestComandiTesto::attendiLettura()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_editor->findChildren<LetturaPagina *>().isEmpty(), 60000);
}

void TestComandiTesto::riempieSoloICampiVuoti_data()
{
    QTest::addColumn<bool>("acquisita"); // read in the background after the scanner, or by the command
    QTest::addColumn<QStringList>("scritti"); // incipit, lines, language as typed
    QTest::addColumn<QStringList>("attesi");
    const QString incipit = kRighe.join(QLatin1Char(' '));
    for (bool acquisita : {false, true}) {
        const char *come = acquisita ? "acquisita, " : "comando, ";
        QTest::addRow("%stutti vuoti", come) << acquisita << QStringList{"", "", ""}
                                             << QStringList{incipit, "3", "Italiano"};
        QTest::addRow("%sincipit scritto", come) << acquisita << QStringList{"Il mio incipit", "", ""}
                                                 << QStringList{"Il mio incipit", "3", "Italiano"};
        QTest::addRow("%srighe e lingua scritte", come) << acquisita << QStringList{"", "30 circa", "Lombardo"}
                                                        << QStringList{incipit, "30 circa", "Lombardo"};
    }
}

void TestComandiTesto::riempieSoloICampiVuoti()
{
    QFETCH(bool, acquisita);
    QFETCH(QStringList, scritti);
    QFETCH(QStringList, attesi);
    campoEditore("txtIncipit")->setText(scritti.at(0));
    campoEditore("txtRigheNum")->setText(scritti.at(1));
    campoEditore("txtLingua")->setText(scritti.at(2));
    RegistroMessaggi messaggi;
    if (acquisita) {
        acquisisci(paginaStampata(kRighe));
        // No window: the fields are still as typed while the page is read,
        // and the information bar says so.
        QCOMPARE(barraStato(m_editor)->text(), QStringLiteral("Riconoscimento del testo della pagina acquisita..."));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(campoEditore("txtIncipit")->text(), scritti.at(0));
        attendiLettura();
    } else {
        riconosci();
    }
    QCOMPARE(messaggi.testi(), QStringList{});
    QCOMPARE(barraStato(m_editor)->text(), QStringLiteral("Testo della pagina riconosciuto: 3 righe."));
    QCOMPARE(campoEditore("txtIncipit")->text(), attesi.at(0));
    QCOMPARE(campoEditore("txtRigheNum")->text(), attesi.at(1));
    QCOMPARE(campoEditore("txtLingua")->text(), attesi.at(2));
    // Nothing stored before the user saves.
    QVERIFY(!QFile::exists(m_programma->archivio()) || QFileInfo(m_programma->archivio()).size() == 0);
    QVERIFY(!QFile::exists(IndiceTesti::percorsoIn(m_programma->cartella())));
}

void TestComandiTesto::riempiObbligatori()
{
    campoEditore("txtTitolo")->setText(QStringLiteral("Promessi sposi"));
    campoEditore("txtCodice")->setText(QStringLiteral("PS-1"));
    campoEditore("txtAutore")->setText(QStringLiteral("Manzoni"));
    campoEditore("txtPagNum")->setText(QStringLiteral("1"));
}

void TestComandiTesto::salvataggioScriveIlTesto()
{
    RegistroMessaggi messaggi;
    riconosci();
    riempiObbligatori();
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(messaggi.testi(), QStringList{kSchedaInserita});
    IndiceTesti indice(IndiceTesti::percorsoIn(m_programma->cartella()));
    const QVector<IndiceTesti::Trovata> t = indice.cerca(QStringLiteral("Prova"), QStringLiteral("mezzogiorno"));
    QCOMPARE(t.size(), 1);
    QCOMPARE(t.first().posizione, 1);
    QCOMPARE(indice.firme(QStringLiteral("Prova")).value(1), firmaScansione(m_programma->scansione(1)));

    // Another picture on screen: its save leaves the text of the first alone.
    m_editor->impostaFoto(paginaStampata({QStringLiteral("Tutt'altro")}));
    messaggi.svuota();
    clicca(controlloEditore("cmdSalva"));
    QCOMPARE(indice.cerca(QStringLiteral("Prova"), QStringLiteral("mezzogiorno")).size(), 1);
}

void TestComandiTesto::acquisitaSalvataPrima_data()
{
    QTest::addColumn<bool>("scansioneRimossa");
    QTest::newRow("scansione al suo posto") << false;
    QTest::newRow("scansione rimossa") << true;
}

// Saved before its reading ended: the text goes to the index under the
// saved position when it does, as long as that scan is still there; the
// end says nothing in a window, whatever happens.
void TestComandiTesto::acquisitaSalvataPrima()
{
    QFETCH(bool, scansioneRimossa);
    RegistroMessaggi messaggi;
    riempiObbligatori();
    acquisisci(paginaStampata(kRighe));
    clicca(controlloEditore("cmdSalva"));
    const int posizione = posizioneMostrata(m_editor).toInt();
    if (scansioneRimossa)
        QVERIFY(QFile::remove(m_programma->scansione(posizione)));
    attendiLettura();
    QCOMPARE(messaggi.testi(), QStringList{kSchedaInserita});
    IndiceTesti indice(IndiceTesti::percorsoIn(m_programma->cartella()));
    QCOMPARE(posizioni(indice.cerca(QStringLiteral("Prova"), QStringLiteral("mezzogiorno"))),
             scansioneRimossa ? QList<int>{} : QList<int>{posizione});
    if (!scansioneRimossa)
        QCOMPARE(indice.firme(QStringLiteral("Prova")).value(posizione),
                 firmaScansione(m_programma->scansione(posizione)));
}

// Another picture on screen before the acquired one is read: nothing of it
// reaches the fields.
void TestComandiTesto::acquisitaSostituita()
{
    acquisisci(paginaStampata(kRighe));
    m_editor->impostaFoto(paginaStampata({QStringLiteral("Tutt'altro")}));
    attendiLettura();
    QCOMPARE(campoEditore("txtIncipit")->text(), QString());
    QCOMPARE(campoEditore("txtLingua")->text(), QString());
}

void TestComandiTesto::senzaScansione()
{
    RegistroMessaggi messaggi;
    triggera(m_editor, "actRiconosciTesto");
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioSenzaScansione});
    QCOMPARE(campoEditore("txtIncipit")->text(), QString());
}

void TestComandiTesto::ricercaApreLaScheda_data()
{
    QTest::addColumn<bool>("soloLettura"); // the user may only read the archive
    QTest::newRow("archivio scrivibile") << false;
    QTest::newRow("archivio di sola lettura") << true;
}

void TestComandiTesto::ricercaApreLaScheda()
{
    QFETCH(bool, soloLettura);
    QVERIFY(scriviArchivio(m_programma->archivio(),
                           {schedaDiProva("Uno", "A", "1", "1"), schedaDiProva("Due", "B", "2", "2"),
                            schedaDiProva("Tre", "C", "3", "3")}));
    if (soloLettura) {
        QVERIFY(QFile::setPermissions(m_programma->archivio(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        m_utente = std::make_unique<PermessiDaUtente>();
        if (!m_utente->attivi())
            QSKIP("the file permissions cannot be made to hold here");
    }
    RegistroMessaggi messaggi;
    {
        IndiceTesti indice(IndiceTesti::percorsoIn(m_programma->cartella()));
        QVERIFY(indice.scriviPagina(QStringLiteral("Prova"), 1, QStringLiteral("Il porto era vuoto"), "1"));
        QVERIFY(indice.scriviPagina(QStringLiteral("Prova"), 2, QStringLiteral("La città dormiva"), "2"));
    }
    allaProssimaModale([](QWidget *w) {
        auto *f = qobject_cast<TfrmCercaTesto *>(w);
        QVERIFY(f);
        f->txtParole->setText(QStringLiteral("CITTA"));
        QTest::mouseClick(f->btnCerca, Qt::LeftButton);
        QCOMPARE(f->lstRecords->count(), 1);
        const QRect r = f->lstRecords->visualItemRect(f->lstRecords->item(0));
        QTest::mouseClick(f->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(f->lstRecords->viewport(), Qt::LeftButton, {}, r.center());
    });
    QTest::keyClick(m_editor, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(!modaleMancata());
    QCOMPARE(messaggi.testi(), QStringList{});
    QCOMPARE(posizioneMostrata(m_editor), QStringLiteral("2"));
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Due"));
}

bool TestComandiTesto::archivioDiSolaLettura()
{
    const QString archivio = m_programma->archivio();
    if (!scriviArchivio(archivio, {schedaDiProva("Uno", "A", "1", "1"), schedaDiProva("Due", "B", "2", "2")})
        || !scriviFileFoto(m_programma->cartella(), m_programma->scansione(1), paginaStampata(kRighe))
        || !scriviFileFoto(m_programma->cartella(), m_programma->scansione(2), paginaStampata(kAltreRighe))
        || !QFile::setPermissions(archivio, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther))
        return false;
    clicca(controlloEditore("cmdPrimo"));
    m_utente = std::make_unique<PermessiDaUtente>();
    return posizioneMostrata(m_editor) == QStringLiteral("1");
}

// The archive the user may only read: every command on the pages' text
// only reads it, so each one works.
void TestComandiTesto::soloLetturaRiconosceLaPagina()
{
    QVERIFY(archivioDiSolaLettura());
    if (!m_utente->attivi())
        QSKIP("the file permissions cannot be made to hold here");
    RegistroMessaggi messaggi;
    triggera(m_editor, "actRiconosciTesto");
    QCOMPARE(messaggi.testi(), QStringList{});
    QCOMPARE(barraStato(m_editor)->text(), QStringLiteral("Testo della pagina riconosciuto: 3 righe."));
    QCOMPARE(campoEditore("txtLingua")->text(), QStringLiteral("Italiano"));
}

void TestComandiTesto::soloLetturaRiconosceLArchivio()
{
    QVERIFY(archivioDiSolaLettura());
    if (!m_utente->attivi())
        QSKIP("the file permissions cannot be made to hold here");
    RegistroMessaggi messaggi;
    triggera(m_editor, "actRiconosciArchivio");
    // A refusal comes at once, before any page is read.
    QCOMPARE(messaggi.testi(), QStringList{});
    QTRY_COMPARE_WITH_TIMEOUT(barraStato(m_editor)->text(),
                              QStringLiteral("Riconoscimento dell'archivio completato: 2 pagine lette."), 60000);
    QCOMPARE(messaggi.testi(), QStringList{});
    IndiceTesti indice(IndiceTesti::percorsoIn(m_programma->cartella()));
    QCOMPARE(posizioni(indice.cerca(QStringLiteral("Prova"), QStringLiteral("mezzogiorno"))), QList<int>{1});
    QCOMPARE(posizioni(indice.cerca(QStringLiteral("Prova"), QStringLiteral("dormiva"))), QList<int>{2});
}

void TestComandiTesto::soloLetturaEsportaIlPdf()
{
    QVERIFY(archivioDiSolaLettura());
    if (!m_utente->attivi())
        QSKIP("the file permissions cannot be made to hold here");
    const QString pdf = m_programma->percorso(QStringLiteral("Prova ricercabile.pdf"));
    RegistroMessaggi messaggi;
    RispostaFile file;
    file.rispondi(pdf);
    triggera(m_editor, "actEsportaPdf");
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioPdfCreato + pdf});
    QVERIFY(QFileInfo(pdf).size() > 0);
}

QTEST_MAIN(TestComandiTesto)
#include "tst_comanditesto.moc"
