#include "app/versione.h"
#include "home/manuale.h"
#include "home/testiguida.h"

#include "support/immagini_supporto.h"

#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Words as a reader sees them: line breaks, hyphen-free wrapping and
// justified spacing all become one blank.
QString parole(const QString &testo)
{
    return testo.simplified();
}

QString testoPagine(const QString &pdf, int prima = 0, int ultima = 0)
{
    QStringList argomenti;
    if (prima > 0)
        argomenti << QStringLiteral("-f") << QString::number(prima) << QStringLiteral("-l") << QString::number(ultima);
    argomenti << QStringLiteral("-enc") << QStringLiteral("UTF-8") << pdf << QStringLiteral("-");
    return esegui(QStringLiteral("pdftotext"), argomenti);
}

int pagine(const QString &pdf)
{
    const QRegularExpression r(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    return r.match(esegui(QStringLiteral("pdfinfo"), {pdf})).captured(1).toInt();
}

} // namespace

class TestManuale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void testiEIndice_data();
    void testiEIndice();
    void figureDelProgramma();
    void figure();
    void percorsoNonScrivibile();

private:
    QTemporaryDir m_dir;
};

void TestManuale::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(), "poppler-utils missing");
}

void TestManuale::testiEIndice_data()
{
    QTest::addColumn<QString>("pdf");
    const QString scritto = m_dir.filePath(QStringLiteral("Guida.pdf"));
    QVERIFY(scriviManuale(scritto, {}));
    QTest::newRow("senza figure") << scritto;
    QTest::newRow("consegnato nella cartella del programma") << QStringLiteral(VELMORA_GUIDA_PDF);
}

// Every topic's title and every paragraph can be found in the manual as
// text, both wordings of the export paragraph included; the contents page
// sends each chapter to the page where it really starts.
void TestManuale::testiEIndice()
{
    QFETCH(QString, pdf);
    QVERIFY2(QFileInfo(pdf).isFile(), qPrintable(pdf));

    const QString info = esegui(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression titolo(QStringLiteral("^Title:\\s+(.*)$"), QRegularExpression::MultilineOption);
    QCOMPARE(titolo.match(info).captured(1), kTitoloManuale);
    const int totale = pagine(pdf);
    QVERIFY(totale > 3);
    // The cover says the program's version.
    QVERIFY(parole(testoPagine(pdf, 1, 1)).contains(QStringLiteral("Versione %1").arg(QLatin1String(kVersione))));

    const QString tutto = parole(testoPagine(pdf));
    for (ArgomentoGuida a : {ArgomentoGuida::Avvio, ArgomentoGuida::CreaCatalogo, ArgomentoGuida::ApriCatalogo,
                             ArgomentoGuida::Documenti, ArgomentoGuida::Esportazione}) {
        const TestoGuida t = testoGuida(a);
        QVERIFY2(tutto.contains(t.titolo), qPrintable(t.titolo));
        for (const QString &p : t.paragrafi)
            QVERIFY2(tutto.contains(parole(p)), qPrintable(p));
    }

    const QString indice = parole(testoPagine(pdf, 2, 2));
    QVERIFY(indice.startsWith(QStringLiteral("Indice")));
    int numero = 0;
    int inizioPrecedente = 2;
    for (ArgomentoGuida a : capitoliGuida()) {
        ++numero;
        const QString titolo = testoGuida(a).titolo;
        const QRegularExpression voce(QStringLiteral("%1\\. %2 (\\d+)")
                                          .arg(numero)
                                          .arg(QRegularExpression::escape(titolo)));
        const QRegularExpressionMatch m = voce.match(indice);
        QVERIFY2(m.hasMatch(), qPrintable(indice));
        const int inizio = m.captured(1).toInt();
        QVERIFY(inizio > inizioPrecedente && inizio <= totale);
        const QString pagina = parole(testoPagine(pdf, inizio, inizio));
        QVERIFY2(pagina.startsWith(QStringLiteral("Capitolo %1 %2").arg(numero).arg(titolo)), qPrintable(pagina));
        inizioPrecedente = inizio;
    }
}

// Pictures sit in their chapter with a numbered caption, and take room: a
// chapter with a picture ends later than the same chapter without.
void TestManuale::figure()
{
    const QString senza = m_dir.filePath(QStringLiteral("senza.pdf"));
    const QString con = m_dir.filePath(QStringLiteral("con.pdf"));
    QVERIFY(scriviManuale(senza, {}));
    FigureManuale figure;
    figure[ArgomentoGuida::Documenti] = {{tinta(QSize(1016, 713), Qt::darkCyan), QStringLiteral("La gestione delle pagine"), 1},
                                         {tinta(QSize(600, 400), Qt::darkRed), QStringLiteral("Un'altra finestra"), 4}};
    figure[ArgomentoGuida::Esportazione] = {{tinta(QSize(862, 560), Qt::darkGreen), QStringLiteral("L'esportazione"), 0}};
    QVERIFY(scriviManuale(con, figure));
    QVERIFY(pagine(con) > pagine(senza));

    const QString testo = parole(testoPagine(con));
    const int prima = testo.indexOf(QStringLiteral("Figura 1 - La gestione delle pagine"));
    const int seconda = testo.indexOf(QStringLiteral("Figura 2 - Un'altra finestra"));
    const int terza = testo.indexOf(QStringLiteral("Figura 3 - L'esportazione"));
    QVERIFY(prima > 0 && seconda > prima && terza > seconda);
    // The first picture follows the editor chapter's first paragraph and
    // comes before its second.
    const QStringList editor = testoGuida(ArgomentoGuida::Documenti).paragrafi;
    const int capitolo = testo.indexOf(QStringLiteral("Capitolo 3 Gestione pagine documento"));
    QVERIFY(capitolo > 0);
    QVERIFY(testo.indexOf(parole(editor.at(0)), capitolo) < prima);
    QVERIFY(testo.indexOf(parole(editor.at(1)), capitolo) > prima);
}

// The manual the build delivers shows the program's own windows, each
// picture with its caption.
void TestManuale::figureDelProgramma()
{
    const QString pdf = QStringLiteral(VELMORA_GUIDA_PDF);
    const QStringList immagini = esegui(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                     .split(u'\n', Qt::SkipEmptyParts)
                                     .mid(2);
    QVERIFY2(immagini.size() >= 7, qPrintable(immagini.join(u'\n')));
    for (const QString &riga : immagini) {
        // page num type width height ...: every picture is a window, wider
        // than a few hundred pixels.
        const QStringList campi = riga.simplified().split(u' ');
        QVERIFY2(campi.size() > 4 && campi.at(3).toInt() >= 380, qPrintable(riga));
    }
    const QString testo = parole(testoPagine(pdf));
    for (const char *didascalia : {"La schermata di partenza", "La finestra di accesso",
                                   "La creazione di un nuovo documento", "L'apertura di un documento esistente",
                                   "La gestione delle pagine del documento",
                                   "Lo Slide Show delle pagine scansionate",
                                   "La griglia dei dati da esportare"})
        QVERIFY2(testo.contains(QString::fromUtf8(didascalia)), didascalia);
}

void TestManuale::percorsoNonScrivibile()
{
    QVERIFY(!scriviManuale(m_dir.filePath(QStringLiteral("manca/Guida.pdf")), {}));
}

QTEST_MAIN(TestManuale)
#include "tst_manuale.moc"
