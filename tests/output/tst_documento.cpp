// The page sheet written to PDF and read back with poppler: where its texts
// stand, what is cut, and how the scan sits in its box.

#include "output/reportdocumento.h"

#include "support/immagini_supporto.h"
#include "support/pdf_supporto.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// Paper corner to printable area.
constexpr double kMargine = 10.0;

struct Stampato {
    QTemporaryDir cartella;
    QString pdf;
    TestoPdf testo;
};

// Fills a fresh sheet, prepares it and prints it to a PDF read back at once.
std::unique_ptr<Stampato> stampa(const ValoriFoglio &valori)
{
    auto s = std::make_unique<Stampato>();
    s->pdf = s->cartella.filePath(QStringLiteral("foglio.pdf"));
    auto report = creaReportDocumento();
    riempiReportDocumento(*report, valori);
    report->prepara();
    if (scriviPdf(*report, s->pdf))
        s->testo = leggiPdf(s->pdf);
    return s;
}

// Every value box gets a word of its own, wrapped in blanks that must not
// reach the sheet.
ValoriFoglio valoriRiconoscibili()
{
    ValoriFoglio v;
    v.nome = QStringLiteral("  Archivio ");
    v.titolo = QStringLiteral(" Titolodiprova  ");
    for (int i = 0; i < 20; ++i)
        v.campi.insert(QString::fromLatin1(kCaselleDocumento[i]), QStringLiteral("   V%1 ").arg(i, 2, 10, QLatin1Char('0')));
    return v;
}

} // namespace

class TestDocumento : public QObject
{
    Q_OBJECT

private slots:
    void testiNelleCaselle_data();
    void testiNelleCaselle();
    void valoreLungoTagliato();
    void titoloLungoDalPrincipio();
    void parentesiStampate();
    void fotoAdattata_data();
    void fotoAdattata();
    void unaSolaPaginaVerticale();
};

void TestDocumento::testiNelleCaselle_data()
{
    // Word, then its text box in millimetres from the printable area, and
    // whether it is centred in it.
    QTest::addColumn<QString>("parola");
    QTest::addColumn<QRectF>("casella");
    QTest::addColumn<bool>("centrata");

    QTest::newRow("txtNome") << "Archivio" << QRectF(1.0, 0.5, 188.0, 4.0) << false;
    QTest::newRow("txtTitolo") << "Titolodiprova" << QRectF(2.0, 6.2, 186.0, 6.0) << true;
    const struct {
        const char *casella;
        double alto, sinistra, larghezza;
        const char *didascalia;
    } blocchi[] = {
        // In filling order; the caption's first word.
        {"txtCodice", 125, 96, 93, "CODICE"},        {"txtAutore", 125, 1, 93, "AUTORE"},
        {"txtCreazione", 139, 1, 44, "DATA"},        {"txtModifica", 139, 47, 47, "ULTIMA"},
        {"txtTipologia", 139, 96, 93, "TIPOLOGIA"},  {"txtPagNum", 167, 1, 93, "PAGINA"},
        {"txtRigheNum", 181, 1, 93, "NUMERO"},       {"txtCarta", 153, 1, 93, "CARTA"},
        {"txtCarattere", 153, 96, 93, "CARATTERE"},  {"txtLingua", 167, 96, 93, "LINGUA"},
        {"txtDescrizione", 223, 1, 188, "DESCRIZIONE"}, {"txtIncipit", 237, 1, 188, "INCIPIT"},
        {"txtParole", 209, 96, 93, "PAROLE"},        {"txtIllustrazioni", 181, 96, 93, "ILLUSTRAZIONI"},
        {"txtAnnotazioni", 251, 1, 93, "ANNOTAZIONI"}, {"txtFormato", 195, 96, 93, "FORMATO"},
        {"txtStato", 195, 1, 93, "STATO"},           {"txtCollocazione", 209, 1, 93, "COLLOCAZIONE"},
        {"txtGiudizio", 251, 96, 93, "GIUDIZIO"},    {"txtNote", 265, 1, 188, "NOTE"},
    };
    int i = 0;
    for (const auto &b : blocchi) {
        QTest::newRow(b.casella) << QStringLiteral("V%1").arg(i++, 2, 10, QLatin1Char('0'))
                                 << QRectF(b.sinistra + 1, b.alto + 5, b.larghezza - 2, 6.0) << false;
        QTest::newRow(qPrintable(QStringLiteral("caption of %1").arg(QString::fromLatin1(b.casella))))
            << QString::fromLatin1(b.didascalia) << QRectF(b.sinistra + 1, b.alto, b.larghezza - 2, 4.8) << false;
    }
}

void TestDocumento::testiNelleCaselle()
{
    QFETCH(QString, parola);
    QFETCH(QRectF, casella);
    QFETCH(bool, centrata);
    static const auto stampato = stampa(valoriRiconoscibili());
    QCOMPARE(stampato->testo.pagine, 1);

    // Captions share words ("PAGINA"): the one standing in this box counts.
    const QRectF atteso = casella.translated(kMargine, kMargine);
    QList<ParolaPdf> trovate;
    for (const ParolaPdf &p : stampato->testo.trova(parola))
        if (atteso.adjusted(-1, -1, 1, 1).contains(p.box.center()))
            trovate.append(p);
    QCOMPARE(trovate.size(), 1);
    const QRectF box = trovate.first().box;
    // The glyphs stand inside the box, vertically centred in it.
    QVERIFY2(atteso.adjusted(-0.3, -0.3, 0.3, 0.3).contains(box),
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(box.left()).arg(box.top()).arg(box.width()).arg(box.height())));
    QVERIFY(qAbs(box.center().y() - atteso.center().y()) < 0.8);
    if (centrata)
        QVERIFY(qAbs(box.center().x() - atteso.center().x()) < 0.5);
    else // left-aligned, and the blanks typed before it are gone
        QVERIFY(box.left() - atteso.left() < 0.6);
}

void TestDocumento::valoreLungoTagliato()
{
    ValoriFoglio v;
    QStringList parole;
    for (int i = 0; i < 60; ++i)
        parole.append(QStringLiteral("parola%1").arg(i, 2, 10, QLatin1Char('0')));
    v.campi.insert(QStringLiteral("txtCreazione"), parole.join(QLatin1Char(' ')));
    const auto stampato = stampa(v);

    const QRectF casella = QRectF(2.0, 144.0, 42.0, 6.0).translated(kMargine, kMargine);
    QStringList viste;
    for (const ParolaPdf &p : stampato->testo.parole) {
        if (!p.testo.startsWith(QLatin1String("parola")))
            continue;
        viste.append(p.testo);
        // One line, nothing drawn past the right edge (a cut glyph may still
        // report its whole width, hence the small allowance).
        QVERIFY(qAbs(p.box.center().y() - casella.center().y()) < 0.8);
        QVERIFY2(p.box.left() < casella.right(), qPrintable(p.testo));
    }
    QVERIFY(viste.size() >= 3);
    QVERIFY(viste.size() < 10);
    QCOMPARE(viste.first(), QStringLiteral("parola00"));
}

// A centred title wider than its bar would lose its beginning, the part that
// names the page: it starts at the bar's left edge instead, whole, and only
// its end is cut.
void TestDocumento::titoloLungoDalPrincipio()
{
    QStringList parole;
    for (int i = 1; i <= 14; ++i)
        parole.append(QStringLiteral("Parte%1").arg(i, 3, 10, QLatin1Char('0')));
    ValoriFoglio v;
    v.titolo = parole.join(QLatin1Char(' ')).left(120);
    QCOMPARE(v.titolo.size(), 120);
    const auto stampato = stampa(v);

    const QRectF casella = QRectF(2.0, 6.2, 186.0, 6.0).translated(kMargine, kMargine);
    const QList<ParolaPdf> prima = stampato->testo.trova(QStringLiteral("Parte001"));
    QCOMPARE(prima.size(), 1);
    const QRectF box = prima.first().box;
    QVERIFY2(box.left() >= casella.left() - 0.3 && box.left() - casella.left() < 0.6,
             qPrintable(QString::number(box.left())));
    QVERIFY(qAbs(box.center().y() - casella.center().y()) < 0.8);
    QCOMPARE(stampato->testo.trova(QStringLiteral("Parte002")).size(), 1);
    for (const ParolaPdf &p : stampato->testo.parole)
        if (p.testo.startsWith(QLatin1String("Parte")))
            QVERIFY2(p.box.left() < casella.right(), qPrintable(p.testo));
}

void TestDocumento::parentesiStampate()
{
    ValoriFoglio v;
    v.titolo = QStringLiteral("[DATE]");
    v.campi.insert(QStringLiteral("txtNote"), QStringLiteral("vedi [Page#] e [txtTitolo]"));
    const auto stampato = stampa(v);
    QCOMPARE(stampato->testo.trova(QStringLiteral("[DATE]")).size(), 1);
    QCOMPARE(stampato->testo.trova(QStringLiteral("[Page#]")).size(), 1);
    QCOMPARE(stampato->testo.trova(QStringLiteral("[txtTitolo]")).size(), 1);
}

void TestDocumento::fotoAdattata_data()
{
    QTest::addColumn<QSize>("dimensione");
    QTest::addColumn<QRectF>("attesa");   // in millimetres from the paper's corner

    // The box is 188 x 106 mm at (11, 26).
    QTest::newRow("wide: full width, centred vertically")
        << QSize(4000, 400) << QRectF(11.0, 26.0 + (106.0 - 18.8) / 2, 188.0, 18.8);
    QTest::newRow("tall: full height, centred horizontally")
        << QSize(300, 3000) << QRectF(11.0 + (188.0 - 10.6) / 2, 26.0, 10.6, 106.0);
    QTest::newRow("small: enlarged to the height")
        << QSize(40, 30) << QRectF(11.0 + (188.0 - 106.0 * 4 / 3) / 2, 26.0, 106.0 * 4 / 3, 106.0);
    QTest::newRow("huge: scaled once, then fitted")
        << QSize(12000, 9000) << QRectF(11.0 + (188.0 - 106.0 * 4 / 3) / 2, 26.0, 106.0 * 4 / 3, 106.0);
}

void TestDocumento::fotoAdattata()
{
    QFETCH(QSize, dimensione);
    QFETCH(QRectF, attesa);
    ValoriFoglio v;
    const QColor rosso(220, 20, 20);
    v.foto = tinta(dimensione, rosso);
    QVERIFY(!v.foto.isNull());
    const auto stampato = stampa(v);

    const int dpi = 100;
    const QImage pagina = rendiPagina(stampato->pdf, 0, dpi);
    QVERIFY(!pagina.isNull());
    const QRectF vista = areaDelColore(pagina, dpi, rosso, QRectF(0, 0, 210, 297));
    const double tolleranza = 0.6;
    QVERIFY2(qAbs(vista.left() - attesa.left()) < tolleranza && qAbs(vista.right() - attesa.right()) < tolleranza
                 && qAbs(vista.top() - attesa.top()) < tolleranza
                 && qAbs(vista.bottom() - attesa.bottom()) < tolleranza,
             qPrintable(QStringLiteral("%1,%2 %3x%4").arg(vista.left()).arg(vista.top()).arg(vista.width()).arg(vista.height())));
}

void TestDocumento::unaSolaPaginaVerticale()
{
    auto report = creaReportDocumento();
    report->pagine().front()->impostaOrientamento(QPageLayout::Landscape);
    ValoriFoglio v;
    riempiReportDocumento(*report, v);
    report->prepara();
    report->prepara();
    QCOMPARE(report->numeroPagine(), 1);
    QTemporaryDir cartella;
    const QString pdf = cartella.filePath(QStringLiteral("f.pdf"));
    QVERIFY(scriviPdf(*report, pdf));
    const QImage pagina = rendiPagina(pdf, 0, 20);
    QVERIFY(pagina.height() > pagina.width());
    // The definition's placeholders are replaced even by empty values.
    QVERIFY(leggiPdf(pdf).trova(QStringLiteral("TITOLO")).isEmpty());
    QVERIFY(leggiPdf(pdf).trova(QStringLiteral("ARCHIVIO")).isEmpty());
}

QTEST_MAIN(TestDocumento)
#include "tst_documento.moc"
