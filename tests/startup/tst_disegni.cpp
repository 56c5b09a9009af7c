#include "app/disegnirisorse.h"
#include "editor/frmdocumenti.h"
#include "home/frmavvio.h"
#include "startup/finestre.h"

#include "support/dialoghi_supporto.h"
#include "support/supporto.h"

#include <QDirIterator>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>
#include <QtEndian>

#include <functional>
#include <memory>

namespace {

struct Dialogo {
    const char *nome;
    const char *istanza;
    bool disegni = true; // has pictures of its own (the zoom shows only the scan)
};

// Every dialog, made as its opener makes it: owned by the editor or the
// launcher.
const QVector<Dialogo> &dialoghi()
{
    static const QVector<Dialogo> d{
        {"guida", "frmGuida"},
        {"info", "frmInfo"},
        {"splash", "frmSplash"},
        {"zoom", "frmZoom", false},
        {"allegati", "frmAllegaCartella"},
        {"slideshow", "frmSlideshow_Documenti"},
        {"da completare", "frmRiepDaCompletare"},
        {"esportazione", "frmExpDocumenti"},
        {"ricerca", "frmTrovaPagine"},
        {"anteprima", "frmAnteprimaPagina"},
        {"stampa", "frmStampaPagina"},
    };
    return d;
}

// The drawing rendered as disegnoRisorsa renders it when it has no twin.
QImage renderSvg(const QString &risorsa, const QSize &dimensione)
{
    QImage img(dimensione, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QSvgRenderer svg(risorsa);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

// Shows the window until it is on screen, then closes and destroys it.
void apriEChiudi(std::unique_ptr<QWidget> finestra)
{
    finestra->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
    finestra->close();
}

} // namespace

// Window pictures are drawn when a window first comes on screen, once per
// picture and size for the whole run: the dialog instances that start-up
// makes cost no drawing, and a dialog opened again draws nothing new.
class TestDisegni : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void finestreNascosteNonDisegnano();
    void secondaAperturaNonDisegna_data();
    void secondaAperturaNonDisegna();
    void gemelliUgualiAlDisegno_data();
    void gemelliUgualiAlDisegno();

private:
    std::unique_ptr<ProgrammaDiProva> m_programma;
    std::unique_ptr<RegistroMessaggi> m_messaggi;
};

void TestDisegni::initTestCase()
{
    m_messaggi = std::make_unique<RegistroMessaggi>();
    m_programma = std::make_unique<ProgrammaDiProva>();
}

void TestDisegni::cleanupTestCase()
{
    m_programma.reset();
    m_messaggi.reset();
}

// The window set is up and only the login window has been shown: showing the
// launcher and the editor now draws their pictures for the first time.
void TestDisegni::finestreNascosteNonDisegnano()
{
    for (QWidget *w : {static_cast<QWidget *>(frmAvvio()), static_cast<QWidget *>(frmDocumenti())}) {
        const int prima = disegniEseguiti();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY2(disegniEseguiti() > prima, qPrintable(w->objectName()));
        w->hide();
    }
}

void TestDisegni::secondaAperturaNonDisegna_data()
{
    QTest::addColumn<int>("indice");
    for (int i = 0; i < dialoghi().size(); ++i)
        QTest::newRow(dialoghi().at(i).nome) << i;
}

void TestDisegni::secondaAperturaNonDisegna()
{
    QFETCH(int, indice);
    const Dialogo &d = dialoghi().at(indice);

    const int prima = disegniEseguiti();
    std::unique_ptr<QWidget> nascosto(creaDialogo(QString::fromLatin1(d.istanza), frmDocumenti()));
    QCOMPARE(disegniEseguiti(), prima);
    nascosto.reset();

    apriEChiudi(std::unique_ptr<QWidget>(creaDialogo(QString::fromLatin1(d.istanza), frmDocumenti())));
    const int primaApertura = disegniEseguiti();
    if (d.disegni)
        QVERIFY(primaApertura > prima);
    apriEChiudi(std::unique_ptr<QWidget>(creaDialogo(QString::fromLatin1(d.istanza), frmDocumenti())));
    QCOMPARE(disegniEseguiti(), primaApertura);
}

// A drawing's twin stands for its render: an edit to the drawing not
// carried to its twin would show the old picture at 1x only.
void TestDisegni::gemelliUgualiAlDisegno_data()
{
    QTest::addColumn<QString>("disegno");
    // The login's logo has one, for the first paint of the program.
    QStringList disegni{QStringLiteral(":/access/logo_password.svg")};
    QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.argb")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString svg = it.next().chopped(5) + QStringLiteral(".svg");
        if (QFile::exists(svg) && !disegni.contains(svg))
            disegni << svg;
    }
    for (const QString &svg : disegni)
        QTest::newRow(qPrintable(svg)) << svg;
}

void TestDisegni::gemelliUgualiAlDisegno()
{
    QFETCH(QString, disegno);
    QFile gemello(disegno.chopped(4) + QStringLiteral(".argb"));
    QVERIFY(gemello.open(QIODevice::ReadOnly));
    char testa[8];
    QCOMPARE(gemello.read(testa, sizeof testa), qint64(sizeof testa));
    const QSize dimensione(qFromLittleEndian<quint32>(testa), qFromLittleEndian<quint32>(testa + 4));
    QCOMPARE(disegnoRisorsa(disegno, dimensione), renderSvg(disegno, dimensione));

    // At any other size, or on a background, the drawing is rendered.
    const QSize altra = dimensione * 3 / 2;
    QCOMPARE(disegnoRisorsa(disegno, altra), renderSvg(disegno, altra));
    QImage suSfondo = disegnoRisorsa(disegno, dimensione, 1.0, Qt::white);
    QCOMPARE(suSfondo.format(), QImage::Format_RGB32);
    QCOMPARE(suSfondo.pixelColor(0, 0), QColor(Qt::white));
}

QTEST_MAIN(TestDisegni)
#include "tst_disegni.moc"
