#include "editor/comandifoto.h"

#include "support/immagini_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

class TestComandiFoto : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void caricaChiedeJpegOBitmap();
    void carica_data();
    void carica();
    void salvaChiedeUnaCopiaJpeg();
    void salva_data();
    void salva();
    void salvaDalDialogoVeroConNomeSenzaEstensione();

private:
    QTemporaryDir m_dir;
    QImage m_attuale;
    QImage m_segnaposto;
};

void TestComandiFoto::init()
{
    m_attuale = tinta(QSize(120, 160), Qt::darkGreen);
    m_segnaposto = tinta(QSize(307, 409), Qt::white);
}

void TestComandiFoto::cleanup()
{
    chiudiModali();
    azzeraModaleMancata();
}

void TestComandiFoto::caricaChiedeJpegOBitmap()
{
    RispostaFile risposte;
    QVERIFY(!caricaFoto(contestoDiProva(), nullptr, m_segnaposto));
    QCOMPARE(risposte.richieste().size(), 1);
    const RichiestaFile &r = risposte.richieste().constFirst();
    QCOMPARE(r.modo, RichiestaFile::Apri);
    QCOMPARE(r.titolo, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."));
    QCOMPARE(r.filtri, (QStringList{QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"),
                                     QStringLiteral("Immagine Bitmap (*.bmp)")}));
}

void TestComandiFoto::carica_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<bool>("presente");
    QTest::addColumn<QString>("atteso"); // "nulla" (the screen stays), "segnaposto" or "file"

    const QImage rossa = tinta(QSize(300, 400), Qt::red);
    QTest::newRow("annullato") << QString() << QByteArray() << false << QStringLiteral("nulla");
    QTest::newRow("jpeg") << QStringLiteral("pagina.jpg") << codifica(rossa, "JPG") << true << QStringLiteral("file");
    QTest::newRow("bitmap") << QStringLiteral("pagina.bmp") << codifica(rossa, "BMP") << true << QStringLiteral("file");
    QTest::newRow("jpeg con nome da bitmap") << QStringLiteral("scambiata.bmp") << codifica(rossa, "JPG")
                                             << true << QStringLiteral("file");
    QTest::newRow("testo con nome da jpeg") << QStringLiteral("nota.jpg") << QByteArray("non sono una foto\n")
                                            << true << QStringLiteral("segnaposto");
    QTest::newRow("jpeg troncato") << QStringLiteral("rotta.jpg") << codifica(rossa, "JPG").left(20)
                                   << true << QStringLiteral("segnaposto");
    QTest::newRow("file vuoto") << QStringLiteral("vuota.jpg") << QByteArray() << true << QStringLiteral("segnaposto");
    QTest::newRow("file scomparso") << QStringLiteral("sparita.jpg") << QByteArray() << false
                                    << QStringLiteral("segnaposto");
}

// Whatever goes wrong, the command says nothing: the placeholder shows it.
void TestComandiFoto::carica()
{
    QFETCH(QString, nome);
    QFETCH(QByteArray, contenuto);
    QFETCH(bool, presente);
    QFETCH(QString, atteso);

    RispostaFile risposte;
    RegistroMessaggi messaggi;
    if (!nome.isEmpty()) {
        const QString percorso = m_dir.filePath(nome);
        if (presente)
            QVERIFY(scriviFile(percorso, contenuto));
        risposte.rispondi(percorso);
    }

    const std::optional<QImage> risultato = caricaFoto(contestoDiProva(), nullptr, m_segnaposto);
    QVERIFY(messaggi.messaggi().isEmpty());
    QCOMPARE(risultato.has_value(), atteso != QLatin1String("nulla"));
    if (atteso == QLatin1String("segnaposto")) {
        QCOMPARE(*risultato, m_segnaposto);
    } else if (atteso == QLatin1String("file")) {
        QCOMPARE(risultato->size(), QSize(300, 400));
        const QColor centro = risultato->pixelColor(150, 200);
        QVERIFY2(centro.red() > 240 && centro.green() < 20 && centro.blue() < 20, qPrintable(centro.name()));
    }
}

void TestComandiFoto::salvaChiedeUnaCopiaJpeg()
{
    RispostaFile risposte;
    salvaCopiaFoto(contestoDiProva(), nullptr, m_attuale, m_segnaposto);
    QCOMPARE(risposte.richieste().size(), 1);
    const RichiestaFile &r = risposte.richieste().constFirst();
    QCOMPARE(r.modo, RichiestaFile::Salva);
    QCOMPARE(r.titolo, QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg."));
    QCOMPARE(r.filtri, QStringList{QStringLiteral("File Jpeg (*.jpg)")});
    QCOMPARE(r.nomeProposto, QStringLiteral("Foto.jpg"));
    QCOMPARE(r.estensionePredefinita, QStringLiteral("jpg"));
    QVERIFY(r.chiediSovrascrittura);
}

void TestComandiFoto::salva_data()
{
    QTest::addColumn<QString>("risposta");  // relative to the test folder; empty: cancelled
    QTest::addColumn<QString>("scritto");   // the file expected, empty: none
    QTest::addColumn<bool>("segnaposto");

    QTest::newRow("annullato") << QString() << QString() << false;
    QTest::newRow("nome proposto") << QStringLiteral("Foto.jpg") << QStringLiteral("Foto.jpg") << false;
    QTest::newRow("nome senza estensione") << QStringLiteral("pagina") << QStringLiteral("pagina.jpg") << false;
    QTest::newRow("altra estensione resta") << QStringLiteral("pagina.v2") << QStringLiteral("pagina.v2") << false;
    QTest::newRow("sopra una copia esistente") << QStringLiteral("esistente.jpg") << QStringLiteral("esistente.jpg")
                                               << false;
    QTest::newRow("cartella inesistente") << QStringLiteral("manca/pagina.jpg") << QString() << true;
}

void TestComandiFoto::salva()
{
    QFETCH(QString, risposta);
    QFETCH(QString, scritto);
    QFETCH(bool, segnaposto);

    QVERIFY(scriviFile(m_dir.filePath(QStringLiteral("esistente.jpg")), "vecchio contenuto"));
    const QStringList prima = QDir(m_dir.path()).entryList(QDir::Files);

    RispostaFile risposte;
    RegistroMessaggi messaggi;
    if (!risposta.isEmpty())
        risposte.rispondi(m_dir.filePath(risposta));

    const QImage risultato = salvaCopiaFoto(contestoDiProva(), nullptr, m_attuale, m_segnaposto);
    QVERIFY(messaggi.messaggi().isEmpty());
    QCOMPARE(risultato, segnaposto ? m_segnaposto : m_attuale);

    QStringList dopo = QDir(m_dir.path()).entryList(QDir::Files);
    if (scritto.isEmpty()) {
        QCOMPARE(dopo, prima);
    } else {
        QCOMPARE(formatoDelFile(m_dir.filePath(scritto)), QByteArray("jpeg"));
        const QImage riletta(m_dir.filePath(scritto), "JPG");
        QCOMPARE(riletta.size(), m_attuale.size());
    }
    QFile::remove(m_dir.filePath(scritto));
}

// Through the real dialog: the proposed name is there, and a name typed
// without extension ends up as a JPEG file with ".jpg".
void TestComandiFoto::salvaDalDialogoVeroConNomeSenzaEstensione()
{
    bool visto = false;
    allaProssimaModale([&](QWidget *m) {
        auto *dialogo = qobject_cast<QFileDialog *>(m);
        QVERIFY(dialogo);
        auto *campo = dialogo->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(campo);
        QCOMPARE(campo->text(), QStringLiteral("Foto.jpg"));
        campo->setText(m_dir.filePath(QStringLiteral("pagina")));
        visto = true;
        static_cast<QDialog *>(dialogo)->accept();
    });
    const QImage risultato = salvaCopiaFoto(contestoDiProva(), nullptr, m_attuale, m_segnaposto);
    QVERIFY(!modaleMancata());
    QVERIFY(visto);
    QCOMPARE(risultato, m_attuale);
    QCOMPARE(formatoDelFile(m_dir.filePath(QStringLiteral("pagina.jpg"))), QByteArray("jpeg"));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("pagina"))));
}

QTEST_MAIN(TestComandiFoto)
#include "tst_comandifoto.moc"
