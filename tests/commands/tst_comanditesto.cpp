#include "commands/comanditesto.h"
#include "editor/frmdocumenti.h"
#include "ocr/indicetesti.h"
#include "search/frmcercatesto.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/pagine_supporto.h"
#include "support/percorsi_supporto.h"
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

QList<int> posizioni(const QVector<IndiceTesti::Trovata> &trovate)
{
    QList<int> p;
    for (const IndiceTesti::Trovata &t : trovate)
        p.append(t.posizione);
    return p;
}

} // namespace

class TestComandiTesto : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void riempieSoloICampiVuoti_data();
    void riempieSoloICampiVuoti();
    void salvataggioScriveIlTesto();
    void acquisitaSalvataPrima_data();
    void acquisitaSalvataPrima();
    void acquisitaSostituita();
    void senzaScansione();
    void ricercaApreLaScheda();

private:
    void riconosci();
    void acquisisci(const QImage &pagina);
    void riempiObbligatori();

    std::unique_ptr<EditoreDiProva> m_programma;
    TfrmDocumenti *m_editor = nullptr;
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
    m_editor->comandiTesto()->actRiconosciTesto->trigger();
}

void TestComandiTesto::acquisisci(const QImage &pagina)
{
    // As the scanner command leaves it: the page on screen, then the signal.
    m_editor->impostaFoto(pagina);
    emit m_editor->fotoAcquisita(pagina);
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
        // No window: the fields are still as typed while the page is read.
        QVERIFY(m_editor->comandiTesto()->acquisitaInLettura());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(campoEditore("txtIncipit")->text(), scritti.at(0));
        QTRY_VERIFY_WITH_TIMEOUT(!m_editor->comandiTesto()->acquisitaInLettura(), 60000);
    } else {
        riconosci();
    }
    QCOMPARE(messaggi.testi(), QStringList{});
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
    const int posizione = m_editor->lblPosizione->text().toInt();
    if (scansioneRimossa)
        QVERIFY(QFile::remove(m_programma->scansione(posizione)));
    QTRY_VERIFY_WITH_TIMEOUT(!m_editor->comandiTesto()->acquisitaInLettura(), 60000);
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
    QTRY_VERIFY_WITH_TIMEOUT(!m_editor->comandiTesto()->acquisitaInLettura(), 60000);
    QCOMPARE(campoEditore("txtIncipit")->text(), QString());
    QCOMPARE(campoEditore("txtLingua")->text(), QString());
}

void TestComandiTesto::senzaScansione()
{
    RegistroMessaggi messaggi;
    m_editor->comandiTesto()->actRiconosciTesto->trigger();
    QCOMPARE(messaggi.testi(), QStringList{kMessaggioSenzaScansione});
    QCOMPARE(campoEditore("txtIncipit")->text(), QString());
}

void TestComandiTesto::ricercaApreLaScheda()
{
    QVERIFY(scriviArchivio(m_programma->archivio(),
                           {schedaDiProva("Uno", "A", "1", "1"), schedaDiProva("Due", "B", "2", "2"),
                            schedaDiProva("Tre", "C", "3", "3")}));
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
    QCOMPARE(m_editor->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(campoEditore("txtTitolo")->text(), QStringLiteral("Due"));
}

QTEST_MAIN(TestComandiTesto)
#include "tst_comanditesto.moc"
