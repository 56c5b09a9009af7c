#include "output/passoslideshow.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/permessi_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

namespace {

// An archive file of n numbered records, and a partial record after them
// when asked (a file cut short by a failed copy).
bool scriviArchivio(const QString &percorso, int n, bool codaParziale = false)
{
    QByteArray byte;
    for (const TSchedaPagina &s : schedeNumerate(n))
        byte.append(reinterpret_cast<const char *>(&s), kDimensioneScheda);
    if (codaParziale)
        byte.append(QByteArray(100, 'x'));
    return scriviFile(percorso, byte);
}

} // namespace

class TestPassoSlideshow : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void passo_data();
    void passo();
    void sequenza();
    void archivioMancanteCreatoVuoto();
    void erroreLasciaLaPosizione();
    void archivioDiSolaLettura();
    void foto_data();
    void foto();
    void fotoCreaLaCartella();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_cartella;
};

void TestPassoSlideshow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_cartella = m_dir->path() + QLatin1Char('/');
}

void TestPassoSlideshow::passo_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<bool>("codaParziale");
    QTest::addColumn<QString>("prima");
    QTest::addColumn<EsitoPasso>("esito");
    QTest::addColumn<QString>("dopo");

    QTest::newRow("apertura: prima pagina") << 3 << false << "" << EsitoPasso::NuovaPagina << "1";
    QTest::newRow("da 0: prima pagina") << 3 << false << "0" << EsitoPasso::NuovaPagina << "1";
    QTest::newRow("pagina di mezzo") << 3 << false << "1" << EsitoPasso::NuovaPagina << "2";
    QTest::newRow("ultima pagina") << 3 << false << "2" << EsitoPasso::NuovaPagina << "3";
    QTest::newRow("dopo l'ultima resta, poi da capo") << 3 << false << "3" << EsitoPasso::StessaPagina << "0";
    QTest::newRow("una scheda resta") << 1 << false << "1" << EsitoPasso::StessaPagina << "0";
    QTest::newRow("una scheda, da capo") << 1 << false << "0" << EsitoPasso::NuovaPagina << "1";
    QTest::newRow("archivio accorciato: da capo") << 2 << false << "5" << EsitoPasso::StessaPagina << "0";
    QTest::newRow("coda parziale non conta") << 2 << true << "2" << EsitoPasso::StessaPagina << "0";
    QTest::newRow("vuoto all'apertura") << 0 << false << "" << EsitoPasso::ArchivioVuoto << "";
    QTest::newRow("svuotato a meta'") << 0 << false << "2" << EsitoPasso::ArchivioVuoto << "";
    QTest::newRow("solo coda parziale: vuoto") << 0 << true << "0" << EsitoPasso::ArchivioVuoto << "";
}

void TestPassoSlideshow::passo()
{
    QFETCH(int, schede);
    QFETCH(bool, codaParziale);
    QFETCH(QString, prima);
    QFETCH(EsitoPasso, esito);
    QFETCH(QString, dopo);

    const QString archivio = m_cartella + QStringLiteral("Prova.kpx");
    QVERIFY(scriviArchivio(archivio, schede, codaParziale));
    const QByteArray contenuto = leggiFile(archivio);
    QString posizione = prima;
    QCOMPARE(passoSlideshow(archivio, posizione), esito);
    QCOMPARE(posizione, dopo);
    // Nothing is written to the archive.
    QCOMPARE(leggiFile(archivio), contenuto);
}

// Three records stepped through twice over: the last page is held for one
// step, then the show starts again.
void TestPassoSlideshow::sequenza()
{
    const QString archivio = m_cartella + QStringLiteral("Prova.kpx");
    QVERIFY(scriviArchivio(archivio, 3));
    QString posizione;
    QStringList visti;
    for (int passo = 0; passo < 8; ++passo) {
        const EsitoPasso e = passoSlideshow(archivio, posizione);
        visti.append(e == EsitoPasso::NuovaPagina ? posizione : QStringLiteral("="));
    }
    QCOMPARE(visti, (QStringList{"1", "2", "3", "=", "1", "2", "3", "="}));
}

void TestPassoSlideshow::archivioMancanteCreatoVuoto()
{
    const QString archivio = m_cartella + QStringLiteral("Nuovo.kpx");
    QString posizione;
    QCOMPARE(passoSlideshow(archivio, posizione), EsitoPasso::ArchivioVuoto);
    QVERIFY(QFileInfo(archivio).isFile());
    QCOMPARE(QFileInfo(archivio).size(), 0);
    QCOMPARE(posizione, QString());
}

void TestPassoSlideshow::erroreLasciaLaPosizione()
{
    // A folder stands where the archive should be: it can be neither opened
    // nor created in its place.
    const QString archivio = m_cartella + QStringLiteral("Cartella.kpx");
    QVERIFY(QDir().mkpath(archivio));
    QString posizione = QStringLiteral("2");
    QCOMPARE(passoSlideshow(archivio, posizione), EsitoPasso::ErroreAccesso);
    QCOMPARE(posizione, QStringLiteral("2"));
    QVERIFY(QFileInfo(archivio).isDir());
}

// An archive the user may only read shows its pages all the same, and is
// left as it was.
void TestPassoSlideshow::archivioDiSolaLettura()
{
    const QString archivio = m_cartella + QStringLiteral("Prova.kpx");
    QVERIFY(scriviArchivio(archivio, 2));
    const QByteArray contenuto = leggiFile(archivio);
    const QByteArray nome = QFile::encodeName(archivio);
    const auto ripristina = qScopeGuard([&] { ::chmod(nome.constData(), 0644); });
    QCOMPARE(::chmod(nome.constData(), 0444), 0);
    PermessiDaUtente utente;
    QVERIFY(utente.attivi());

    QString posizione;
    QStringList visti;
    for (int passo = 0; passo < 3; ++passo) {
        const EsitoPasso e = passoSlideshow(archivio, posizione);
        visti.append(e == EsitoPasso::NuovaPagina ? posizione : QStringLiteral("="));
    }
    QCOMPARE(visti, (QStringList{"1", "2", "="}));
    QCOMPARE(leggiFile(archivio), contenuto);
}

void TestPassoSlideshow::foto_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("attesa");

    const QImage verticale = tinta(QSize(1200, 1800), Qt::darkGreen);
    const QImage orizzontale = tinta(QSize(1800, 600), Qt::darkGreen);
    const QImage piccola = tinta(QSize(300, 200), Qt::darkGreen);
    QTest::newRow("alta: limitata dall'altezza") << codifica(verticale, "JPG") << QSize(1000, 600) << QSize(400, 600);
    QTest::newRow("larga: limitata dalla larghezza") << codifica(orizzontale, "JPG") << QSize(900, 900)
                                                     << QSize(900, 300);
    QTest::newRow("piccola: mai ingrandita") << codifica(piccola, "JPG") << QSize(1000, 600) << QSize(300, 200);
    QTest::newRow("BMP con nome .jpg") << codifica(verticale, "BMP") << QSize(1000, 600) << QSize(400, 600);
    QTest::newRow("non e' una foto") << QByteArray("testo qualsiasi") << QSize(1000, 600) << QSize();
    QTest::newRow("nessuna foto") << QByteArray() << QSize(1000, 600) << QSize();
}

void TestPassoSlideshow::foto()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QSize, area);
    QFETCH(QSize, attesa);

    if (!contenuto.isEmpty())
        QVERIFY(scriviFile(percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("2")), contenuto));
    const QImage foto = fotoSlideshow(m_cartella, QStringLiteral("Prova"), 2, area);
    if (!attesa.isValid()) {
        QVERIFY(foto.isNull());
        return;
    }
    QCOMPARE(foto.size(), attesa);
    QVERIFY(coloreVicino(coloreAlCentro(foto), QColor(Qt::darkGreen)));
    // Other pages of the same archive have no scan.
    QVERIFY(fotoSlideshow(m_cartella, QStringLiteral("Prova"), 1, area).isNull());
}

void TestPassoSlideshow::fotoCreaLaCartella()
{
    QVERIFY(fotoSlideshow(m_cartella, QStringLiteral("Prova"), 1, QSize(800, 600)).isNull());
    QVERIFY(QFileInfo(cartellaFotoPagine(m_cartella)).isDir());
}

QTEST_MAIN(TestPassoSlideshow)
#include "tst_passoslideshow.moc"
