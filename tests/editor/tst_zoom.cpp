#include "app/vistaimmagine.h"
#include "editor/dimensionizoom.h"
#include "editor/frmzoom.h"

#include "support/supporto.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

QImage tinta(const QSize &dimensione, const QColor &colore)
{
    QImage immagine(dimensione, QImage::Format_RGB32);
    immagine.fill(colore);
    return immagine;
}

} // namespace

class TestZoom : public QObject
{
    Q_OBJECT

private slots:
    void dimensioni_data();
    void dimensioni();
    void finestraSuQuestoSchermo_data();
    void finestraSuQuestoSchermo();
    void chiusura_data();
    void chiusura();
    void vistaDisegnaSoloNelRettangolo();
    void cleanup();
};

void TestZoom::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
}

void TestZoom::dimensioni_data()
{
    QTest::addColumn<QSize>("schermo");
    QTest::addColumn<QSize>("foto");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("disegno");

    const QSize fullHd(1920, 1080);
    QTest::newRow("scansione A4 a 300 dpi") << fullHd << QSize(2480, 3508) << QSize(1860, 990) << QSize(700, 990);
    QTest::newRow("foto piccola, dimensione propria") << fullHd << QSize(300, 400) << QSize(1860, 990) << QSize(300, 400);
    QTest::newRow("segnaposto") << fullHd << QSize(307, 409) << QSize(1860, 990) << QSize(307, 409);
    QTest::newRow("esattamente l'area") << fullHd << QSize(1860, 990) << QSize(1860, 990) << QSize(1860, 990);
    QTest::newRow("un pixel in più in larghezza") << fullHd << QSize(1861, 990) << QSize(1860, 990) << QSize(1860, 989);
    QTest::newRow("panoramica, limitata in larghezza") << fullHd << QSize(4000, 1000) << QSize(1860, 990) << QSize(1860, 465);
    QTest::newRow("striscia sottile non sparisce") << fullHd << QSize(1, 20000) << QSize(1860, 990) << QSize(1, 990);
    QTest::newRow("schermo 1280 x 1024") << QSize(1280, 1024) << QSize(2480, 3508) << QSize(1220, 934) << QSize(660, 934);
    QTest::newRow("schermo minuscolo") << QSize(50, 80) << QSize(300, 400) << QSize(0, 0) << QSize(0, 0);
}

void TestZoom::dimensioni()
{
    QFETCH(QSize, schermo);
    QFETCH(QSize, foto);
    QFETCH(QSize, area);
    QFETCH(QSize, disegno);

    QCOMPARE(areaZoom(schermo), area);
    QCOMPARE(dimensioneAdattata(foto, areaZoom(schermo)), disegno);
}

void TestZoom::finestraSuQuestoSchermo_data()
{
    QTest::addColumn<QSize>("foto");
    QTest::newRow("scansione grande") << QSize(2480, 3508);
    QTest::newRow("segnaposto") << QSize(307, 409);
}

// The zoom command on whatever screen the run has: a fresh window owned by
// the opener, maximised, the panel and the picture at the screen less the
// margins, the picture centred on the screen, and the window gone after.
void TestZoom::finestraSuQuestoSchermo()
{
    QFETCH(QSize, foto);
    QWidget proprietario;
    proprietario.show();

    const QSize schermo = QGuiApplication::primaryScreen()->size();
    const QSize area = areaZoom(schermo);
    QPointer<TfrmZoom> vista;
    bool controllato = false;
    allaProssimaModale([&](QWidget *m) {
        vista = qobject_cast<TfrmZoom *>(m);
        QVERIFY(vista);
        QCOMPARE(vista->parentWidget(), &proprietario);
        QCOMPARE(vista->windowTitle(), QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
        QVERIFY(vista->windowState() & Qt::WindowMaximized);
        QCOMPARE(vista->panContainer->size(), area);
        QCOMPARE(vista->imgFoto->size(), area);
        QCOMPARE(vista->imgFoto->immagine().size(), foto);

        const QRect disegno = vista->imgFoto->rettangoloDisegno();
        QCOMPARE(disegno.size(), dimensioneAdattata(foto, area));
        const QPoint centroSulloSchermo = vista->imgFoto->mapToGlobal(disegno.center());
        const QPoint centroFinestra = vista->mapToGlobal(vista->rect().center());
        QVERIFY2((centroSulloSchermo - centroFinestra).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2 / %3,%4").arg(centroSulloSchermo.x()).arg(centroSulloSchermo.y())
                                .arg(centroFinestra.x()).arg(centroFinestra.y())));
        controllato = true;
        QTest::mouseClick(vista->imgFoto, Qt::LeftButton, {}, disegno.center());
    });
    mostraZoom(&proprietario, tinta(foto, Qt::darkGreen));

    QVERIFY(!modaleMancata());
    QVERIFY(controllato);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(vista.isNull());
    QVERIFY(proprietario.findChildren<TfrmZoom *>().isEmpty());
}

void TestZoom::chiusura_data()
{
    QTest::addColumn<QString>("come");
    QTest::newRow("clic sulla foto") << QStringLiteral("foto");
    QTest::newRow("clic sul pannello") << QStringLiteral("pannello");
    QTest::newRow("pulsante di chiusura") << QStringLiteral("barra");
}

void TestZoom::chiusura()
{
    QFETCH(QString, come);
    QWidget proprietario;
    proprietario.show();

    bool chiusa = false;
    allaProssimaModale([&](QWidget *m) {
        auto *vista = qobject_cast<TfrmZoom *>(m);
        QVERIFY(vista);
        QObject::connect(vista, &QDialog::finished, [&] { chiusa = true; });
        if (come == QLatin1String("foto")) {
            QTest::mouseClick(vista->imgFoto, Qt::LeftButton);
        } else if (come == QLatin1String("pannello")) {
            QTest::mouseClick(vista->panContainer, Qt::LeftButton);
        } else {
            QCloseEvent evento;
            QCoreApplication::sendEvent(vista->windowHandle(), &evento);
        }
    });
    mostraZoom(&proprietario, tinta(QSize(300, 400), Qt::red));
    QVERIFY(!modaleMancata());
    QVERIFY(chiusa);
}

// The view paints the picture exactly where it says and nowhere else, and
// only the left button counts as a click.
void TestZoom::vistaDisegnaSoloNelRettangolo()
{
    VistaImmagine vista;
    vista.resize(400, 300);
    QImage foto = tinta(QSize(800, 400), Qt::red);
    vista.impostaImmagine(foto);
    QCOMPARE(vista.rettangoloDisegno(), QRect(0, 50, 400, 200));

    QImage schermata(vista.size(), QImage::Format_RGB32);
    schermata.fill(Qt::white);
    vista.render(&schermata, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(schermata.pixelColor(200, 150), QColor(Qt::red));
    QCOMPARE(schermata.pixelColor(0, 50), QColor(Qt::red));
    QCOMPARE(schermata.pixelColor(399, 249), QColor(Qt::red));
    QCOMPARE(schermata.pixelColor(200, 49), QColor(Qt::white));
    QCOMPARE(schermata.pixelColor(200, 250), QColor(Qt::white));

    int clic = 0;
    connect(&vista, &VistaImmagine::clicked, [&] { ++clic; });
    QTest::mouseClick(&vista, Qt::RightButton);
    QCOMPARE(clic, 0);
    QTest::mouseClick(&vista, Qt::LeftButton);
    QCOMPARE(clic, 1);
}

QTEST_MAIN(TestZoom)
#include "tst_zoom.moc"
