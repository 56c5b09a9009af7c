#include "access/frmcambiapassword.h"
#include "access/frmpassword.h"
#include "access/passwordmemorizzata.h"
#include "home/frmavvio.h"
#include "startup/finestre.h"

#include "support/accesso_supporto.h"
#include "support/supporto.h"

#include <QFile>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kVecchiaErrata = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNonConfermata = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString kCaratteriNonAmmessi = QStringLiteral(
    "Attenzione: la nuova password contiene caratteri non ammessi. Sono ammesse soltanto le lettere, "
    "le cifre e i simboli dell'alfabeto latino occidentale. E' necessario reinserire entrambi i valori.");
const QString kTroppoLunga = QStringLiteral(
    "Attenzione: la nuova password non può superare i 1023 caratteri. "
    "E' necessario reinserire entrambi i valori.");
const QString kCompletata = QStringLiteral("Modifica della password completata con successo.");
const QString kErroreModifica = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString kPasswordErrata = QStringLiteral("Attenzione: password errata.");

// The change window reached as the user reaches it: from the login.
TfrmCambiaPassword *apriCambio()
{
    QTest::mouseClick(frmPassword()->btnCambiaPassword, Qt::LeftButton);
    TfrmCambiaPassword *w = frmCambiaPassword();
    if (!attendiAttiva(w))
        qWarning("change window not active");
    return w;
}

// Both ways out of the change window lead back to an empty login, ready for
// the password.
void tornatoAlLoginVuoto(TfrmCambiaPassword *w)
{
    TfrmPassword *login = frmPassword();
    QVERIFY(!w->isVisible());
    QVERIFY(login->isVisible());
    QCOMPARE(login->txtPassword->text(), QString());
    QVERIFY(!login->cmdOK->isEnabled());
    QVERIFY(attendiAttiva(login));
    QCOMPARE(login->focusWidget(), login->txtPassword);
}

void riempi(TfrmCambiaPassword *w, const QString &vecchia, const QString &nuova, const QString &conferma)
{
    w->txtPasswordOld->setText(vecchia);
    w->txtPasswordNew->setText(nuova);
    w->txtConferma->setText(conferma);
}

// Tries a password at the login; true when it opens the launcher.
bool apreIlLauncher(const QString &password)
{
    TfrmPassword *login = frmPassword();
    login->txtPassword->setText(password);
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
    return reinterpret_cast<QWidget *>(frmAvvio())->isVisible();
}

} // namespace

class TestCambiaPassword : public QObject
{
    Q_OBJECT

private slots:
    void okSoloConTreCampi_data();
    void okSoloConTreCampi();
    void vecchiaErrata_data();
    void vecchiaErrata();
    void nuovaDaReinserire_data();
    void nuovaDaReinserire();
    void cambioRiuscito_data();
    void cambioRiuscito();
    void erroreDelloArchivio_data();
    void erroreDelloArchivio();
    void chiudiTornaAlLoginVuoto();
    void invioGiraTraICampi();
    void aloni();
};

void TestCambiaPassword::okSoloConTreCampi_data()
{
    QTest::addColumn<QString>("vecchia");
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<bool>("attivo");
    QTest::newRow("tutti vuoti") << "" << "" << "" << false;
    QTest::newRow("manca la vecchia") << "" << "b" << "b" << false;
    QTest::newRow("manca la nuova") << "a" << "" << "b" << false;
    QTest::newRow("manca la conferma") << "a" << "b" << "" << false;
    QTest::newRow("solo bianchi") << "a" << " \t " << "b" << false;
    QTest::newRow("tutti pieni") << "a" << " b" << "c " << true;
}

void TestCambiaPassword::okSoloConTreCampi()
{
    QFETCH(QString, vecchia);
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(bool, attivo);

    ProgrammaDiProva programma;
    TfrmCambiaPassword *w = apriCambio();
    QVERIFY(!w->cmdOK->isEnabled());
    riempi(w, vecchia, nuova, conferma);
    QCOMPARE(w->cmdOK->isEnabled(), attivo);
    // Emptying any one field turns it off again.
    riempi(w, QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    QVERIFY(w->cmdOK->isEnabled());
    QTest::keyClick(w->txtConferma, Qt::Key_Backspace);
    QVERIFY(!w->cmdOK->isEnabled());
}

void TestCambiaPassword::vecchiaErrata_data()
{
    QTest::addColumn<bool>("archivio");
    QTest::addColumn<QString>("vecchia");
    QTest::newRow("sbagliata") << true << "primavera";
    QTest::newRow("archivio mancante") << false << "primaveralunga";
}

// Only the old field empties and takes the focus; the store stays.
void TestCambiaPassword::vecchiaErrata()
{
    QFETCH(bool, archivio);
    QFETCH(QString, vecchia);

    ProgrammaDiProva programma;
    if (archivio)
        scriviArchivioPassword(programma);
    const QByteArray prima = leggiFile(programma.percorso(kFileArchivioPassword));
    RegistroMessaggi registro;
    TfrmCambiaPassword *w = apriCambio();
    riempi(w, vecchia, QStringLiteral("nuova"), QStringLiteral("nuova"));

    QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    QCOMPARE(registro.testi(), QStringList{kVecchiaErrata});
    QCOMPARE(registro.messaggi().first().tipo, TipoMessaggio::Semplice);
    QCOMPARE(w->txtPasswordOld->text(), QString());
    QCOMPARE(w->txtPasswordNew->text(), QStringLiteral("nuova"));
    QCOMPARE(w->txtConferma->text(), QStringLiteral("nuova"));
    QCOMPARE(w->focusWidget(), w->txtPasswordOld);
    QVERIFY(!w->cmdOK->isEnabled());
    QVERIFY(w->isVisible());
    QCOMPARE(leggiFile(programma.percorso(kFileArchivioPassword)), prima);
    QCOMPARE(QFile::exists(programma.percorso(kFileArchivioPassword)), archivio);
}

void TestCambiaPassword::nuovaDaReinserire_data()
{
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<QString>("messaggio");
    // Both would be stored alike, but the confirmation is compared as typed.
    QTest::newRow("maiuscole diverse") << "segreto" << "SEGRETO" << kNonConfermata;
    QTest::newRow("un carattere in piu'") << "segreto" << "segreto1" << kNonConfermata;
    QTest::newRow("bianco interno") << "se greto" << "segreto" << kNonConfermata;
    QTest::newRow("lettera polacca") << QStringLiteral("\u0141\u00F3d\u017A") << QStringLiteral("\u0141\u00F3d\u017A")
                                     << kCaratteriNonAmmessi;
    QTest::newRow("euro") << QStringLiteral("prezzo\u20AC") << QStringLiteral("prezzo\u20AC") << kCaratteriNonAmmessi;
    QTest::newRow("fuori dal piano di base") << QStringLiteral("chiave\U0001F511") << QStringLiteral("chiave\U0001F511")
                                             << kCaratteriNonAmmessi;
    QTest::newRow("1024 caratteri") << lettere(1024).toLower() << lettere(1024).toLower() << kTroppoLunga;
}

// Both new fields empty and the focus goes to the first of them; the old
// field and the store stay. A password that could not be read back as typed
// is never stored: it would lock everyone out after a change reported done.
void TestCambiaPassword::nuovaDaReinserire()
{
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(QString, messaggio);

    ProgrammaDiProva programma;
    scriviArchivioPassword(programma);
    const QByteArray prima = leggiFile(programma.percorso(kFileArchivioPassword));
    RegistroMessaggi registro;
    TfrmCambiaPassword *w = apriCambio();
    riempi(w, QStringLiteral("PrimaveraLunga"), nuova, conferma);

    QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    QCOMPARE(registro.testi(), QStringList{messaggio});
    QCOMPARE(registro.messaggi().first().tipo, TipoMessaggio::Semplice);
    QCOMPARE(w->txtPasswordOld->text(), QStringLiteral("PrimaveraLunga"));
    QCOMPARE(w->txtPasswordNew->text(), QString());
    QCOMPARE(w->txtConferma->text(), QString());
    QCOMPARE(w->focusWidget(), w->txtPasswordNew);
    QVERIFY(w->isVisible());
    QCOMPARE(leggiFile(programma.percorso(kFileArchivioPassword)), prima);
}

void TestCambiaPassword::cambioRiuscito_data()
{
    QTest::addColumn<QString>("nuova");
    QTest::addColumn<QString>("conferma");
    QTest::addColumn<QString>("memorizzata");
    QTest::addColumn<QString>("allaLogin");
    QTest::newRow("bianchi attorno") << "  segreto \t" << "segreto" << "SEGRETO" << "SeGrEtO";
    QTest::newRow("lettera accentata") << "citt\u00E01" << "citt\u00E01" << "CITT\u00E01" << "CITT\u00E01";
    QTest::newRow("uguale alla vecchia") << "primaveralunga" << "primaveralunga" << "PRIMAVERALUNGA" << "primaveralunga";
    QTest::newRow("1023 caratteri") << lettere(1023).toLower() << lettere(1023).toLower() << lettere(1023)
                                    << lettere(1023).toLower();
}

// The new password is stored in its stored form; the window goes back to
// an empty login, where the old password no longer opens and the new does.
void TestCambiaPassword::cambioRiuscito()
{
    QFETCH(QString, nuova);
    QFETCH(QString, conferma);
    QFETCH(QString, memorizzata);
    QFETCH(QString, allaLogin);

    ProgrammaDiProva programma;
    scriviArchivioPassword(programma);
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    login->txtPassword->setText(QStringLiteral("qualcosa"));
    TfrmCambiaPassword *w = apriCambio();
    riempi(w, QStringLiteral(" primaveraLUNGA "), nuova, conferma);

    QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    QCOMPARE(registro.testi(), QStringList{kCompletata});
    QCOMPARE(registro.messaggi().first().tipo, TipoMessaggio::Semplice);
    QCOMPARE(leggiPasswordMemorizzata(programma.percorso(kFileArchivioPassword)), memorizzata);
    tornatoAlLoginVuoto(w);
    if (QTest::currentTestFailed())
        return;

    registro.svuota();
    if (memorizzata != QStringLiteral("PRIMAVERALUNGA")) {
        QVERIFY(!apreIlLauncher(QStringLiteral("primaveralunga")));
        QCOMPARE(registro.testi(), QStringList{kPasswordErrata});
    }
    QVERIFY(apreIlLauncher(allaLogin));
}

void TestCambiaPassword::erroreDelloArchivio_data()
{
    QTest::addColumn<QByteArray>("contenuto");  // null: the initial store, marked read-only
    QTest::newRow("valore non esadecimale") << QByteArray("[Accesso]\r\nValore=PRIMAVERALUNGA\r\n");
    QTest::newRow("archivio in sola lettura") << QByteArray();
}

// The modify error; fields as they were, the old password still in force.
void TestCambiaPassword::erroreDelloArchivio()
{
    QFETCH(QByteArray, contenuto);

    ProgrammaDiProva programma;
    const QString archivio = programma.percorso(kFileArchivioPassword);
    if (contenuto.isNull()) {
        scriviArchivioPassword(programma);
        QVERIFY(QFile(archivio).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else {
        QVERIFY(scriviFile(archivio, contenuto));
    }
    const QByteArray prima = leggiFile(archivio);
    RegistroMessaggi registro;
    TfrmCambiaPassword *w = apriCambio();
    riempi(w, QStringLiteral("primaveralunga"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QTest::mouseClick(w->cmdOK, Qt::LeftButton);
    QCOMPARE(registro.testi(), QStringList{kErroreModifica});
    QCOMPARE(registro.messaggi().first().tipo, TipoMessaggio::Semplice);
    QVERIFY(w->isVisible());
    QCOMPARE(w->txtPasswordOld->text(), QStringLiteral("primaveralunga"));
    QCOMPARE(w->txtPasswordNew->text(), QStringLiteral("nuova"));
    QCOMPARE(w->txtConferma->text(), QStringLiteral("nuova"));
    QCOMPARE(leggiFile(archivio), prima);
    QFile(archivio).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

void TestCambiaPassword::chiudiTornaAlLoginVuoto()
{
    ProgrammaDiProva programma;
    scriviArchivioPassword(programma);
    const QByteArray prima = leggiFile(programma.percorso(kFileArchivioPassword));
    RegistroMessaggi registro;
    TfrmPassword *login = frmPassword();
    login->txtPassword->setText(QStringLiteral("qualcosa"));
    TfrmCambiaPassword *w = apriCambio();
    riempi(w, QStringLiteral("primaveralunga"), QStringLiteral("nuova"), QStringLiteral("nuova"));

    QTest::mouseClick(w->cmdEsci, Qt::LeftButton);
    QCOMPARE(registro.testi(), QStringList());
    QCOMPARE(leggiFile(programma.percorso(kFileArchivioPassword)), prima);
    tornatoAlLoginVuoto(w);
    if (QTest::currentTestFailed())
        return;

    // Every opening starts with three empty fields and OK off.
    w = apriCambio();
    QCOMPARE(w->txtPasswordOld->text(), QString());
    QCOMPARE(w->txtPasswordNew->text(), QString());
    QCOMPARE(w->txtConferma->text(), QString());
    QVERIFY(!w->cmdOK->isEnabled());
    QCOMPARE(w->focusWidget(), w->txtPasswordOld);
}

// Enter goes round the three fields and never runs OK.
void TestCambiaPassword::invioGiraTraICampi()
{
    ProgrammaDiProva programma;
    scriviArchivioPassword(programma);
    const QByteArray prima = leggiFile(programma.percorso(kFileArchivioPassword));
    RegistroMessaggi registro;
    TfrmCambiaPassword *w = apriCambio();
    riempi(w, QStringLiteral("primaveralunga"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QVERIFY(w->cmdOK->isEnabled());
    QTRY_VERIFY(w->txtPasswordOld->hasFocus());

    const QList<QLineEdit *> giro{w->txtPasswordNew, w->txtConferma, w->txtPasswordOld, w->txtPasswordNew};
    for (QLineEdit *prossimo : giro) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), prossimo);
    }
    QCOMPARE(registro.testi(), QStringList());
    QVERIFY(w->isVisible());
    QCOMPARE(leggiFile(programma.percorso(kFileArchivioPassword)), prima);
}

void TestCambiaPassword::aloni()
{
    ProgrammaDiProva programma;
    TfrmCambiaPassword *w = apriCambio();
    const QList<QPair<QLineEdit *, QString>> campi{{w->txtPasswordOld, QStringLiteral("effPasswordOld")},
                                                   {w->txtPasswordNew, QStringLiteral("effPasswordNew")},
                                                   {w->txtConferma, QStringLiteral("effConferma")}};
    for (const auto &conFuoco : campi) {
        conFuoco.first->setFocus();
        QTRY_VERIFY(conFuoco.first->hasFocus());
        for (const auto &c : campi) {
            auto *alone = w->findChild<QFrame *>(c.second);
            QVERIFY(alone);
            QCOMPARE(alone->isVisible(), c.first == conFuoco.first);
        }
    }
    w->cmdEsci->setFocus();
    QTRY_VERIFY(w->cmdEsci->hasFocus());
    for (const auto &c : campi)
        QVERIFY(!w->findChild<QFrame *>(c.second)->isVisible());
}

QTEST_MAIN(TestCambiaPassword)
#include "tst_cambiapassword.moc"
