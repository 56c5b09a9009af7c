#include "app/applicazione.h"
#include "app/errori.h"

#include "support/supporto.h"

#include <QRegularExpression>
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
    void testoACapo_data();
    void testoACapo();
    void dettaglioRegistrato();
};

void TestErrori::gestoreProtetto()
{
    RegistroMessaggi registro;
    bool dopo = false;
    protetto(contestoDiProva(), [] { throw std::runtime_error("disco pieno"); });
    protetto(contestoDiProva(), [&] { dopo = true; });
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

void TestErrori::testoACapo_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("atteso");  // at 10 columns
    QTest::newRow("corto") << "breve" << "breve";
    QTest::newRow("esatto") << "0123456789" << "0123456789";
    QTest::newRow("al bianco") << "disco pieno oggi" << "disco\npieno oggi";
    QTest::newRow("percorso senza bianchi") << "/a/b/c/d/e/f/g/h" << "/a/b/c/d/e\n/f/g/h";
    QTest::newRow("a capo esistenti") << "uno\ndue tre quattro" << "uno\ndue tre\nquattro";
    QTest::newRow("parola lunga dopo un bianco") << "a 0123456789abc" << "a\n0123456789\nabc";
}

void TestErrori::testoACapo()
{
    QFETCH(QString, testo);
    QFETCH(QString, atteso);
    QCOMPARE(::testoACapo(testo, 10), atteso);
}

// The detail of a failure no handler caught is logged whole, and the box
// shows it wrapped.
void TestErrori::dettaglioRegistrato()
{
    RegistroMessaggi registro;
    const QString percorso = QStringLiteral("/cartella/molto/lunga/") + QString(120, u'x') + QStringLiteral(".kpx");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(percorso)
                                                          + QStringLiteral(": spazio esaurito sul disco")));
    protetto(contestoDiProva(), [&] {
        throw std::runtime_error((percorso + QStringLiteral(": spazio esaurito sul disco")).toStdString());
    });
    QCOMPARE(registro.messaggi().size(), 1);
    for (const QString &riga : registro.messaggi().at(0).testo.split(u'\n'))
        QVERIFY2(riga.size() <= 81, qPrintable(riga));
}

// The program's own application object, as main() makes it.
int main(int argc, char **argv)
{
    Applicazione app(argc, argv);
    app.impostaContesto(&contestoDiProva());
    TestErrori test;
    const int esito = QTest::qExec(&test, argc, argv);
    app.impostaContesto(nullptr);
    return esito;
}

#include "tst_errori.moc"
