// The engine's own PDF writer against the toolkit's, on the two reports the
// program prints: the same pages to the eye and the same words in the same
// places for a reader, and a file that a failed write leaves unfinished.

#include "output/reportdocumento.h"
#include "report/report.h"
#include "search/reportriepilogo.h"

#include "support/pdf_supporto.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

std::unique_ptr<Report> lista()
{
    auto r = creaReportRiepilogo();
    QStringList righe;
    for (int i = 0; i < 130; ++i)
        righe << QStringLiteral("Lettera %1 (copia) a\\b [x] àèìòù ÀÉ € “virgolette” — %2 ").arg(i).arg(QString(i % 9 * 30, QLatin1Char('x')));
    riempiReportRiepilogo(*r, QStringLiteral("Riepilogo pagine in archivio"), righe,
                          QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)), QStringLiteral("Archivio è"));
    r->prepara();
    return r;
}

std::unique_ptr<Report> foglio()
{
    auto r = creaReportDocumento();
    ValoriFoglio v;
    v.nome = QStringLiteral("Archivio di prova");
    v.titolo = QStringLiteral("Una lettera al fratello, più lunga di quanto la casella ne possa mostrare per intero");
    for (int i = 0; i < 20; ++i)
        v.campi.insert(QLatin1String(kCaselleDocumento[i]), QStringLiteral("Valore %1 è (così)").arg(i));
    QImage foto(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < foto.height(); ++y)
        for (int x = 0; x < foto.width(); ++x)
            foto.setPixel(x, y, qRgb(x * 255 / 300, y * 255 / 200, (x + y) % 256));
    v.foto = foto;
    riempiReportDocumento(*r, v);
    r->prepara();
    return r;
}

bool scriviNostro(const Report &r, const QString &percorso)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    return r.scriviPdf(f, Report::OpzioniPdf{1200, QStringLiteral("Prova"), QString()});
}

bool scriviToolkit(const Report &r, const QString &percorso)
{
    QPdfWriter pdf(percorso);
    pdf.setResolution(1200);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    return r.stampaSu(pdf);
}

// The share of pixels of a with no pixel of nearly the same grey at most
// one pixel away in b: text placed a fraction of a pixel apart is shaded
// differently at its edges, and that is no difference to the eye.
double diversi(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 1;
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage y = b.convertToFormat(QImage::Format_Grayscale8);
    qint64 n = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            bool vicino = false;
            for (int dr = -1; dr <= 1 && !vicino; ++dr)
                for (int dc = -1; dc <= 1 && !vicino; ++dc) {
                    const int rr = r + dr, cc = c + dc;
                    if (rr >= 0 && cc >= 0 && rr < y.height() && cc < y.width())
                        vicino = std::abs(x.constScanLine(r)[c] - y.constScanLine(rr)[cc]) <= 85;
                }
            if (!vicino)
                ++n;
        }
    return double(n) / (qint64(x.width()) * x.height());
}

} // namespace

class TestScrittorePdf : public QObject
{
    Q_OBJECT

private slots:
    void comeIlToolkit_data();
    void comeIlToolkit();
    void scritturaRifiutata();
};

void TestScrittorePdf::comeIlToolkit_data()
{
    QTest::addColumn<bool>("elenco");
    QTest::newRow("list of several pages") << true;
    QTest::newRow("sheet with its picture") << false;
}

void TestScrittorePdf::comeIlToolkit()
{
    QFETCH(bool, elenco);
    const auto report = elenco ? lista() : foglio();
    QTemporaryDir cartella;
    const QString nostro = cartella.filePath(QStringLiteral("nostro.pdf"));
    const QString toolkit = cartella.filePath(QStringLiteral("toolkit.pdf"));
    QVERIFY(scriviNostro(*report, nostro));
    QVERIFY(scriviToolkit(*report, toolkit));

    const TestoPdf a = leggiPdf(nostro);
    const TestoPdf b = leggiPdf(toolkit);
    QCOMPARE(a.pagine, report->numeroPagine());
    QCOMPARE(a.pagine, b.pagine);
    QCOMPARE(a.parole.size(), b.parole.size());
    for (int i = 0; i < a.parole.size(); ++i) {
        const ParolaPdf &p = a.parole.at(i);
        const ParolaPdf &q = b.parole.at(i);
        QCOMPARE(p.testo, q.testo);
        QCOMPARE(p.pagina, q.pagina);
        // Where each word starts and ends, to a tenth of a millimetre.
        QVERIFY2(std::abs(p.box.left() - q.box.left()) < 0.1 && std::abs(p.box.right() - q.box.right()) < 0.1 &&
                     std::abs(p.box.bottom() - q.box.bottom()) < 0.1,
                 qPrintable(QStringLiteral("%1 on page %2").arg(p.testo).arg(p.pagina)));
    }

    for (int pagina = 0; pagina < a.pagine; ++pagina) {
        const QImage x = rendiPagina(nostro, pagina, 100);
        const QImage y = rendiPagina(toolkit, pagina, 100);
        QVERIFY(!x.isNull() && !y.isNull());
        const double d = std::max(diversi(x, y), diversi(y, x));
        QVERIFY2(d < 0.0005, qPrintable(QStringLiteral("page %1: %2 % of the pixels differ").arg(pagina).arg(d * 100)));
    }
}

// A device that takes a few kilobytes and then refuses: the writer says so.
void TestScrittorePdf::scritturaRifiutata()
{
    class Piccolo : public QBuffer
    {
    protected:
        qint64 writeData(const char *dati, qint64 quanti) override
        {
            if (pos() + quanti > 4096)
                return -1;
            return QBuffer::writeData(dati, quanti);
        }
    };
    Piccolo piccolo;
    piccolo.open(QIODevice::WriteOnly);
    QVERIFY(!lista()->scriviPdf(piccolo, Report::OpzioniPdf{}));
    QBuffer grande;
    grande.open(QIODevice::WriteOnly);
    QVERIFY(lista()->scriviPdf(grande, Report::OpzioniPdf{}));
    QVERIFY(grande.data().startsWith("%PDF-1.4"));
    QVERIFY(grande.data().endsWith("%%EOF\n"));
}

QTEST_MAIN(TestScrittorePdf)
#include "tst_scrittorepdf.moc"
