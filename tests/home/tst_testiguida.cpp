#include "home/testiguida.h"

#include <QRegularExpression>

#include <algorithm>
#include <QTest>

namespace {

// The opening words every paragraph must start with, as the users of the
// program know them.
const QStringList kAperturePanoramica{
    QStringLiteral("Velmora è un software studiato per una gestione efficiente e dettagliata delle pagine dei "
                   "propri documenti cartacei."),
    QStringLiteral("In un mondo sempre più digitale, la quantità di documenti cartacei che accumuliamo può "
                   "diventare una vera e propria sfida."),
    QStringLiteral("La schermata di partenza del software dà accesso a due ambienti di lavoro"),
    QStringLiteral("Il fatto che tutti i file degli archivi sono posizionati nella cartella di installazione del "
                   "programma"),
    QStringLiteral("Per generare il file di un nuovo documento bisogna fare clic sul pulsante Crea nuovo documento"),
    QStringLiteral("Quando si crea un nuovo documento si genera un file di archivio nella cartella del programma "
                   "caratterizzato dall'estensione KPX."),
    QStringLiteral("Una volta indicato il nome del documento nell'apposita casella di testo"),
    QStringLiteral("L'icona del cestino consente di eliminare il file del documento selezionato."),
    QStringLiteral("L'app per la gestione delle pagine del documento consente di creare un numero illimitato di "
                   "schede"),
    QStringLiteral("Per compilare una nuova scheda, bisogna fare clic sul pulsante Nuovo (icona del foglio bianco)"),
    QStringLiteral("Di ogni pagina del documento è possibile indicare il titolo, il codice univoco, l'autore"),
    QStringLiteral("Se si desidera creare una nuova scheda conservando il contenuto di tutti i campi di testo di "
                   "una pagina già archiviata"),
    QStringLiteral("Per arricchire ulteriormente le informazioni associate a ogni pagina"),
    QStringLiteral("Velmora è dotato di una potente funzione di ricerca"),
    QStringLiteral("Per un'analisi più dettagliata, si può effettuare lo zoom sulla foto della pagina "
                   "scansionata."),
    QStringLiteral("La funzione Slide Show consente di visualizzare in sequenza le foto scansionate delle pagine "
                   "del documento."),
    QStringLiteral("Prima di stampare, si può visualizzare un'anteprima di stampa della singola pagina"),
    QStringLiteral("Per una maggiore flessibilità e integrazione con altri software"),
    QStringLiteral("Per aiutare a mantenere l'organizzazione e a completare il lavoro"),
    QStringLiteral("Velmora può essere usato anche in una rete locale se si ha necessità di condividere gli "
                   "archivi fra più postazioni di lavoro."),
    QStringLiteral("L'accesso all'app è protetto da una password aggiornabile dall'utente che può essere cambiata "
                   "tutte le volte che si desidera."),
    QStringLiteral("Il software può essere utilizzato anche su chiavetta USB."),
    QStringLiteral("In un mondo sempre più digitale, la quantità di documenti cartacei che accumuliamo può "
                   "diventare una vera e propria sfida."),
};

const QStringList kApertureEsportazione{
    QStringLiteral("Il pulsante Esporta archivio consente di esportare le schede descrittive delle pagine del "
                   "documento (ad eccezione delle scansioni fotografiche) in un foglio di lavoro di Excel"),
    QStringLiteral("Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic sull'icona di "
                   "Excel."),
    QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso assegnandogli un nome "
                   "qualsiasi."),
};

const QString kAperturaTastiera =
    QStringLiteral("I comandi principali si eseguono anche dalla tastiera, senza lasciare i campi di testo:");

const QString kAperturaScanner =
    QStringLiteral("Le pagine si possono acquisire anche direttamente dallo scanner, senza passare da un altro "
                   "programma:");

const QString kEsportazioneAvvio = QStringLiteral(
    "Questa funzionalità permette di analizzare e gestire i dati delle schede al di fuori dell'applicazione.");
const QString kEsportazioneEditor = QStringLiteral(
    "Questa funzionalità ti permette di analizzare e gestire i dati delle tue schede al di fuori "
    "dell'applicazione.");

QStringList tratto(int primo, int ultimo)
{
    return kAperturePanoramica.mid(primo - 1, ultimo - primo + 1);
}

int frasi(const QString &paragrafo)
{
    static const QRegularExpression fine(QStringLiteral("[.!?](\\s|$)"));
    return int(paragrafo.count(fine));
}

} // namespace

const QStringList kApertureTesto = {
    QStringLiteral("Le pagine possono leggersi da sole."),
    QStringLiteral("«Riconosci il testo di tutte le pagine dell'archivio» (Ctrl+Maiusc+R)"),
    QStringLiteral("«Cerca nel testo delle pagine...» (Ctrl+Maiusc+F)"),
    QStringLiteral("«Esporta PDF ricercabile...» (Ctrl+Maiusc+E)"),
};

class TestTestiGuida : public QObject
{
    Q_OBJECT

private slots:
    void argomenti_data();
    void argomenti();
    void unione_data();
    void unione();
    void archiviCondividonoUnArgomento();
    void paragrafiDiUnaFrase_data();
    void paragrafiDiUnaFrase();
    void primoAccesso();
    void capitoli();
};

void TestTestiGuida::argomenti_data()
{
    QTest::addColumn<ArgomentoGuida>("argomento");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<QStringList>("aperture");
    QTest::addColumn<QString>("esportazione");

    QTest::newRow("avvio") << ArgomentoGuida::Avvio << "Uno sguardo a Velmora" << tratto(1, 23)
                           << kEsportazioneAvvio;
    QTest::newRow("crea") << ArgomentoGuida::CreaCatalogo << "Creazione e apertura documenti" << tratto(3, 8)
                          << QString();
    QTest::newRow("apri") << ArgomentoGuida::ApriCatalogo << "Creazione e apertura documenti" << tratto(3, 8)
                          << QString();
    // The editor's topic goes on with its keys and the commands on the pages' text.
    QTest::newRow("documenti") << ArgomentoGuida::Documenti << "Gestione pagine documento"
                               << tratto(9, 18) + QStringList{kAperturaTastiera, kAperturaScanner} + kApertureTesto
                               << kEsportazioneEditor;
    QTest::newRow("esportazione") << ArgomentoGuida::Esportazione
                                  << "Esportazione archivio pagine documento in Excel" << kApertureEsportazione
                                  << QString();
}

// Each paragraph starts with its opening words and goes on with more than
// them, in clean single-paragraph prose; the export paragraph carries the
// wording of its opener as its second sentence.
void TestTestiGuida::argomenti()
{
    QFETCH(ArgomentoGuida, argomento);
    QFETCH(QString, titolo);
    QFETCH(QStringList, aperture);
    QFETCH(QString, esportazione);

    const TestoGuida t = testoGuida(argomento);
    QCOMPARE(t.titolo, titolo);
    QCOMPARE(t.paragrafi.size(), aperture.size());
    for (int i = 0; i < aperture.size(); ++i) {
        const QString &p = t.paragrafi.at(i);
        QVERIFY2(p.startsWith(aperture.at(i)), qPrintable(p));
        QVERIFY2(p.size() > aperture.at(i).size() + 20 || frasi(aperture.at(i)) == 1, qPrintable(p));
        QVERIFY2(p.endsWith(u'.'), qPrintable(p));
        QCOMPARE(p.trimmed(), p);
        QVERIFY2(!p.contains(u'\n') && !p.contains(u'\r') && !p.contains(QStringLiteral("  ")), qPrintable(p));
        QVERIFY2(!p.contains(u'"'), qPrintable(p));
        QVERIFY2(!p.contains(QStringLiteral(".kpx"), Qt::CaseInsensitive), qPrintable(p));
    }
    const int esportazioni = int(std::count_if(t.paragrafi.cbegin(), t.paragrafi.cend(), [](const QString &p) {
        return p.startsWith(QStringLiteral("Per una maggiore flessibilità"));
    }));
    QCOMPARE(esportazioni, esportazione.isEmpty() ? 0 : 1);
    for (const QString &p : t.paragrafi) {
        if (!p.startsWith(QStringLiteral("Per una maggiore flessibilità")))
            continue;
        QStringList parti = p.split(QStringLiteral(". "));
        QVERIFY(parti.size() >= 3);
        QCOMPARE(parti.at(1) + u'.', esportazione);
    }
}

void TestTestiGuida::unione_data()
{
    QTest::addColumn<ArgomentoGuida>("argomento");
    QTest::newRow("avvio") << ArgomentoGuida::Avvio;
    QTest::newRow("crea") << ArgomentoGuida::CreaCatalogo;
    QTest::newRow("documenti") << ArgomentoGuida::Documenti;
    QTest::newRow("esportazione") << ArgomentoGuida::Esportazione;
}

// One empty line between paragraphs, nothing before the first or after the
// last, and the text splits back into exactly the paragraphs.
void TestTestiGuida::unione()
{
    QFETCH(ArgomentoGuida, argomento);
    const QStringList paragrafi = testoGuida(argomento).paragrafi;
    const QString testo = testoUnito(argomento);
    QVERIFY(testo.startsWith(paragrafi.first()));
    QVERIFY(testo.endsWith(paragrafi.last()));
    QCOMPARE(testo.split(QStringLiteral("\r\n\r\n")), paragrafi);
    QCOMPARE(int(testo.count(QStringLiteral("\r\n"))), 2 * (paragrafi.size() - 1));
    QCOMPARE(unisciParagrafi(QStringList{QStringLiteral("Uno.")}), QStringLiteral("Uno."));
}

void TestTestiGuida::archiviCondividonoUnArgomento()
{
    const TestoGuida crea = testoGuida(ArgomentoGuida::CreaCatalogo);
    const TestoGuida apri = testoGuida(ArgomentoGuida::ApriCatalogo);
    QCOMPARE(crea.titolo, apri.titolo);
    QCOMPARE(crea.paragrafi, apri.paragrafi);
    // The same words in the launcher's overview.
    QCOMPARE(testoGuida(ArgomentoGuida::Avvio).paragrafi.mid(2, 6), crea.paragrafi);
}

void TestTestiGuida::paragrafiDiUnaFrase_data()
{
    QTest::addColumn<ArgomentoGuida>("argomento");
    QTest::addColumn<int>("indice");
    QTest::newRow("rete locale") << ArgomentoGuida::Avvio << 19;
    QTest::newRow("salvataggio del foglio") << ArgomentoGuida::Esportazione << 2;
}

void TestTestiGuida::paragrafiDiUnaFrase()
{
    QFETCH(ArgomentoGuida, argomento);
    QFETCH(int, indice);
    const QString p = testoGuida(argomento).paragrafi.at(indice);
    QCOMPARE(frasi(p), 1);
}

void TestTestiGuida::primoAccesso()
{
    const QString p = testoGuida(ArgomentoGuida::Avvio).paragrafi.at(20);
    QVERIFY(p.contains(QStringLiteral(" primaveralunga")));
    QVERIFY(!p.contains(QStringLiteral("\"primaveralunga")));
}

void TestTestiGuida::capitoli()
{
    QStringList titoli;
    for (ArgomentoGuida a : capitoliGuida())
        titoli.append(testoGuida(a).titolo);
    QCOMPARE(titoli, (QStringList{"Uno sguardo a Velmora", "Creazione e apertura documenti",
                                  "Gestione pagine documento",
                                  "Esportazione archivio pagine documento in Excel"}));
}

QTEST_MAIN(TestTestiGuida)
#include "tst_testiguida.moc"
