#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "output/frmslideshow_documenti.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/immagini_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>

namespace {

// The colour of the scan of each page: page k is kColori[k - 1].
const QColor kColori[] = {Qt::darkRed, Qt::darkGreen, Qt::darkBlue, Qt::darkMagenta};

// What the slideshow shows: "-" for the placeholder, the page number for a
// scan, "?" for anything else.
QString mostrata(TfrmSlideshow_Documenti *s)
{
    const QImage &foto = s->imgFoto->immagine();
    if (foto == s->imgBianco->immagine())
        return QStringLiteral("-");
    for (int k = 0; k < 4; ++k) {
        if (coloreVicino(coloreAlCentro(foto), kColori[k]))
            return QString::number(k + 1);
    }
    return QStringLiteral("?");
}

using Azione = std::function<void(TfrmSlideshow_Documenti *)>;

} // namespace

class TestSlideshow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sequenza_data();
    void sequenza();
    void archivioVuoto_data();
    void archivioVuoto();
    void archivioIllegibile();
    void chiusura_data();
    void chiusura();
    void dueDiSeguito();
    void finestra();
    void fotoGrandeRidotta();

private:
    // Writes n records and scans for the given pages, opens the editor on
    // them and runs a slideshow from the editor's command, handing the
    // window to the action; true when a slideshow window came up.
    void archivio(int schede, const QList<int> &scansioni);
    // The editor is opened on "Prova" first unless it already shows it.
    bool avvia(const Azione &azione, bool apriEditoreProva = true);

    std::unique_ptr<EditoreDiProva> m_editore;
};

void TestSlideshow::init()
{
    m_editore = std::make_unique<EditoreDiProva>();
    azzeraModaleMancata();
}

void TestSlideshow::cleanup()
{
    m_editore.reset();
}

void TestSlideshow::archivio(int schede, const QList<int> &scansioni)
{
    QByteArray byte;
    for (const TSchedaPagina &s : schedeNumerate(schede))
        byte.append(reinterpret_cast<const char *>(&s), kDimensioneScheda);
    QVERIFY(scriviFile(m_editore->archivio(), byte));
    for (int k : scansioni)
        QVERIFY(scriviFile(m_editore->scansione(k), codifica(tinta(QSize(60, 80), kColori[k - 1]), "JPG")));
}

bool TestSlideshow::avvia(const Azione &azione, bool apriEditoreProva)
{
    TfrmDocumenti *editor = apriEditoreProva ? apriEditore(m_editore->cartella(), QStringLiteral("Prova"))
                                             : frmDocumenti();
    bool aperta = false;
    allaProssimaModale([&](QWidget *m) {
        auto *s = qobject_cast<TfrmSlideshow_Documenti *>(m);
        if (!s)
            return;
        aperta = true;
        azione(s);
    });
    clicca(editor->findChild<QWidget *>(QStringLiteral("cmdSlideshow")));
    return aperta && !modaleMancata();
}

void TestSlideshow::sequenza_data()
{
    QTest::addColumn<int>("schede");
    QTest::addColumn<QList<int>>("scansioni");
    QTest::addColumn<QStringList>("attesa");

    // The placeholder at the start, then one page a step; the last page
    // stays for a second step before the show starts again.
    QTest::newRow("tre schede, scansioni 1 e 3") << 3 << QList<int>{1, 3}
                                                  << QStringList{"-", "1", "-", "3", "3", "1", "-", "3"};
    QTest::newRow("una scheda") << 1 << QList<int>{1} << QStringList{"-", "1", "1", "1", "1"};
    QTest::newRow("nessuna scansione") << 2 << QList<int>{} << QStringList{"-", "-", "-", "-"};
    QTest::newRow("quattro schede") << 4 << QList<int>{1, 2, 3, 4}
                                    << QStringList{"-", "1", "2", "3", "4", "4", "1"};
}

void TestSlideshow::sequenza()
{
    QFETCH(int, schede);
    QFETCH(QList<int>, scansioni);
    QFETCH(QStringList, attesa);

    archivio(schede, scansioni);
    RegistroMessaggi messaggi;
    QStringList viste;
    QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
        viste << mostrata(s);
        for (int passo = 1; passo < attesa.size(); ++passo) {
            s->cmdAvantiClick();
            viste << mostrata(s);
        }
        clicca(s->imgFoto);
    }));
    QCOMPARE(viste, attesa);
    QVERIFY(messaggi.messaggi().isEmpty());
}

void TestSlideshow::archivioVuoto_data()
{
    QTest::addColumn<bool>("fileEsiste");
    QTest::newRow("file vuoto") << true;
    QTest::newRow("file mancante, creato vuoto") << false;
}

// The placeholder first; at the first step the information, then the
// window is gone and the editor is back.
void TestSlideshow::archivioVuoto()
{
    QFETCH(bool, fileEsiste);
    if (fileEsiste)
        archivio(0, {});
    QList<RichiestaMessaggio> richieste;
    bool timerDuranteMessaggio = true;
    QPointer<TfrmSlideshow_Documenti> finestra;
    QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
        finestra = s;
        QCOMPARE(mostrata(s), QStringLiteral("-"));
        contestoDiProva().impostaRispostaMessaggi([&](const RichiestaMessaggio &r) {
            timerDuranteMessaggio = s->Timer->isActive();
            richieste << r;
            return int(mrOk);
        });
        s->cmdAvantiClick();
        contestoDiProva().impostaRispostaMessaggi(nullptr);
        QVERIFY(!s->isVisible());
        QCOMPARE(s->lblPosizione->text(), QString());
    }));
    QCOMPARE(richieste.size(), 1);
    QCOMPARE(richieste.at(0).tipo, TipoMessaggio::Informazione);
    QCOMPARE(richieste.at(0).testo, QStringLiteral("L'archivio non contiene nessuna scheda."));
    QVERIFY(!timerDuranteMessaggio);
    QVERIFY(finestra.isNull());
    QVERIFY(!finestreVisibili().contains(QStringLiteral("frmSlideshow_Documenti")));
    QVERIFY(finestreVisibili().contains(QStringLiteral("frmDocumenti")));
    QVERIFY(QFileInfo::exists(m_editore->archivio()));
}

// An archive that cannot be opened: one error at each step, the timer
// waiting while the message is up and running again after it; the window
// stays until the user leaves it.
void TestSlideshow::archivioIllegibile()
{
    QVERIFY(QDir().mkpath(m_editore->archivio()));
    QList<bool> timerDuranteMessaggio;
    QStringList testi;
    bool timerDopo = false;
    QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
        contestoDiProva().impostaRispostaMessaggi([&](const RichiestaMessaggio &r) {
            timerDuranteMessaggio << s->Timer->isActive();
            testi << r.testo;
            return int(mrOk);
        });
        s->cmdAvantiClick();
        s->cmdAvantiClick();
        contestoDiProva().impostaRispostaMessaggi(nullptr);
        timerDopo = s->Timer->isActive();
        QVERIFY(s->isVisible());
        QCOMPARE(mostrata(s), QStringLiteral("-"));
        clicca(s->imgFoto);
    }));
    QCOMPARE(testi, QStringList(2, kMessaggioAccessoArchivio));
    QCOMPARE(timerDuranteMessaggio, (QList<bool>{false, false}));
    QVERIFY(timerDopo);
}

void TestSlideshow::chiusura_data()
{
    QTest::addColumn<QString>("modo");
    QTest::newRow("clic sulla foto") << "imgFoto";
    QTest::newRow("clic sul pannello") << "panContainer";
    QTest::newRow("casella di chiusura") << "chiudi";
}

// Any way out closes at once, and the editor keeps its record and position.
void TestSlideshow::chiusura()
{
    QFETCH(QString, modo);
    archivio(3, {1, 2, 3});
    TfrmDocumenti *editor = apriEditore(m_editore->cartella(), QStringLiteral("Prova"));
    clicca(editor->findChild<QWidget *>(QStringLiteral("cmdPrimo")));
    clicca(editor->findChild<QWidget *>(QStringLiteral("cmdAvanti")));
    const TfrmDocumenti *pagine = editor;
    QCOMPARE(pagine->posizioneCorrente(), 2);
    const ValoriScheda prima = pagine->valoriSchermo();
    const QImage fotoPrima = pagine->foto();

    QPointer<TfrmSlideshow_Documenti> finestra;
    QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
        finestra = s;
        s->cmdAvantiClick();
        s->cmdAvantiClick();
        QCOMPARE(mostrata(s), QStringLiteral("2"));
        if (modo == QLatin1String("chiudi")) {
            QVERIFY(s->windowFlags() & Qt::WindowCloseButtonHint);
            QCloseEvent evento;
            QCoreApplication::sendEvent(s->windowHandle(), &evento);
        } else {
            QWidget *bersaglio = s->findChild<QWidget *>(modo);
            QTest::mouseClick(bersaglio, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        }
        QVERIFY(!s->isVisible());
    }, false));
    QVERIFY(finestra.isNull());
    QCOMPARE(pagine->posizioneCorrente(), 2);
    QCOMPARE(pagine->valoriSchermo().testi, prima.testi);
    QCOMPARE(pagine->foto(), fotoPrima);
}

void TestSlideshow::dueDiSeguito()
{
    archivio(3, {1, 2, 3});
    for (int volta = 0; volta < 2; ++volta) {
        QStringList viste;
        QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
            QCOMPARE(s->lblPosizione->text(), QString());
            viste << mostrata(s);
            s->cmdAvantiClick();
            viste << mostrata(s);
            s->cmdAvantiClick();
            viste << mostrata(s);
            clicca(s->imgFoto);
        }));
        QCOMPARE(viste, (QStringList{"-", "1", "2"}));
    }
}

// The window as it opens: the archive of the editor, the timer started at
// six seconds, the picture area the screen less its margins, the
// placeholder at its own size in the middle.
void TestSlideshow::finestra()
{
    archivio(1, {1});
    QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
        QCOMPARE(s->lblNome->text(), QStringLiteral("Prova"));
        QCOMPARE(s->lblFile->text(), m_editore->archivio());
        QVERIFY(s->Timer->isActive());
        QCOMPARE(s->Timer->interval(), 6000);
        QCOMPARE(s->windowTitle(), QStringLiteral(" Slide Show Pagine Documento"));
        const QSize schermo = s->screen()->size();
        QCOMPARE(s->panContainer->size(), schermo - QSize(60, 90));
        QCOMPARE(s->imgFoto->size(), s->panContainer->size());
        QCOMPARE(s->imgBianco->immagine().size(), QSize(680, 183));
        QVERIFY(!s->imgBianco->isVisible() && !s->cmdAvanti->isVisible() && !s->lblPosizione->isVisible());
        const QRect segnaposto = s->imgFoto->rettangoloDisegno();
        QCOMPARE(segnaposto.size(), QSize(680, 183));
        QCOMPARE(segnaposto.center(), s->imgFoto->rect().center());
        clicca(s->imgFoto);
    }));
}

// A scan far larger than the screen is decoded only as large as shown.
void TestSlideshow::fotoGrandeRidotta()
{
    archivio(1, {});
    QVERIFY(scriviFile(m_editore->scansione(1), codifica(tinta(QSize(3000, 4200), kColori[0]), "JPG")));
    QVERIFY(avvia([&](TfrmSlideshow_Documenti *s) {
        s->cmdAvantiClick();
        QCOMPARE(mostrata(s), QStringLiteral("1"));
        const QSize area = s->imgFoto->size();
        const QSize foto = s->imgFoto->immagine().size();
        QVERIFY(foto.height() == area.height() || foto.width() == area.width());
        QVERIFY(foto.height() <= area.height() && foto.width() <= area.width());
        QVERIFY(qAbs(double(foto.width()) / foto.height() - 3000.0 / 4200.0) < 0.01);
        clicca(s->imgFoto);
    }));
}

QTEST_MAIN(TestSlideshow)
#include "tst_slideshow.moc"
