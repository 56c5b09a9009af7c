#include "editor/comanditesto.h"
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
    void senzaScansione();
    void ricercaApreLaScheda();

private:
    void riconosci();

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

void TestComandiTesto::riempieSoloICampiVuoti_data()
{
    QTest::addColumn<QStringList>("scritti"); // incipit, lines, language as typed
    QTest::addColumn<QStringList>("attesi");
    const QString incipit = kRighe.join(QLatin1Char(' '));
    QTest::newRow("tutti vuoti") << QStringList{"", "", ""} << QStringList{incipit, "3", "Italiano"};
    QTest::newRow("incipit scritto") << QStringList{"Il mio incipit", "", ""}
                                     << QStringList{"Il mio incipit", "3", "Italiano"};
    QTest::newRow("righe e lingua scritte") << QStringList{"", "30 circa", "Lombardo"}
                                            << QStringList{incipit, "30 circa", "Lombardo"};
}

void TestComandiTesto::riempieSoloICampiVuoti()
{
    QFETCH(QStringList, scritti);
    QFETCH(QStringList, attesi);
    campoEditore("txtIncipit")->setText(scritti.at(0));
    campoEditore("txtRigheNum")->setText(scritti.at(1));
    campoEditore("txtLingua")->setText(scritti.at(2));
    RegistroMessaggi messaggi;
    riconosci();
    QCOMPARE(messaggi.testi(), QStringList{});
    QCOMPARE(campoEditore("txtIncipit")->text(), attesi.at(0));
    QCOMPARE(campoEditore("txtRigheNum")->text(), attesi.at(1));
    QCOMPARE(campoEditore("txtLingua")->text(), attesi.at(2));
    // Nothing stored before the user saves.
    QVERIFY(!QFile::exists(m_programma->archivio()) || QFileInfo(m_programma->archivio()).size() == 0);
    QVERIFY(!QFile::exists(IndiceTesti::percorsoIn(m_programma->cartella())));
}

void TestComandiTesto::salvataggioScriveIlTesto()
{
    RegistroMessaggi messaggi;
    riconosci();
    campoEditore("txtTitolo")->setText(QStringLiteral("Promessi sposi"));
    campoEditore("txtCodice")->setText(QStringLiteral("PS-1"));
    campoEditore("txtAutore")->setText(QStringLiteral("Manzoni"));
    campoEditore("txtPagNum")->setText(QStringLiteral("1"));
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
