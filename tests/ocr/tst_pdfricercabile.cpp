#include "ocr/pdfricercabile.h"
#include "storage/fotopagina.h"

#include "support/pagine_supporto.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString voceInfo(const QString &info, const QString &voce)
{
    for (const QString &riga : info.split(QLatin1Char('\n')))
        if (riga.startsWith(voce + QLatin1Char(':')))
            return riga.mid(voce.size() + 1).trimmed();
    return {};
}

} // namespace

class TestPdfRicercabile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void esporta();
    void annullataNonLasciaNulla();
    void nessunaScansioneLeggibile();

private:
    QString cartella() const { return m_dir->path() + QLatin1Char('/'); }
    QVector<PaginaPdf> pagine();
    QList<QVariant> esegui(EsportazionePdf &e, bool annullaSubito = false);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPdfRicercabile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QVector<PaginaPdf> TestPdfRicercabile::pagine()
{
    const QStringList animali = {QStringLiteral("pellicano"), QStringLiteral("tartaruga"),
                                 QStringLiteral("scoiattolo")};
    const QStringList titoli = {QStringLiteral("Prima pagina"), QStringLiteral("Pagina d'estate: è così"),
                                QStringLiteral("Terza")};
    QVector<PaginaPdf> p;
    for (int n = 1; n <= 3; ++n) {
        const QString scansione = percorsoFotoPagina(cartella(), QStringLiteral("Bestiario"), QString::number(n));
        scriviFileFoto(cartella(), scansione,
                       paginaStampata({QStringLiteral("Capitolo %1").arg(n),
                                       QStringLiteral("Qui si racconta di un %1 curioso.").arg(animali.at(n - 1))}));
        p.append({scansione, titoli.at(n - 1)});
    }
    return p;
}

QList<QVariant> TestPdfRicercabile::esegui(EsportazionePdf &e, bool annullaSubito)
{
    QSignalSpy fine(&e, &EsportazionePdf::finita);
    if (annullaSubito)
        connect(&e, &EsportazionePdf::avanzamento, &e, &EsportazionePdf::annulla);
    e.avvia();
    return fine.wait(120000) ? fine.first() : QList<QVariant>{};
}

void TestPdfRicercabile::esporta()
{
    const QString destinazione = cartella() + QStringLiteral("Bestiario.pdf");
    EsportazionePdf e(pagine(), QStringLiteral("Bestiario"), destinazione);
    QSignalSpy passi(&e, &EsportazionePdf::avanzamento);
    const QList<QVariant> fine = esegui(e);
    QCOMPARE(fine.value(0).toBool(), true);
    QCOMPARE(fine.value(1).toString(), QString());
    QCOMPARE(passi.size(), 3);
    QCOMPARE(passi.last().value(0).toInt(), 3);

    const QString info = ::esegui(QStringLiteral("pdfinfo"), {destinazione});
    QCOMPARE(voceInfo(info, QStringLiteral("Pages")), QStringLiteral("3"));
    QCOMPARE(voceInfo(info, QStringLiteral("Title")), QStringLiteral("Bestiario"));

    // The invisible text of each page, where a viewer finds it.
    for (int n = 1; n <= 3; ++n) {
        const QString testo = ::esegui(QStringLiteral("pdftotext"),
                                       {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"),
                                        QString::number(n), destinazione, QStringLiteral("-")});
        const QString animale = QStringList{"pellicano", "tartaruga", "scoiattolo"}.at(n - 1);
        QVERIFY2(testo.contains(animale), qPrintable(testo));
    }

    // One bookmark per page, named by its title, in page order.
    const QString xml = ::esegui(QStringLiteral("pdftohtml"),
                                 {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-stdout"),
                                  QStringLiteral("-q"), destinazione});
    const int schema = int(xml.indexOf(QStringLiteral("<outline>")));
    QVERIFY2(schema >= 0, qPrintable(xml.left(2000)));
    const QString voci = xml.mid(schema);
    int dove = 0;
    for (const QString &v : {QStringLiteral(">Prima pagina</item>"),
                             QStringLiteral(">Pagina d'estate: è così</item>"),
                             QStringLiteral(">Terza</item>")}) {
        const int trovata = int(voci.indexOf(v, dove));
        QVERIFY2(trovata > dove, qPrintable(voci));
        dove = trovata;
    }
    QCOMPARE(QDir(cartella()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Bestiario.pdf")});
}

void TestPdfRicercabile::annullataNonLasciaNulla()
{
    const QString destinazione = cartella() + QStringLiteral("Bestiario.pdf");
    // A file of that name already there is left as it was.
    QFile gia(destinazione);
    QVERIFY(gia.open(QIODevice::WriteOnly));
    gia.write("precedente");
    gia.close();
    EsportazionePdf e(pagine(), QStringLiteral("Bestiario"), destinazione);
    const QList<QVariant> fine = esegui(e, true);
    QCOMPARE(fine.value(0).toBool(), false);
    QCOMPARE(fine.value(1).toString(), QString());
    QVERIFY(gia.open(QIODevice::ReadOnly));
    QCOMPARE(gia.readAll(), QByteArray("precedente"));
    QCOMPARE(QDir(cartella()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Bestiario.pdf")});
}

void TestPdfRicercabile::nessunaScansioneLeggibile()
{
    const QString destinazione = cartella() + QStringLiteral("Vuoto.pdf");
    EsportazionePdf e({{cartella() + QStringLiteral("manca.jpg"), QStringLiteral("Uno")}}, QStringLiteral("Vuoto"),
                      destinazione);
    const QList<QVariant> fine = esegui(e);
    QCOMPARE(fine.value(0).toBool(), false);
    QCOMPARE(fine.value(1).toString(), kMessaggioPdfSenzaPagine);
    QVERIFY(QDir(cartella()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestPdfRicercabile)
#include "tst_pdfricercabile.moc"
