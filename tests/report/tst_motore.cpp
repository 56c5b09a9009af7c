// The engine on small definitions of its own: finding objects, laying bands
// out over pages, and painting on a plain picture.

#include "report/report.h"

#include <QPaintEngine>
#include <QPainter>
#include <QTest>
#include <QTextItem>

namespace {

// A4 portrait with 10 mm margins: 1046.9 units of printable height. Title and
// footer bands of 100 units unless said; the data band holds a text box of
// 10-unit lines.
std::unique_ptr<Report> bande(int righe, double extraDati = 0, double altoTitolo = 100)
{
    auto r = std::make_unique<Report>(QStringLiteral("prova"));
    auto *p = r->aggiungiPagina(std::make_unique<PaginaReport>(QStringLiteral("Pagina"), QPageSize::A4,
                                                                QPageLayout::Portrait, QMarginsF(10, 10, 10, 10)));
    p->aggiungiBanda(QStringLiteral("Titolo"), TipoBanda::TitoloReport, altoTitolo)
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

// A page that keeps the texts painted on it, as the painter hands them to
// the engine after laying them out.
class FoglioTesti : public QPaintDevice
{
public:
    QStringList testi;

    QPaintEngine *paintEngine() const override { return &m_motore; }

protected:
    int metric(PaintDeviceMetric metrica) const override
    {
        switch (metrica) {
        case PdmWidth:
            return 2000;
        case PdmHeight:
            return 2000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 529;
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }

private:
    class Motore : public QPaintEngine
    {
    public:
        explicit Motore(FoglioTesti *foglio) : m_foglio(foglio) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawTextItem(const QPointF &, const QTextItem &testo) override { m_foglio->testi.append(testo.text()); }
        Type type() const override { return User; }

    private:
        FoglioTesti *m_foglio;
    };
    mutable Motore m_motore{this};
};

// A surrogate half alone: a character cut in two.
bool surrogatoSpaiato(const QString &testo)
{
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        if (c.isHighSurrogate() && !(i + 1 < testo.size() && testo.at(i + 1).isLowSurrogate()))
            return true;
        if (c.isLowSurrogate() && !(i > 0 && testo.at(i - 1).isHighSurrogate()))
            return true;
    }
    return false;
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
    void rigaTagliataAlBordo();
    void immagineNonOltre300Dpi_data();
    void immagineNonOltre300Dpi();
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
    QTest::addColumn<double>("titolo");
    QTest::addColumn<int>("attese");

    // Page 1 has 946.9 units after the title: 94 lines, or 84 and the
    // footer; later pages 104 lines.
    QTest::newRow("empty data band") << 0 << 0.0 << 100.0 << 1;
    QTest::newRow("footer still fits") << 84 << 0.0 << 100.0 << 1;
    QTest::newRow("footer moves on") << 85 << 0.0 << 100.0 << 2;
    QTest::newRow("first page full") << 94 << 0.0 << 100.0 << 2;
    QTest::newRow("one line over") << 95 << 0.0 << 100.0 << 2;
    QTest::newRow("three pages") << 94 + 104 + 1 << 0.0 << 100.0 << 3;
    QTest::newRow("band end past the last line") << 94 << 5.0 << 100.0 << 2;
    // A title leaving 15 units: room for exactly one line, which stays on
    // page 1; the other 94 and the footer fill page 2 to 1040 units.
    // Moved whole, page 2 would take 95 lines and push the footer on.
    QTest::newRow("room for exactly one line") << 95 << 0.0 << 1031.9 << 2;
}

void TestMotore::pagine()
{
    QFETCH(int, righe);
    QFETCH(double, extra);
    QFETCH(double, titolo);
    QFETCH(int, attese);
    auto r = bande(righe, extra, titolo);
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

// A left-aligned line wider than its box is cut where it leaves the box,
// never inside a character that takes two code units: at every width the
// painted text holds whole characters only, and is the line's beginning.
void TestMotore::rigaTagliataAlBordo()
{
    QString riga = QStringLiteral("ab");
    for (int i = 0; i < 30; ++i)
        riga += QString::fromUtf8("\xF0\x9D\x90\x80"); // U+1D400, a letter beyond the 16-bit range
    int tagliate = 0;
    for (int larghezza = 20; larghezza <= 120; larghezza += 3) {
        FoglioTesti foglio;
        CasellaTesto casella(QStringLiteral("t"), QRectF(0, 0, larghezza, 20), CasellaTesto::Aspetto(), riga);
        QPainter pittore(&foglio);
        casella.disegna(pittore, 0, 20);
        pittore.end();
        const QString dipinto = foglio.testi.join(QString());
        QVERIFY2(!surrogatoSpaiato(dipinto), qPrintable(QStringLiteral("larghezza %1").arg(larghezza)));
        QVERIFY(riga.startsWith(dipinto));
        if (dipinto.size() < riga.size())
            ++tagliate;
    }
    QVERIFY(tagliate > 10); // the widths do cut the line
}

// The picture is kept no finer than 300 dots per inch over its box (96
// units an inch): larger ones are scaled down keeping their proportions,
// smaller ones kept as they are.
void TestMotore::immagineNonOltre300Dpi_data()
{
    QTest::addColumn<QSizeF>("casella");
    QTest::addColumn<QSize>("immagine");
    QTest::addColumn<QSize>("tenuta");

    QTest::newRow("un pollice, 1000 x 500") << QSizeF(96, 96) << QSize(1000, 500) << QSize(300, 150);
    QTest::newRow("un pollice, 300 x 300 esatti") << QSizeF(96, 96) << QSize(300, 300) << QSize(300, 300);
    QTest::newRow("un pollice, 200 x 100") << QSizeF(96, 96) << QSize(200, 100) << QSize(200, 100);
    QTest::newRow("due pollici per uno, alta") << QSizeF(192, 96) << QSize(400, 1200) << QSize(100, 300);
    QTest::newRow("A4 a 600 dpi in 188 x 106 mm") << QSizeF(710.6, 400.6) << QSize(4960, 7016)
                                                 << QSize(885, 1252);
}

void TestMotore::immagineNonOltre300Dpi()
{
    QFETCH(QSizeF, casella);
    QFETCH(QSize, immagine);
    QFETCH(QSize, tenuta);
    QImage foto(immagine, QImage::Format_RGB32);
    foto.fill(Qt::darkGreen);
    CasellaImmagine c(QStringLiteral("img"), QRectF(QPointF(0, 0), casella));
    QVERIFY(c.impostaImmagine(foto));
    QCOMPARE(c.immagine().size(), tenuta);
}

QTEST_MAIN(TestMotore)
#include "tst_motore.moc"
