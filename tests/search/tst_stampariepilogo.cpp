// "Stampa" of the search and the to-complete windows: the window's current
// list printed with its title and the time of each print, a cancelled
// dialog, a printer that fails; the window stays open every time.

#include "app/formati.h"
#include "editor/frmdocumenti.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"
#include "startup/finestre.h"

#include "support/avanzamento_supporto.h"
#include "support/disco_supporto.h"
#include "support/documenti_supporto.h"
#include "support/pdf_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

const QByteArray kSi("\x02S\xEC", 3);

// 150 records, every third one still to complete: the search lists them
// all over several pages, the to-complete window 50 of them.
QVector<TSchedaPagina> archivioDiProva()
{
    QVector<TSchedaPagina> schede;
    for (int i = 0; i < 150; ++i)
        schede.append(schedaDiProva(QStringLiteral("Pagina%1 [x]").arg(i, 3, 10, QLatin1Char('0')),
                                    i % 2 ? QStringLiteral("Rossi") : QStringLiteral("Verdi"),
                                    QStringLiteral("C-%1").arg(i), QString::number(i + 1),
                                    i % 3 == 0 ? kSi : QByteArray("\x02No", 3)));
    return schede;
}

// The words that pass the filter, read left to right.
template <class Filtro>
QString daSinistra(const TestoPdf &testo, Filtro filtro)
{
    QList<ParolaPdf> riga;
    for (const ParolaPdf &p : testo.parole)
        if (filtro(p))
            riga.append(p);
    std::sort(riga.begin(), riga.end(),
              [](const ParolaPdf &a, const ParolaPdf &b) { return a.box.left() < b.box.left(); });
    QStringList parole;
    for (const ParolaPdf &p : riga)
        parole.append(p.testo);
    return parole.join(QLatin1Char(' '));
}

// The first word of every line of a printed list, page after page; the
// bottom margin (the paper's last 10 mm) is not the list's.
QStringList primeParole(const TestoPdf &testo)
{
    QStringList parole;
    for (const ParolaPdf &p : testo.parole)
        if (p.testo.startsWith(QLatin1String("Pagina")) && p.box.top() < 200)
            parole.append(p.testo);
    return parole;
}

// What each page's bottom margin reads, left to right.
QStringList piedi(const TestoPdf &testo)
{
    QStringList righe;
    for (int pagina = 0; pagina < testo.pagine; ++pagina)
        righe.append(daSinistra(testo, [&](const ParolaPdf &p) {
            return p.pagina == pagina && p.box.top() >= 200 && p.box.bottom() <= 210;
        }));
    return righe;
}

QStringList primeParole(const QStringList &righe)
{
    QStringList parole;
    for (const QString &r : righe)
        parole.append(r.section(QLatin1Char(' '), 0, 0));
    return parole;
}

// The closing bar's words, read along its line (poppler reads the list's
// columns first).
QString chiusura(const TestoPdf &testo)
{
    const auto eseguita = testo.trova(QStringLiteral("eseguita"));
    if (eseguita.size() != 1)
        return QString();
    return daSinistra(testo, [&](const ParolaPdf &p) {
        return p.pagina == eseguita.first().pagina && qAbs(p.box.center().y() - eseguita.first().box.center().y()) < 1;
    });
}

} // namespace

class TestStampaRiepilogo : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void stampa_data();
    void stampa();
    void dueStampe();
    void stampaAnnullata_data();
    void stampaAnnullata();
    void numeriDiPagina_data();
    void numeriDiPagina();
    void annullataOFallita_data();
    void annullataOFallita();
    void discoPieno();

private:
    FinestraRiepilogo *apri(bool trova);

    std::unique_ptr<ProgrammaDiProva> m_programma;
    std::unique_ptr<FinestraRiepilogo> m_finestra;
};

void TestStampaRiepilogo::init()
{
    m_programma = std::make_unique<ProgrammaDiProva>();
    const QString archivio = m_programma->percorso(QStringLiteral("Prova.kpx"));
    QVERIFY(scriviArchivio(archivio, archivioDiProva()));
    impostaArchivioEditore(frmDocumenti(), m_programma->cartella(), QStringLiteral("Prova"));
}

void TestStampaRiepilogo::cleanup()
{
    m_finestra.reset();
    chiudiModali();
    azzeraModaleMancata();
    m_programma.reset();
}

// The search window after a search without criteria, or the to-complete
// window as it opens.
FinestraRiepilogo *TestStampaRiepilogo::apri(bool trova)
{
    if (trova) {
        auto *f = new TfrmTrovaPagine(contestoDiProva(), frmDocumenti());
        m_finestra.reset(f);
        suArchivioEditore(f);
        f->show();
        QTest::mouseClick(f->btnCerca, Qt::LeftButton);
    } else {
        m_finestra = std::make_unique<TfrmRiepDaCompletare>(contestoDiProva(), frmDocumenti());
        suArchivioEditore(m_finestra.get());
        m_finestra->show();
    }
    QApplication::setActiveWindow(m_finestra.get());
    return m_finestra.get();
}

void TestStampaRiepilogo::stampa_data()
{
    QTest::addColumn<bool>("trova");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<int>("righe");
    QTest::newRow("search") << true << "Riepilogo pagine in archivio" << 150;
    QTest::newRow("to complete") << false << "Riepilogo pagine da completare" << 50;
}

void TestStampaRiepilogo::stampa()
{
    QFETCH(bool, trova);
    QFETCH(QString, titolo);
    QFETCH(int, righe);
    FinestraRiepilogo *f = apri(trova);
    const QStringList voci = vociLista(f->lstRecords);
    QCOMPARE(voci.size(), righe);

    RispostaStampa risposta;
    RegistroMessaggi messaggi;
    const QString pdf = m_programma->percorso(QStringLiteral("lista.pdf"));
    risposta.stampaIn(pdf);
    const QTime prima = QTime::currentTime();
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);
    const QTime dopo = QTime::currentTime();
    QVERIFY(messaggi.messaggi().isEmpty());
    QVERIFY(f->isVisible());
    QCOMPARE(risposta.richieste().size(), 1);
    QCOMPARE(risposta.richieste().first().nomeDocumento, titolo + QStringLiteral(" Prova"));

    const TestoPdf testo = leggiPdf(pdf);
    QCOMPARE(testo.paroleDiPagina(0).mid(0, titolo.count(QLatin1Char(' ')) + 1).join(QLatin1Char(' ')), titolo);
    QCOMPARE(primeParole(testo), primeParole(voci));
    QVERIFY(testo.trova(QStringLiteral("[x]")).size() == righe);
    const QString data = QStringLiteral("Stampa eseguita in data ") + dataBreve(QDate::currentDate())
                         + QStringLiteral(" alle ore ");
    const QString vista = chiusura(testo);
    QVERIFY2(vista == data + oraLunga(prima) || vista == data + oraLunga(dopo), qPrintable(vista));
}

void TestStampaRiepilogo::stampaAnnullata_data()
{
    QTest::addColumn<bool>("precedente");
    QTest::newRow("over an earlier print") << true;
    QTest::newRow("no earlier print") << false;
}

// A long print shows the toolkit's progress window with "Annulla"; choosing
// it leaves the earlier PDF byte for byte, or none, and nothing beside it,
// without a message, and the window open.
void TestStampaRiepilogo::stampaAnnullata()
{
    QFETCH(bool, precedente);
    FinestraRiepilogo *f = apri(true);
    const QString pdf = m_programma->percorso(QStringLiteral("lista.pdf"));
    const QByteArray vecchio = "%PDF-1.4 stampa precedente";
    if (precedente)
        QVERIFY(scriviFile(pdf, vecchio));
    const auto contenuto = [this] {
        return QDir(m_programma->cartella()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList prima = contenuto();

    RispostaStampa risposta;
    RegistroMessaggi messaggi;
    risposta.stampaIn(pdf);
    AnnullaAvanzamento annulla;
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);

    QCOMPARE(annulla.comparse(), 1);
    QVERIFY(annulla.modale());
    QCOMPARE(annulla.pulsante(), QStringLiteral("Annulla"));
    QCOMPARE(annulla.titolo(), QStringLiteral(" Stampa in corso"));
    QVERIFY2(annulla.testo().startsWith(QStringLiteral("Stampa: pagina 1 di 3")), qPrintable(annulla.testo()));
    QVERIFY(messaggi.messaggi().isEmpty());
    if (precedente)
        QCOMPARE(leggiFile(pdf), vecchio);
    else
        QVERIFY(!QFileInfo::exists(pdf));
    QCOMPARE(contenuto(), prima);
    QVERIFY(f->isVisible());
    QVERIFY(!QApplication::overrideCursor());
}

void TestStampaRiepilogo::numeriDiPagina_data()
{
    QTest::addColumn<bool>("trova");
    QTest::addColumn<int>("pagine");
    QTest::newRow("search, several pages") << true << 3;
    QTest::newRow("to complete, one page") << false << 1;
}

// Every page of a printed list says in its bottom margin which archive it
// comes from and where it stands, so loose pages go back in order; the
// list's own lines keep their places.
void TestStampaRiepilogo::numeriDiPagina()
{
    QFETCH(bool, trova);
    QFETCH(int, pagine);
    FinestraRiepilogo *f = apri(trova);
    RispostaStampa risposta;
    const QString pdf = m_programma->percorso(QStringLiteral("lista.pdf"));
    risposta.stampaIn(pdf);
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);

    const TestoPdf testo = leggiPdf(pdf);
    QCOMPARE(testo.pagine, pagine);
    QStringList attesi;
    for (int n = 1; n <= pagine; ++n)
        attesi.append(QStringLiteral("Prova Pagina %1 di %2").arg(n).arg(pagine));
    QCOMPARE(piedi(testo), attesi);
    QVERIFY(piedi(testo).first().endsWith(QStringLiteral("Pagina 1 di %1").arg(pagine)));
    QVERIFY(piedi(testo).last().endsWith(QStringLiteral("Pagina %1 di %1").arg(pagine)));
    QCOMPARE(primeParole(testo), primeParole(vociLista(f->lstRecords)));
}

// The second print has the list and the time of its own moment.
void TestStampaRiepilogo::dueStampe()
{
    auto *f = static_cast<TfrmTrovaPagine *>(apri(true));
    RispostaStampa risposta;
    const QString prima = m_programma->percorso(QStringLiteral("prima.pdf"));
    const QString seconda = m_programma->percorso(QStringLiteral("seconda.pdf"));
    risposta.stampaIn(prima);
    risposta.stampaIn(seconda);
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);
    const QString primaChiusura = chiusura(leggiPdf(prima));

    QTest::qWait(1100);
    f->findChild<QLineEdit *>(QStringLiteral("txtAutore"))->setText(QStringLiteral("Verdi"));
    QTest::mouseClick(f->btnCerca, Qt::LeftButton);
    const QStringList voci = vociLista(f->lstRecords);
    QCOMPARE(voci.size(), 75);
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);

    const TestoPdf testo = leggiPdf(seconda);
    QCOMPARE(primeParole(testo), primeParole(voci));
    QVERIFY(testo.trova(QStringLiteral("Rossi")).isEmpty());
    QVERIFY(chiusura(testo) != primaChiusura);
    QVERIFY(chiusura(testo).startsWith(QLatin1String("Stampa eseguita in data ")));
}

void TestStampaRiepilogo::annullataOFallita_data()
{
    QTest::addColumn<bool>("annulla");
    QTest::newRow("cancelled: nothing printed, nothing shown") << true;
    QTest::newRow("printer fails: the general error report") << false;
}

void TestStampaRiepilogo::annullataOFallita()
{
    QFETCH(bool, annulla);
    FinestraRiepilogo *f = apri(false);
    RispostaStampa risposta;
    if (!annulla)
        risposta.stampaIn(m_programma->percorso(QStringLiteral("manca/lista.pdf")));
    RegistroMessaggi messaggi;
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);
    QCOMPARE(risposta.richieste().size(), 1);
    QVERIFY(f->isVisible());
    QCOMPARE(vociLista(f->lstRecords).size(), 50);
    if (annulla) {
        QVERIFY(messaggi.messaggi().isEmpty());
        QVERIFY(QDir(m_programma->cartella()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    } else {
        QCOMPARE(messaggi.messaggi().size(), 1);
        QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Errore);
        QVERIFY(messaggi.testi().first().startsWith(QStringLiteral("Si \u00E8 verificato un errore imprevisto.")));
    }
}

// The list printed over an earlier PDF on a real full disk: the error
// report names the file and the reason, and the earlier PDF stays whole.
void TestStampaRiepilogo::discoPieno()
{
    const DiscoPiccolo disco(m_programma->percorso(QStringLiteral("disco")), 128);
    if (!disco.montato())
        QSKIP("no permission to mount a small tmpfs here");
    FinestraRiepilogo *f = apri(true);
    const QString pdf = disco.cartella() + QStringLiteral("Riepilogo.pdf");
    RispostaStampa risposta;
    risposta.stampaIn(pdf);
    risposta.stampaIn(pdf);
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);
    const QByteArray prima = leggiFile(pdf);
    QVERIFY(leggiPdf(pdf).pagine > 1);
    QVERIFY(disco.riempi());

    RegistroMessaggi messaggi;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("spazio esaurito sul disco")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("spazio esaurito sul disco")));
    QTest::mouseClick(f->btnStampa, Qt::LeftButton);
    QCOMPARE(messaggi.messaggi().size(), 1);
    QCOMPARE(messaggi.messaggi().first().tipo, TipoMessaggio::Errore);
    // The report wraps long lines, also inside the path.
    const QString testo = messaggi.testi().first().simplified();
    QVERIFY2(testo.contains(QStringLiteral("la stampa non \u00E8 andata a buon fine"))
                 && testo.contains(QStringLiteral("Riepilogo.pdf:")) && testo.contains(QStringLiteral("spazio esaurito sul disco")),
             qPrintable(testo));
    QCOMPARE(leggiFile(pdf), prima);
    QVERIFY(f->isVisible());
}

QTEST_MAIN(TestStampaRiepilogo)
#include "tst_stampariepilogo.moc"
