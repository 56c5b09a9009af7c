// The list report written to PDF and read back with poppler: title only on
// the first page, lines in order over the pages, closing bar after the last
// line, cut lines, brackets, and a second print with new lines and time.

#include "app/formati.h"
#include "search/reportriepilogo.h"

#include "support/pdf_supporto.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double kMargine = 10.0;
// From the printable area's top: title band 8 mm; the list band starts there.
constexpr double kAltoLista = kMargine + 8.0;
constexpr double kMmPerRiga = 12.822 / (96.0 / 25.4);

struct Stampato {
    QTemporaryDir cartella;
    QString pdf;
    TestoPdf testo;
};

std::unique_ptr<Stampato> stampa(Report &report, const QString &titolo, const QStringList &righe,
                                 const QDateTime &quando)
{
    auto s = std::make_unique<Stampato>();
    s->pdf = s->cartella.filePath(QStringLiteral("lista.pdf"));
    riempiReportRiepilogo(report, titolo, righe, quando);
    report.prepara();
    if (scriviPdf(report, s->pdf))
        s->testo = leggiPdf(s->pdf);
    return s;
}

QStringList righeNumerate(int quante, const QString &prefisso = QStringLiteral("riga"))
{
    QStringList righe;
    for (int i = 0; i < quante; ++i)
        righe.append(QStringLiteral("%1%2 Titolo della pagina  Autore  C-%2").arg(prefisso).arg(i, 3, 10, QLatin1Char('0')));
    return righe;
}

const QDateTime kQuando(QDate(2026, 3, 7), QTime(9, 5, 42));

} // namespace

class TestReportRiepilogo : public QObject
{
    Q_OBJECT

private slots:
    void listaVuota();
    void duecentoRighe();
    void rigaLungaTagliata();
    void parentesiStampate();
    void secondaStampa();
};

void TestReportRiepilogo::listaVuota()
{
    auto report = creaReportRiepilogo();
    const auto s = stampa(*report, QStringLiteral("Riepilogo pagine da completare"), {}, kQuando);
    QCOMPARE(s->testo.pagine, 1);
    QCOMPARE(s->testo.paroleDiPagina(0).join(QLatin1Char(' ')),
             QStringLiteral("Riepilogo pagine da completare Stampa eseguita in data ") + dataBreve(kQuando.date())
                 + QStringLiteral(" alle ore ") + oraLunga(kQuando.time()) + QStringLiteral(" Pagina 1 di 1"));

    // Landscape; the closing bar right under the empty band of 10 units.
    const QImage pagina = rendiPagina(s->pdf, 0, 100);
    QVERIFY(pagina.width() > pagina.height());
    const QRectF barra = areaDelColore(pagina, 100, QColor(0x70, 0x80, 0x90), QRectF(0, kAltoLista, 297, 100));
    const double altoBarra = kAltoLista + 10.0 * 25.4 / 96.0 + 2.0;
    QVERIFY2(qAbs(barra.top() - altoBarra) < 0.4, qPrintable(QString::number(barra.top())));
    QVERIFY(qAbs(barra.height() - 5.0) < 0.4);
    QVERIFY(qAbs(barra.left() - (kMargine + 3.0)) < 0.4);
    QVERIFY(qAbs(barra.width() - 272.0) < 0.4);
}

void TestReportRiepilogo::duecentoRighe()
{
    auto report = creaReportRiepilogo();
    const QStringList righe = righeNumerate(200);
    const auto s = stampa(*report, QStringLiteral("Riepilogo pagine in archivio"), righe, kQuando);
    QVERIFY(s->testo.pagine >= 3);

    // Title on page 1 only.
    const auto titolo = s->testo.trova(QStringLiteral("archivio"));
    QCOMPARE(titolo.size(), 1);
    QCOMPARE(titolo.first().pagina, 0);

    // Every line once, in order, each whole inside the printable area, one
    // pitch under the one before on the same page.
    ParolaPdf precedente{-1, QString(), QRectF()};
    for (int i = 0; i < righe.size(); ++i) {
        const auto trovate = s->testo.trova(righe.at(i).section(QLatin1Char(' '), 0, 0));
        QCOMPARE(trovate.size(), 1);
        const ParolaPdf &p = trovate.first();
        QVERIFY(p.pagina >= precedente.pagina);
        QVERIFY(p.box.top() >= kMargine && p.box.bottom() <= 210 - kMargine);
        QVERIFY(qAbs(p.box.left() - (kMargine + 3.0)) < 0.5);
        if (p.pagina == precedente.pagina)
            QVERIFY(qAbs(p.box.top() - precedente.box.top() - kMmPerRiga) < 0.05);
        else if (p.pagina > 0) // a continued page starts at the top
            QVERIFY(p.box.top() < kMargine + kMmPerRiga);
        else
            QVERIFY(p.box.top() > kAltoLista && p.box.top() < kAltoLista + kMmPerRiga);
        precedente = p;
    }
    QCOMPARE(precedente.pagina, s->testo.pagine - 1);

    // The closing bar once, on the last page, under the last line.
    const auto chiusura = s->testo.trova(QStringLiteral("eseguita"));
    QCOMPARE(chiusura.size(), 1);
    QCOMPARE(chiusura.first().pagina, s->testo.pagine - 1);
    QVERIFY(chiusura.first().box.top() > precedente.box.bottom());
    QVERIFY(chiusura.first().box.top() < precedente.box.bottom() + 8.0);
}

void TestReportRiepilogo::rigaLungaTagliata()
{
    QStringList parole;
    for (int i = 0; i < 80; ++i)
        parole.append(QStringLiteral("p%1").arg(i, 3, 10, QLatin1Char('0')));
    auto report = creaReportRiepilogo();
    const auto s = stampa(*report, QStringLiteral("Titolo"), {parole.join(QLatin1Char(' ')), QStringLiteral("seconda")},
                          kQuando);
    QCOMPARE(s->testo.pagine, 1);
    int viste = 0;
    double alto = -1;
    for (const ParolaPdf &p : s->testo.parole) {
        if (!p.testo.startsWith(QLatin1Char('p')) || p.testo.size() != 4)
            continue;
        ++viste;
        QVERIFY(p.box.left() < kMargine + 3.0 + 273.0);
        if (alto < 0)
            alto = p.box.top();
        QCOMPARE(p.box.top(), alto); // on one line, not wrapped
    }
    QVERIFY(viste > 20 && viste < 80);
    // The next line keeps its place.
    QCOMPARE(s->testo.trova(QStringLiteral("seconda")).size(), 1);
    QVERIFY(qAbs(s->testo.trova(QStringLiteral("seconda")).first().box.top() - alto - kMmPerRiga) < 0.05);
}

void TestReportRiepilogo::parentesiStampate()
{
    auto report = creaReportRiepilogo();
    const auto s = stampa(*report, QStringLiteral("[Titolo]"), {QStringLiteral("Lettera [DATE] [Page#]")}, kQuando);
    QCOMPARE(s->testo.trova(QStringLiteral("[Titolo]")).size(), 1);
    QCOMPARE(s->testo.trova(QStringLiteral("[DATE]")).size(), 1);
    QCOMPARE(s->testo.trova(QStringLiteral("[Page#]")).size(), 1);
}

void TestReportRiepilogo::secondaStampa()
{
    auto report = creaReportRiepilogo();
    const auto prima = stampa(*report, QStringLiteral("Titolo"), righeNumerate(120, QStringLiteral("prima")), kQuando);
    const QDateTime dopo = kQuando.addSecs(3 * 3600 + 17);
    const auto seconda = stampa(*report, QStringLiteral("Titolo"), righeNumerate(3, QStringLiteral("dopo")), dopo);

    QVERIFY(prima->testo.pagine > 1);
    QCOMPARE(seconda->testo.pagine, 1);
    const QString tutto = seconda->testo.paroleDiPagina(0).join(QLatin1Char(' '));
    QVERIFY(!tutto.contains(QLatin1String("prima")));
    QCOMPARE(seconda->testo.trova(QStringLiteral("dopo000")).size(), 1);
    QCOMPARE(seconda->testo.trova(QStringLiteral("dopo002")).size(), 1);
    QVERIFY(tutto.endsWith(QStringLiteral(" alle ore ") + oraLunga(dopo.time()) + QStringLiteral(" Pagina 1 di 1")));
    QVERIFY(oraLunga(dopo.time()) != oraLunga(kQuando.time()));
}

QTEST_MAIN(TestReportRiepilogo)
#include "tst_reportriepilogo.moc"
