#include "storage/fotopagina.h"

#include "support/immagini_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>


class TestFotoPagina : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void percorso_data();
    void percorso();
    void scritturaSempreJpeg_data();
    void scritturaSempreJpeg();
    void scritturaCreaLaCartella();
    void riscritturaSostituisce();
    void altriFormatiCodificatiUnaVolta_data();
    void altriFormatiCodificatiUnaVolta();
    void jpegRiscrittoTale_data();
    void jpegRiscrittoTale();
    void lettura_data();
    void lettura();
    void letturaCreaLaCartella();
    void scritturaImpossibile_data();
    void scritturaImpossibile();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_cartella;
};

void TestFotoPagina::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_cartella = m_dir->path() + QLatin1Char('/');
}

void TestFotoPagina::percorso_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("posizione");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("semplice") << "Contratti" << "12" << "Pagine_Documenti/Contratti_Foto_12.jpg";
    QTest::newRow("spazi e controlli tolti ai bordi") << " \tContratti  " << "\n 3 " << "Pagine_Documenti/Contratti_Foto_3.jpg";
    QTest::newRow("spazi interni restano") << "Lettere 1920" << "1" << "Pagine_Documenti/Lettere 1920_Foto_1.jpg";
    QTest::newRow("nessun carattere sostituito") << "a.b-c_d" << "40" << "Pagine_Documenti/a.b-c_d_Foto_40.jpg";
    QTest::newRow("accenti") << QStringLiteral("Città") << "7" << QStringLiteral("Pagine_Documenti/Città_Foto_7.jpg");
}

void TestFotoPagina::percorso()
{
    QFETCH(QString, nome);
    QFETCH(QString, posizione);
    QFETCH(QString, atteso);
    QCOMPARE(percorsoFotoPagina(QStringLiteral("/programma/"), nome, posizione), QStringLiteral("/programma/") + atteso);
}

void TestFotoPagina::scritturaSempreJpeg_data()
{
    QTest::addColumn<QImage>("foto");
    QTest::addColumn<QColor>("colore");

    // A bitmap loaded from a .bmp file, as the scan commands give it.
    QImage bitmap;
    QVERIFY(bitmap.loadFromData(codifica(tinta(QSize(60, 80), QColor(200, 30, 30)), "BMP"), "BMP"));
    QTest::newRow("bitmap") << bitmap << QColor(200, 30, 30);
    QTest::newRow("gia jpeg") << tinta(QSize(33, 17), QColor(20, 90, 200)) << QColor(20, 90, 200);
    // JPEG has no transparency: a transparent area must come out white, the
    // colour of the paper, not black.
    QTest::newRow("trasparente") << tinta(QSize(40, 40), Qt::transparent, QImage::Format_ARGB32)
                                 << QColor(Qt::white);
}

void TestFotoPagina::scritturaSempreJpeg()
{
    QFETCH(QImage, foto);
    QFETCH(QColor, colore);
    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("8"));
    QVERIFY(scriviFileFoto(m_cartella, percorso, foto));
    QCOMPARE(formatoDelFile(percorso), QByteArray("jpeg"));
    const QImage letta(percorso);
    QCOMPARE(letta.size(), foto.size());
    const QColor centro = letta.pixelColor(letta.width() / 2, letta.height() / 2);
    QVERIFY2(coloreVicino(centro, colore), qPrintable(centro.name()));
}

void TestFotoPagina::scritturaCreaLaCartella()
{
    const QString cartella = m_cartella + QStringLiteral("nuova/sotto/");
    const QString percorso = percorsoFotoPagina(cartella, QStringLiteral("A"), QStringLiteral("1"));
    QVERIFY(!QFileInfo::exists(cartella));
    QVERIFY(scriviFileFoto(cartella, percorso, tinta(QSize(10, 10), Qt::green)));
    QVERIFY(QFileInfo(cartella + QStringLiteral("Pagine_Documenti")).isDir());
    QCOMPARE(formatoDelFile(percorso), QByteArray("jpeg"));
}

// An archive deleted and made again under the same name: its new scans
// take the place of the old ones.
void TestFotoPagina::riscritturaSostituisce()
{
    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("A"), QStringLiteral("1"));
    QVERIFY(scriviFileFoto(m_cartella, percorso, tinta(QSize(50, 50), Qt::red)));
    QVERIFY(scriviFileFoto(m_cartella, percorso, tinta(QSize(20, 30), Qt::blue)));
    const QImage letta(percorso);
    QCOMPARE(letta.size(), QSize(20, 30));
    QVERIFY(coloreVicino(letta.pixelColor(10, 15), Qt::blue));
    QCOMPARE(QDir(m_cartella + QStringLiteral("Pagine_Documenti")).entryList(QDir::Files),
             QStringList{QStringLiteral("A_Foto_1.jpg")});
}

// A scan that does not come as JPEG bytes is encoded once, at a quality
// that loses nothing an archivist can see, and keeps the resolution it was
// scanned at.
void TestFotoPagina::altriFormatiCodificatiUnaVolta_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("dpi");

    const QImage pagina = tinta(QSize(120, 170), QColor(230, 220, 200));
    QTest::newRow("png a 300 dpi") << codifica(conDpi(pagina, 300), "PNG") << 300;
    QTest::newRow("bitmap a 200 dpi") << codifica(conDpi(pagina, 200), "BMP") << 200;
    QTest::newRow("png trasparente a 150 dpi")
        << codifica(conDpi(tinta(QSize(40, 40), Qt::transparent, QImage::Format_ARGB32), 150), "PNG") << 150;
}

void TestFotoPagina::altriFormatiCodificatiUnaVolta()
{
    QFETCH(QByteArray, file);
    QFETCH(int, dpi);
    QByteArray originale("segno");
    const QImage foto = decodificaFoto(file, &originale);
    QCOMPARE(::dpi(foto), dpi);
    QVERIFY(originale.isEmpty());

    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("3"));
    QVERIFY(scriviFileFoto(m_cartella, percorso, foto, originale));
    const QByteArray scritto = leggiFile(percorso);
    QVERIFY2(qualitaJpeg(scritto) >= 92, qPrintable(QString::number(qualitaJpeg(scritto))));
    QCOMPARE(::dpi(QImage::fromData(scritto)), dpi);
}

// A JPEG is stored as the bytes it came in, whatever the encoder would make
// of its picture: read and written again it is the same file.
void TestFotoPagina::jpegRiscrittoTale_data()
{
    QTest::addColumn<QByteArray>("file");

    const QImage pagina = conDpi(tinta(QSize(90, 130), QColor(200, 190, 170)), 600);
    QTest::newRow("qualita 98 a 600 dpi") << codifica(pagina, "JPG", 98);
    QTest::newRow("qualita 40") << codifica(pagina, "JPG", 40);
}

void TestFotoPagina::jpegRiscrittoTale()
{
    QFETCH(QByteArray, file);
    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("6"));
    QVERIFY(scriviFile(percorso, file));
    for (int volta = 0; volta < 3; ++volta) {
        QByteArray originale;
        const QImage foto = leggiFileFoto(m_cartella, percorso, &originale);
        QCOMPARE(originale, file);
        QVERIFY(scriviFileFoto(m_cartella, percorso, foto, originale));
        QCOMPARE(leggiFile(percorso), file);
    }
}

void TestFotoPagina::lettura_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QSize>("dimensione");

    QTest::newRow("jpeg") << codifica(tinta(QSize(30, 40), Qt::red), "JPG") << QSize(30, 40);
    // The name says JPEG; the content decides.
    QTest::newRow("bitmap col nome jpg") << codifica(tinta(QSize(12, 9), Qt::red), "BMP") << QSize(12, 9);
    QTest::newRow("testo") << QByteArray("non sono una foto\r\n") << QSize();
    QTest::newRow("vuoto") << QByteArray() << QSize();
    QTest::newRow("jpeg troncato") << codifica(tinta(QSize(30, 40), Qt::red), "JPG").left(20) << QSize();
}

void TestFotoPagina::lettura()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(QSize, dimensione);
    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("2"));
    QVERIFY(scriviFile(percorso, contenuto));
    const QImage letta = leggiFileFoto(m_cartella, percorso);
    QCOMPARE(letta.isNull(), !dimensione.isValid());
    if (dimensione.isValid())
        QCOMPARE(letta.size(), dimensione);
}

void TestFotoPagina::letturaCreaLaCartella()
{
    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("4"));
    QVERIFY(leggiFileFoto(m_cartella, percorso).isNull());
    QVERIFY(QFileInfo(m_cartella + QStringLiteral("Pagine_Documenti")).isDir());
}

void TestFotoPagina::scritturaImpossibile_data()
{
    QTest::addColumn<QString>("ostacolo");   // a folder (ending in '/') or a file put in the way
    QTest::addColumn<bool>("fotoVuota");

    QTest::newRow("cartella occupata da un file") << "Pagine_Documenti" << false;
    QTest::newRow("una cartella al posto del file") << "Pagine_Documenti/Prova_Foto_5.jpg/" << false;
    QTest::newRow("nessuna foto") << QString() << true;
}

void TestFotoPagina::scritturaImpossibile()
{
    QFETCH(QString, ostacolo);
    QFETCH(bool, fotoVuota);
    if (ostacolo.endsWith(QLatin1Char('/')))
        QVERIFY(QDir().mkpath(m_cartella + ostacolo));
    else if (!ostacolo.isEmpty())
        QVERIFY(scriviFile(m_cartella + ostacolo, QByteArray("x")));

    const QString percorso = percorsoFotoPagina(m_cartella, QStringLiteral("Prova"), QStringLiteral("5"));
    const QImage foto = fotoVuota ? QImage() : tinta(QSize(10, 10), Qt::red);
    QVERIFY(!scriviFileFoto(m_cartella, percorso, foto));
    QVERIFY(!QFileInfo(percorso).isFile());
}

QTEST_MAIN(TestFotoPagina)
#include "tst_fotopagina.moc"
