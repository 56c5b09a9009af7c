#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include "support/immagini_supporto.h"
#include "support/supporto.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <climits>

#include <sys/wait.h>
#include <unistd.h>

namespace {

int sincronizzaConErrore(int)
{
    errno = EIO;
    return -1;
}

TSchedaPagina schedaCon(const QString &titolo)
{
    TSchedaPagina s = schedaVuota();
    impostaCampo(s, Campo::Titolo, titolo);
    impostaFlag(s, false);
    return s;
}

// What one program does when the user saves a new page, over and over:
// append the record, then write its scan, whose size tells who wrote it.
void salvaInCiclo(const QString &programma, const QString &archivio, int chi, int quante)
{
    for (int i = 0; i < quante; ++i) {
        TArchivioPagine a;
        a.ApriArchivio(archivio);
        const int n = a.AggiungiScheda(schedaCon(QStringLiteral("%1/%2").arg(chi).arg(i)));
        a.ChiudiArchivio();
        scriviFileFoto(programma, percorsoFotoPagina(programma, QStringLiteral("Condiviso"), QString::number(n)),
                       QImage(i + 1, chi + 1, QImage::Format_RGB32));
    }
}

} // namespace

class TestArchivioCondiviso : public QObject
{
    Q_OBJECT

private slots:
    void conteggiOltreGliInt_data();
    void conteggiOltreGliInt();
    void archivioPienoNonAggiunge();
    void dueProgrammiAggiungonoInsieme();
    void programmiCreanoLoStessoArchivio();
    void sostituzioneSoloSeInvariata();
    void sincronizzazioneFallitaSegnalata();
};

void TestArchivioCondiviso::conteggiOltreGliInt_data()
{
    QTest::addColumn<qint64>("schede");
    QTest::newRow("2^31") << (qint64(1) << 31);
    QTest::newRow("2^32") << (qint64(1) << 32);
    QTest::newRow("2^32 + 2") << (qint64(1) << 32) + 2;
}

// Counts beyond an int are refused, never wrapped round: 2^32 + 2 records
// once counted as 2, and the next save wrote over record 3.
void TestArchivioCondiviso::conteggiOltreGliInt()
{
    QFETCH(qint64, schede);
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("enorme.kpx"));
    {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // A sparse file: no block is written.
        if (!f.resize(schede * kDimensioneScheda))
            QSKIP("the file system here does not take a file this large");
    }
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("more than this program can number")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("more than this program can number")));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("more than this program can number")));
    TArchivioPagine a;
    a.ApriArchivio(percorso);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ContaSchede());
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.AggiungiScheda(schedaCon(QStringLiteral("nuova"))));
    int visitate = 0;
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.PerOgniScheda([&](int, const TSchedaPagina &) { ++visitate; }));
    a.ChiudiArchivio();
    QCOMPARE(visitate, 0);
    QCOMPARE(QFileInfo(percorso).size(), schede * kDimensioneScheda);
}

// The largest count an int holds: every record reads, but there is no
// position left for another.
void TestArchivioCondiviso::archivioPienoNonAggiunge()
{
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("pieno.kpx"));
    const qint64 byte = qint64(INT_MAX) * kDimensioneScheda;
    {
        QFile f(percorso);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (!f.resize(byte))
            QSKIP("the file system here does not take a file this large");
    }
    TArchivioPagine a;
    a.ApriArchivio(percorso);
    QCOMPARE(a.ContaSchede(), INT_MAX);
    QCOMPARE(leggiFlag(a.LeggiScheda(INT_MAX)), Flag::Nessuno);
    a.ScriviScheda(INT_MAX, schedaCon(QStringLiteral("ultima")));
    QCOMPARE(leggiCampo(a.LeggiScheda(INT_MAX), Campo::Titolo), QStringLiteral("ultima"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no position left")));
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.AggiungiScheda(schedaCon(QStringLiteral("oltre"))));
    a.ChiudiArchivio();
    QCOMPARE(QFileInfo(percorso).size(), byte);
}

// Two programs saving new pages into one archive at the same moment: every
// record arrives, at its own position, and each scan beside its own record.
void TestArchivioCondiviso::dueProgrammiAggiungonoInsieme()
{
    QTemporaryDir dir;
    const QString programma = dir.path() + u'/';
    const QString archivio = programma + QStringLiteral("Condiviso.kpx");
    QVERIFY(scriviFile(archivio, QByteArray()));
    constexpr int kProgrammi = 2;
    constexpr int kOgnuno = 150;

    pid_t figli[kProgrammi];
    for (int chi = 0; chi < kProgrammi; ++chi) {
        figli[chi] = ::fork();
        QVERIFY(figli[chi] >= 0);
        if (figli[chi] == 0) {
            int esito = 0;
            try {
                salvaInCiclo(programma, archivio, chi, kOgnuno);
            } catch (...) {
                esito = 1;
            }
            ::_exit(esito);
        }
    }
    for (pid_t figlio : figli) {
        int stato = 0;
        QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
        QVERIFY(WIFEXITED(stato));
        QCOMPARE(WEXITSTATUS(stato), 0);
    }

    TArchivioPagine a;
    a.ApriArchivio(archivio);
    QCOMPARE(a.ContaSchede(), kProgrammi * kOgnuno);
    QSet<QString> visti;
    for (int n = 1; n <= kProgrammi * kOgnuno; ++n) {
        const QString titolo = leggiCampo(a.LeggiScheda(n), Campo::Titolo);
        QVERIFY2(!visti.contains(titolo), qPrintable(titolo));
        visti.insert(titolo);
        const int chi = titolo.section(u'/', 0, 0).toInt();
        const int i = titolo.section(u'/', 1, 1).toInt();
        const QImage foto(percorsoFotoPagina(programma, QStringLiteral("Condiviso"), QString::number(n)));
        QCOMPARE(foto.size(), QSize(i + 1, chi + 1));
    }
    a.ChiudiArchivio();
}

// Programs opening the same missing archive at the same moment (the first
// save of two windows, say) all open the one file that results: none
// fails because another created it between its test and its creation.
void TestArchivioCondiviso::programmiCreanoLoStessoArchivio()
{
    QTemporaryDir dir;
    constexpr int kTurni = 150;
    constexpr int kProgrammi = 3;
    int falliti = 0;
    for (int turno = 0; turno < kTurni; ++turno) {
        const QString archivio = dir.filePath(QStringLiteral("Nuovo %1.kpx").arg(turno));
        int via[2];
        QCOMPARE(::pipe(via), 0);
        pid_t figli[kProgrammi];
        for (pid_t &figlio : figli) {
            figlio = ::fork();
            QVERIFY(figlio >= 0);
            if (figlio == 0) {
                // Every program starts when the pipe is closed.
                ::close(via[1]);
                char c;
                while (::read(via[0], &c, 1) < 0 && errno == EINTR) {
                }
                int esito = 0;
                try {
                    TArchivioPagine a;
                    a.ApriArchivio(archivio);
                    a.ChiudiArchivio();
                } catch (...) {
                    esito = 1;
                }
                ::_exit(esito);
            }
        }
        ::close(via[0]);
        ::close(via[1]);
        for (pid_t figlio : figli) {
            int stato = 0;
            QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
            if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0)
                ++falliti;
        }
        QCOMPARE(QFileInfo(archivio).size(), 0);
    }
    QCOMPARE(falliti, 0);
}

// The overwrite that checks first: it writes only over the record it was
// told is there, and otherwise hands back what it found.
void TestArchivioCondiviso::sostituzioneSoloSeInvariata()
{
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("Condiviso.kpx"));
    TArchivioPagine a;
    a.ApriArchivio(percorso);
    for (const char *titolo : {"uno", "due", "tre"})
        a.AggiungiScheda(schedaCon(QString::fromLatin1(titolo)));
    const TSchedaPagina mostrata = a.LeggiScheda(2);
    a.ChiudiArchivio();
    const QByteArray prima = leggiFile(percorso);

    const auto byte = [](const TSchedaPagina &s) {
        return QByteArray(reinterpret_cast<const char *>(&s), int(sizeof s));
    };
    a.ApriArchivio(percorso);
    TSchedaPagina trovata = schedaVuota();
    QVERIFY(a.SostituisciScheda(2, mostrata, schedaCon(QStringLiteral("due bis")), &trovata));
    QCOMPARE(byte(trovata), byte(schedaVuota()));
    QCOMPARE(leggiCampo(a.LeggiScheda(2), Campo::Titolo), QStringLiteral("due bis"));
    const QByteArray dopo = leggiFile(percorso);
    QCOMPARE(dopo.size(), prima.size());
    QCOMPARE(dopo.left(int(kDimensioneScheda)), prima.left(int(kDimensioneScheda)));
    QCOMPARE(dopo.mid(int(2 * kDimensioneScheda)), prima.mid(int(2 * kDimensioneScheda)));

    // What was shown is no longer there: nothing is written.
    QVERIFY(!a.SostituisciScheda(2, mostrata, schedaCon(QStringLiteral("due ter")), &trovata));
    QCOMPARE(byte(trovata), byte(schedaCon(QStringLiteral("due bis"))));
    a.ChiudiArchivio();
    QCOMPARE(leggiFile(percorso), dopo);
}

// A record not known to be on the disk is not a saved record.
void TestArchivioCondiviso::sincronizzazioneFallitaSegnalata()
{
    QTemporaryDir dir;
    const QString percorso = dir.filePath(QStringLiteral("a.kpx"));
    QVERIFY(scriviFile(percorso, QByteArray()));
    {
        TArchivioPagine sano;
        sano.ApriArchivio(percorso);
        QCOMPARE(sano.AggiungiScheda(schedaCon(QStringLiteral("uno"))), 1);
    }

    ChiamateDisco guaste = chiamateDiSistema();
    guaste.sincronizza = &sincronizzaConErrore;
    TArchivioPagine a(guaste);
    a.ApriArchivio(percorso);
    const QRegularExpression registro(QRegularExpression::escape(percorso)
                                      + QStringLiteral(".*errore di lettura o scrittura sul dispositivo"));
    QTest::ignoreMessage(QtWarningMsg, registro);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.ScriviScheda(1, schedaCon(QStringLiteral("due"))));
    QTest::ignoreMessage(QtWarningMsg, registro);
    QVERIFY_THROWS_EXCEPTION(ErroreArchivio, a.AggiungiScheda(schedaCon(QStringLiteral("tre"))));
}

QTEST_GUILESS_MAIN(TestArchivioCondiviso)
#include "tst_archiviocondiviso.moc"
