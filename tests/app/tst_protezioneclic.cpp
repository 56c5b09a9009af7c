#include "app/finestra.h"
#include "app/vistaimmagine.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QWindow>

namespace {

class Finestra : public FinestraPermanente
{
public:
    explicit Finestra(const char *nome)
        : FinestraPermanente(AspettoFinestra{nome, QStringLiteral(" Prova"), QSize(300, 200), Bordo::FissaSchermo,
                                             true})
    {
    }
};

// One mouse event with the given input time stamp, delivered the way the
// window system delivers it: to the window, which hands it to the widget.
void mouse(QWidget *bersaglio, QEvent::Type tipo, ulong tempo)
{
    const QPoint locale = bersaglio->rect().center();
    const QPoint nellaFinestra = bersaglio->mapTo(bersaglio->window(), locale);
    const Qt::MouseButtons premuti = tipo == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent e(tipo, nellaFinestra, bersaglio->mapToGlobal(locale), Qt::LeftButton, premuti, Qt::NoModifier);
    e.setTimestamp(tempo);
    QCoreApplication::sendEvent(bersaglio->window()->windowHandle(), &e);
}

void clic(QWidget *bersaglio, ulong tempo)
{
    mouse(bersaglio, QEvent::MouseButtonPress, tempo);
    mouse(bersaglio, QEvent::MouseButtonRelease, tempo + 10);
}

} // namespace

// A double click on a command that hides its window, over a button of the
// window revealed beneath.
class TestProtezioneClic : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void secondoClicFermato_data();
    void secondoClicFermato();
    void nascostaDallaTastiera();

private:
    std::unique_ptr<Finestra> m_sotto;
    std::unique_ptr<Finestra> m_sopra;
    QPushButton *m_pulsante = nullptr;
    VistaImmagine *m_comando = nullptr;
    int m_clic = 0;
};

void TestProtezioneClic::init()
{
    m_clic = 0;
    m_sotto = std::make_unique<Finestra>("frmSotto");
    m_pulsante = new QPushButton(QStringLiteral("Sotto"), m_sotto.get());
    m_pulsante->setGeometry(50, 50, 200, 100);
    connect(m_pulsante, &QPushButton::clicked, this, [this] { ++m_clic; });
    m_sopra = std::make_unique<Finestra>("frmSopra");
    m_comando = new VistaImmagine(m_sopra.get());
    m_comando->setGeometry(50, 50, 200, 100);
    connect(m_comando, &VistaImmagine::clicked, m_sopra.get(), &QWidget::hide);
    m_sotto->mostra();
    m_sopra->mostra();
    QVERIFY(QTest::qWaitForWindowExposed(m_sopra.get()));
}

void TestProtezioneClic::cleanup()
{
    m_sopra.reset();
    m_sotto.reset();
}

void TestProtezioneClic::secondoClicFermato_data()
{
    QTest::addColumn<int>("dopoMs");   // from the release that hid the window
    QTest::addColumn<int>("attesi");   // clicks the button beneath receives

    const int intervallo = QApplication::doubleClickInterval();
    QTest::newRow("doppio clic") << 60 << 0;
    QTest::newRow("al limite") << intervallo - 20 << 0;
    QTest::newRow("clic nuovo") << intervallo + 20 << 1;
}

void TestProtezioneClic::secondoClicFermato()
{
    QFETCH(int, dopoMs);
    QFETCH(int, attesi);
    static ulong tempo = 100000;
    tempo += 10000;

    clic(m_comando, tempo);
    QVERIFY(!m_sopra->isVisible());
    clic(m_pulsante, tempo + 10 + ulong(dopoMs));
    QCOMPARE(m_clic, attesi);
    // Whatever happened, the next click is the user's own.
    clic(m_pulsante, tempo + 10 + ulong(dopoMs) + 5000);
    QCOMPARE(m_clic, attesi + 1);
}

// A window closed from the keyboard leaves the next click alone, however
// soon after it comes.
void TestProtezioneClic::nascostaDallaTastiera()
{
    static ulong tempo = 900000;
    clic(m_pulsante, tempo);
    QCOMPARE(m_clic, 1);
    QTest::qWait(700);
    m_sopra->hide();
    clic(m_pulsante, tempo + 60);
    QCOMPARE(m_clic, 2);
}

QTEST_MAIN(TestProtezioneClic)
#include "tst_protezioneclic.moc"
