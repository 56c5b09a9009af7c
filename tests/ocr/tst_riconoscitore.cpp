#include "ocr/letturapagina.h"
#include "ocr/letturatesto.h"
#include "ocr/riconoscitore.h"

#include "support/fifo_supporto.h"
#include "support/pagine_supporto.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kRighe = {
    QStringLiteral("Quel ramo del lago di Como, che volge a mezzogiorno,"),
    QStringLiteral("tra due catene non interrotte di monti, tutto a seni"),
    QStringLiteral("e a golfi, a seconda dello sporgere e del rientrare di"),
    QStringLiteral("quelli, vien, quasi a un tratto, a ristringersi."),
};

enum class Scansione { Mancante, File, Fifo };

} // namespace

Q_DECLARE_METATYPE(Scansione)

class TestRiconoscitore : public QObject
{
    Q_OBJECT
private slots:
    void leggePagina();
    void datiMancanti_data();
    void datiMancanti();
    void scansioneIlleggibile_data();
    void scansioneIlleggibile();
    void letturaInThread();
    void annulla();
};

void TestRiconoscitore::leggePagina()
{
    Riconoscitore motore;
    QVERIFY2(motore.pronto(), qPrintable(motore.messaggioErrore()));
    QList<int> passi;
    const EsitoLettura esito = motore.leggi(paginaStampata(kRighe), nullptr, [&](int p) { passi.append(p); });
    QVERIFY(esito.letto());
    const CampiLettura campi = campiDaTesto(esito.testo);
    QCOMPARE(campi.righe, QStringLiteral("4"));
    QCOMPARE(campi.lingua, QStringLiteral("Italiano"));
    QVERIFY2(campi.incipit.startsWith(QStringLiteral("Quel ramo del lago di Como, che volge a mezzogiorno, tra due")),
             qPrintable(campi.incipit));
    QVERIFY(!passi.isEmpty());
    QCOMPARE(passi.last(), 100);
    QVERIFY(std::is_sorted(passi.begin(), passi.end()));
}

void TestRiconoscitore::datiMancanti_data()
{
    QTest::addColumn<QStringList>("presenti");
    QTest::addColumn<QString>("pacchetti");
    QTest::newRow("nessuna lingua") << QStringList{}
                                    << "tesseract-ocr-ita, tesseract-ocr-lat, tesseract-ocr-eng.";
    QTest::newRow("manca il latino") << QStringList{"ita", "eng"} << "tesseract-ocr-lat.";
}

void TestRiconoscitore::datiMancanti()
{
    QFETCH(QStringList, presenti);
    QFETCH(QString, pacchetti);
    QTemporaryDir cartella;
    for (const QString &l : presenti)
        QVERIFY(QFile::copy(cartellaDatiLingueSistema() + QLatin1Char('/') + l + QStringLiteral(".traineddata"),
                            cartella.filePath(l + QStringLiteral(".traineddata"))));
    Riconoscitore motore(cartella.path());
    QVERIFY(!motore.pronto());
    QVERIFY2(motore.messaggioErrore().startsWith(QStringLiteral("Attenzione: mancano i dati delle lingue")),
             qPrintable(motore.messaggioErrore()));
    QVERIFY2(motore.messaggioErrore().endsWith(QStringLiteral("Installare i pacchetti: ") + pacchetti),
             qPrintable(motore.messaggioErrore()));
    const EsitoLettura esito = motore.leggi(paginaStampata(kRighe));
    QCOMPARE(esito.stato, EsitoLettura::Stato::DatiMancanti);
    QCOMPARE(esito.messaggio, motore.messaggioErrore());
}

void TestRiconoscitore::scansioneIlleggibile_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<Scansione>("cosa");
    QTest::newRow("file mancante") << QByteArray() << Scansione::Mancante;
    QTest::newRow("non è un'immagine") << QByteArray("questo non è un JPEG") << Scansione::File;
    QTest::newRow("JPEG troncato") << QByteArray("\xff\xd8\xff\xe0\x00\x10JFIF\x00", 11) << Scansione::File;
    QTest::newRow("FIFO nessuno scrive") << QByteArray() << Scansione::Fifo;
}

void TestRiconoscitore::scansioneIlleggibile()
{
    QFETCH(QByteArray, contenuto);
    QFETCH(Scansione, cosa);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("Prova_Foto_1.jpg"));
    std::unique_ptr<FifoPiantata> fifo;
    if (cosa == Scansione::File) {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contenuto);
    } else if (cosa == Scansione::Fifo) {
        fifo = std::make_unique<FifoPiantata>(percorso, std::chrono::seconds(20));
        QVERIFY(fifo->creata());
    }
    Riconoscitore motore;
    const EsitoLettura esito = motore.leggiFile(percorso);
    if (fifo)
        QVERIFY2(!fifo->lettoreLiberato(), "the reading waited on the FIFO");
    QCOMPARE(esito.stato, EsitoLettura::Stato::Illeggibile);
    QCOMPARE(esito.messaggio, kMessaggioScansioneIlleggibile);
}

void TestRiconoscitore::letturaInThread()
{
    LetturaPagina lettura(paginaStampata(kRighe));
    QSignalSpy fine(&lettura, &LetturaPagina::finita);
    QSignalSpy passi(&lettura, &LetturaPagina::avanzamento);
    lettura.avvia();
    QVERIFY(fine.wait(60000));
    const auto esito = fine.first().first().value<EsitoLettura>();
    QVERIFY(esito.letto());
    QVERIFY(esito.testo.contains(QStringLiteral("Como")));
    QVERIFY(!passi.isEmpty());
}

void TestRiconoscitore::annulla()
{
    // A long page, cancelled as soon as it shows progress.
    QStringList molte;
    for (int k = 0; k < 12; ++k)
        molte += kRighe;
    LetturaPagina lettura(paginaStampata(molte));
    QSignalSpy fine(&lettura, &LetturaPagina::finita);
    connect(&lettura, &LetturaPagina::avanzamento, &lettura, &LetturaPagina::annulla);
    lettura.avvia();
    QVERIFY(fine.wait(60000));
    QCOMPARE(fine.first().first().value<EsitoLettura>().stato, EsitoLettura::Stato::Annullato);
}

QTEST_MAIN(TestRiconoscitore)
#include "tst_riconoscitore.moc"
