#include "app/versione.h"
#include "home/frminfo.h"
#include "home/frmsplash.h"

#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

namespace {

// Every "versione N" in a text, whatever the case.
QStringList versioni(const QString &testo)
{
    static const QRegularExpression r(QStringLiteral("\\b[Vv]ersione\\s+([0-9][0-9.]*[0-9])"));
    QStringList trovate;
    for (auto it = r.globalMatch(testo); it.hasNext();)
        trovate << it.next().captured(1);
    return trovate;
}

} // namespace

// One version number, the project's, wherever the program shows one: its
// drawings, the About window and the splash (texts and descriptions read
// aloud alike).
class TestVersione : public QObject
{
    Q_OBJECT

private slots:
    void disegni();
    void finestre_data();
    void finestre();
};

void TestVersione::disegni()
{
    QStringList conVersione;
    for (QDirIterator it(QStringLiteral(":/"), {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString nome = it.next();
        QFile f(nome);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList trovate = versioni(QString::fromUtf8(f.readAll()));
        for (const QString &v : trovate)
            QVERIFY2(v == QLatin1String(kVersione), qPrintable(nome + QStringLiteral(": ") + v));
        if (!trovate.isEmpty())
            conVersione << nome;
    }
    conVersione.sort();
    QCOMPARE(conVersione, QStringList({QStringLiteral(":/home/info_utente.svg"), QStringLiteral(":/home/splash.svg")}));
}

void TestVersione::finestre_data()
{
    QTest::addColumn<QString>("finestra");
    QTest::newRow("informazioni") << QStringLiteral("info");
    QTest::newRow("avvio") << QStringLiteral("splash");
}

void TestVersione::finestre()
{
    QFETCH(QString, finestra);
    std::unique_ptr<QWidget> w;
    if (finestra == QLatin1String("info"))
        w = std::make_unique<TfrmInfo>();
    else
        w = std::make_unique<TfrmSplash>();
    int trovate = 0;
    for (const QWidget *c : w->findChildren<QWidget *>()) {
        const auto *etichetta = qobject_cast<const QLabel *>(c);
        const QString testi = (etichetta ? etichetta->text() : QString()) + QLatin1Char('\n') + c->accessibleName()
            + QLatin1Char('\n') + c->accessibleDescription();
        for (const QString &v : versioni(testi)) {
            QCOMPARE(v, QLatin1String(kVersione));
            ++trovate;
        }
    }
    QVERIFY(trovate > 0);
}

QTEST_MAIN(TestVersione)
#include "tst_versione.moc"
