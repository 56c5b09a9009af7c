// A scan shown small: the quick reduction of a large page looks like the
// toolkit's smoothing of the whole of it, thin rules included, and a picture
// only a few times its place is smoothed as it always was.
#include "app/vistaimmagine.h"

#include <QTest>

#include <cstdlib>

namespace {

// Dark squares of 40 pixels on white, or dark rules 6 pixels wide every 120
// (a table's lines at 600 dpi), in the scanner's 24-bit form.
QImage pagina(QSize dimensione, bool righe)
{
    QImage p(dimensione, QImage::Format_RGB888);
    for (int y = 0; y < p.height(); ++y) {
        uchar *riga = p.scanLine(y);
        for (int x = 0; x < p.width(); ++x) {
            const bool scuro = righe ? (x % 120 < 6 || y % 120 < 6) : ((x / 40 + y / 40) % 2 == 1);
            riga[3 * x] = scuro ? 20 : 255;
            riga[3 * x + 1] = scuro ? 30 : 255;
            riga[3 * x + 2] = scuro ? 40 : 255;
        }
    }
    return p;
}

} // namespace

class TestVistaImmagine : public QObject
{
    Q_OBJECT

private slots:
    void ridotta_data();
    void ridotta();
};

void TestVistaImmagine::ridotta_data()
{
    QTest::addColumn<QSize>("pagina");
    QTest::addColumn<bool>("righe");
    QTest::addColumn<double>("mediaMassima");
    QTest::newRow("600 dpi, quadri") << QSize(4724, 4724) << false << 10.0;
    QTest::newRow("600 dpi, righe sottili") << QSize(4724, 4724) << true << 10.0;
    QTest::newRow("300 dpi A4, quadri") << QSize(2362, 3307) << false << 10.0;
    QTest::newRow("300 dpi A4, righe sottili") << QSize(2362, 3307) << true << 10.0;
    QTest::newRow("tre volte il posto") << QSize(1000, 1300) << true << 0.0;
}

void TestVistaImmagine::ridotta()
{
    QFETCH(QSize, pagina);
    QFETCH(bool, righe);
    QFETCH(double, mediaMassima);

    const QImage grande = ::pagina(pagina, righe);
    const QSize posto = pagina.scaled(QSize(307, 409), Qt::KeepAspectRatio);
    const QImage atteso = grande.scaled(posto, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                              .convertToFormat(QImage::Format_RGB32);
    const QImage ridotta = VistaImmagine::ridotta(grande, posto).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(ridotta.size(), posto);

    // Sampling alone (every eighth pixel or so) strays by some 15 to 40 on
    // average and drops or doubles the rules, over 100 at worst.
    long somma = 0;
    int peggiore = 0;
    for (int y = 0; y < posto.height(); ++y)
        for (int x = 0; x < posto.width(); ++x) {
            const QRgb a = ridotta.pixel(x, y);
            const QRgb b = atteso.pixel(x, y);
            const int d = (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                           std::abs(qBlue(a) - qBlue(b))) / 3;
            somma += d;
            peggiore = std::max(peggiore, d);
        }
    const double media = double(somma) / (posto.width() * posto.height());
    QVERIFY2(media <= mediaMassima, qPrintable(QString::number(media)));
    QVERIFY2(peggiore <= 64, qPrintable(QString::number(peggiore)));
}

QTEST_MAIN(TestVistaImmagine)
#include "tst_vistaimmagine.moc"
