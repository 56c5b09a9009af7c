#include "app/applicazione.h"
#include "app/errori.h"

#include "support/supporto.h"

#include <QTest>

#include <stdexcept>

namespace {

// An object whose handler fails the way a file or conversion error would.
class GestoreCheFallisce : public QObject
{
public:
    int eventiGestiti = 0;

protected:
    bool event(QEvent *evento) override
    {
        if (evento->type() == QEvent::User) {
            ++eventiGestiti;
            throw std::runtime_error("file non scrivibile");
        }
        if (evento->type() == QEvent::Type(QEvent::User + 1)) {
            ++eventiGestiti;
            return true;
        }
        return QObject::event(evento);
    }
};

} // namespace

class TestErrori : public QObject
{
    Q_OBJECT

private slots:
    void gestoreProtetto();
    void erroreSfuggitoAlCicloDegliEventi();
};

void TestErrori::gestoreProtetto()
{
    RegistroMessaggi registro;
    bool dopo = false;
    protetto([] { throw std::runtime_error("disco pieno"); });
    protetto([&] { dopo = true; });
    QVERIFY(dopo);
    QCOMPARE(registro.messaggi().size(), 1);
    QCOMPARE(registro.messaggi().at(0).tipo, TipoMessaggio::Errore);
    QVERIFY(registro.messaggi().at(0).testo.contains(QStringLiteral("disco pieno")));
}

// A failure escaping a handler reaches the general error report, and the
// event loop goes on delivering what comes next.
void TestErrori::erroreSfuggitoAlCicloDegliEventi()
{
    RegistroMessaggi registro;
    GestoreCheFallisce gestore;
    QCoreApplication::postEvent(&gestore, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&gestore, new QEvent(QEvent::Type(QEvent::User + 1)));
    QTRY_COMPARE(gestore.eventiGestiti, 2);
    QCOMPARE(registro.messaggi().size(), 1);
    QVERIFY(registro.messaggi().at(0).testo.contains(QStringLiteral("file non scrivibile")));
}

// The program's own application object, as main() makes it.
int main(int argc, char **argv)
{
    Applicazione app(argc, argv);
    TestErrori test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errori.moc"
