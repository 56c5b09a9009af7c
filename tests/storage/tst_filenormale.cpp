// Files that are not files: a FIFO or a device planted where the program
// reads a scan, the password store or a file to attach. Each read must end
// at once as unreadable; a plain open would wait for a writer, and the
// window with it, until the program was killed.

#include "access/fileini.h"
#include "access/passwordmemorizzata.h"
#include "output/passoslideshow.h"
#include "storage/allegati.h"
#include "storage/filenormale.h"
#include "storage/fotopagina.h"

#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Lettore { Scansione, Slideshow, Password, Allegato };
enum class NonFile { Fifo, Dispositivo, Cartella };

// A read that still waits after this long fails the test by ending it,
// instead of holding the whole suite until its time-out.
class Sveglia
{
public:
    Sveglia() { ::alarm(20); }
    ~Sveglia() { ::alarm(0); }
};

} // namespace

Q_DECLARE_METATYPE(Lettore)
Q_DECLARE_METATYPE(NonFile)

class TestFileNormale : public QObject
{
    Q_OBJECT

private slots:
    void nonFile_data();
    void nonFile();
    void fileNormale();
};

void TestFileNormale::nonFile_data()
{
    QTest::addColumn<Lettore>("lettore");
    QTest::addColumn<NonFile>("cosa");
    const std::pair<const char *, Lettore> lettori[] = {
        {"scan", Lettore::Scansione},
        {"slideshow scan", Lettore::Slideshow},
        {"password store", Lettore::Password},
        {"attachment chosen", Lettore::Allegato}};
    const std::pair<const char *, NonFile> cose[] = {
        {"FIFO", NonFile::Fifo},
        {"link to an endless device", NonFile::Dispositivo},
        {"folder", NonFile::Cartella}};
    for (const auto &l : lettori)
        for (const auto &c : cose)
            QTest::addRow("%s, %s", l.first, c.first) << l.second << c.second;
}

void TestFileNormale::nonFile()
{
    QFETCH(Lettore, lettore);
    QFETCH(NonFile, cosa);
    QTemporaryDir dir;
    const QString programma = dir.path() + QLatin1Char('/');
    QVERIFY(QDir().mkpath(cartellaFotoPagine(programma)));
    QVERIFY(QDir().mkpath(cartellaAllegati(programma)));
    QString percorso;
    switch (lettore) {
    case Lettore::Scansione:
    case Lettore::Slideshow:
        percorso = percorsoFotoPagina(programma, QStringLiteral("Lettere"), QStringLiteral("1"));
        break;
    case Lettore::Password:
        percorso = percorsoArchivioPassword(programma);
        break;
    case Lettore::Allegato:
        percorso = programma + QStringLiteral("fuori/scelto.pdf");
        QVERIFY(QDir().mkpath(programma + QStringLiteral("fuori")));
        break;
    }
    const QByteArray nome = QFile::encodeName(percorso);
    switch (cosa) {
    case NonFile::Fifo:
        QVERIFY(::mkfifo(nome.constData(), 0600) == 0);
        break;
    case NonFile::Dispositivo:
        QVERIFY(::symlink("/dev/zero", nome.constData()) == 0);
        break;
    case NonFile::Cartella:
        QVERIFY(QDir().mkpath(percorso));
        break;
    }

    const Sveglia sveglia;
    switch (lettore) {
    case Lettore::Scansione:
        QVERIFY(leggiFileFoto(programma, percorso).isNull());
        break;
    case Lettore::Slideshow:
        QVERIFY(fotoSlideshow(programma, QStringLiteral("Lettere"), 1, QSize(200, 200)).isNull());
        break;
    case Lettore::Password:
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("unins000.dll: ")));
        QVERIFY_THROWS_EXCEPTION(FileIni::ErroreFileIni, leggiPasswordMemorizzata(percorso));
        break;
    case Lettore::Allegato: {
        const QString copia = cartellaAllegati(programma) + QStringLiteral("scelto.pdf");
        QVERIFY(scriviFile(copia, "copia di prima"));
        QVERIFY(!copiaSostituendo(percorso, copia));
        QCOMPARE(leggiFile(copia), QByteArray("copia di prima"));
        QCOMPARE(QDir(cartellaAllegati(programma)).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("scelto.pdf")});
        break;
    }
    }
}

// A plain file opens as ever, also through a link; a missing one says so.
void TestFileNormale::fileNormale()
{
    QTemporaryDir dir;
    const QString vero = dir.filePath(QStringLiteral("vero.txt"));
    const QString link = dir.filePath(QStringLiteral("link.txt"));
    QVERIFY(scriviFile(vero, "contenuto"));
    QVERIFY(QFile::link(vero, link));
    for (const QString &percorso : {vero, link}) {
        QFile file;
        QVERIFY(apriFileNormale(file, percorso));
        QCOMPARE(file.readAll(), QByteArray("contenuto"));
    }
    QFile file;
    QString motivo;
    QVERIFY(!apriFileNormale(file, dir.filePath(QStringLiteral("manca.txt")), &motivo));
    QCOMPARE(errno, ENOENT);
    QCOMPARE(motivo, QStringLiteral("file o cartella inesistente"));
    QVERIFY(!file.isOpen());
}

QTEST_GUILESS_MAIN(TestFileNormale)
#include "tst_filenormale.moc"
