#include "app/vistaimmagine.h"
#include "home/frmavvio.h"
#include "home/frminfo.h"
#include "home/frmsplash.h"
#include "startup/finestre.h"

#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <QCloseEvent>

#include <memory>

namespace {

const QString kSito = QStringLiteral("https://www.velmora-software.example");
const QString kEmail = QStringLiteral("info@velmora-software.example");

TfrmAvvio *apriLauncher()
{
    reinterpret_cast<QWidget *>(frmPassword())->hide();
    TfrmAvvio *w = frmAvvio();
    w->mostra();
    return w;
}

QWidget *comando(QWidget *finestra, const QString &nome)
{
    auto *c = finestra->findChild<QWidget *>(nome);
    if (!c)
        qWarning("manca %s", qPrintable(nome));
    return c;
}

} // namespace

class TestAvvio : public QObject
{
    Q_OBJECT

private slots:
    void percorsi_data();
    void percorsi();
    void uscite_data();
    void uscite();
    void dialoghi_data();
    void dialoghi();
    void sito();
    void collegamenti_data();
    void collegamenti();
};

void TestAvvio::percorsi_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("destinazione");
    QTest::newRow("immagine crea") << "imgApp01" << "frmCreaCatalogo";
    QTest::newRow("pulsante crea") << "btnApp01" << "frmCreaCatalogo";
    QTest::newRow("immagine apri") << "imgApp02" << "frmApriCatalogo";
    QTest::newRow("pulsante apri") << "btnApp02" << "frmApriCatalogo";
}

void TestAvvio::percorsi()
{
    QFETCH(QString, comando);
    QFETCH(QString, destinazione);

    ProgrammaDiProva programma;
    TfrmAvvio *w = apriLauncher();
    QWidget *c = ::comando(w, comando);
    QCOMPARE(c->cursor().shape(), Qt::PointingHandCursor);
    clicca(c);
    QCOMPARE(finestreVisibili(), QStringList{destinazione});
    QCOMPARE(programma.terminazioni(), 0);
}

void TestAvvio::uscite_data()
{
    QTest::addColumn<bool>("barraTitolo");
    QTest::newRow("icona di uscita") << false;
    QTest::newRow("casella di chiusura") << true;
}

void TestAvvio::uscite()
{
    QFETCH(bool, barraTitolo);

    ProgrammaDiProva programma;
    TfrmAvvio *w = apriLauncher();
    if (barraTitolo) {
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCloseEvent evento;
        QCoreApplication::sendEvent(w->windowHandle(), &evento);
    } else {
        clicca(w->imgEsci);
    }
    QCOMPARE(programma.terminazioni(), 1);
}

void TestAvvio::dialoghi_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QString>("dialogo");
    QTest::newRow("informazioni") << "imgInfo" << "frmInfo";
    QTest::newRow("splash") << "imgCopyright" << "frmSplash";
    QTest::newRow("guida") << "imgGuida" << "frmGuida";
}

// Each click makes a new modal dialog owned by the launcher and destroys it
// once closed; the launcher stays where it was.
void TestAvvio::dialoghi()
{
    QFETCH(QString, comando);
    QFETCH(QString, dialogo);

    ProgrammaDiProva programma;
    TfrmAvvio *w = apriLauncher();
    for (int volta = 0; volta < 2; ++volta) {
        QString aperto;
        allaProssimaModale([&](QWidget *m) {
            aperto = m->objectName();
            QCOMPARE(m->parentWidget(), w);
            QVERIFY(static_cast<QDialog *>(m)->isModal());
            if (auto *chiudi = m->findChild<QPushButton *>(QStringLiteral("btnChiudi")))
                chiudi->click();
            else
                static_cast<QDialog *>(m)->accept();
        });
        clicca(::comando(w, comando));
        QVERIFY(!modaleMancata());
        QCOMPARE(aperto, dialogo);
        QVERIFY(!w->findChild<QDialog *>(dialogo));
    }
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});
}

void TestAvvio::sito()
{
    ProgrammaDiProva programma;
    RegistroAperture aperture;
    TfrmAvvio *w = apriLauncher();
    clicca(w->imgSito);
    QCOMPARE(aperture.aperture(), QList<QUrl>{QUrl(kSito)});
    QCOMPARE(finestreVisibili(), QStringList{QStringLiteral("frmAvvio")});
}

void TestAvvio::collegamenti_data()
{
    QTest::addColumn<bool>("informazioni");
    QTest::addColumn<QString>("immagine");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QUrl>("destinazione");
    const QUrl posta(QStringLiteral("mailto:") + kEmail);
    QTest::newRow("informazioni, testo") << true << "" << kEmail << posta;
    QTest::newRow("informazioni, busta") << true << "imgEmail" << kEmail << posta;
    QTest::newRow("splash, testo") << false << "" << kSito << QUrl(kSito);
    QTest::newRow("splash, globo") << false << "imgWeb" << kSito << QUrl(kSito);
}

void TestAvvio::collegamenti()
{
    QFETCH(bool, informazioni);
    QFETCH(QString, immagine);
    QFETCH(QString, testo);
    QFETCH(QUrl, destinazione);

    ProgrammaDiProva programma;
    RegistroAperture aperture;
    TfrmAvvio *w = apriLauncher();
    std::unique_ptr<QDialog> dialogo;
    if (informazioni)
        dialogo = std::make_unique<TfrmInfo>(w);
    else
        dialogo = std::make_unique<TfrmSplash>(w);
    auto *lnkWeb = dialogo->findChild<QLabel *>(QStringLiteral("lnkWeb"));
    QVERIFY(lnkWeb);
    QCOMPARE(lnkWeb->text(), testo);
    QWidget *bersaglio = immagine.isEmpty() ? lnkWeb : ::comando(dialogo.get(), immagine);
    QCOMPARE(bersaglio->cursor().shape(), Qt::PointingHandCursor);
    clicca(bersaglio);
    QCOMPARE(aperture.aperture(), QList<QUrl>{destinazione});
}

QTEST_MAIN(TestAvvio)
#include "tst_avvio.moc"
