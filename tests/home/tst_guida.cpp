#include "app/finestra.h"
#include "editor/frmdocumenti.h"
#include "home/frmguida.h"
#include "home/testiguida.h"
#include "startup/finestre.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <map>
#include <memory>

namespace {

// A long-lived window shown as its opener shows it.
QWidget *mostrata(Permanente quale)
{
    contestoDiProva().mostraFinestra(quale);
    return finestre().permanenti.at(std::size_t(quale));
}

} // namespace

class TestGuida : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void argomenti_data();
    void argomenti();
    void finestra();
    void manuale_data();
    void manuale();
    void escapeChiudeComeChiudi();
    void dallaFinestraDiEsportazione();

private:
    std::unique_ptr<ProgrammaDiProva> m_programma;
};

void TestGuida::init()
{
    m_programma = std::make_unique<ProgrammaDiProva>();
    azzeraModaleMancata();
}

void TestGuida::cleanup()
{
    m_programma.reset();
}

void TestGuida::argomenti_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("titolo");
    QTest::addColumn<int>("paragrafi");

    QTest::newRow("avvio") << "frmAvvio" << "imgGuida" << "Uno sguardo a Velmora" << 23;
    QTest::newRow("crea documento") << "frmCreaCatalogo" << "imgGuida" << "Creazione e apertura documenti" << 6;
    QTest::newRow("apri documento") << "frmApriCatalogo" << "imgGuida" << "Creazione e apertura documenti" << 6;
    // The editor's ten paragraphs, the one on its keys, the scanner's and four on the pages' text.
    QTest::newRow("pagine") << "frmDocumenti" << "cmdGuida" << "Gestione pagine documento" << 16;
}

// Each opener's help command shows its own topic in a fresh help window
// that it owns; closing it leaves the opener as it was, and a second opening
// starts afresh.
void TestGuida::argomenti()
{
    QFETCH(QString, finestra);
    QFETCH(QString, comando);
    QFETCH(QString, titolo);
    QFETCH(int, paragrafi);

    static const std::map<QString, Permanente> permanenti{
        {QStringLiteral("frmAvvio"), Permanente::Avvio},
        {QStringLiteral("frmCreaCatalogo"), Permanente::CreaCatalogo},
        {QStringLiteral("frmApriCatalogo"), Permanente::ApriCatalogo},
    };
    QWidget *opener = nullptr;
    if (finestra == QLatin1String("frmDocumenti")) {
        opener = apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    } else {
        opener = mostrata(permanenti.at(finestra));
    }
    QVERIFY(opener);
    const QStringList visibili = finestreVisibili();

    for (int volta = 0; volta < 2; ++volta) {
        QString titoloVisto, testoVisto, testoMostrato;
        allaProssimaModale([&](QWidget *m) {
            auto *g = qobject_cast<TfrmGuida *>(m);
            QVERIFY(g);
            QCOMPARE(g->parentWidget(), opener);
            titoloVisto = g->lblTitolo->text();
            testoVisto = g->testo();
            testoMostrato = g->txtGuida->toPlainText();
            g->btnChiudi->click();
        });
        clicca(opener->findChild<QWidget *>(comando));
        QVERIFY(!modaleMancata());
        QCOMPARE(titoloVisto, titolo);
        QCOMPARE(testoVisto.split(QStringLiteral("\r\n\r\n")).size(), paragrafi);
        for (const QString &p : testoVisto.split(QStringLiteral("\r\n\r\n")))
            QVERIFY(!p.isEmpty() && !p.contains(u'\n') && !p.contains(u'\r'));
        // On screen: one empty line between paragraphs.
        QCOMPARE(testoMostrato, testoVisto.split(QStringLiteral("\r\n\r\n")).join(QStringLiteral("\n\n")));
        QVERIFY(opener->findChildren<QDialog *>().isEmpty());
        QCOMPARE(finestreVisibili(), visibili);
    }
}

// The window as it opens on the longest topic: fixed size, no close box,
// the text read-only and scrolling inside its box.
void TestGuida::finestra()
{
    QWidget *avvio = mostrata(Permanente::Avvio);
    allaProssimaModale([&](QWidget *m) {
        auto *g = static_cast<TfrmGuida *>(m);
        QCOMPARE(g->windowTitle(), QStringLiteral(" Guida all'utilizzo del software"));
        QCOMPARE(g->size(), QSize(670, 572));
        QVERIFY(!(g->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(g->txtGuida->isReadOnly());
        QCOMPARE(g->txtGuida->size(), QSize(625, 350));
        QVERIFY(g->txtGuida->verticalScrollBar()->maximum() > 0);
        QCOMPARE(g->lnkWeb->text(), QStringLiteral("Visualizza guida in formato PDF"));
        QCOMPARE(g->btnChiudi->text(), QStringLiteral("Chiudi"));
        g->btnChiudi->click();
    });
    clicca(avvio->findChild<QWidget *>(QStringLiteral("imgGuida")));
    QVERIFY(!modaleMancata());
}

void TestGuida::manuale_data()
{
    QTest::addColumn<QString>("bersaglio");
    QTest::newRow("collegamento") << "lnkWeb";
    QTest::newRow("icona PDF") << "imgPDF";
}

// The link hands the manual in the program folder to the desktop, and the
// help window stays open.
void TestGuida::manuale()
{
    QFETCH(QString, bersaglio);
    RegistroAperture aperture;
    TfrmGuida guida(contestoDiProva(), mostrata(Permanente::Avvio));
    QWidget *w = guida.findChild<QWidget *>(bersaglio);
    QVERIFY(w);
    QCOMPARE(w->cursor().shape(), Qt::PointingHandCursor);
    clicca(w);
    QCOMPARE(aperture.aperture(),
             QList<QUrl>{QUrl::fromLocalFile(m_programma->cartella() + QStringLiteral("Guida.pdf"))});
    QCOMPARE(percorsoManuale(contestoDiProva().cartella()), m_programma->cartella() + QStringLiteral("Guida.pdf"));
}

// Escape closes it as "Chiudi" does (and so does a close box that a window
// manager draws all the same, see the window set's tests).
void TestGuida::escapeChiudeComeChiudi()
{
    QWidget *avvio = mostrata(Permanente::Avvio);
    bool apertaDopo = true;
    allaProssimaModale([&](QWidget *m) {
        QTest::keyClick(m, Qt::Key_Escape);
        apertaDopo = m->isVisible();
        if (apertaDopo)
            static_cast<TfrmGuida *>(m)->btnChiudi->click();
    });
    clicca(avvio->findChild<QWidget *>(QStringLiteral("imgGuida")));
    QVERIFY(!modaleMancata());
    QVERIFY(!apertaDopo);
}

// Three levels: the editor, its export window, and help over the export
// window; closing help returns to the export window, still modal over the
// editor.
void TestGuida::dallaFinestraDiEsportazione()
{
    TfrmDocumenti *editor = apriEditore(m_programma->cartella(), QStringLiteral("Prova"));
    QString titolo, testo;
    // The export window is gone once its opening returns: keep what is
    // checked of it, never the pointer to read from.
    QWidget *proprietarioGuida = nullptr;
    QString nomeProprietario;
    QWidget *modaleDopo = nullptr;
    bool esportazioneVisibile = false;
    allaProssimaModale([&](QWidget *esportazione) {
        QCOMPARE(esportazione->objectName(), QStringLiteral("frmExpDocumenti"));
        allaProssimaModale([&](QWidget *m) {
            auto *g = qobject_cast<TfrmGuida *>(m);
            QVERIFY(g);
            proprietarioGuida = g->parentWidget();
            nomeProprietario = proprietarioGuida ? proprietarioGuida->objectName() : QString();
            titolo = g->lblTitolo->text();
            testo = g->testo();
            g->btnChiudi->click();
        });
        clicca(esportazione->findChild<QWidget *>(QStringLiteral("cmdGuida")));
        modaleDopo = QApplication::activeModalWidget();
        esportazioneVisibile = esportazione->isVisible();
        static_cast<QDialog *>(esportazione)->reject();
    });
    clicca(editor->findChild<QWidget *>(QStringLiteral("cmdEsporta")));
    QVERIFY(!modaleMancata());
    QCOMPARE(titolo, QStringLiteral("Esportazione archivio pagine documento in Excel"));
    QCOMPARE(testo, testoUnito(ArgomentoGuida::Esportazione));
    QVERIFY(proprietarioGuida);
    QCOMPARE(nomeProprietario, QStringLiteral("frmExpDocumenti"));
    QVERIFY(esportazioneVisibile);
    QCOMPARE(modaleDopo, proprietarioGuida);
    QVERIFY(editor->isVisible());
    QVERIFY(editor->findChildren<QDialog *>().isEmpty());
}

QTEST_MAIN(TestGuida)
#include "tst_guida.moc"
