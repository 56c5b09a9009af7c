// Measures the list report on a list of 100,000 summary lines: filling and
// preparing the pages, then painting every page into a PDF, with the
// process's peak memory after each step. Run it by hand; it judges nothing.

#include "app/formati.h"
#include "search/reportriepilogo.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

long piccoMemoriaKb()
{
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int quante = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;

    // Lines as wide as the search window's: 150 characters.
    QStringList righe;
    righe.reserve(quante);
    for (int i = 0; i < quante; ++i)
        righe.append(QStringLiteral("Titolo della pagina numero %1").arg(i, 6, 10, QLatin1Char('0')).leftJustified(60)
                     + QStringLiteral("Autore %1").arg(i % 977).leftJustified(50)
                     + QStringLiteral("C-%1").arg(i).leftJustified(40));
    std::printf("lines: %d, memory after making them: %ld kB\n", quante, piccoMemoriaKb());

    auto report = creaReportRiepilogo();
    QElapsedTimer t;
    t.start();
    riempiReportRiepilogo(*report, QStringLiteral("Riepilogo pagine in archivio"), righe, QDateTime::currentDateTime());
    report->prepara();
    std::printf("fill and prepare: %lld ms, %d pages, peak memory %ld kB\n", t.elapsed(), report->numeroPagine(),
                piccoMemoriaKb());

    QTemporaryDir cartella;
    const QString pdf = cartella.filePath(QStringLiteral("lista.pdf"));
    t.restart();
    {
        QPdfWriter scrittore(pdf);
        scrittore.setPageMargins(QMarginsF(0, 0, 0, 0));
        if (!report->stampaSu(scrittore))
            std::printf("the PDF writer failed\n");
    }
    std::printf("painting every page to PDF: %lld ms, %lld kB of PDF, peak memory %ld kB\n", t.elapsed(),
                QFileInfo(pdf).size() / 1024, piccoMemoriaKb());
    return 0;
}
