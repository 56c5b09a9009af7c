#include "output/fileesportazione.h"
#include "output/modelloesportazione.h"
#include "startup/startup.h"
#include "storage/allegati.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/wait.h>

#include <unistd.h>

#include <csignal>
#include <cstring>

namespace {

// The file is composed here piece by piece, independently of the writer,
// so that a slip in either shows as a difference.
QByteArray testaAttesa()
{
    QByteArray t;
    t += "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
         "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" xmlns=\"http://www.w3.org/TR/REC-html40\">";
    t += "<head>";
    t += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    t += "<!--[if gte mso 9]><xml>";
    t += "<x:ExcelWorkbook>";
    t += "<x:ExcelWorksheets>";
    t += "<x:ExcelWorksheet>";
    t += "<x:Name>Pagine Documento</x:Name>";
    t += "<x:WorksheetOptions>";
    t += "<x:Selected/>";
    t += "<x:Panes>";
    t += "<x:Pane>";
    t += "<x:Number>1</x:Number>";
    t += "<x:ActiveRow>3</x:ActiveRow>";
    t += "</x:Pane>";
    t += "</x:Panes>";
    t += "<x:ProtectContents>False</x:ProtectContents>";
    t += "<x:ProtectObjects>False</x:ProtectObjects>";
    t += "<x:ProtectScenarios>False</x:ProtectScenarios>";
    t += "</x:WorksheetOptions>";
    t += "</x:ExcelWorksheet>";
    t += "</x:ExcelWorksheets>";
    t += "</x:ExcelWorkbook>";
    t += "</xml><![endif]-->";
    t += "</head>";
    t += "<body>";
    t += "<table x:str>";
    t += "<tr>";
    const char *const intestazioni[22][2] = {
        {"350", "Titolo pagina"}, {"200", "Codice univoco"}, {"280", "Autore"},
        {"200", "Data creazione"}, {"200", "Ultima modifica"}, {"280", "Tipologia"},
        {"200", "Pagina n."}, {"200", "Numero righe"}, {"280", "Carta"},
        {"280", "Carattere"}, {"280", "Lingua"}, {"400", "Descrizione pagina"},
        {"400", "Incipit pagina"}, {"400", "Parole chiave"}, {"400", "Illustrazioni"},
        {"400", "Annotazioni a penna"}, {"250", "Formato"}, {"280", "Stato conservazione"},
        {"300", "Collocazione"}, {"350", "Giudizio"}, {"400", "Note"}, {"200", "Da completare"},
    };
    for (const auto &i : intestazioni)
        t += QByteArray("<td style=\"text-align: left; font-weight: bold;\" width=") + i[0] + ">" + i[1] + "</td>";
    t += "</tr>";
    return t;
}

QByteArray rigaAttesa(const QByteArrayList &celle)
{
    Q_ASSERT(celle.size() == 22);
    QByteArray r = "<tr>";
    for (const QByteArray &c : celle)
        r += "<td style=\"text-align: left; mso-number-format:\\@;\" sdnum=\"1040;1040;@\">" + c + "</td>";
    return r + "</tr>";
}

QByteArray fileAtteso(const QList<QByteArrayList> &righe)
{
    QByteArray f = testaAttesa();
    for (const QByteArrayList &r : righe)
        f += rigaAttesa(r);
    return f + "</table>" + "</body>" + "</html>";
}

// 22 cells, all empty but the given ones (column 1 is the first).
QByteArrayList celle(std::initializer_list<std::pair<int, QByteArray>> piene)
{
    QByteArrayList c;
    for (int i = 0; i < 22; ++i)
        c.append(QByteArray());
    for (const auto &[colonna, testo] : piene)
        c[colonna - 1] = testo;
    return c;
}

// Writes the stored bytes of a field as they are, length byte first, so
// that records another program wrote can be built.
void campoGrezzo(TSchedaPagina &s, Campo campo, const QByteArray &byte)
{
    auto *p = reinterpret_cast<uint8_t *>(&s) + infoCampo(campo).offset;
    std::memcpy(p, byte.constData(), size_t(byte.size()));
}

QVector<TSchedaPagina> schedeCampione()
{
    TSchedaPagina prima = schedaDiProva(QStringLiteral("Lettera da Citt\u00E0 di Castello"),
                                        QStringLiteral("Ren\u00E9 d'Orl\u00E9ans"), QStringLiteral("L-001"),
                                        QStringLiteral("1"), QByteArray("\x02S\xEC", 3));
    impostaCampo(prima, Campo::Creazione, QStringLiteral("12/03/1921"));
    impostaCampo(prima, Campo::Descrizione, QStringLiteral("Costo \u20AC 12, \u03A9 greco, \"citato\""));
    impostaCampo(prima, Campo::Note, QStringLiteral("a<b & c>d"));

    TSchedaPagina seconda = schedaDiProva(QStringLiteral("Atto"), QStringLiteral("Notaio"), QStringLiteral("A-2"),
                                          QStringLiteral("2"));
    impostaCampo(seconda, Campo::Giudizio, QString(250, QLatin1Char('g')));
    impostaCampo(seconda, Campo::Carta, QStringLiteral("foglio   doppio, 2  pagine"));

    // Written by hand: blanks and control characters around the text, a
    // length byte past the capacity, and a flag holding neither value.
    TSchedaPagina terza = schedaVuota();
    campoGrezzo(terza, Campo::Titolo, QByteArray("\x09 \x01Mappa\x1F \x00", 10));
    campoGrezzo(terza, Campo::Codice, QByteArray("\xFF") + QByteArray(20, 'k'));
    campoGrezzo(terza, Campo::DaCompletare, QByteArray("\x02??", 3));
    return {prima, seconda, terza};
}

QList<QByteArrayList> righeCampione()
{
    return {
        celle({{1, "Lettera da Citt\xE0 di Castello"}, {2, "L-001"}, {3, "Ren\xE9 d'Orl\xE9" "ans"},
               {4, "12/03/1921"}, {7, "1"}, {12, "Costo \x80 12, ? greco, \"citato\""},
               {21, "a&lt;b &amp; c&gt;d"}, {22, "S\xEC"}}),
        celle({{1, "Atto"}, {2, "A-2"}, {3, "Notaio"}, {7, "2"}, {9, "foglio &#32;&#32;doppio, 2 &#32;pagine"},
               {20, QByteArray(250, 'g')}, {22, "No"}}),
        celle({{1, "Mappa"}, {2, QByteArray(20, 'k')}, {22, "??"}}),
    };
}

// Limits the size of any file this process writes, for the life of the
// object: writes past it fail as on a full disk.
class LimiteFile
{
public:
    explicit LimiteFile(rlim_t byte)
    {
        getrlimit(RLIMIT_FSIZE, &m_prima);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit nuovo = m_prima;
        nuovo.rlim_cur = byte;
        setrlimit(RLIMIT_FSIZE, &nuovo);
    }
    ~LimiteFile() { setrlimit(RLIMIT_FSIZE, &m_prima); }

private:
    rlimit m_prima{};
};

enum class Guasto { BloccoFoglio, DiscoPieno, DestinazioneCartella, ArchivioIlleggibile };

} // namespace

Q_DECLARE_METATYPE(Guasto)

class TestFileEsportazione : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void fileComeComposto_data();
    void fileComeComposto();
    void cellaDigitataCodificata_data();
    void cellaDigitataCodificata();
    void cellaDigitataNonToccaArchivio();
    void righeLetteABlocchi();
    void archivioNonApribileGrigliaVuota();
    void esportazioneFallitaLasciaIlFileDiPrima_data();
    void esportazioneFallitaLasciaIlFileDiPrima();
    void uccisoDuranteEsportazione_data();
    void uccisoDuranteEsportazione();

private:
    QString m_cartella;
    QString m_archivio;
    QString m_export;
    QTemporaryDir m_dir;
};

void TestFileEsportazione::init()
{
    QVERIFY(m_dir.isValid());
    m_cartella = m_dir.path() + QLatin1Char('/') + QString::fromLatin1(QTest::currentTestFunction()) + QLatin1Char('/')
        + QString::fromLatin1(QTest::currentDataTag()) + QLatin1Char('/');
    QVERIFY(QDir().mkpath(m_cartella));
    m_archivio = m_cartella + QStringLiteral("Prova.kpx");
    m_export = m_cartella + kFileEsportazione;
}

void TestFileEsportazione::fileComeComposto_data()
{
    QTest::addColumn<QVector<TSchedaPagina>>("schede");
    QTest::addColumn<QList<QByteArrayList>>("righe");
    QTest::newRow("archivio vuoto") << QVector<TSchedaPagina>() << QList<QByteArrayList>();
    QTest::newRow("tre schede") << schedeCampione() << righeCampione();
    QTest::newRow("scheda tutta zero") << QVector<TSchedaPagina>{schedaVuota()} << QList<QByteArrayList>{celle({})};
}

void TestFileEsportazione::fileComeComposto()
{
    QFETCH(QVector<TSchedaPagina>, schede);
    QFETCH(QList<QByteArrayList>, righe);
    QVERIFY(scriviArchivio(m_archivio, schede));

    ModelloEsportazione modello;
    modello.carica(m_archivio);
    QCOMPARE(modello.rowCount(), schede.size());
    esportaGriglia(modello, m_export);

    const QByteArray scritto = leggiFile(m_export);
    QCOMPARE(scritto, fileAtteso(righe));
    QVERIFY(!scritto.contains('\n') && !scritto.contains('\r'));
    // Nothing is left beside the file but the archive.
    QCOMPARE(contenutoCartella(m_cartella), QStringList({kFileEsportazione, QStringLiteral("Prova.kpx")}));
}

void TestFileEsportazione::cellaDigitataCodificata_data()
{
    QTest::addColumn<QString>("digitato");
    QTest::addColumn<QByteArray>("cella");
    QTest::newRow("minore") << QStringLiteral("a<b") << QByteArray("a&lt;b");
    QTest::newRow("e commerciale") << QStringLiteral("R&D") << QByteArray("R&amp;D");
    QTest::newRow("entita gia scritta") << QStringLiteral("&lt;&gt;") << QByteArray("&amp;lt;&amp;gt;");
    QTest::newRow("solo segni") << QStringLiteral("<>&") << QByteArray("&lt;&gt;&amp;");
    QTest::newRow("virgolette") << QStringLiteral("\"detto\" e 'apice'") << QByteArray("\"detto\" e 'apice'");
    QTest::newRow("accenti ed euro") << QStringLiteral("citt\u00E0 \u20AC 5") << QByteArray("citt\xE0 \x80 5");
    QTest::newRow("fuori codifica") << QStringLiteral("\u03A9\U0001F600x") << QByteArray("??x");
    QTest::newRow("spazi attorno") << QStringLiteral("  \t nota \n ") << QByteArray("nota");
    QTest::newRow("vuoto") << QString() << QByteArray();
}

void TestFileEsportazione::cellaDigitataCodificata()
{
    QFETCH(QString, digitato);
    QFETCH(QByteArray, cella);
    QVERIFY(scriviArchivio(m_archivio, {schedaDiProva(QStringLiteral("T"), QStringLiteral("A"),
                                                      QStringLiteral("C"), QStringLiteral("1"))}));
    ModelloEsportazione modello;
    modello.carica(m_archivio);
    QVERIFY(modello.setData(modello.index(0, 21), digitato));
    QCOMPARE(modello.index(0, 21).data().toString(), digitato);

    esportaGriglia(modello, m_export);
    QCOMPARE(leggiFile(m_export),
             fileAtteso({celle({{1, "T"}, {2, "C"}, {3, "A"}, {7, "1"}, {21, cella}, {22, "No"}})}));
}

void TestFileEsportazione::cellaDigitataNonToccaArchivio()
{
    QVERIFY(scriviArchivio(m_archivio, schedeCampione()));
    const QByteArray archivioPrima = leggiFile(m_archivio);

    ModelloEsportazione modello;
    modello.carica(m_archivio);
    QVERIFY(modello.setData(modello.index(1, 2), QStringLiteral("NUOVO-2")));
    QVERIFY(modello.setData(modello.index(2, 22), QStringLiteral("S\u00EC")));
    // The number, the title and the other read-only columns refuse typing.
    for (int colonna : {0, 1, 3, 7, 11}) {
        QVERIFY(!(modello.flags(modello.index(0, colonna)) & Qt::ItemIsEditable));
        QVERIFY(!modello.setData(modello.index(0, colonna), QStringLiteral("x")));
    }
    QCOMPARE(modello.index(0, 1).data().toString(), QStringLiteral("Lettera da Citt\u00E0 di Castello"));
    QCOMPARE(modello.index(1, 2).data().toString(), QStringLiteral("NUOVO-2"));

    esportaGriglia(modello, m_export);
    QList<QByteArrayList> righe = righeCampione();
    righe[1][1] = "NUOVO-2";
    righe[2][21] = "S\xEC";
    QCOMPARE(leggiFile(m_export), fileAtteso(righe));
    QCOMPARE(leggiFile(m_archivio), archivioPrima);

    ModelloEsportazione riaperto;
    riaperto.carica(m_archivio);
    QCOMPARE(riaperto.index(1, 2).data().toString(), QStringLiteral("A-2"));
    QCOMPARE(riaperto.index(2, 22).data().toString(), QStringLiteral("??"));
}

void TestFileEsportazione::righeLetteABlocchi()
{
    // Several blocks of rows, and a partial record at the end that is no row.
    const int n = 700;
    QVERIFY(scriviArchivio(m_archivio, schedeNumerate(n)));
    {
        QFile f(m_archivio);
        QVERIFY(f.open(QIODevice::Append));
        f.write(QByteArray(100, 'z'));
    }
    ModelloEsportazione modello;
    modello.carica(m_archivio);
    QCOMPARE(modello.rowCount(), n);
    QCOMPARE(modello.columnCount(), 23);
    // Jumps forward, across block edges, and back to rows read long before.
    for (int riga : {0, 255, 256, 699, 511, 512, 300, 1, 698, 0}) {
        QCOMPARE(modello.index(riga, 0).data().toString(), QString::number(riga + 1));
        QCOMPARE(modello.index(riga, 1).data().toString(), QStringLiteral("Pagina %1").arg(riga + 1));
        QCOMPARE(modello.index(riga, 2).data().toString(), QStringLiteral("C-%1").arg(riga + 1));
    }
    QVERIFY(modello.setData(modello.index(600, 21), QStringLiteral("nota 601")));

    int righe = 0;
    modello.perOgniRiga([&righe](const CelleRiga &c) {
        ++righe;
        QCOMPARE(c[0].toByteArray(), QStringLiteral("Pagina %1").arg(righe).toLatin1());
        QCOMPARE(c[20].toByteArray(), righe == 601 ? QByteArray("nota 601") : QByteArray());
    });
    QCOMPARE(righe, n);
}

void TestFileEsportazione::archivioNonApribileGrigliaVuota()
{
    // A folder where the archive should be cannot be opened, and is not
    // replaced; a missing archive is created empty.
    QVERIFY(QDir().mkpath(m_archivio));
    ModelloEsportazione modello;
    modello.carica(m_archivio);
    QCOMPARE(modello.rowCount(), 0);
    QVERIFY(QFileInfo(m_archivio).isDir());

    const QString mancante = m_cartella + QStringLiteral("Nuovo.kpx");
    modello.carica(mancante);
    QCOMPARE(modello.rowCount(), 0);
    QCOMPARE(QFileInfo(mancante).size(), 0);
    esportaGriglia(modello, m_export);
    QCOMPARE(leggiFile(m_export), fileAtteso({}));
}

void TestFileEsportazione::esportazioneFallitaLasciaIlFileDiPrima_data()
{
    QTest::addColumn<Guasto>("guasto");
    QTest::newRow("foglio di calcolo aperto") << Guasto::BloccoFoglio;
    QTest::newRow("disco pieno") << Guasto::DiscoPieno;
    QTest::newRow("destinazione cartella") << Guasto::DestinazioneCartella;
    QTest::newRow("archivio illeggibile") << Guasto::ArchivioIlleggibile;
}

void TestFileEsportazione::esportazioneFallitaLasciaIlFileDiPrima()
{
    QFETCH(Guasto, guasto);
    // Enough rows that the file is written in several pieces.
    QVERIFY(scriviArchivio(m_archivio, schedeNumerate(3000)));
    const QByteArray vecchio = "esportazione di ieri";
    ModelloEsportazione modello;
    modello.carica(m_archivio);

    const QString blocco = m_cartella + QStringLiteral(".~lock.Pagine_Documento.xls#");
    if (guasto == Guasto::DestinazioneCartella)
        QVERIFY(scriviFile(m_export + QStringLiteral("/dentro.txt"), vecchio));
    else
        QVERIFY(scriviFile(m_export, vecchio));
    if (guasto == Guasto::BloccoFoglio)
        QVERIFY(scriviFile(blocco, "utente,host,1234;"));
    if (guasto == Guasto::ArchivioIlleggibile) {
        QVERIFY(QFile::remove(m_archivio));
        QVERIFY(QDir().mkpath(m_archivio));
    }
    const QStringList prima = contenutoCartella(m_cartella);

    {
        LimiteFile limite(guasto == Guasto::DiscoPieno ? 64 * 1024 : RLIM_INFINITY);
        try {
            esportaGriglia(modello, m_export);
            QFAIL("the export went through");
        } catch (const ErroreEsportazione &) {
            QVERIFY(guasto != Guasto::ArchivioIlleggibile);
        } catch (const ErroreArchivio &) {
            QCOMPARE(guasto, Guasto::ArchivioIlleggibile);
        }
    }
    QCOMPARE(contenutoCartella(m_cartella), prima);
    if (guasto == Guasto::DestinazioneCartella)
        QCOMPARE(leggiFile(m_export + QStringLiteral("/dentro.txt")), vecchio);
    else
        QCOMPARE(leggiFile(m_export), vecchio);
}

void TestFileEsportazione::uccisoDuranteEsportazione_data()
{
    QTest::addColumn<bool>("senzaNome");
    QTest::newRow("unnamed new file") << true;
    QTest::newRow("named new file, as where the file system has no unnamed ones") << false;
}

// An export of a big archive killed half-way: the earlier export stays
// whole, and once the next start has run nothing else is in the folder.
void TestFileEsportazione::uccisoDuranteEsportazione()
{
    QFETCH(bool, senzaNome);
    QTemporaryDir dir;
    const QString programma = dir.path() + QLatin1Char('/');
    const QString xls = programma + QStringLiteral("Pagine_Documento.xls");
    QVERIFY(scriviFile(xls, "<html>esportazione di prima</html>"));
    QVERIFY(QDir().mkpath(cartellaFotoPagine(programma)));
    QVERIFY(QDir().mkpath(cartellaAllegati(programma)));
    const QStringList prima = contenutoCartella(programma);

    int tubo[2];
    QVERIFY(::pipe(tubo) == 0);
    const pid_t figlio = ::fork();
    QVERIFY(figlio >= 0);
    if (figlio == 0) {
        // The export as the window runs it, over endless rows; the parent
        // hears when a good part is written.
        ::close(tubo[0]);
        ChiamateDisco c = chiamateDiSistema();
        c.senzaNome = senzaNome;
        static const QByteArray testo("Una cella di un archivio grande, con lettere accentate: \xE0\xE8\xEC\xF2\xF9");
        CelleRiga celle;
        celle.fill(QByteArrayView(testo));
        try {
            scriviEsportazione(
                xls,
                [&](const std::function<void(const CelleRiga &)> &riga) {
                    for (long n = 1;; ++n) {
                        riga(celle);
                        if (n == 20000 && ::write(tubo[1], "x", 1) != 1)
                            ::_exit(2);
                    }
                },
                c);
        } catch (...) {
        }
        ::_exit(1);
    }
    ::close(tubo[1]);
    char segnale = 0;
    QCOMPARE(::read(tubo[0], &segnale, 1), ssize_t(1));
    ::close(tubo[0]);
    ::kill(figlio, SIGKILL);
    int stato = 0;
    QCOMPARE(::waitpid(figlio, &stato, 0), figlio);
    QVERIFY(WIFSIGNALED(stato));

    QCOMPARE(leggiFile(xls), QByteArray("<html>esportazione di prima</html>"));
    const QStringList lasciati = contenutoCartella(programma);
    if (senzaNome) {
        QCOMPARE(lasciati, prima);
    } else {
        // A named new file is left; the next start an hour later clears it.
        QCOMPARE(lasciati.size(), prima.size() + 1);
        for (const QString &nome : lasciati)
            QVERIFY(invecchia(programma + nome, 2 * 3600));
    }
    rimuoviProvvisoriDelProgramma(programma);
    QCOMPARE(contenutoCartella(programma), prima);
    QCOMPARE(leggiFile(xls), QByteArray("<html>esportazione di prima</html>"));
}

QTEST_GUILESS_MAIN(TestFileEsportazione)
#include "tst_fileesportazione.moc"
