#include "app/messaggi.h"
#include "startup/cartelladati.h"
#include "startup/startup.h"

#include "support/permessi_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/time.h>

namespace {

const QByteArray kStore = "[Accesso]\nValore=ABCD\n";
const QByteArray kManuale = "%PDF-1.4 manuale";

unsigned modo(const QString &percorso)
{
    struct stat info {};
    return ::stat(QFile::encodeName(percorso).constData(), &info) == 0 ? unsigned(info.st_mode & 07777) : 01000000u;
}

} // namespace

// Where a run keeps its data, and what the toolkit shows a user.
class TestAvvioProgramma : public QObject
{
    Q_OBJECT

private slots:
    void cartellaProgramma_data();
    void cartellaProgramma();
    void passwordDellUtenteMaiSovrascritta();
    void manualeAggiornato();
    void cartellaNonCreabile();
    void preparazioneFallita_data();
    void preparazioneFallita();
    void pulsantiInItaliano();
    void iconaDelleFinestre();
};

// Folders: "eseguibile" (with or without a store), "installati" (store of
// an installation) and "documentazione" (its manual), "utente" (the data
// folder), "richiesta".
void TestAvvioProgramma::cartellaProgramma_data()
{
    QTest::addColumn<bool>("portatile");      // a store beside the executable
    QTest::addColumn<bool>("installazione");  // an installation's files exist
    QTest::addColumn<bool>("richiesta");      // --program-folder given
    QTest::addColumn<QString>("attesa");      // which folder is used
    QTest::addColumn<QString>("origine");     // seeded from ("" = left alone)

    QTest::newRow("portatile") << true << false << false << "eseguibile" << "";
    QTest::newRow("portatile anche se installato") << true << true << false << "eseguibile" << "";
    QTest::newRow("installato") << false << true << false << "utente" << "installati";
    QTest::newRow("richiesta da installato") << false << true << true << "richiesta" << "installati";
    QTest::newRow("richiesta da portatile") << true << false << true << "richiesta" << "eseguibile";
}

void TestAvvioProgramma::cartellaProgramma()
{
    QFETCH(bool, portatile);
    QFETCH(bool, installazione);
    QFETCH(bool, richiesta);
    QFETCH(QString, attesa);
    QFETCH(QString, origine);

    QTemporaryDir radice;
    const QDir r(radice.path());
    LuoghiProgramma luoghi;
    luoghi.eseguibile = r.filePath(QStringLiteral("eseguibile"));
    luoghi.installati = r.filePath(QStringLiteral("installati"));
    luoghi.documentazione = r.filePath(QStringLiteral("documentazione"));
    luoghi.datiUtente = r.filePath(QStringLiteral("utente/Velmora"));
    luoghi.richiesta = richiesta ? r.filePath(QStringLiteral("richiesta/nuova")) : QString();
    QVERIFY(r.mkpath(QStringLiteral("eseguibile")));
    if (portatile) {
        QVERIFY(scriviFile(luoghi.eseguibile + QStringLiteral("/unins000.dll"), "portatile"));
        QVERIFY(scriviFile(luoghi.eseguibile + QStringLiteral("/Guida.pdf"), "manuale portatile"));
    }
    if (installazione) {
        QVERIFY(scriviFile(luoghi.installati + QStringLiteral("/unins000.dll"), kStore));
        // The installation keeps the manual with its documentation.
        QVERIFY(scriviFile(luoghi.documentazione + QStringLiteral("/Guida.pdf"), kManuale));
    }

    const EsitoCartella esito = preparaCartellaProgramma(luoghi);
    QCOMPARE(esito.problema, QString());
    const QString scelta = esito.cartella;
    const QString cartellaAttesa = attesa == QLatin1String("eseguibile") ? luoghi.eseguibile
        : attesa == QLatin1String("utente")                               ? luoghi.datiUtente
                                                                          : luoghi.richiesta;
    QCOMPARE(QDir(scelta).absolutePath(), QDir(cartellaAttesa).absolutePath());

    if (origine.isEmpty()) {
        QVERIFY(!QFileInfo::exists(luoghi.datiUtente));
    } else {
        const QString da = r.filePath(origine);
        const QString daManuale = origine == QLatin1String("installati") ? luoghi.documentazione : da;
        QCOMPARE(leggiFile(scelta + QStringLiteral("/unins000.dll")), leggiFile(da + QStringLiteral("/unins000.dll")));
        QCOMPARE(leggiFile(scelta + QStringLiteral("/Guida.pdf")), leggiFile(daManuale + QStringLiteral("/Guida.pdf")));
        // A new data folder and its password store are for their owner
        // alone.
        QCOMPARE(modo(scelta), 0700u);
        QCOMPARE(modo(scelta + QStringLiteral("/unins000.dll")), 0600u);
    }
    // Nothing half-copied is left behind.
    QCOMPARE(QDir(scelta).entryList({QStringLiteral("*.nuovo")}, QDir::Files), QStringList());
}

void TestAvvioProgramma::passwordDellUtenteMaiSovrascritta()
{
    QTemporaryDir radice;
    const QDir r(radice.path());
    LuoghiProgramma luoghi;
    luoghi.eseguibile = r.filePath(QStringLiteral("bin"));
    luoghi.installati = r.filePath(QStringLiteral("share"));
    luoghi.datiUtente = r.filePath(QStringLiteral("dati"));
    QVERIFY(scriviFile(luoghi.installati + QStringLiteral("/unins000.dll"), kStore));
    QVERIFY(scriviFile(luoghi.datiUtente + QStringLiteral("/unins000.dll"), "cambiata dall'utente"));

    QVERIFY(QFile::setPermissions(luoghi.datiUtente, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadGroup | QFile::ExeGroup));
    QCOMPARE(preparaCartellaProgramma(luoghi).cartella, QDir(luoghi.datiUtente).absolutePath());
    QCOMPARE(leggiFile(luoghi.datiUtente + QStringLiteral("/unins000.dll")), QByteArray("cambiata dall'utente"));
    // A folder the user already has keeps the mode the user gave it.
    QCOMPARE(modo(luoghi.datiUtente), 0750u);
}

// A new installation brings a new manual; an older installed one never
// replaces a newer copy.
void TestAvvioProgramma::manualeAggiornato()
{
    QTemporaryDir radice;
    const QString installati = radice.filePath(QStringLiteral("share"));
    const QString dati = radice.filePath(QStringLiteral("dati"));
    QVERIFY(scriviFile(installati + QStringLiteral("/Guida.pdf"), "nuovo"));
    QVERIFY(scriviFile(dati + QStringLiteral("/Guida.pdf"), "vecchio"));
    QFile vecchio(dati + QStringLiteral("/Guida.pdf"));
    QVERIFY(vecchio.open(QIODevice::ReadWrite));
    QVERIFY(vecchio.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    vecchio.close();

    QVERIFY(seminaCartella(dati, installati).manuale);
    QCOMPARE(leggiFile(dati + QStringLiteral("/Guida.pdf")), QByteArray("nuovo"));

    QFile installato(installati + QStringLiteral("/Guida.pdf"));
    QVERIFY(installato.open(QIODevice::ReadWrite));
    QVERIFY(installato.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    installato.close();
    QVERIFY(scriviFile(dati + QStringLiteral("/Guida.pdf"), "copia recente"));
    QVERIFY(seminaCartella(dati, installati).manuale);
    QCOMPARE(leggiFile(dati + QStringLiteral("/Guida.pdf")), QByteArray("copia recente"));
}

void TestAvvioProgramma::cartellaNonCreabile()
{
    QTemporaryDir radice;
    const QString file = radice.filePath(QStringLiteral("un file"));
    QVERIFY(scriviFile(file, "x"));
    LuoghiProgramma luoghi;
    luoghi.eseguibile = radice.filePath(QStringLiteral("bin"));
    luoghi.richiesta = file + QStringLiteral("/sotto");
    RegistroMessaggi messaggi;
    QCOMPARE(apriCartellaProgramma(luoghi, contestoDiProva()), QString());
    QCOMPARE(messaggi.testi(), QStringList{kCartellaNonCreata.arg(luoghi.richiesta)});
    QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Errore);
}

void TestAvvioProgramma::preparazioneFallita_data()
{
    QTest::addColumn<QString>("guasto");
    QTest::addColumn<QString>("messaggio"); // %1: the data folder; empty: none

    QTest::newRow("tutto a posto") << QString() << QString();
    QTest::newRow("cartella dei dati in sola lettura") << QStringLiteral("sola lettura") << kPasswordNonCopiata;
    QTest::newRow("password dell'installazione illeggibile") << QStringLiteral("illeggibile") << kPasswordNonCopiata;
    QTest::newRow("installazione senza password") << QStringLiteral("senza password") << kPasswordNonCopiata;
    QTest::newRow("manuale non sostituibile") << QStringLiteral("manuale") << kManualeNonCopiato;
}

// Whatever keeps the data folder from holding what the program needs is
// said at start-up: without a password store the login would only answer
// that the right initial password is wrong.
void TestAvvioProgramma::preparazioneFallita()
{
    QFETCH(QString, guasto);
    QFETCH(QString, messaggio);

    QTemporaryDir radice;
    const QDir r(radice.path());
    LuoghiProgramma luoghi;
    luoghi.eseguibile = r.filePath(QStringLiteral("bin"));
    luoghi.installati = r.filePath(QStringLiteral("share"));
    luoghi.datiUtente = r.filePath(QStringLiteral("dati"));
    if (guasto != QLatin1String("senza password"))
        QVERIFY(scriviFile(luoghi.installati + QStringLiteral("/unins000.dll"), kStore));
    QVERIFY(scriviFile(luoghi.installati + QStringLiteral("/Guida.pdf"), kManuale));
    const QByteArray dati = QFile::encodeName(luoghi.datiUtente);
    const QByteArray store = QFile::encodeName(luoghi.installati + QStringLiteral("/unins000.dll"));
    const auto ripristina = qScopeGuard([&] { ::chmod(dati.constData(), 0700); });
    if (guasto == QLatin1String("sola lettura")) {
        QVERIFY(r.mkpath(QStringLiteral("dati")));
        QCOMPARE(::chmod(dati.constData(), 0555), 0);
    } else if (guasto == QLatin1String("illeggibile")) {
        QCOMPARE(::chmod(store.constData(), 0), 0);
    } else if (guasto == QLatin1String("manuale")) {
        // Something the manual cannot replace, older than the installed one.
        QVERIFY(r.mkpath(QStringLiteral("dati/Guida.pdf/dentro")));
        const struct timeval ieri[2] = {{::time(nullptr) - 86400, 0}, {::time(nullptr) - 86400, 0}};
        QCOMPARE(::utimes(QFile::encodeName(luoghi.datiUtente + QStringLiteral("/Guida.pdf")).constData(), ieri), 0);
    }

    PermessiDaUtente utente;
    QVERIFY(utente.attivi());
    RegistroMessaggi messaggi;
    if (!messaggio.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("non è stato possibile preparare")));
    QCOMPARE(apriCartellaProgramma(luoghi, contestoDiProva()), QDir(luoghi.datiUtente).absolutePath());
    if (messaggio.isEmpty()) {
        QVERIFY(messaggi.testi().isEmpty());
        return;
    }
    QCOMPARE(messaggi.testi(), QStringList{messaggio.arg(QDir(luoghi.datiUtente).absolutePath())});
    QCOMPARE(messaggi.messaggi().at(0).tipo, TipoMessaggio::Avviso);
}

// The program's own questions are asked with the toolkit's buttons: those
// must read Italian, as the rest of every window does.
void TestAvvioProgramma::pulsantiInItaliano()
{
    ProgrammaDiProva programma;
    QStringList testi;
    allaProssimaModale([&](QWidget *m) {
        auto *box = qobject_cast<QMessageBox *>(m);
        QVERIFY(box);
        testi << box->button(QMessageBox::Yes)->text().remove(u'&')
              << box->button(QMessageBox::No)->text().remove(u'&');
        box->button(QMessageBox::No)->click();
    });
    QVERIFY(!contestoDiProva().conferma(QStringLiteral("Procedere?")));
    QVERIFY(!modaleMancata());
    QCOMPARE(testi, (QStringList{QStringLiteral("Sì"), QStringLiteral("No")}));
}

void TestAvvioProgramma::iconaDelleFinestre()
{
    ProgrammaDiProva programma;
    const QIcon icona = QApplication::windowIcon();
    QVERIFY(!icona.isNull());
    QVERIFY(!icona.pixmap(48, 48).isNull());
}

QTEST_MAIN(TestAvvioProgramma)
#include "tst_avvioprogramma.moc"
