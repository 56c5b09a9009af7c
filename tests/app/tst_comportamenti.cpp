#include "app/alonefuoco.h"
#include "app/catenainvio.h"
#include "app/collegamento.h"
#include "app/colori.h"
#include "app/fogliostile.h"
#include "app/formati.h"
#include "app/openurl.h"
#include "app/suggerimenti.h"
#include "app/tintafuoco.h"

#include "support/supporto.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QPointer>
#include <QTest>

namespace {

// The colour a user sees at a point of the field where no text is drawn.
QColor coloreSfondo(QLineEdit *campo)
{
    const QImage img = campo->grab().toImage();
    return img.pixelColor(img.width() - 4, img.height() / 2);
}

QColor coloreBordo(QLineEdit *campo)
{
    const QImage img = campo->grab().toImage();
    return img.pixelColor(img.width() / 2, 0);
}

QColor coloreTesto(QLabel *etichetta)
{
    return etichetta->palette().color(QPalette::WindowText);
}

void muoviSu(QWidget *w, QPoint pos = QPoint(2, 2))
{
    QMouseEvent evento(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &evento);
}

// A small window with three tinted fields in a row, a command, a caption
// and a status line: the pieces every window combines.
struct Finestrella {
    QWidget finestra;
    QLineEdit *campi[3];
    QPushButton *comando;
    QLabel *didascalia;
    QLabel *panInfo;

    Finestrella()
    {
        finestra.resize(400, 200);
        for (int i = 0; i < 3; ++i) {
            campi[i] = new QLineEdit(&finestra);
            campi[i]->setGeometry(10 + i * 120, 10, 110, 22);
            applicaTintaFuoco(campi[i]);
        }
        comando = new QPushButton(QStringLiteral("Salva"), &finestra);
        comando->setGeometry(10, 60, 80, 30);
        didascalia = new QLabel(QStringLiteral("Titolo:"), &finestra);
        didascalia->setGeometry(100, 60, 80, 20);
        panInfo = new QLabel(QStringLiteral("Pronto"), &finestra);
        panInfo->setGeometry(0, 170, 400, 30);
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    }
};

} // namespace

class TestComportamenti : public QObject
{
    Q_OBJECT

private slots:
    void tintaUnSoloCampoGiallo();
    void alone();
    void campoDistruttoColFuoco_data();
    void campoDistruttoColFuoco();
    void foglioStile_data();
    void foglioStile();
    void catenaInvio();
    void suggerimenti();
    void collegamento();
    void indirizziDellApertura_data();
    void indirizziDellApertura();
    void aperturaNonBlocca();
    void formati_data();
    void formati();
};

void TestComportamenti::tintaUnSoloCampoGiallo()
{
    Finestrella f;
    // From the first display on, the field that has the focus is yellow and
    // every other one alice blue.
    for (QLineEdit *c : f.campi) {
        QCOMPARE(coloreSfondo(c), c->hasFocus() ? Colori::tintaFuoco : Colori::tintaRiposo);
        QCOMPARE(coloreBordo(c), Colori::tintaBordo);
    }
    for (int turno = 0; turno < 3; ++turno) {
        f.campi[turno]->setFocus();
        QTRY_VERIFY(f.campi[turno]->hasFocus());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(coloreSfondo(f.campi[i]), i == turno ? Colori::tintaFuoco : Colori::tintaRiposo);
            QCOMPARE(coloreBordo(f.campi[i]), Colori::tintaBordo);
        }
    }
    f.comando->setFocus();
    QTRY_VERIFY(f.comando->hasFocus());
    for (QLineEdit *c : f.campi)
        QCOMPARE(coloreSfondo(c), Colori::tintaRiposo);
}

void TestComportamenti::alone()
{
    Finestrella f;
    QFrame *effetto = creaAloneFuoco(f.campi[1], QStringLiteral("effPassword"));
    QCOMPARE(f.finestra.findChild<QFrame *>(QStringLiteral("effPassword")), effetto);
    QCOMPARE(effetto->geometry(), f.campi[1]->geometry().adjusted(-4, -4, 4, 4));
    QCOMPARE(effetto->height(), 30);
    QVERIFY(!effetto->isVisible());

    f.campi[1]->setFocus();
    QTRY_VERIFY(effetto->isVisible());
    const QImage img = effetto->grab().toImage();
    QCOMPARE(img.pixelColor(img.width() / 2, img.height() / 2), Colori::alone);

    f.comando->setFocus();
    QTRY_VERIFY(!effetto->isVisible());

    // The halo follows its field.
    f.campi[1]->move(200, 100);
    QCOMPARE(effetto->geometry(), f.campi[1]->geometry().adjusted(-4, -4, 4, 4));
}

// Closing a window while a field with a halo or a tint has the focus: the
// field loses the focus while it is being destroyed, no longer a QLineEdit.
// Under the undefined-behaviour sanitizer a cast to one there stops the run.
void TestComportamenti::campoDistruttoColFuoco_data()
{
    QTest::addColumn<bool>("tinta");
    QTest::newRow("alone") << false;
    QTest::newRow("tinta") << true;
}

void TestComportamenti::campoDistruttoColFuoco()
{
    QFETCH(bool, tinta);
    auto *finestra = new QWidget;
    finestra->resize(200, 100);
    auto *campo = new QLineEdit(finestra);
    campo->setGeometry(10, 10, 110, 22);
    QPointer<QFrame> effetto;
    if (tinta)
        applicaTintaFuoco(campo);
    else
        effetto = creaAloneFuoco(campo, QStringLiteral("effCampo01"));
    const QString riposo = campo->styleSheet();
    finestra->show();
    finestra->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(finestra));
    campo->setFocus();
    if (tinta)
        QTRY_VERIFY(campo->styleSheet() != riposo);
    else
        QTRY_VERIFY(effetto->isVisible());
    QCOMPARE(QApplication::focusWidget(), campo);
    delete finestra;
    QVERIFY(effetto.isNull());
}

// A control given its sheet while its window is hidden must look and measure
// as if the sheet had been set at once, whichever first needs it: the window
// opening, a picture of the control, or its size.
void TestComportamenti::foglioStile_data()
{
    QTest::addColumn<QString>("richiesta");
    QTest::addColumn<bool>("giaRifinito");
    QTest::addColumn<bool>("sostituito");

    QTest::newRow("finestra aperta") << QStringLiteral("mostra") << false << false;
    QTest::newRow("immagine a finestra nascosta") << QStringLiteral("immagine") << false << false;
    QTest::newRow("misura a finestra nascosta") << QStringLiteral("misura") << false << false;
    QTest::newRow("secondo foglio in attesa") << QStringLiteral("mostra") << false << true;
    QTest::newRow("secondo foglio, immagine") << QStringLiteral("immagine") << false << true;
    QTest::newRow("controllo già rifinito") << QStringLiteral("immagine") << true << false;
    QTest::newRow("rifinito, secondo foglio") << QStringLiteral("mostra") << true << true;
}

void TestComportamenti::foglioStile()
{
    QFETCH(QString, richiesta);
    QFETCH(bool, giaRifinito);
    QFETCH(bool, sostituito);

    const QColor verde(0x20, 0xA0, 0x40);
    const QColor rosso(0xC0, 0x20, 0x20);
    const auto foglio = [](const QColor &fondo, int margine) {
        return QStringLiteral("QLabel { background: %1; padding-left: %2px; }").arg(fondo.name()).arg(margine);
    };
    QWidget finestra;
    finestra.resize(300, 100);
    auto *etichetta = new QLabel(QStringLiteral("Testo"), &finestra);
    etichetta->move(10, 10);
    // The same label with its sheet set directly: the size to match.
    QLabel campione(QStringLiteral("Testo"));
    campione.setStyleSheet(foglio(verde, 40));
    campione.adjustSize();

    if (giaRifinito)
        etichetta->ensurePolished();
    if (sostituito)
        impostaFoglioStile(etichetta, foglio(rosso, 4));
    impostaFoglioStile(etichetta, foglio(verde, 40));

    if (richiesta == QLatin1String("mostra")) {
        finestra.show();
        QVERIFY(QTest::qWaitForWindowExposed(&finestra));
    } else if (richiesta == QLatin1String("misura")) {
        etichetta->adjustSize();
        QCOMPARE(etichetta->size(), campione.size());
    }
    const QImage img = etichetta->grab().toImage();
    QCOMPARE(img.pixelColor(5, img.height() / 2), verde);
    QCOMPARE(img.pixelColor(img.width() - 2, img.height() / 2), verde);
    etichetta->adjustSize();
    QCOMPARE(etichetta->size(), campione.size());
}

void TestComportamenti::catenaInvio()
{
    Finestrella f;
    collegaInvio({f.campi[0], f.campi[1], f.campi[2]}, true);
    bool invioVisto = false;
    connect(f.campi[2], &QLineEdit::returnPressed, this, [&] { invioVisto = true; });

    f.campi[0]->setFocus();
    QTRY_VERIFY(f.campi[0]->hasFocus());
    QTest::keyClick(f.campi[0], Qt::Key_Return);
    QVERIFY(f.campi[1]->hasFocus());
    QTest::keyClick(f.campi[1], Qt::Key_Enter); // keypad Enter too
    QVERIFY(f.campi[2]->hasFocus());
    QTest::keyClick(f.campi[2], Qt::Key_Return);
    QVERIFY(f.campi[0]->hasFocus());
    // Not consumed: the field's own handler still saw the key.
    QVERIFY(invioVisto);
    // Other keys leave the focus alone.
    QTest::keyClick(f.campi[0], Qt::Key_Tab);
    QTest::keyClicks(f.campi[1], QStringLiteral("x"));
    QVERIFY(f.campi[1]->hasFocus());
}

void TestComportamenti::suggerimenti()
{
    Finestrella f;
    auto *s = new SuggerimentiStato(f.panInfo);
    s->aggiungi(f.comando, QStringLiteral("Salva la scheda in archivio."));
    s->sfondo(&f.finestra);
    QCOMPARE(f.panInfo->text(), QStringLiteral("Pronto"));
    // A window appearing under a still pointer keeps its opening sentence.
    QEnterEvent entrata(QPointF(300, 120), QPointF(300, 120), f.finestra.mapToGlobal(QPointF(300, 120)));
    QCoreApplication::sendEvent(&f.finestra, &entrata);
    QCOMPARE(f.panInfo->text(), QStringLiteral("Pronto"));

    muoviSu(f.comando);
    QCOMPARE(f.panInfo->text(), QStringLiteral("Salva la scheda in archivio."));
    // A text field and a caption have no hint: the last one stays.
    muoviSu(f.campi[0]);
    QCOMPARE(f.panInfo->text(), QStringLiteral("Salva la scheda in archivio."));
    muoviSu(f.didascalia);
    QCOMPARE(f.panInfo->text(), QStringLiteral("Salva la scheda in archivio."));
    // The background empties the line (not back to the initial sentence).
    muoviSu(&f.finestra, QPoint(300, 120));
    QCOMPARE(f.panInfo->text(), QString());
}

void TestComportamenti::collegamento()
{
    RegistroAperture aperture;
    QWidget finestra;
    auto *testo = new QLabel(QStringLiteral("info@velmora.example"), &finestra);
    auto *icona = new QLabel(&finestra);
    icona->setGeometry(0, 30, 20, 20);
    testo->setGeometry(30, 30, 200, 24);
    new Collegamento(testo, icona, QStringLiteral("\"mailto:info@velmora.example\""));
    finestra.show();
    QVERIFY(QTest::qWaitForWindowExposed(&finestra));

    QCOMPARE(coloreTesto(testo), Colori::linkRiposo);
    QVERIFY(testo->font().underline());
    QCOMPARE(testo->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(icona->cursor().shape(), Qt::PointingHandCursor);

    for (QWidget *dove : {static_cast<QWidget *>(testo), static_cast<QWidget *>(icona)}) {
        QTest::mousePress(dove, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(coloreTesto(testo), Colori::linkPremuto);
        QTest::mouseRelease(dove, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(coloreTesto(testo), Colori::linkRiposo);
    }
    QCOMPARE(aperture.aperture().size(), 2);
    QCOMPARE(aperture.aperture().at(0), QUrl(QStringLiteral("mailto:info@velmora.example")));

    // Released outside: the press is given up, nothing opens.
    QTest::mousePress(testo, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(testo, Qt::LeftButton, {}, QPoint(500, 5));
    QCOMPARE(coloreTesto(testo), Colori::linkRiposo);
    QCOMPARE(aperture.aperture().size(), 2);
}

void TestComportamenti::indirizziDellApertura_data()
{
    QTest::addColumn<QString>("destinazione");
    QTest::addColumn<QUrl>("atteso");
    QTest::newRow("sito senza virgolette") << "https://www.velmora.example"
                                           << QUrl(QStringLiteral("https://www.velmora.example"));
    QTest::newRow("sito con www") << "www.velmora.example" << QUrl(QStringLiteral("http://www.velmora.example"));
    QTest::newRow("posta tra virgolette") << "\"mailto:info@velmora.example\""
                                          << QUrl(QStringLiteral("mailto:info@velmora.example"));
    QTest::newRow("file tra virgolette con spazi") << "\"/tmp/Documenti_Allegati/lettera 1.pdf\""
                                                   << QUrl::fromLocalFile(QStringLiteral("/tmp/Documenti_Allegati/lettera 1.pdf"));
    QTest::newRow("file senza virgolette") << "/opt/velmora/Guida.pdf"
                                           << QUrl::fromLocalFile(QStringLiteral("/opt/velmora/Guida.pdf"));
    QTest::newRow("file con due punti nel nome") << "/tmp/a:b.txt" << QUrl::fromLocalFile(QStringLiteral("/tmp/a:b.txt"));
}

void TestComportamenti::indirizziDellApertura()
{
    QFETCH(QString, destinazione);
    QFETCH(QUrl, atteso);
    QCOMPARE(TMisc::url(destinazione), atteso);

    RegistroAperture aperture;
    TMisc::Open(destinazione);
    QCOMPARE(aperture.aperture(), QList<QUrl>{atteso});
}

void TestComportamenti::aperturaNonBlocca()
{
    RegistroAperture aperture;
    TMisc::Open(QString());
    TMisc::Open(QStringLiteral("\"\""));
    QVERIFY(aperture.aperture().isEmpty());
}

void TestComportamenti::formati_data()
{
    QTest::addColumn<QString>("formatoDiSistema");
    QTest::addColumn<QString>("atteso");
    QTest::newRow("barra") << "M/d/yy" << "05/03/2026";
    QTest::newRow("punto") << "dd.MM.yy" << "05.03.2026";
    QTest::newRow("trattino anno prima") << "yyyy-MM-dd" << "05-03-2026";
    QTest::newRow("testo tra virgolette") << "d 'de' MMMM/yy" << "05/03/2026";
}

// Day, month and four-digit year in that order, whatever the system's order,
// joined by the system's separator.
void TestComportamenti::formati()
{
    QFETCH(QString, formatoDiSistema);
    QFETCH(QString, atteso);
    const QChar sep = separatoreData(formatoDiSistema);
    QCOMPARE(QDate(2026, 3, 5).toString(QStringLiteral("dd%1MM%1yyyy").arg(sep)), atteso);

    QCOMPARE(separatoreDecimale(), QChar(u','));
    const QChar diSistema = separatoreData(QLocale::system().dateFormat(QLocale::ShortFormat));
    QCOMPARE(dataBreve(QDate(2026, 3, 5)), QStringList({"05", "03", "2026"}).join(diSistema));
}

QTEST_MAIN(TestComportamenti)
#include "tst_comportamenti.moc"
