// Measures the export window on a large archive: filling the grid, scrolling
// it from the first row to the last, and exporting, next to a plain copy of
// the archive file. Run it under /usr/bin/time -v for the peak memory, once
// with the default 100,000 records and once with 0 for the baseline:
//     output_bench_esportazione [records]
// It judges nothing.

#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "output/fileesportazione.h"
#include "output/frmexpdocumenti.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/percorsi_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScrollBar>
#include <QTableView>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace {

TSchedaPagina schedaNumero(int i)
{
    TSchedaPagina s = schedaVuota();
    impostaCampo(s, Campo::Titolo, QStringLiteral("Lettera n. %1 dal registro delle suppliche").arg(i));
    impostaCampo(s, Campo::Codice, QStringLiteral("C-%1").arg(i));
    impostaCampo(s, Campo::Autore, QStringLiteral("Rossi & Bianchi"));
    impostaCampo(s, Campo::Creazione, QStringLiteral("12/03/1921"));
    impostaCampo(s, Campo::PagNum, QString::number(i % 400 + 1));
    impostaCampo(s, Campo::Descrizione,
                 QStringLiteral("Pagina di registro, scrittura a penna <inchiostro bruno>, citt\u00E0 di "
                                "\u00C0sti, costo \u20AC %1")
                     .arg(i % 97));
    impostaCampo(s, Campo::Parole, QStringLiteral("registro; supplica; pergamena"));
    impostaCampo(s, Campo::Note, QString(200, QLatin1Char('n')));
    impostaFlag(s, i % 7 == 0);
    return s;
}

// Written block by block: the benchmark itself must not hold the archive.
bool scriviArchivioGrande(const QString &percorso, int n)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QVector<TSchedaPagina> blocco;
    for (int i = 0; i < n; i += 1000) {
        blocco.clear();
        for (int k = i; k < qMin(n, i + 1000); ++k)
            blocco.append(schedaNumero(k));
        const qint64 byte = qint64(blocco.size()) * kDimensioneScheda;
        if (f.write(reinterpret_cast<const char *>(blocco.constData()), byte) != byte)
            return false;
    }
    return true;
}

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

long piccoKb()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    ProgrammaDiProva programma;
    const QString archivio = programma.percorso(QStringLiteral("Bench.kpx"));
    if (!scriviArchivioGrande(archivio, n)) {
        std::fprintf(stderr, "cannot write the archive\n");
        return 1;
    }
    std::printf("%d schede, archivio %.1f MB, picco dopo la scrittura %ld kB\n", n,
                double(QFileInfo(archivio).size()) / 1e6, piccoKb());

    // Best of three, the copy as the export: both from the page cache.
    QElapsedTimer t;
    double copia = 1e300;
    for (int k = 0; k < 3; ++k) {
        t.start();
        QProcess::execute(QStringLiteral("cp"), {archivio, archivio + QStringLiteral(".copia")});
        copia = qMin(copia, ms(t));
        QFile::remove(archivio + QStringLiteral(".copia"));
    }

    TfrmDocumenti *editor = apriEditore(programma.cartella(), QStringLiteral("Bench"));
    const long primaDellaFinestra = piccoKb();

    t.start();
    auto *finestra = new TfrmExpDocumenti(contestoDiProva(), editor);
    finestra->impostaArchivio(editor->percorsoArchivio());
    finestra->show();
    QApplication::processEvents();
    finestra->grdRecords->viewport()->repaint();
    const double riempimento = ms(t);
    const int righe = finestra->grdRecords->model()->rowCount();

    // A page at a time, each page painted, as a user holding Page Down sees
    // every row; then the thumb dragged from top to bottom in 200 steps.
    QScrollBar *barra = finestra->grdRecords->verticalScrollBar();
    auto scorri = [&](int passo) {
        int pagine = 0;
        for (int v = 0; v <= barra->maximum(); v += qMax(1, passo)) {
            barra->setValue(v);
            finestra->grdRecords->viewport()->repaint();
            ++pagine;
        }
        barra->setValue(barra->maximum());
        finestra->grdRecords->viewport()->repaint();
        return pagine + 1;
    };
    t.restart();
    const int pagine = scorri(barra->pageStep());
    const double scorrimento = ms(t);
    barra->setValue(0);
    t.restart();
    const int passi = scorri(barra->maximum() / 200);
    const double trascinamento = ms(t);

    // The click itself, with Yes to the first question and No to the
    // second; best of three.
    RegistroMessaggi messaggi;
    double esportazione = 1e300;
    for (int k = 0; k < 3; ++k) {
        messaggi.rispondi(mrSi);
        messaggi.rispondi(mrNo);
        t.restart();
        clicca(finestra->cmdEsporta);
        esportazione = qMin(esportazione, ms(t));
    }
    const QString file = programma.percorso(kFileEsportazione);
    if (messaggi.messaggi().size() != 6)
        std::printf("  ! l'esportazione ha mostrato: %s\n", qPrintable(messaggi.testi().join(QStringLiteral(" | "))));

    std::printf("  %-44s %10.1f ms (%d righe)\n", "riempimento della griglia", riempimento, righe);
    std::printf("  %-44s %10.1f ms (%d pagine, %.2f ms a pagina)\n", "scorrimento pagina per pagina", scorrimento,
                pagine, scorrimento / pagine);
    std::printf("  %-44s %10.1f ms (%d passi)\n", "trascinamento del cursore dall'alto in basso", trascinamento,
                passi);
    std::printf("  %-44s %10.1f ms (file %.1f MB)\n", "esportazione (clic su cmdEsporta)", esportazione,
                double(QFileInfo(file).size()) / 1e6);
    std::printf("  %-44s %10.1f ms  -> esportazione %.2f x cp\n", "cp dell'archivio", copia, esportazione / copia);
    std::printf("  picco di memoria: %ld kB (prima della finestra %ld kB)\n", piccoKb(), primaDellaFinestra);
    delete finestra;
    QFile::remove(file);
    QFile::remove(archivio);
    return 0;
}
