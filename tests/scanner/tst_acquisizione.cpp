// The worker that drives the scanner for the window: pages come in on its
// own thread, a bundle goes one sheet at a time, and stopping, failures and
// the feeder's end each close the job once.
#include "scanner/acquisizione.h"
#include "support/scanner_supporto.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

namespace {

const QByteArray kDispositivo("test:0");

ImpostazioniScanner impostazioni(int dpi, OrigineScanner origine = OrigineScanner::Piano)
{
    ImpostazioniScanner i;
    i.dpi = dpi;
    i.origine = origine;
    i.altre = {{"test-picture", QStringLiteral("Color pattern")}};
    return i;
}

} // namespace

class TestAcquisizione : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_prova = std::make_unique<ScannerDiProva>(); }
    void cleanup() { m_prova.reset(); }

    void dispositiviECapacita();
    void unaPaginaFuoriDalFiloDelleFinestre();
    void pacco_data();
    void pacco();
    void annullaDuranteLaPagina();
    void pianoUnFoglioPerVolta();

private:
    std::unique_ptr<ScannerDiProva> m_prova;
};

// The signals come from the worker, which may be done before the test
// thread starts waiting: the tests wait for what the spies hold, not with
// QSignalSpy::wait, which counts only what comes during the wait.
void TestAcquisizione::dispositiviECapacita()
{
    Acquisizione acquisizione;
    QSignalSpy trovati(&acquisizione, &Acquisizione::scannerTrovati);
    acquisizione.cercaScanner();
    QTRY_COMPARE_WITH_TIMEOUT(trovati.size(), 1, 10000);
    const auto dispositivi = trovati.at(0).at(0).value<QList<DispositivoScanner>>();
    QCOMPARE(dispositivi.size(), 2);
    QCOMPARE(trovati.at(0).at(1).value<EsitoScanner>(), EsitoScanner::Ok);

    QSignalSpy lette(&acquisizione, &Acquisizione::capacitaLette);
    acquisizione.leggiCapacita(kDispositivo);
    QTRY_COMPARE_WITH_TIMEOUT(lette.size(), 1, 10000);
    QCOMPARE(lette.at(0).at(0).toByteArray(), kDispositivo);
    QVERIFY(lette.at(0).at(1).value<CapacitaScanner>().origini.contains(OrigineScanner::Alimentatore));

    acquisizione.leggiCapacita("test:7");
    QTRY_COMPARE_WITH_TIMEOUT(lette.size(), 2, 10000);
    QCOMPARE(lette.at(1).at(2).value<EsitoScanner>(), EsitoScanner::Scollegato);
}

// The page is read on the worker, never on the thread of the windows, and
// arrives whole with its resolution after a progress that only grows.
void TestAcquisizione::unaPaginaFuoriDalFiloDelleFinestre()
{
    Acquisizione acquisizione;
    QThread *filoPagina = nullptr;
    connect(&acquisizione, &Acquisizione::paginaAcquisita, this,
            [&] { filoPagina = QThread::currentThread(); }, Qt::DirectConnection);
    QSignalSpy avanzamenti(&acquisizione, &Acquisizione::avanzamento);
    QSignalSpy pagine(&acquisizione, &Acquisizione::paginaAcquisita);
    QSignalSpy fine(&acquisizione, &Acquisizione::terminata);
    acquisizione.acquisisci(kDispositivo, impostazioni(150), false);
    QTRY_VERIFY_WITH_TIMEOUT(!fine.isEmpty(), 30000);

    QVERIFY(filoPagina && filoPagina != thread());
    QCOMPARE(fine.at(0).at(0).value<EsitoScanner>(), EsitoScanner::Ok);
    QCOMPARE(fine.at(0).at(1).toInt(), 1);
    QCOMPARE(pagine.size(), 1);
    const QImage pagina = pagine.at(0).at(0).value<QImage>();
    QCOMPARE(pagina.width(), qRound(200 / 25.4 * 150));
    QCOMPARE(qRound(pagina.dotsPerMeterX() * 0.0254), 150);

    int ultimo = -1;
    bool anteprima = false;
    for (const QList<QVariant> &a : avanzamenti) {
        QCOMPARE(a.at(0).toInt(), 1);
        QVERIFY(a.at(1).toInt() >= ultimo);
        ultimo = a.at(1).toInt();
        const QImage piccola = a.at(2).value<QImage>();
        if (!piccola.isNull()) {
            anteprima = true;
            QVERIFY(piccola.width() <= Acquisizione::kAnteprima.width());
            QVERIFY(piccola.height() <= Acquisizione::kAnteprima.height());
        }
    }
    QCOMPARE(ultimo, 100);
    QVERIFY(anteprima);
}

void TestAcquisizione::pacco_data()
{
    QTest::addColumn<int>("guastoDopo");  // sheets before the failure; 0: none
    QTest::addColumn<QString>("stato");
    QTest::addColumn<int>("fermaDopo");   // the saver refuses after this page; 0: never
    QTest::addColumn<EsitoScanner>("esito");
    QTest::addColumn<int>("pagine");

    QTest::newRow("dieci fogli") << 0 << "" << 0 << EsitoScanner::FineFogli << 10;
    QTest::newRow("inceppamento al quarto") << 3 << "SANE_STATUS_JAMMED" << 0 << EsitoScanner::Inceppamento << 3;
    QTest::newRow("coperchio aperto al secondo")
        << 1 << "SANE_STATUS_COVER_OPEN" << 0 << EsitoScanner::CoperchioAperto << 1;
    QTest::newRow("scollegato al decimo") << 9 << "SANE_STATUS_IO_ERROR" << 0 << EsitoScanner::Scollegato << 9;
    QTest::newRow("salvataggio fallito al quinto") << 0 << "" << 5 << EsitoScanner::Annullata << 5;
}

// A bundle from the feeder, one sheet per continua(): the feeder's end
// closes it as its normal end; a failure at a sheet keeps the pages before
// it and says which failure; a page that could not be dealt with stops the
// feeder there.
void TestAcquisizione::pacco()
{
    QFETCH(int, guastoDopo);
    QFETCH(QString, stato);
    QFETCH(int, fermaDopo);
    QFETCH(EsitoScanner, esito);
    QFETCH(int, pagine);

    Acquisizione acquisizione;
    QList<int> numeri;
    connect(&acquisizione, &Acquisizione::paginaAcquisita, this, [&](const QImage &immagine, int n) {
        QVERIFY(!immagine.isNull());
        numeri.append(n);
        if (n == guastoDopo)
            acquisizione.cambiaPrimaDelProssimo({{"read-return-value", stato}});
        acquisizione.continua(n != fermaDopo);
    });
    QSignalSpy fine(&acquisizione, &Acquisizione::terminata);
    acquisizione.acquisisci(kDispositivo, impostazioni(50, OrigineScanner::Alimentatore), true);
    QTRY_VERIFY_WITH_TIMEOUT(!fine.isEmpty(), 60000);
    QCOMPARE(fine.size(), 1);
    QCOMPARE(fine.at(0).at(0).value<EsitoScanner>(), esito);
    QCOMPARE(fine.at(0).at(1).toInt(), pagine);
    QList<int> attesi;
    for (int n = 1; n <= pagine; ++n)
        attesi.append(n);
    QCOMPARE(numeri, attesi);
}

void TestAcquisizione::annullaDuranteLaPagina()
{
    Acquisizione acquisizione;
    ImpostazioniScanner lenta = impostazioni(300);
    lenta.altre += {{"read-limit", true}, {"read-limit-size", 8192},
                    {"read-delay", true}, {"read-delay-duration", 10000}};
    connect(&acquisizione, &Acquisizione::avanzamento, this, [&](int, int percento) {
        if (percento >= 1)
            acquisizione.annulla();
    });
    QSignalSpy pagine(&acquisizione, &Acquisizione::paginaAcquisita);
    QSignalSpy fine(&acquisizione, &Acquisizione::terminata);
    acquisizione.acquisisci(kDispositivo, lenta, false);
    QTRY_VERIFY_WITH_TIMEOUT(!fine.isEmpty(), 30000);
    QCOMPARE(fine.at(0).at(0).value<EsitoScanner>(), EsitoScanner::Annullata);
    QCOMPARE(fine.at(0).at(1).toInt(), 0);
    QVERIFY(pagine.isEmpty());
}

// A bundle asked of the flatbed takes one sheet per press: the glass never
// says it is empty.
void TestAcquisizione::pianoUnFoglioPerVolta()
{
    Acquisizione acquisizione;
    connect(&acquisizione, &Acquisizione::paginaAcquisita, this, [&] { acquisizione.continua(true); });
    QSignalSpy fine(&acquisizione, &Acquisizione::terminata);
    acquisizione.acquisisci(kDispositivo, impostazioni(50), true);
    QTRY_VERIFY_WITH_TIMEOUT(!fine.isEmpty(), 30000);
    QCOMPARE(fine.at(0).at(0).value<EsitoScanner>(), EsitoScanner::Ok);
    QCOMPARE(fine.at(0).at(1).toInt(), 1);
}

QTEST_GUILESS_MAIN(TestAcquisizione)
#include "tst_acquisizione.moc"
