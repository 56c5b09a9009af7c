#include "app/elementi.h"
#include "app/finestra.h"
#include "app/vistaimmagine.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

class Finestra : public FinestraPermanente
{
public:
    Finestra()
        : FinestraPermanente(AspettoFinestra{"frmProva", QStringLiteral(" Prova"), QSize(300, 200),
                                             Bordo::FissaSchermo, true})
    {
    }
};

void tasto(QWidget *w, QEvent::Type tipo, int codice, bool ripetuto = false)
{
    QKeyEvent e(tipo, codice, Qt::NoModifier, QString(), ripetuto);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

// The guards a picture command keeps however it is run: by the mouse, by
// Enter or Space, or by the press action of assistive technology.
class TestComandoTastiera : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void guardie_data();
    void guardie();
    void soloTastoPremutoQui();
    void clicNonToglieFuoco();

private:
    std::unique_ptr<Finestra> m_finestra;
    QLineEdit *m_campo = nullptr;
    VistaImmagine *m_comando = nullptr;
    int m_eseguiti = 0;
};

void TestComandoTastiera::init()
{
    m_eseguiti = 0;
    m_finestra = std::make_unique<Finestra>();
    m_campo = new QLineEdit(m_finestra.get());
    m_campo->setGeometry(10, 10, 200, 24);
    m_comando = Elementi::comando(m_finestra.get(), QStringLiteral("cmdProva"), QStringLiteral(":/home/esci.svg"),
                                  QRect(10, 60, 40, 40), QStringLiteral("Prova"));
    connect(m_comando, &VistaImmagine::clicked, this, [this] { ++m_eseguiti; });
    m_finestra->mostra();
    QApplication::setActiveWindow(m_finestra.get());
    QVERIFY(QTest::qWaitForWindowActive(m_finestra.get()));
}

void TestComandoTastiera::cleanup()
{
    m_finestra.reset();
}

void TestComandoTastiera::guardie_data()
{
    QTest::addColumn<QString>("stato");
    QTest::addColumn<QString>("modo");
    QTest::addColumn<int>("eseguiti");

    for (const char *modo : {"azione", "Invio", "Spazio"}) {
        QTest::addRow("pronto, %s", modo) << "pronto" << modo << 1;
        QTest::addRow("disabilitato, %s", modo) << "disabilitato" << modo << 0;
        QTest::addRow("nascosto, %s", modo) << "nascosto" << modo << 0;
    }
    // A modal window takes the keyboard away from the one beneath, and its
    // press action with it.
    QTest::newRow("sotto una modale, azione") << "sotto una modale" << "azione" << 0;
}

void TestComandoTastiera::guardie()
{
    QFETCH(QString, stato);
    QFETCH(QString, modo);
    QFETCH(int, eseguiti);

    m_comando->setFocus(Qt::TabFocusReason);
    QDialog modale(m_finestra.get());
    if (stato == QLatin1String("disabilitato"))
        m_comando->setEnabled(false);
    else if (stato == QLatin1String("nascosto"))
        m_comando->hide();
    else if (stato == QLatin1String("sotto una modale"))
        modale.open();

    if (modo == QLatin1String("azione")) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(m_comando);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The request is answered before the command runs.
        QCOMPARE(m_eseguiti, 0);
        QCoreApplication::sendPostedEvents(m_comando, QEvent::MetaCall);
    } else {
        QTest::keyClick(m_comando, modo == QLatin1String("Invio") ? Qt::Key_Return : Qt::Key_Space);
    }
    QCOMPARE(m_eseguiti, eseguiti);
}

// A key runs the command on its release, and only when it was pressed on
// this command: the release of a key that closed another window, or the
// repeats of a key held down, run nothing more.
void TestComandoTastiera::soloTastoPremutoQui()
{
    m_comando->setFocus(Qt::TabFocusReason);
    tasto(m_comando, QEvent::KeyRelease, Qt::Key_Return);
    QCOMPARE(m_eseguiti, 0);

    tasto(m_comando, QEvent::KeyPress, Qt::Key_Space);
    QCOMPARE(m_eseguiti, 0);
    for (int k = 0; k < 5; ++k) {
        tasto(m_comando, QEvent::KeyRelease, Qt::Key_Space, true);
        tasto(m_comando, QEvent::KeyPress, Qt::Key_Space, true);
    }
    QCOMPARE(m_eseguiti, 0);
    tasto(m_comando, QEvent::KeyRelease, Qt::Key_Space);
    QCOMPARE(m_eseguiti, 1);

    // Pressed, then the focus went elsewhere and came back.
    tasto(m_comando, QEvent::KeyPress, Qt::Key_Return);
    m_campo->setFocus(Qt::TabFocusReason);
    m_comando->setFocus(Qt::TabFocusReason);
    tasto(m_comando, QEvent::KeyRelease, Qt::Key_Return);
    QCOMPARE(m_eseguiti, 1);
}

// A click runs the command without taking the focus from the text field
// being typed in.
void TestComandoTastiera::clicNonToglieFuoco()
{
    m_campo->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(m_comando, Qt::LeftButton);
    QCOMPARE(m_eseguiti, 1);
    QVERIFY(m_campo->hasFocus());
}

QTEST_MAIN(TestComandoTastiera)
#include "tst_comandotastiera.moc"
