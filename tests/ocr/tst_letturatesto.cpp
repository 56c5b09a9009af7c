#include "ocr/letturatesto.h"

#include <QTest>

Q_DECLARE_METATYPE(CampiLettura)

class TestLetturaTesto : public QObject
{
    Q_OBJECT
private slots:
    void incipit_data();
    void incipit();
    void righe_data();
    void righe();
    void lingua_data();
    void lingua();
    void riempiVuoti_data();
    void riempiVuoti();
};

void TestLetturaTesto::incipit_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("massimo");
    QTest::addColumn<QString>("atteso");

    QTest::newRow("righe unite da un blank") << "Nel mezzo del cammin\ndi nostra vita\n\nmi ritrovai" << 250
                                             << "Nel mezzo del cammin di nostra vita mi ritrovai";
    QTest::newRow("blank ripetuti e a capo") << "  Gallia   est\r\n omnis\tdivisa  \n" << 250 << "Gallia est omnis divisa";
    QTest::newRow("parola spezzata a fine riga") << "una lunga pro-\nmessa mantenuta" << 250
                                                 << "una lunga promessa mantenuta";
    QTest::newRow("trattino davanti a maiuscola resta") << "Emilia-\nRomagna" << 250 << "Emilia- Romagna";
    QTest::newRow("taglio dentro una parola") << "alfa beta gamma" << 12 << "alfa beta";
    QTest::newRow("taglio subito dopo una parola") << "alfa beta gamma" << 9 << "alfa beta";
    QTest::newRow("taglio su un blank") << "alfa beta gamma" << 10 << "alfa beta";
    QTest::newRow("prima parola troppo lunga") << "abcdefghijkl mno" << 5 << "abcde";
    QTest::newRow("testo vuoto") << "\n \n" << 250 << "";

    // A whole page: the incipit takes the words that fit in 250 characters.
    QString pagina;
    for (int k = 0; k < 60; ++k)
        pagina += QStringLiteral("parola%1 ").arg(k) + (k % 7 == 6 ? QStringLiteral("\n") : QString());
    QString atteso;
    for (int k = 0; atteso.size() + 1 + QStringLiteral("parola%1").arg(k).size() <= 250; ++k)
        atteso += (k ? QStringLiteral(" ") : QString()) + QStringLiteral("parola%1").arg(k);
    QTest::newRow("pagina intera") << pagina << 250 << atteso;
}

void TestLetturaTesto::incipit()
{
    QFETCH(QString, testo);
    QFETCH(int, massimo);
    QFETCH(QString, atteso);
    const QString incipit = incipitDaTesto(testo, massimo);
    QCOMPARE(incipit, atteso);
    QVERIFY(incipit.size() <= massimo);
}

void TestLetturaTesto::righe_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("righe");
    QTest::newRow("paragrafi separati da righe vuote") << "uno\ndue\n\ntre\n" << 3;
    QTest::newRow("righe di soli blank") << " \n\t\nuna\n   \n" << 1;
    QTest::newRow("niente") << "" << 0;
}

void TestLetturaTesto::righe()
{
    QFETCH(QString, testo);
    QFETCH(int, righe);
    QCOMPARE(righeDiTesto(testo), righe);
}

void TestLetturaTesto::lingua_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("lingua");
    QTest::newRow("italiano") << QStringLiteral("Quel ramo del lago di Como, che volge a mezzogiorno, tra due catene "
                                                "non interrotte di monti, tutto a seni e a golfi") << "Italiano";
    QTest::newRow("latino") << QStringLiteral("Gallia est omnis divisa in partes tres, quarum unam incolunt Belgae, "
                                              "aliam Aquitani, tertiam qui ipsorum lingua Celtae, nostra Galli "
                                              "appellantur. Hi omnes lingua, institutis, legibus inter se differunt.")
                            << "Latino";
    QTest::newRow("inglese") << QStringLiteral("It was the best of times, it was the worst of times, it was the age "
                                               "of wisdom") << "Inglese";
    QTest::newRow("maiuscole e accenti") << QStringLiteral("È UNA STORIA CHE PER ME HA SEMPRE AVUTO IL SUO FASCINO")
                                         << "Italiano";
    QTest::newRow("troppo poco per dirlo") << QStringLiteral("Roma 1848") << "";
    QTest::newRow("parole comuni a due lingue") << QStringLiteral("non in a non in a") << "";
}

void TestLetturaTesto::lingua()
{
    QFETCH(QString, testo);
    QFETCH(QString, lingua);
    QCOMPARE(linguaDiTesto(testo), lingua);
}

void TestLetturaTesto::riempiVuoti_data()
{
    QTest::addColumn<CampiLettura>("schermo");
    QTest::addColumn<CampiLettura>("atteso");
    const CampiLettura letti{QStringLiteral("Quel ramo del lago"), QStringLiteral("31"), QStringLiteral("Italiano")};
    QTest::newRow("tutti vuoti") << CampiLettura{} << letti;
    QTest::newRow("solo blank contano come vuoti")
        << CampiLettura{QStringLiteral("  "), QStringLiteral("\t"), QString()} << letti;
    QTest::newRow("incipit scritto dall'utente")
        << CampiLettura{QStringLiteral("Mio incipit"), QString(), QString()}
        << CampiLettura{QStringLiteral("Mio incipit"), QStringLiteral("31"), QStringLiteral("Italiano")};
    QTest::newRow("righe scritte dall'utente")
        << CampiLettura{QString(), QStringLiteral("circa 30"), QString()}
        << CampiLettura{QStringLiteral("Quel ramo del lago"), QStringLiteral("circa 30"), QStringLiteral("Italiano")};
    QTest::newRow("lingua scritta dall'utente")
        << CampiLettura{QString(), QString(), QStringLiteral("Volgare")}
        << CampiLettura{QStringLiteral("Quel ramo del lago"), QStringLiteral("31"), QStringLiteral("Volgare")};
    const CampiLettura pieni{QStringLiteral(" a "), QStringLiteral("2"), QStringLiteral("Latino")};
    QTest::newRow("tutti scritti") << pieni << pieni;
}

void TestLetturaTesto::riempiVuoti()
{
    QFETCH(CampiLettura, schermo);
    QFETCH(CampiLettura, atteso);
    const CampiLettura letti{QStringLiteral("Quel ramo del lago"), QStringLiteral("31"), QStringLiteral("Italiano")};
    QCOMPARE(::riempiVuoti(schermo, letti), atteso);
}

QTEST_APPLESS_MAIN(TestLetturaTesto)
#include "tst_letturatesto.moc"
