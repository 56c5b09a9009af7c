// The acquisition window over SANE's test backend: what it lists, one page
// handed back with its resolution, a bundle handed to the saver sheet by
// sheet with one closing message, failures said and survived, the settings
// remembered, and every way out, also in the middle of a page.
#include "scanner/frmacquisisci.h"
#include "support/scanner_supporto.h"
#include "support/supporto.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

// Runs the window modally, doing `azione` once it is ready to acquire.
template <class Azione>
int esegui(TfrmAcquisisci &finestra, Azione azione)
{
    QTimer::singleShot(0, &finestra, [&] {
        [&] {
            QTRY_VERIFY2_WITH_TIMEOUT(finestra.btnAcquisisci->isEnabled(), qPrintable(finestra.lblStato->text()),
                                      20000);
            azione();
        }();
        // A failed check must not leave the window waiting for ever.
        if (QTest::currentTestFailed())
            finestra.reject();
    });
    return finestra.exec();
}

void premiAcquisisci(TfrmAcquisisci &finestra)
{
    QTest::mouseClick(finestra.btnAcquisisci, Qt::LeftButton);
}

} // namespace

class TestAcquisisci : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QFile::remove(fileScelteScanner());
        m_prova = std::make_unique<ScannerDiProva>();
    }
    void cleanup() { m_prova.reset(); }

    void controlliEScelte();
    void unaPagina();
    void sceltaRicordata();
    void errorePagina();
    void nessunoScanner();
    void uscite_data();
    void uscite();
    void pacco_data();
    void pacco();

private:
    std::unique_ptr<ScannerDiProva> m_prova;
};

void TestAcquisisci::controlliEScelte()
{
    TfrmAcquisisci finestra(contestoDiProva());
    QCOMPARE(finestra.objectName(), QStringLiteral("frmAcquisisci"));
    for (const char *nome : {"cboScanner", "cboRisoluzione", "cboModo", "cboOrigine", "btnAcquisisci",
                             "btnAnnulla", "prbAvanzamento", "imgFoto"})
        QVERIFY2(finestra.findChild<QWidget *>(QLatin1String(nome)), nome);
    for (QComboBox *c : {finestra.cboScanner, finestra.cboRisoluzione, finestra.cboModo, finestra.cboOrigine})
        QVERIFY(!c->accessibleName().isEmpty());
    esegui(finestra, [&] {
        QVERIFY(finestra.isModal());
        QCOMPARE(finestra.cboScanner->count(), 2);
        QCOMPARE(finestra.cboRisoluzione->currentText(), QStringLiteral("300 dpi"));
        QCOMPARE(finestra.cboModo->count(), 3);
        QCOMPARE(finestra.cboModo->currentText(), QStringLiteral("Colore"));
        QCOMPARE(finestra.cboOrigine->currentText(), QStringLiteral("Piano di scansione"));
        finestra.reject();
    });
}

// The page comes back to the opener whole, at the resolution chosen, and
// the window closes by itself; the opener's hook hears of it too.
void TestAcquisisci::unaPagina()
{
    TfrmAcquisisci finestra(contestoDiProva());
    int segnalate = 0;
    connect(&finestra, &TfrmAcquisisci::paginaAcquisita, this, [&](const QImage &p, int foglio) {
        QVERIFY(!p.isNull());
        QCOMPARE(foglio, 1);
        ++segnalate;
    });
    const int esito = esegui(finestra, [&] {
        finestra.cboRisoluzione->setCurrentIndex(finestra.cboRisoluzione->findData(100));
        finestra.cboModo->setCurrentIndex(finestra.cboModo->findData(int(ModoScanner::Grigi)));
        premiAcquisisci(finestra);
        QVERIFY(finestra.inCorso());
        QVERIFY(!finestra.btnAcquisisci->isEnabled());
    });
    QCOMPARE(esito, int(QDialog::Accepted));
    QCOMPARE(segnalate, 1);
    const QImage pagina = finestra.immagine();
    QCOMPARE(pagina.format(), QImage::Format_Grayscale8);
    QCOMPARE(qRound(pagina.dotsPerMeterX() * 0.0254), 100);
    QCOMPARE(pagina.width(), qRound(200 / 25.4 * 100));
    QCOMPARE(finestra.prbAvanzamento->value(), 100);
}

// The next window starts where the last acquisition left: device and
// settings come from the file in the user's configuration folder.
void TestAcquisisci::sceltaRicordata()
{
    {
        TfrmAcquisisci finestra(contestoDiProva());
        esegui(finestra, [&] {
            finestra.cboScanner->setCurrentIndex(1);
            QTRY_VERIFY(finestra.btnAcquisisci->isEnabled());
            finestra.cboRisoluzione->setCurrentIndex(finestra.cboRisoluzione->findData(75));
            finestra.cboModo->setCurrentIndex(finestra.cboModo->findData(int(ModoScanner::BiancoNero)));
            premiAcquisisci(finestra);
        });
        QCOMPARE(finestra.immagine().format(), QImage::Format_Mono);
    }
    QVERIFY(QFile::exists(fileScelteScanner()));
    TfrmAcquisisci seconda(contestoDiProva());
    esegui(seconda, [&] {
        QCOMPARE(seconda.cboScanner->currentData().toByteArray(), QByteArray("test:1"));
        QCOMPARE(seconda.cboRisoluzione->currentData().toInt(), 75);
        QCOMPARE(seconda.cboModo->currentText(), QStringLiteral("Bianco e nero"));
        seconda.reject();
    });
}

// A jam: said in Italian, no page handed back, and the window stays for
// another try, which works once the paper is out.
void TestAcquisisci::errorePagina()
{
    RegistroMessaggi messaggi;
    TfrmAcquisisci finestra(contestoDiProva());
    finestra.impostaOpzioniDriver({{"read-return-value", QStringLiteral("SANE_STATUS_JAMMED")}});
    const int esito = esegui(finestra, [&] {
        finestra.cboRisoluzione->setCurrentIndex(finestra.cboRisoluzione->findData(75));
        premiAcquisisci(finestra);
        QTRY_VERIFY_WITH_TIMEOUT(!finestra.inCorso(), 20000);
        QCOMPARE(messaggi.testi(), QStringList{messaggioScanner(EsitoScanner::Inceppamento)});
        QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Errore);
        QVERIFY(finestra.isVisible());
        QVERIFY(finestra.immagine().isNull());
        QVERIFY(finestra.btnAcquisisci->isEnabled());
        finestra.impostaOpzioniDriver({{"read-return-value", QStringLiteral("Default")}});
        premiAcquisisci(finestra);
    });
    QCOMPARE(esito, int(QDialog::Accepted));
    QVERIFY(!finestra.immagine().isNull());
}

void TestAcquisisci::nessunoScanner()
{
    m_prova = std::make_unique<ScannerDiProva>(false);
    TfrmAcquisisci finestra(contestoDiProva());
    QTimer::singleShot(0, &finestra, [&] {
        QTRY_COMPARE_WITH_TIMEOUT(finestra.lblStato->text(), messaggioScanner(EsitoScanner::NessunDispositivo), 20000);
        QVERIFY(!finestra.btnAcquisisci->isEnabled());
        QTest::keyClick(&finestra, Qt::Key_Escape);
    });
    QCOMPARE(finestra.exec(), int(QDialog::Rejected));
}

void TestAcquisisci::uscite_data()
{
    QTest::addColumn<int>("modo");  // 0 Escape, 1 Annulla, 2 close box
    QTest::newRow("Escape") << 0;
    QTest::newRow("Annulla") << 1;
    QTest::newRow("chiusura") << 2;
}

// Every way out leaves at once, also with a slow page half read: the page
// is given up, nothing is handed back.
void TestAcquisisci::uscite()
{
    QFETCH(int, modo);
    TfrmAcquisisci finestra(contestoDiProva());
    finestra.impostaOpzioniDriver({{"read-limit", true}, {"read-limit-size", 4096},
                                   {"read-delay", true}, {"read-delay-duration", 50000}});
    QElapsedTimer tempo;
    const int esito = esegui(finestra, [&] {
        premiAcquisisci(finestra);
        QTRY_VERIFY_WITH_TIMEOUT(finestra.prbAvanzamento->value() > 0, 20000);
        tempo.start();
        if (modo == 0)
            QTest::keyClick(&finestra, Qt::Key_Escape);
        else if (modo == 1)
            QTest::mouseClick(finestra.btnAnnulla, Qt::LeftButton);
        else
            finestra.close();
    });
    QCOMPARE(esito, int(QDialog::Rejected));
    QVERIFY(finestra.immagine().isNull());
    QVERIFY(tempo.elapsed() < 5000);
}

void TestAcquisisci::pacco_data()
{
    QTest::addColumn<int>("rifiutaAl");   // the saver fails at this sheet; 0: never
    QTest::addColumn<int>("salvate");
    QTest::addColumn<bool>("regolare");
    QTest::addColumn<QString>("inizio");  // the closing message's first line
    QTest::newRow("dieci fogli") << 0 << 10 << true
                                 << "Acquisizione terminata: l'alimentatore è vuoto.";
    QTest::newRow("salvataggio fallito al quinto")
        << 5 << 4 << false << "Acquisizione interrotta al foglio 5: la pagina non è stata salvata.";
}

// Every sheet goes to the saver as it arrives, in order; the bundle ends
// with one message, saying how many were stored and where, or where it
// stopped and why.
void TestAcquisisci::pacco()
{
    QFETCH(int, rifiutaAl);
    QFETCH(int, salvate);
    QFETCH(bool, regolare);
    QFETCH(QString, inizio);

    RegistroMessaggi messaggi;
    TfrmAcquisisci finestra(contestoDiProva());
    QList<int> fogli;
    finestra.impostaPacco([&](const QImage &pagina, int foglio) {
        fogli.append(foglio);
        PaginaSalvata s;
        if (pagina.isNull() || foglio == rifiutaAl)
            s.errore = QStringLiteral("Disco pieno.");
        else
            s.posizione = 7 + foglio;
        return s;
    });
    const int esito = esegui(finestra, [&] {
        QCOMPARE(finestra.cboOrigine->currentText(), QStringLiteral("Alimentatore di fogli"));
        finestra.cboRisoluzione->setCurrentIndex(finestra.cboRisoluzione->findData(75));
        premiAcquisisci(finestra);
        if (!regolare) {
            QTRY_VERIFY_WITH_TIMEOUT(!finestra.inCorso(), 30000);
            finestra.reject();
        }
    });
    QCOMPARE(esito, int(regolare ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(fogli.size(), rifiutaAl ? rifiutaAl : salvate);
    QCOMPARE(messaggi.messaggi().size(), 1);
    const QString testo = messaggi.testi().at(0);
    QCOMPARE(messaggi.messaggi().at(0).tipo, regolare ? TipoMessaggio::Informazione : TipoMessaggio::Errore);
    QCOMPARE(testo.section(QStringLiteral("\r\n"), 0, 0), inizio);
    QVERIFY2(testo.contains(QStringLiteral("dalla 8 alla %1").arg(7 + salvate)), qPrintable(testo));
}

QTEST_MAIN(TestAcquisisci)
#include "tst_acquisisci.moc"
