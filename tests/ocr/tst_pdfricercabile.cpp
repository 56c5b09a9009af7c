#include "ocr/pdfricercabile.h"
#include "storage/fotopagina.h"

#include "support/disco_supporto.h"
#include "support/fifo_supporto.h"
#include "support/immagini_supporto.h"
#include "support/pagine_supporto.h"
#include "support/pdf_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/inotify.h>
#include <unistd.h>

namespace {

const QStringList kAnimali = {QStringLiteral("pellicano"), QStringLiteral("tartaruga"), QStringLiteral("scoiattolo")};
const QStringList kPiante = {QStringLiteral("girasole"), QStringLiteral("mirtillo")};

// What stands in a page's scan instead of a plain, sound JPEG.
enum class Difficile { Fifo, Troncata, Cmyk };

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

QString testoPagina(const QString &pdf, int n)
{
    return esegui(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n), pdf, QStringLiteral("-")});
}

// The pages of a PDF as poppler counts them; -1 when poppler cannot read it.
int paginePdf(const QString &pdf)
{
    bool ok = false;
    const int n = voceInfo(esegui(QStringLiteral("pdfinfo"), {pdf}), QStringLiteral("Pages")).toInt(&ok);
    return ok ? n : -1;
}

} // namespace

Q_DECLARE_METATYPE(Difficile)

class TestPdfRicercabile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void esporta();
    void annullataNonLasciaNulla();
    void nessunaScansioneLeggibile();
    void paginaDifficile_data();
    void paginaDifficile();
    void collegamentoPiantato_data();
    void collegamentoPiantato();
    void dueEsportazioniInsieme();
    void scansioneLettaUnaVolta();
    void fileNonScritto_data();
    void fileNonScritto();

private:
    QString cartella() const { return m_dir->path() + QLatin1Char('/'); }
    QVector<PaginaPdf> pagine();
    // Page n of the archive reads "Capitolo n" and a sentence on its word;
    // its bookmark is "Pagina n".
    QVector<PaginaPdf> pagine(const QString &archivio, const QStringList &parole);
    QList<QVariant> esegui(EsportazionePdf &e, bool annullaSubito = false);
    // The whole text of a PDF holds each word of the archive on its page,
    // and nothing else's.
    void verificaTesto(const QString &pdf, const QStringList &parole, const QStringList &altre);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestPdfRicercabile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

QVector<PaginaPdf> TestPdfRicercabile::pagine()
{
    const QStringList titoli = {QStringLiteral("Prima pagina"), QStringLiteral("Pagina d'estate: è così"),
                                QStringLiteral("Terza")};
    QVector<PaginaPdf> p = pagine(QStringLiteral("Bestiario"), kAnimali);
    for (int n = 0; n < p.size(); ++n)
        p[n].titolo = titoli.at(n);
    return p;
}

QVector<PaginaPdf> TestPdfRicercabile::pagine(const QString &archivio, const QStringList &parole)
{
    QVector<PaginaPdf> p;
    for (int n = 1; n <= parole.size(); ++n) {
        const QString scansione = percorsoFotoPagina(cartella(), archivio, QString::number(n));
        scriviFileFoto(cartella(), scansione,
                       paginaStampata({QStringLiteral("Capitolo %1").arg(n),
                                       QStringLiteral("Qui si racconta di un %1 curioso.").arg(parole.at(n - 1))}));
        p.append({scansione, QStringLiteral("Pagina %1").arg(n), n});
    }
    return p;
}

void TestPdfRicercabile::verificaTesto(const QString &pdf, const QStringList &parole, const QStringList &altre)
{
    QCOMPARE(paginePdf(pdf), int(parole.size()));
    for (int n = 1; n <= parole.size(); ++n) {
        const QString testo = testoPagina(pdf, n);
        QVERIFY2(testo.contains(parole.at(n - 1)), qPrintable(testo));
        for (const QString &altra : altre)
            QVERIFY2(!testo.contains(altra), qPrintable(testo));
    }
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
    EsportazionePdf e({{cartella() + QStringLiteral("manca.jpg"), QStringLiteral("Uno"), 1}}, QStringLiteral("Vuoto"),
                      destinazione);
    const QList<QVariant> fine = esegui(e);
    QCOMPARE(fine.value(0).toBool(), false);
    QCOMPARE(fine.value(1).toString(), kMessaggioPdfSenzaPagine);
    QVERIFY(QDir(cartella()).entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).isEmpty());
}

void TestPdfRicercabile::paginaDifficile_data()
{
    QTest::addColumn<Difficile>("cosa");
    QTest::addColumn<QList<int>>("dove");
    QTest::addColumn<QString>("nota");
    QTest::newRow("FIFO instead of a scan")
        << Difficile::Fifo << QList<int>{2}
        << QStringLiteral("\n\r\n\rAttenzione: una pagina non è stata inclusa perché la sua scansione non si può "
                          "leggere: la pagina 2.");
    QTest::newRow("truncated JPEG")
        << Difficile::Troncata << QList<int>{2}
        << QStringLiteral("\n\r\n\rAttenzione: una pagina non è stata inclusa perché la sua scansione non si può "
                          "leggere: la pagina 2.");
    QTest::newRow("two truncated JPEGs")
        << Difficile::Troncata << QList<int>{1, 3}
        << QStringLiteral("\n\r\n\rAttenzione: 2 pagine non sono state incluse perché le loro scansioni non si "
                          "possono leggere: le pagine 1 e 3.");
    QTest::newRow("CMYK JPEG") << Difficile::Cmyk << QList<int>{2} << QString();
}

// A page whose scan is odd is exported, or left out and named; the others
// are exported whatever it is, and the export ends.
void TestPdfRicercabile::paginaDifficile()
{
    QFETCH(Difficile, cosa);
    QFETCH(QList<int>, dove);
    QFETCH(QString, nota);
    const QVector<PaginaPdf> p = pagine(QStringLiteral("Bestiario"), kAnimali);
    std::vector<std::unique_ptr<FifoPiantata>> fifo;
    for (const int n : dove) {
        const QString scansione = p.at(n - 1).scansione;
        const QByteArray jpeg = leggiFile(scansione);
        QVERIFY(QFile::remove(scansione));
        switch (cosa) {
        case Difficile::Fifo:
            fifo.push_back(std::make_unique<FifoPiantata>(scansione, std::chrono::seconds(60)));
            QVERIFY(fifo.back()->creata());
            break;
        case Difficile::Troncata:
            // Cut inside its first segment: no decoder gets a picture.
            QVERIFY(scriviFile(scansione, jpeg.left(200)));
            break;
        case Difficile::Cmyk:
            QVERIFY(scriviFile(scansione, jpegCmyk(decodificaFoto(jpeg))));
            break;
        }
    }
    const QString destinazione = cartella() + QStringLiteral("Bestiario.pdf");
    EsportazionePdf e(p, QStringLiteral("Bestiario"), destinazione);
    const QList<QVariant> fine = esegui(e);
    for (const auto &f : fifo)
        QVERIFY2(!f->lettoreLiberato(), "the export waited on the FIFO");
    QCOMPARE(fine.value(0).toBool(), true);
    QCOMPARE(fine.value(1).toString(), nota);
    QStringList incluse;
    QStringList tralasciate;
    for (int n = 1; n <= kAnimali.size(); ++n)
        (cosa != Difficile::Cmyk && dove.contains(n) ? tralasciate : incluse).append(kAnimali.at(n - 1));
    verificaTesto(destinazione, incluse, tralasciate);
    // Each page shows its scan as the editor does: white paper, a CMYK
    // scan's too.
    for (int k = 0; k < incluse.size(); ++k) {
        if (cosa == Difficile::Cmyk && dove.contains(k + 1))
            QCOMPARE(decodificaFoto(leggiFile(p.at(k).scansione)).pixelColor(5, 5), QColor(Qt::white));
        QVERIFY(coloreVicino(rendiPagina(destinazione, k, 20).pixelColor(2, 2), Qt::white));
    }
}

void TestPdfRicercabile::collegamentoPiantato_data()
{
    QTest::addColumn<QString>("dove");
    QTest::addColumn<bool>("vittimaEsiste");
    // The name the partial file had beside the destination, and the
    // destination itself.
    QTest::newRow("link at the partial name") << QStringLiteral(".Bestiario.pdf.parziale.pdf") << true;
    QTest::newRow("dangling link at the partial name") << QStringLiteral(".Bestiario.pdf.parziale.pdf") << false;
    QTest::newRow("link at the destination") << QStringLiteral("Bestiario.pdf") << true;
    QTest::newRow("dangling link at the destination") << QStringLiteral("Bestiario.pdf") << false;
}

// A link planted where the export writes is replaced or left alone; what it
// points to is never written, nor made.
void TestPdfRicercabile::collegamentoPiantato()
{
    QFETCH(QString, dove);
    QFETCH(bool, vittimaEsiste);
    QTemporaryDir altrove;
    const QString vittima = altrove.filePath(QStringLiteral("di un altro.pdf"));
    if (vittimaEsiste)
        QVERIFY(scriviFile(vittima, "non toccare"));
    QVERIFY(QFile::link(vittima, cartella() + dove));
    const QString destinazione = cartella() + QStringLiteral("Bestiario.pdf");
    EsportazionePdf e(pagine(QStringLiteral("Bestiario"), kAnimali.mid(0, 1)), QStringLiteral("Bestiario"),
                      destinazione);
    const QList<QVariant> fine = esegui(e);
    QCOMPARE(fine.value(0).toBool(), true);
    if (vittimaEsiste)
        QCOMPARE(leggiFile(vittima), QByteArray("non toccare"));
    else
        QVERIFY(!QFileInfo::exists(vittima));
    QVERIFY(!QFileInfo(destinazione).isSymLink());
    verificaTesto(destinazione, kAnimali.mid(0, 1), {});
}

// Two exports to one file at once: each writes a file of its own, so the
// file is in the end the whole PDF of one of them, never a mixture.
void TestPdfRicercabile::dueEsportazioniInsieme()
{
    const QString destinazione = cartella() + QStringLiteral("Raccolta.pdf");
    EsportazionePdf animali(pagine(QStringLiteral("Bestiario"), kAnimali), QStringLiteral("Bestiario"), destinazione);
    EsportazionePdf piante(pagine(QStringLiteral("Erbario"), kPiante), QStringLiteral("Erbario"), destinazione);
    QSignalSpy fineAnimali(&animali, &EsportazionePdf::finita);
    QSignalSpy finePiante(&piante, &EsportazionePdf::finita);
    animali.avvia();
    piante.avvia();
    QTRY_VERIFY_WITH_TIMEOUT(!fineAnimali.isEmpty() && !finePiante.isEmpty(), 120000);
    QCOMPARE(fineAnimali.first().value(0).toBool(), true);
    QCOMPARE(finePiante.first().value(0).toBool(), true);
    const QString titolo = voceInfo(::esegui(QStringLiteral("pdfinfo"), {destinazione}), QStringLiteral("Title"));
    if (titolo == QLatin1String("Bestiario"))
        verificaTesto(destinazione, kAnimali, kPiante);
    else if (titolo == QLatin1String("Erbario"))
        verificaTesto(destinazione, kPiante, kAnimali);
    else
        QFAIL(qPrintable(QStringLiteral("not a whole PDF of either export: title \"%1\"").arg(titolo)));
    QCOMPARE(contenutoCartella(cartella()),
             (QStringList{QStringLiteral("Pagine_Documenti"), QStringLiteral("Raccolta.pdf")}));
}

// Each scan is opened once: what is recognised is what is embedded, byte
// for byte, even if another program saves the page meanwhile.
void TestPdfRicercabile::scansioneLettaUnaVolta()
{
    const QVector<PaginaPdf> p = pagine(QStringLiteral("Bestiario"), kAnimali.mid(0, 2));
    const int osservatore = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(osservatore >= 0);
    const auto chiudi = qScopeGuard([osservatore] { ::close(osservatore); });
    // Closes watched too: the system merges an event into the same one
    // queued just before it, and two opens in a row would count as one.
    QVERIFY(::inotify_add_watch(osservatore, QFile::encodeName(cartellaFotoPagine(cartella())).constData(),
                                IN_OPEN | IN_CLOSE)
            >= 0);
    const QString destinazione = cartella() + QStringLiteral("Bestiario.pdf");
    EsportazionePdf e(p, QStringLiteral("Bestiario"), destinazione);
    QCOMPARE(esegui(e).value(0).toBool(), true);

    QHash<QString, int> aperture;
    QByteArray eventi(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::read(osservatore, eventi.data(), size_t(eventi.size()));
        if (n <= 0)
            break;
        for (ssize_t k = 0; k < n;) {
            const auto *evento = reinterpret_cast<const inotify_event *>(eventi.constData() + k);
            if (evento->len > 0 && (evento->mask & IN_OPEN) != 0)
                ++aperture[QFile::decodeName(evento->name)];
            k += ssize_t(sizeof(inotify_event)) + evento->len;
        }
    }
    for (const PaginaPdf &pagina : p)
        QCOMPARE(aperture.value(QFileInfo(pagina.scansione).fileName()), 1);

    // The pictures in the PDF are the scans' very bytes.
    QTemporaryDir immagini;
    ::esegui(QStringLiteral("pdfimages"),
             {QStringLiteral("-all"), destinazione, immagini.filePath(QStringLiteral("p"))});
    const QStringList estratte = QDir(immagini.path()).entryList(QDir::Files, QDir::Name);
    QCOMPARE(estratte.size(), p.size());
    for (int k = 0; k < p.size(); ++k)
        QVERIFY(leggiFile(immagini.filePath(estratte.at(k))) == leggiFile(p.at(k).scansione));
}

void TestPdfRicercabile::fileNonScritto_data()
{
    QTest::addColumn<bool>("soloLettura");
    QTest::addColumn<QString>("ragione");
    QTest::newRow("full disk") << false << QStringLiteral("spazio esaurito sul disco");
    QTest::newRow("read-only disk") << true << QStringLiteral("il disco è di sola lettura");
}

// A PDF that cannot be written says why, and leaves the file there as it
// was.
void TestPdfRicercabile::fileNonScritto()
{
    QFETCH(bool, soloLettura);
    QFETCH(QString, ragione);
    const DiscoPiccolo disco(cartella() + QStringLiteral("disco"), 128);
    if (!disco.montato())
        QSKIP("no permission to mount a small tmpfs here");
    const QString destinazione = disco.cartella() + QStringLiteral("Bestiario.pdf");
    QVERIFY(scriviFile(destinazione, "precedente"));
    QVERIFY(soloLettura ? disco.soloLettura() : disco.riempi());
    const QStringList prima = contenutoCartella(disco.cartella());
    EsportazionePdf e(pagine(QStringLiteral("Bestiario"), kAnimali.mid(0, 1)), QStringLiteral("Bestiario"),
                      destinazione);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(ragione)));
    const QList<QVariant> fine = esegui(e);
    QCOMPARE(fine.value(0).toBool(), false);
    QCOMPARE(fine.value(1).toString(), messaggioPdfNonScritto(destinazione + QStringLiteral(": ") + ragione));
    QCOMPARE(leggiFile(destinazione), QByteArray("precedente"));
    QCOMPARE(contenutoCartella(disco.cartella()), prima);
}

QTEST_MAIN(TestPdfRicercabile)
#include "tst_pdfricercabile.moc"
