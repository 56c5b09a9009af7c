// Measures the page text recognition on pictures made outside the program,
// for scripts/check-testo.sh and scripts/bench.sh:
//
//   verifica_lettura pagina IMMAGINE
//       reads one picture as the editor's command does (decode, recognise,
//       the three fields) and prints the text
//   verifica_lettura qualita CARTELLA...
//       each IMMAGINE.{png,jpg} of each folder beside its IMMAGINE.txt:
//       character error rate of the folder and whether the incipit's first
//       five words are right, page by page
//   verifica_lettura archivio CARTELLA NOME CONTEGGIO THREADS
//       reads a whole archive's scans into a fresh index, prints seconds
//   verifica_lettura ricerca CORPUS PAGINE
//       fills an index with PAGINE pages of words drawn from the text file
//       CORPUS, then times word and phrase searches; prints the size per page
#include "ocr/indicetesti.h"
#include "ocr/letturaarchivio.h"
#include "ocr/letturatesto.h"
#include "ocr/riconoscitore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QTextStream out(stdout);

QString normale(const QString &t)
{
    return t.simplified();
}

int distanza(const QString &a, const QString &b)
{
    std::vector<int> riga(size_t(b.size()) + 1);
    for (int j = 0; j <= b.size(); ++j)
        riga[size_t(j)] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonale = riga[0];
        riga[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int sopra = riga[size_t(j)];
            riga[size_t(j)] = std::min({riga[size_t(j)] + 1, riga[size_t(j - 1)] + 1,
                                        diagonale + (a.at(i - 1) == b.at(j - 1) ? 0 : 1)});
            diagonale = sopra;
        }
    }
    return riga[size_t(b.size())];
}

QStringList primeParole(const QString &t, int n)
{
    return normale(t).split(QLatin1Char(' '), Qt::SkipEmptyParts).mid(0, n);
}

int pagina(const QString &percorso)
{
    const QImage immagine = QImageReader(percorso).read();
    Riconoscitore motore;
    const EsitoLettura esito = motore.leggi(immagine);
    if (!esito.letto()) {
        out << esito.messaggio << Qt::endl;
        return 1;
    }
    const CampiLettura campi = campiDaTesto(esito.testo);
    out << esito.testo << "--\n" << campi.incipit << '\n' << campi.righe << ' ' << campi.lingua << Qt::endl;
    return 0;
}

int qualita(const QStringList &cartelle)
{
    Riconoscitore motore;
    int pagineTotali = 0;
    int incipitGiusti = 0;
    for (const QString &c : cartelle) {
        const QDir dir(c);
        qint64 errori = 0;
        qint64 caratteri = 0;
        int lingueGiuste = 0;
        const QStringList immagini = dir.entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files,
                                                   QDir::Name);
        for (const QString &nome : immagini) {
            QFile vero(dir.filePath(QFileInfo(nome).completeBaseName() + QStringLiteral(".txt")));
            if (!vero.open(QIODevice::ReadOnly))
                continue;
            const QStringList righe = QString::fromUtf8(vero.readAll()).split(QLatin1Char('\n'));
            // First line: the language; the rest: the text on the page.
            const QString lingua = righe.value(0);
            const QString testoVero = normale(righe.mid(1).join(QLatin1Char('\n')));
            const EsitoLettura esito = motore.leggi(QImageReader(dir.filePath(nome)).read());
            const QString letto = normale(esito.testo);
            const int d = distanza(testoVero, letto);
            errori += d;
            caratteri += testoVero.size();
            const bool incipit = primeParole(incipitDaTesto(esito.testo), 5) == primeParole(testoVero, 5);
            const bool linguaGiusta = linguaDiTesto(esito.testo) == lingua;
            incipitGiusti += incipit ? 1 : 0;
            lingueGiuste += linguaGiusta ? 1 : 0;
            ++pagineTotali;
            out << "  " << dir.dirName() << '/' << nome << "  CER " << QString::number(100.0 * d / testoVero.size(), 'f', 2)
                << "%  incipit " << (incipit ? "ok" : "NO") << "  lingua " << (linguaGiusta ? "ok" : "NO") << Qt::endl;
            if (!incipit)
                out << "    atteso: " << primeParole(testoVero, 5).join(' ') << "\n    letto:  "
                    << primeParole(incipitDaTesto(esito.testo), 5).join(' ') << Qt::endl;
        }
        out << "SET " << dir.dirName() << "  pagine " << immagini.size() << "  CER "
            << QString::number(caratteri ? 100.0 * double(errori) / double(caratteri) : 0, 'f', 2) << "%  lingua giusta "
            << lingueGiuste << '/' << immagini.size() << Qt::endl;
    }
    out << "INCIPIT prime cinque parole giuste " << incipitGiusti << '/' << pagineTotali << Qt::endl;
    return 0;
}

int archivio(const QString &cartella, const QString &nome, int conteggio, int threads)
{
    QTemporaryDir indiceDir;
    IndiceTesti indice(IndiceTesti::percorsoIn(indiceDir.path() + QLatin1Char('/')));
    LetturaArchivio lettura(indice, cartella, nome, conteggio, threads);
    QElapsedTimer tempo;
    tempo.start();
    QObject::connect(&lettura, &LetturaArchivio::finita, qApp, [&](bool completa, const QString &m) {
        out << "pagine " << lettura.lette() << "  secondi " << QString::number(tempo.elapsed() / 1000.0, 'f', 2)
            << (completa ? "" : "  INCOMPLETA ") << m << Qt::endl;
        qApp->quit();
    });
    lettura.avvia();
    return qApp->exec();
}

int ricerca(const QString &corpus, int pagine)
{
    QFile f(corpus);
    if (!f.open(QIODevice::ReadOnly))
        return 1;
    static const QRegularExpression nonParole(QStringLiteral("[^\\p{L}']+"));
    const QStringList parole = QString::fromUtf8(f.readAll()).split(nonParole, Qt::SkipEmptyParts);
    QTemporaryDir dir;
    const QString percorso = IndiceTesti::percorsoIn(dir.path() + QLatin1Char('/'));
    QElapsedTimer tempo;
    tempo.start();
    {
        IndiceTesti indice(percorso);
        QRandomGenerator caso(26);
        QVector<IndiceTesti::Pagina> blocco;
        for (int p = 1; p <= pagine; ++p) {
            // A page of about 300 words: runs of the corpus from random places,
            // so phrases stay real phrases.
            QString testo;
            while (testo.size() < 1800) {
                const int da = int(caso.bounded(qMax(1, int(parole.size()) - 40)));
                testo += parole.mid(da, 30).join(QLatin1Char(' ')) + QLatin1Char('\n');
            }
            blocco.append({p, testo, QString::number(p)});
            if (blocco.size() == 2000 || p == pagine) {
                indice.scriviPagine(QStringLiteral("Grande"), blocco);
                blocco.clear();
            }
        }
    }
    out << "riempimento " << pagine << " pagine  secondi " << QString::number(tempo.elapsed() / 1000.0, 'f', 1)
        << "  byte per pagina " << QFileInfo(percorso).size() / pagine << Qt::endl;
    IndiceTesti indice(percorso);
    const QStringList richieste = {QStringLiteral("citta"), QStringLiteral("amore"), QStringLiteral("ufficio lavoro"),
                                   QStringLiteral("\"il mare\""), QStringLiteral("zuzzurellone")};
    for (const QString &r : richieste) {
        std::vector<double> tempi;
        int trovate = 0;
        for (int k = 0; k < 7; ++k) {
            tempo.restart();
            trovate = int(indice.cerca(QStringLiteral("Grande"), r, 1000).size());
            tempi.push_back(tempo.nsecsElapsed() / 1e6);
        }
        std::sort(tempi.begin(), tempi.end());
        out << "ricerca " << r << "  trovate " << trovate << "  ms mediana " << QString::number(tempi[3], 'f', 1)
            << Qt::endl;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList a = app.arguments();
    const QString modo = a.value(1);
    if (modo == QLatin1String("pagina") && a.size() == 3)
        return pagina(a.at(2));
    if (modo == QLatin1String("qualita") && a.size() >= 3)
        return qualita(a.mid(2));
    if (modo == QLatin1String("archivio") && a.size() == 6)
        return archivio(a.at(2), a.at(3), a.at(4).toInt(), a.at(5).toInt());
    if (modo == QLatin1String("ricerca") && a.size() == 4)
        return ricerca(a.at(2), a.at(3).toInt());
    std::fprintf(stderr, "uso: verifica_lettura pagina|qualita|archivio|ricerca ...\n");
    return 2;
}
