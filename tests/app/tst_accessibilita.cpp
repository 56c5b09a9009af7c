#include "app/accessibilita.h"
#include "app/elementi.h"
#include "app/finestra.h"
#include "app/vistaimmagine.h"

#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

QAccessibleInterface *interfaccia(QObject *oggetto)
{
    return QAccessible::queryAccessibleInterface(oggetto);
}

// The children of a node as assistive technology lists them.
QList<QObject *> figli(QObject *oggetto)
{
    QList<QObject *> f;
    QAccessibleInterface *iface = interfaccia(oggetto);
    for (int i = 0; i < iface->childCount(); ++i)
        f.append(iface->child(i)->object());
    return f;
}

} // namespace

// What a screen reader is told of windows, panels, pictures and fields.
class TestAccessibilita : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nomeDaDidascalia_data();
    void nomeDaDidascalia();
    void didascalia_data();
    void didascalia();
    void esclusi_data();
    void esclusi();
    void finestre();
};

void TestAccessibilita::initTestCase()
{
    Accessibilita::installa();
}

void TestAccessibilita::nomeDaDidascalia_data()
{
    QTest::addColumn<QString>("didascalia");
    QTest::addColumn<QString>("nome");
    QTest::newRow("due punti") << "Titolo pagina:" << "Titolo pagina";
    QTest::newRow("abbreviazione") << "Pagina n." << "Pagina n.";
    QTest::newRow("spazi") << "  Stato conservazione : " << "Stato conservazione";
    QTest::newRow("numero ordinale") << "Nome 1° file allegato:" << "Nome 1° file allegato";
    QTest::newRow("vuota") << "" << "";
}

void TestAccessibilita::nomeDaDidascalia()
{
    QFETCH(QString, didascalia);
    QFETCH(QString, nome);
    QCOMPARE(Accessibilita::nomeDaDidascalia(didascalia), nome);
}

void TestAccessibilita::didascalia_data()
{
    QTest::addColumn<QString>("tipo");   // the caption: written, drawn as a picture
    QTest::addColumn<QString>("esplicito");
    QTest::addColumn<QString>("nome");
    QTest::newRow("scritta") << "testo" << "" << "Autore";
    QTest::newRow("disegnata") << "immagine" << "" << "Note";
    QTest::newRow("frase, nome dato") << "testo" << "Password" << "Password";
}

// A field is named by its caption and points to it as its label, which is
// what a screen reader reads out on reaching it.
void TestAccessibilita::didascalia()
{
    QFETCH(QString, tipo);
    QFETCH(QString, esplicito);
    QFETCH(QString, nome);

    QWidget pannello;
    QLabel *etichetta = tipo == QLatin1String("testo")
        ? new QLabel(QStringLiteral("Autore:"), &pannello)
        : Elementi::immagine(&pannello, QStringLiteral("imgNote"), QStringLiteral(":/editor/note.svg"),
                             QRect(0, 0, 74, 30), QStringLiteral("Note:"));
    auto *campo = new QLineEdit(&pannello);
    Accessibilita::collegaDidascalia(etichetta, campo, esplicito);

    QAccessibleInterface *iface = interfaccia(campo);
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QCOMPARE(iface->text(QAccessible::Name), nome);
    const auto etichette = iface->relations(QAccessible::Label);
    QCOMPARE(etichette.size(), 1);
    QCOMPARE(etichette.first().first->object(), etichetta);
    QVERIFY(figli(&pannello).contains(etichetta));
}

void TestAccessibilita::esclusi_data()
{
    QTest::addColumn<QString>("elemento");
    QTest::addColumn<bool>("escluso");
    QTest::addColumn<int>("ruolo");  // when listed

    QTest::newRow("riquadro vuoto") << "QFrame" << true << 0;
    QTest::newRow("rettangolo vuoto") << "QWidget" << true << 0;
    QTest::newRow("riquadro con un controllo") << "QFrame con controllo" << false << int(QAccessible::Client);
    QTest::newRow("riquadro con nome") << "QFrame con nome" << false << int(QAccessible::Grouping);
    QTest::newRow("immagine decorativa") << "immagine" << true << 0;
    QTest::newRow("immagine che dice qualcosa") << "immagine con testo" << false << int(QAccessible::Graphic);
    QTest::newRow("vista senza nome") << "vista" << true << 0;
    QTest::newRow("vista con nome") << "vista con nome" << false << int(QAccessible::Graphic);
    QTest::newRow("comando") << "comando" << false << int(QAccessible::Button);
    QTest::newRow("segnato, con nome") << "segnato" << true << 0;
}

// Boxes and pictures that only decorate are no node; what holds controls
// or says something is.
void TestAccessibilita::esclusi()
{
    QFETCH(QString, elemento);
    QFETCH(bool, escluso);
    QFETCH(int, ruolo);

    QWidget pannello;
    pannello.resize(200, 200);
    const QRect posto(0, 0, 40, 40);
    const QString foto = QStringLiteral(":/editor/note.svg");
    QWidget *w = nullptr;
    if (elemento.startsWith(QLatin1String("QFrame")))
        w = new QFrame(&pannello);
    else if (elemento == QLatin1String("QWidget"))
        w = new QWidget(&pannello);
    else if (elemento.startsWith(QLatin1String("immagine")))
        w = Elementi::immagine(&pannello, QStringLiteral("img"), foto, posto,
                               elemento.endsWith(QLatin1String("testo")) ? QStringLiteral("Note:") : QString());
    else if (elemento.startsWith(QLatin1String("vista")))
        w = Elementi::vista(&pannello, QStringLiteral("img"), foto, posto);
    else
        w = Elementi::comando(&pannello, QStringLiteral("cmd"), foto, posto, QStringLiteral("Note"));
    if (elemento.endsWith(QLatin1String("con controllo")))
        new QLineEdit(w);
    if (elemento.endsWith(QLatin1String("con nome")) || elemento == QLatin1String("segnato"))
        w->setAccessibleName(QStringLiteral("Riga"));
    if (elemento == QLatin1String("segnato"))
        Accessibilita::decorazione(w);
    pannello.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pannello));

    QCOMPARE(Accessibilita::esclusoDaAccessibilita(w), escluso);
    QCOMPARE(figli(&pannello).contains(w), !escluso);
    QCOMPARE(interfaccia(&pannello)->indexOfChild(interfaccia(w)) >= 0, !escluso);
    if (!escluso)
        QCOMPARE(int(interfaccia(w)->role()), ruolo);
}

// Long-lived windows are frames, the others dialogs, each named by its
// caption without the leading blank.
void TestAccessibilita::finestre()
{
    FinestraPermanente permanente(AspettoFinestra{"frmProva", QStringLiteral(" Velmora - Prova"), QSize(200, 100),
                                                  Bordo::FissaSchermo, false});
    FinestraDialogo dialogo(AspettoFinestra{"frmDialogo", QStringLiteral(" Allega file"), QSize(200, 100),
                                            Bordo::FissaSchermo, false},
                            &permanente);
    new QFrame(&permanente);
    auto *campo = new QLineEdit(&permanente);

    QCOMPARE(interfaccia(&permanente)->role(), QAccessible::Window);
    QCOMPARE(interfaccia(&permanente)->text(QAccessible::Name), QStringLiteral("Velmora - Prova"));
    QCOMPARE(interfaccia(&dialogo)->role(), QAccessible::Dialog);
    QCOMPARE(interfaccia(&dialogo)->text(QAccessible::Name), QStringLiteral("Allega file"));
    // The dialog is a window of its own, and the empty frame decoration.
    QCOMPARE(figli(&permanente), QList<QObject *>{campo});
}

QTEST_MAIN(TestAccessibilita)
#include "tst_accessibilita.moc"
