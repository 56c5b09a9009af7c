// The program speaks Italian whatever the system's language: a process
// started with the C locale, as over ssh or in a bare session, still gets
// Italian dates and month names, Italian type names in the file dialog and
// the toolkit's texts that its own catalogue lacks.

#include "startup/startup.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileSystemModel>
#include <QLocale>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <optional>

namespace {

QByteArray g_localeCPrima;

} // namespace

class TestItaliano : public QObject
{
    Q_OBJECT

private slots:
    void dateEMesi();
    void ambienteDellUtente();
    void tipiDelDialogoFile();
    void testiCheMancanoAlCatalogo_data();
    void testiCheMancanoAlCatalogo();
};

void TestItaliano::dateEMesi()
{
    const QDate data(2026, 12, 11);
    // What the file dialog shows beside each file.
    QCOMPARE(QLocale::system().toString(data, QLocale::ShortFormat), QStringLiteral("11/12/26"));
    QCOMPARE(QLocale::system().monthName(12), QStringLiteral("dicembre"));
    QCOMPARE(QLocale().monthName(12), QStringLiteral("dicembre"));
    QCOMPARE(QLocale().toString(data, QLocale::LongFormat), QStringLiteral("venerdì 11 dicembre 2026"));
}

// The Italian name was only for the toolkit: the programs this one starts
// get the user's environment, and the C library keeps the user's locale.
void TestItaliano::ambienteDellUtente()
{
    QVERIFY(!qEnvironmentVariableIsSet("LC_ALL"));
    QCOMPARE(QByteArray(std::setlocale(LC_ALL, nullptr)), g_localeCPrima);
}

void TestItaliano::tipiDelDialogoFile()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Scansioni")));
    QFileSystemModel modello;
    QSignalSpy caricata(&modello, &QFileSystemModel::directoryLoaded);
    const QModelIndex radice = modello.setRootPath(dir.path());
    QVERIFY(caricata.wait(5000));
    QCOMPARE(modello.rowCount(radice), 1);
    QCOMPARE(modello.index(0, 2, radice).data().toString(), QStringLiteral("Cartella"));
}

void TestItaliano::testiCheMancanoAlCatalogo_data()
{
    QTest::addColumn<QString>("contesto");
    QTest::addColumn<QString>("testo");
    QTest::addColumn<QString>("disambiguazione");
    QTest::addColumn<QString>("italiano");

    QTest::newRow("pagine da stampare") << "QPrintSettingsOutput" << "Pages" << "" << "Pagine";
    QTest::newRow("fronte e retro") << "QPrintSettingsOutput" << "Double Sided Printing" << "" << "Stampa fronte/retro";
    QTest::newRow("fronte e retro spento") << "QPrintSettingsOutput" << "Off" << "" << "Disattivata";
    QTest::newRow("lato lungo") << "QPrintSettingsOutput" << "Long side binding" << "" << "Rilegatura sul lato lungo";
    QTest::newRow("lato corto") << "QPrintSettingsOutput" << "Short side binding" << ""
                                << "Rilegatura sul lato corto";
    QTest::newRow("scheda avanzate") << "QPrintPropertiesWidget" << "Advanced" << "" << "Avanzate";
    QTest::newRow("tipo cartella") << "QAbstractFileIconProvider" << "Folder" << "All other platforms"
                                   << "Cartella";
    // The toolkit's own catalogue still answers what the supplement lacks.
    QTest::newRow("dal catalogo del toolkit") << "QPrintPreviewDialog" << "Page setup" << ""
                                              << "Impostazione pagina";
}

void TestItaliano::testiCheMancanoAlCatalogo()
{
    QFETCH(QString, contesto);
    QFETCH(QString, testo);
    QFETCH(QString, disambiguazione);
    QFETCH(QString, italiano);
    const QByteArray d = disambiguazione.toUtf8();
    QCOMPARE(QCoreApplication::translate(contesto.toUtf8().constData(), testo.toUtf8().constData(),
                                         d.isEmpty() ? nullptr : d.constData()),
             italiano);
}

int main(int argc, char *argv[])
{
    // A user whose system speaks no Italian at all.
    qunsetenv("LC_ALL");
    qunsetenv("LC_TIME");
    qunsetenv("LC_MESSAGES");
    qunsetenv("LANGUAGE");
    qputenv("LANG", "C.UTF-8");
    g_localeCPrima = std::setlocale(LC_ALL, "");
    std::optional<LocaleItaliana> italiano(std::in_place);
    QApplication app(argc, argv);
    italiano.reset();
    caricaTraduzioni();
    TestItaliano test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_italiano.moc"
