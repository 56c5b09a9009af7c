// The engine on small definitions of its own: finding objects, laying bands
// out over pages, and painting on a plain picture.

#include "report/report.h"

#include <QPainter>
#include <QTest>

namespace {

// A4 portrait with 10 mm margins: 1046.9 units of printable height. Title and
// footer bands of 100 units; the data band holds a text box of 10-unit lines.
std::unique_ptr<Report> bande(int righe, double extraDati = 0)
{
    auto r = std::make_unique<Report>(QStringLiteral("prova"));
    auto *p = r->aggiungiPagina(std::make_unique<PaginaReport>(QStringLiteral("Pagina"), QPageSize::A4,
                                                                QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)));
    p->aggiungiBanda(QStringLiteral("Titolo"), TipoBanda::TitoloReport, 100)
        ->aggiungi(std::make_unique<Rettangolo>(QStringLiteral("shpTitolo"), QRectF(0, 0, 50, 100), Qt::red, QColor()));
    auto *dati = p->aggiungiBanda(QStringLiteral("Dati"), TipoBanda::DatiPrincipali, righe * 10.0 + extraDati);
    CasellaTesto::Aspetto a;
    a.passoRiga = 10;
    auto *testo = dati->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("txtDati"), QRectF(0, 0, 300, righe * 10.0), a));
    for (int i = 0; i < righe; ++i)
        testo->aggiungiRiga(QString::number(i));
    p->aggiungiBanda(QStringLiteral("Piede"), TipoBanda::PiedeDati, 100);
    return r;
}

} // namespace

class TestMotore : public QObject
{
    Q_OBJECT

private slots:
    void trovaPerNome();
    void pagine_data();
    void pagine();
    void rigaPiuAltaDellaPagina();
    void disegnoSuImmagine();
};

void TestMotore::trovaPerNome()
{
    auto r = bande(3);
    QVERIFY(r->trova<Banda>(QStringLiteral("Dati")));
    QCOMPARE(r->trova<CasellaTesto>(QStringLiteral("txtDati"))->righe().size(), 3);
    QVERIFY(r->trova<Rettangolo>(QStringLiteral("shpTitolo")));
    QVERIFY(!r->trova<CasellaTesto>(QStringLiteral("shpTitolo"))); // wrong kind
    QVERIFY(!r->trovaOggetto(QStringLiteral("txtdati")));            // names are exact
    QVERIFY(r->trovaPagina(QStringLiteral("Pagina")));
}

void TestMotore::pagine_data()
{
    QTest::addColumn<int>("righe");
    QTest::addColumn<double>("extra");
    QTest::addColumn<int>("attese");

    // Page 1 has 946.9 units after the title: 94 lines, or 84 and the
    // footer; later pages 104 lines.
    QTest::newRow("empty data band") << 0 << 0.0 << 1;
    QTest::newRow("footer still fits") << 84 << 0.0 << 1;
    QTest::newRow("footer moves on") << 85 << 0.0 << 2;
    QTest::newRow("first page full") << 94 << 0.0 << 2;
    QTest::newRow("one line over") << 95 << 0.0 << 2;
    QTest::newRow("three pages") << 94 + 104 + 1 << 0.0 << 3;
    QTest::newRow("band end past the last line") << 94 << 5.0 << 2;
}

void TestMotore::pagine()
{
    QFETCH(int, righe);
    QFETCH(double, extra);
    QFETCH(int, attese);
    auto r = bande(righe, extra);
    r->prepara();
    QCOMPARE(r->numeroPagine(), attese);
    // Preparing again starts over.
    r->prepara();
    QCOMPARE(r->numeroPagine(), attese);
}

void TestMotore::rigaPiuAltaDellaPagina()
{
    auto r = std::make_unique<Report>(QStringLiteral("alta"));
    auto *p = r->aggiungiPagina(std::make_unique<PaginaReport>(QStringLiteral("P"), QPageSize::A4,
                                                                QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)));
    auto *dati = p->aggiungiBanda(QStringLiteral("Dati"), TipoBanda::DatiPrincipali, 3000);
    CasellaTesto::Aspetto a;
    a.passoRiga = 1500;
    auto *t = dati->aggiungi(std::make_unique<CasellaTesto>(QStringLiteral("t"), QRectF(0, 0, 100, 3000), a));
    t->aggiungiRighe({QStringLiteral("a"), QStringLiteral("b")});
    r->prepara();
    // No line fits a page of 1046.9 units: each is cut where its page ends
    // and goes on over the next one, [0, 1046.9] [.., 1500] [.., 2546.9]
    // [.., 3000], instead of waiting for a page that never comes.
    QCOMPARE(r->numeroPagine(), 4);
}

void TestMotore::disegnoSuImmagine()
{
    auto r = bande(0);
    r->prepara();
    // 2 pixels per unit: the title's red rectangle starts at the margin.
    const QSizeF carta = r->paginaDi(0).carta();
    QImage immagine((carta * 2).toSize(), QImage::Format_RGB32);
    immagine.fill(Qt::white);
    QPainter pittore(&immagine);
    r->disegnaPagina(0, pittore, QRectF(QPointF(0, 0), carta * 2));
    pittore.end();
    const int margine = qRound(mm(10) * 2);
    QCOMPARE(immagine.pixelColor(margine + 2, margine + 2), QColor(Qt::red));
    QCOMPARE(immagine.pixelColor(margine - 2, margine + 2), QColor(Qt::white));
    QCOMPARE(immagine.pixelColor(margine + 98, margine + 198), QColor(Qt::red));
    QCOMPARE(immagine.pixelColor(margine + 102, margine + 2), QColor(Qt::white));
}

QTEST_MAIN(TestMotore)
#include "tst_motore.moc"
