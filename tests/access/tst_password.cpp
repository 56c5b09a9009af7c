#include "access/crypt.h"
#include "access/frmcambiapassword.h"
#include "access/frmpassword.h"
#include "access/passwordmemorizzata.h"
#include "home/frmavvio.h"
#include "startup/finestre.h"

#include "support/accesso_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kPasswordErrata = QStringLiteral("Attenzione: password errata.");
const QString kErroreLettura = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");

QWidget *come(void *finestra)
{
    return reinterpret_cast<QWidget *>(finestra);
}

// OK by the button or by Enter in the field.
void conferma(TfrmPassword *login, bool invio)
{
    if (invio)
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
    else
        QTest::mouseClick(login->cmdOK, Qt::LeftButton);
}

} // namespace

class TestPassword : public QObject
{
    Q_OBJECT

private slots:
    void accesso_data();
    void accesso();
    void passwordErrata_data();
    void passwordErrata();
    void okSoloConTesto();
    void archivioIllegibile_data();
    void archivioIllegibile();
    void aloneSoloColFuoco();
    void esci();
    void cambiaPassword();
};

void TestPassword::accesso_data()
{
    QTest::addColumn<QString>("memorizzata");
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<bool>("invio");
    QTest::newRow("iniziale minuscola") << "PRIMAVERALUNGA" << "primaveralunga" << false;
    QTest::newRow("iniziale mista, Invio") << "PRIMAVERALUNGA" << "PrimaVeraLUNGA" << true;
    QTest::newRow("iniziale con bianchi") << "PRIMAVERALUNGA" << " \t primaveralunga  " << false;
    QTest::newRow("bianchi, Invio") << "PRIMAVERALUNGA" << "  pRIMAVERALUNGa " << true;
    QTest::newRow("lettera accentata come digitata") << "CITT\u00E0" << "citt\u00E0" << false;
}

// The typed text, upper-cased in a to z and trimmed, against the store:
// the launcher comes up and the login goes.
void TestPassword::accesso()
{
    QFETCH(QString, memorizzata);
    QFETCH(QString, digitata);
    QFETCH(bool, invio);

    ProgrammaDiProva programma;
    scriviArchivioPassword(programma, memorizzata);
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    login->txtPassword->setText(digitata);
    QVERIFY(login->cmdOK->isEnabled());

    conferma(login, invio);
    QCOMPARE(registro.testi(), QStringList());
    QVERIFY(!login->isVisible());
    QVERIFY(come(frmAvvio())->isVisible());
    QVERIFY(come(frmAvvio())->windowState().testFlag(Qt::WindowMaximized));
    QCOMPARE(login->txtPassword->text(), digitata);
    QCOMPARE(programma.terminazioni(), 0);
}

void TestPassword::passwordErrata_data()
{
    QTest::addColumn<bool>("archivio");
    QTest::addColumn<QString>("digitata");
    QTest::addColumn<bool>("invio");
    QTest::newRow("parte della password") << true << "primavera" << false;
    QTest::newRow("un carattere in piu'") << true << "primaveralunga2" << true;
    QTest::newRow("bianco interno") << true << "primavera lunga" << false;
    // Only a to z are folded: an accented capital is another character.
    QTest::newRow("solo a-z si piegano") << true << "PRIMAVERALUNG\u00C0" << true;
    QTest::newRow("archivio mancante") << false << "primaveralunga" << false;
}

// The field empties, OK goes off, the focus stays in the field and the
// login window stays.
void TestPassword::passwordErrata()
{
    QFETCH(bool, archivio);
    QFETCH(QString, digitata);
    QFETCH(bool, invio);

    ProgrammaDiProva programma;
    if (archivio)
        scriviArchivioPassword(programma);
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    login->txtPassword->setText(digitata);

    conferma(login, invio);
    QCOMPARE(registro.testi(), QStringList{kPasswordErrata});
    QCOMPARE(registro.messaggi().first().tipo, TipoMessaggio::Semplice);
    QCOMPARE(login->txtPassword->text(), QString());
    QVERIFY(!login->cmdOK->isEnabled());
    QCOMPARE(login->focusWidget(), login->txtPassword);
    QVERIFY(login->isVisible());
    QVERIFY(!come(frmAvvio())->isVisible());
    QCOMPARE(QFile::exists(programma.percorso(kFileArchivioPassword)), archivio);
}

void TestPassword::okSoloConTesto()
{
    ProgrammaDiProva programma;
    scriviArchivioPassword(programma);
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    QCOMPARE(login->focusWidget(), login->txtPassword);
    QVERIFY(!login->cmdOK->isEnabled());

    // Blanks and control codes only: OK stays off and Enter does nothing.
    login->txtPassword->setText(QStringLiteral("  \t "));
    QVERIFY(!login->cmdOK->isEnabled());
    QTest::keyClick(login->txtPassword, Qt::Key_Return);
    QCOMPARE(registro.testi(), QStringList());
    QVERIFY(login->isVisible());
    QCOMPARE(login->txtPassword->text(), QStringLiteral("  \t "));

    QTest::keyClicks(login->txtPassword, QStringLiteral("x"));
    QVERIFY(login->cmdOK->isEnabled());
    QTest::keyClick(login->txtPassword, Qt::Key_Backspace);
    QVERIFY(!login->cmdOK->isEnabled());
    login->txtPassword->setText(QStringLiteral("x"));
    login->txtPassword->clear();
    QVERIFY(!login->cmdOK->isEnabled());
}

void TestPassword::archivioIllegibile_data()
{
    QTest::addColumn<QByteArray>("contenuto");  // null: the store is a folder
    QTest::newRow("valore non esadecimale") << QByteArray("[Accesso]\r\nValore=PRIMAVERALUNGA\r\n");
    QTest::newRow("coppia rovinata") << "[Accesso]\r\nValore=" + Cripta(QStringLiteral("PRIMAVERALUNGA")).toLatin1().replace(6, 1, "G") + "\r\n";
    QTest::newRow("non si legge") << QByteArray();
}

// The reading error, and the window as it was: field, focus and all.
void TestPassword::archivioIllegibile()
{
    QFETCH(QByteArray, contenuto);
    ProgrammaDiProva programma;
    const QString archivio = programma.percorso(kFileArchivioPassword);
    if (contenuto.isNull())
        QVERIFY(QDir().mkpath(archivio));
    else
        QVERIFY(scriviFile(archivio, contenuto));
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    QTest::keyClicks(login->txtPassword, QStringLiteral("primaveralunga"));

    QTest::keyClick(login->txtPassword, Qt::Key_Return);
    QCOMPARE(registro.testi(), QStringList{kErroreLettura});
    QCOMPARE(registro.messaggi().first().tipo, TipoMessaggio::Semplice);
    QVERIFY(login->isVisible());
    QVERIFY(!come(frmAvvio())->isVisible());
    QCOMPARE(login->txtPassword->text(), QStringLiteral("primaveralunga"));
    QVERIFY(login->cmdOK->isEnabled());
    QCOMPARE(login->focusWidget(), login->txtPassword);
}

void TestPassword::aloneSoloColFuoco()
{
    ProgrammaDiProva programma;
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    auto *alone = login->findChild<QFrame *>(QStringLiteral("effPassword"));
    QVERIFY(alone);
    QTRY_VERIFY(login->txtPassword->hasFocus());
    QVERIFY(alone->isVisible());
    QCOMPARE(alone->geometry(), login->txtPassword->geometry().adjusted(-4, -4, 4, 4));

    login->txtPassword->setText(QStringLiteral("x"));
    QTest::keyClick(login->txtPassword, Qt::Key_Tab);
    QTRY_VERIFY(login->cmdOK->hasFocus());
    QVERIFY(!alone->isVisible());
    login->txtPassword->setFocus();
    QTRY_VERIFY(alone->isVisible());
}

void TestPassword::esci()
{
    ProgrammaDiProva programma;
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    QTest::mouseClick(login->cmdEsci, Qt::LeftButton);
    QCOMPARE(programma.terminazioni(), 1);
    QCOMPARE(registro.testi(), QStringList());
}

void TestPassword::cambiaPassword()
{
    ProgrammaDiProva programma;
    scriviArchivioPassword(programma);
    TfrmPassword *login = frmPassword();
    QVERIFY(attendiAttiva(login));
    QTest::mouseClick(login->btnCambiaPassword, Qt::LeftButton);
    QVERIFY(!login->isVisible());
    auto *cambio = frmCambiaPassword();
    QVERIFY(cambio->isVisible());
    QVERIFY(attendiAttiva(cambio));
    QCOMPARE(cambio->focusWidget(), cambio->txtPasswordOld);
    QCOMPARE(programma.terminazioni(), 0);
}

QTEST_MAIN(TestPassword)
#include "tst_password.moc"
