#include "editor/frmdocumenti.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"
#include "search/rigariepilogo.h"
#include "startup/finestre.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {

const QByteArray kSi("\x02S\xEC", 3);
const QByteArray kNo("\x02No", 3);

// Records with every kind of flag, in file order.
QVector<TSchedaPagina> archivioDiProva()
{
    return {
        schedaDiProva("Zibaldone", "Rossi", "Z-1", "1", kSi),
        schedaDiProva("Atto", "Verdi", "A-1", "2", kNo),
        schedaDiProva("Carta nautica", "Neri", "C-1", "3", QByteArray("\x02si", 3)),
        schedaDiProva("Diario", "Gialli", "D-1", "4", QByteArray("\x02Si", 3)),
        schedaDiProva("Elenco", "Blu", "E-1", "5", QByteArray(3, '\0')),
        schedaDiProva("bozza", "Rossi", "B-1", "6", kSi),
        schedaDiProva("Mappa", "Mori", "M-1", "7", QByteArray("\x02s\xEC", 3)),
    };
}

} // namespace

class TestRiepDaCompletare : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aspetto();
    void soloLeSchedeDaCompletare();
    void nessunaSegnata();
    void archivioInaccessibile();
    void trovaCammina();
    void ultimoTrovaSeparatoDallaRicerca();
    void doppioClicApreNellEditore();
    void doppioClicSpuntaLaCasella();
    void aperturaDallEditore();

private:
    std::unique_ptr<TfrmRiepDaCompletare> apri();

    std::unique_ptr<ProgrammaDiProva> m_programma;
    QString m_archivio;
};

void TestRiepDaCompletare::init()
{
    m_programma = std::make_unique<ProgrammaDiProva>();
    m_archivio = m_programma->percorso(QStringLiteral("Prova.kpx"));
    QVERIFY(scriviArchivio(m_archivio, archivioDiProva()));
    impostaArchivioEditore(frmDocumenti(), m_programma->cartella(), QStringLiteral("Prova"));
}

void TestRiepDaCompletare::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
    m_programma.reset();
}

std::unique_ptr<TfrmRiepDaCompletare> TestRiepDaCompletare::apri()
{
    auto f = std::make_unique<TfrmRiepDaCompletare>(contestoDiProva(), frmDocumenti());
    suArchivioEditore(f.get());
    f->show();
    QApplication::setActiveWindow(f.get());
    return f;
}

void TestRiepDaCompletare::aspetto()
{
    auto f = apri();
    QCOMPARE(f->windowTitle(), QStringLiteral(" Riepilogo pagine da completare"));
    QCOMPARE(f->size(), QSize(862, 560));
    QCOMPARE(f->minimumSize(), f->maximumSize());
    QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(f->panContainer->size(), QSize(833, 529));
    QCOMPARE(f->panContainer->geometry().center(), f->rect().center());
    QCOMPARE(f->lstRecords->size(), QSize(801, 273));
    QCOMPARE(f->btnChiudi->text(), QStringLiteral("Chiudi"));
    QCOMPARE(f->btnStampa->text(), QStringLiteral("Stampa"));
    QCOMPARE(f->btnTrova->text(), QStringLiteral("Trova"));
    QCOMPARE(f->titoloStampa(), QStringLiteral("Riepilogo pagine da completare"));
    QVERIFY(!f->findChild<QLabel *>(QStringLiteral("lblTrovate")));
    QVERIFY(!f->findChild<QLabel *>(QStringLiteral("lblMemory")));
    QVERIFY(!f->findChild<QFrame *>(QStringLiteral("effCampo01")));
    bool istruzione = false;
    for (const QLabel *l : f->findChildren<QLabel *>())
        istruzione |= l->text() == QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda");
    QVERIFY(istruzione);
}

void TestRiepDaCompletare::soloLeSchedeDaCompletare()
{
    auto f = apri();
    const QVector<TSchedaPagina> schede = archivioDiProva();
    // Sorted, not in file order: "bozza" before "Zibaldone".
    QCOMPARE(vociLista(f->lstRecords), (QStringList{RigaRiepilogo(schede.at(5)), RigaRiepilogo(schede.at(0))}));
    QVERIFY(f->txtTrova->hasFocus());
    const QModelIndex primo = f->lstRecords->model()->index(0, 0);
    QCOMPARE(primo.data(Qt::FontRole).value<QFont>().family(), QStringLiteral("Courier New"));
    QCOMPARE(f->lstRecords->sizeHintForIndex(primo).width(), 1600);
    QCOMPARE(f->lstRecords->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f->lstRecords->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    // Filled once, on show: a record flagged meanwhile does not appear.
    QVector<TSchedaPagina> altre = schede;
    altre.append(schedaDiProva("Nuova", "X", "N", "8", kSi));
    QVERIFY(scriviArchivio(m_archivio, altre));
    QCoreApplication::processEvents();
    QCOMPARE(vociLista(f->lstRecords).size(), 2);
}

void TestRiepDaCompletare::nessunaSegnata()
{
    QVERIFY(scriviArchivio(m_archivio, {schedaDiProva("Atto", "Verdi", "A-1", "2", kNo)}));
    RegistroMessaggi messaggi;
    auto f = apri();
    QVERIFY(f->isVisible());
    QVERIFY(vociLista(f->lstRecords).isEmpty());
    f->txtTrova->setText(QStringLiteral("atto"));
    QTest::mouseClick(f->btnTrova, Qt::LeftButton);
    QCOMPARE(messaggi.messaggi().size(), 1);
    QCOMPARE(messaggi.messaggi().first().testo,
             QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Semplice);
}

void TestRiepDaCompletare::archivioInaccessibile()
{
    QVERIFY(QFile::remove(m_archivio));
    QVERIFY(QDir().mkpath(m_archivio));
    RegistroMessaggi messaggi;
    auto f = apri();
    QVERIFY(f->isVisible());
    QVERIFY(vociLista(f->lstRecords).isEmpty());
    QVERIFY(messaggi.testi().isEmpty());
}

void TestRiepDaCompletare::trovaCammina()
{
    QVector<TSchedaPagina> schede;
    for (const char *t : {"Alfa", "Beta rossi", "Gamma", "Delta ROSSI", "Epsilon"})
        schede.append(schedaDiProva(QString::fromLatin1(t), "Autore", "C", "1", kSi));
    QVERIFY(scriviArchivio(m_archivio, schede));
    auto f = apri();
    // Alfa, Beta rossi, Delta ROSSI, Epsilon, Gamma
    f->txtTrova->setText(QStringLiteral("Rossi"));
    QVector<int> percorso;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(f->txtTrova, Qt::Key_Return);
        QVERIFY(f->btnTrova->hasFocus());
        QTest::mouseClick(f->btnTrova, Qt::LeftButton);
        percorso.append(f->voceSelezionata());
        f->txtTrova->setFocus();
    }
    QCOMPARE(percorso, (QVector<int>{1, 2, 1}));
}

// Each kind of window remembers its own last find text.
void TestRiepDaCompletare::ultimoTrovaSeparatoDallaRicerca()
{
    auto ricerca = std::make_unique<TfrmTrovaPagine>(contestoDiProva(), frmDocumenti());
    suArchivioEditore(ricerca.get());
    ricerca->show();
    QTest::mouseClick(ricerca->btnCerca, Qt::LeftButton);
    // All seven records: Atto, bozza, Carta nautica, Diario, Elenco, Mappa, Zibaldone.
    auto riepilogo = apri();
    // bozza, Zibaldone: both hold an 'o'.
    riepilogo->txtTrova->setText(QStringLiteral("o"));
    QTest::mouseClick(riepilogo->btnTrova, Qt::LeftButton);
    QCOMPARE(riepilogo->voceSelezionata(), 0);

    // In the search window "o" is a new text: its walk starts at the first
    // entry, Atto, which holds it.
    ricerca->txtTrova->setText(QStringLiteral("o"));
    QTest::mouseClick(ricerca->btnTrova, Qt::LeftButton);
    QCOMPARE(ricerca->voceSelezionata(), 0);
    // And the to-complete window's walk goes on.
    QTest::mouseClick(riepilogo->btnTrova, Qt::LeftButton);
    QCOMPARE(riepilogo->voceSelezionata(), 1);
}

void TestRiepDaCompletare::doppioClicApreNellEditore()
{
    // Without a caller mark every record behind the line is written.
    QVector<TSchedaPagina> schede = archivioDiProva();
    schede.append(schede.at(0)); // Zibaldone again, position 8
    QVERIFY(scriviArchivio(m_archivio, schede));
    RegistroMessaggi messaggi;
    auto f = apri();
    QCOMPARE(vociLista(f->lstRecords).size(), 3);
    doppioClicVoce(f->lstRecords, 2);
    QVERIFY(!f->isVisible());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("8"));
    QVERIFY(messaggi.testi().isEmpty());
}

void TestRiepDaCompletare::doppioClicSpuntaLaCasella()
{
    TfrmDocumenti *editore = frmDocumenti();
    auto *chk = editore->findChild<QCheckBox *>(QStringLiteral("chkDaCompletare"));
    auto *txtTitolo = editore->findChild<QLineEdit *>(QStringLiteral("txtTitolo"));
    auto *txtAutore = editore->findChild<QLineEdit *>(QStringLiteral("txtAutore"));
    if (!chk || !txtTitolo || !txtAutore)
        QSKIP("the editor shows no record fields yet");
    chk->setChecked(false);
    auto f = apri();
    doppioClicVoce(f->lstRecords, 0); // bozza, position 6
    QVERIFY(!f->isVisible());
    QCOMPARE(posizioneMostrata(editore), QStringLiteral("6"));
    QCOMPARE(txtTitolo->text(), QStringLiteral("bozza"));
    QCOMPARE(txtAutore->text(), QStringLiteral("Rossi"));
    QVERIFY(chk->isChecked());
}

void TestRiepDaCompletare::aperturaDallEditore()
{
    bool eseguito = false;
    QPointer<TfrmRiepDaCompletare> aperta;
    allaProssimaModale([&](QWidget *m) {
        auto *f = qobject_cast<TfrmRiepDaCompletare *>(m);
        QVERIFY(f);
        aperta = f;
        eseguito = true;
        QCOMPARE(f->parentWidget(), static_cast<QWidget *>(frmDocumenti()));
        QCOMPARE(vociLista(f->lstRecords).size(), 2);
        QTRY_VERIFY(f->txtTrova->hasFocus());
        doppioClicVoce(f->lstRecords, 0);
    });
    clicca(frmDocumenti()->findChild<QWidget *>(QStringLiteral("cmdDaCompletare")));
    QVERIFY(!modaleMancata());
    QVERIFY(eseguito);
    QVERIFY(aperta.isNull());
    QCOMPARE(posizioneMostrata(frmDocumenti()), QStringLiteral("6"));
}

QTEST_MAIN(TestRiepDaCompletare)
#include "tst_riepdacompletare.moc"
