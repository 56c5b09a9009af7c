// Acquires one page from a scanner the way the acquisition window does (the
// worker thread, the whole glass, the picture in memory with its dpi) and
// says how long it took. scripts/bench.sh runs it beside scanimage writing
// the same page to a file; scripts/check-scanner.sh hands it scanimage's
// file to compare with, pixel by pixel.
//
//   scanner_bench_acquisizione DEVICE DPI colore|grigi|bianconero [PICTURE [FILE.pnm]]
#include "scanner/acquisizione.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTextStream>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 4) {
        std::fprintf(stderr, "uso: %s DISPOSITIVO DPI colore|grigi|bianconero [FIGURA [FILE.pnm]]\n", argv[0]);
        return 2;
    }
    ImpostazioniScanner impostazioni;
    impostazioni.dpi = a[2].toInt();
    impostazioni.modo = a[3] == QLatin1String("grigi") ? ModoScanner::Grigi
                        : a[3] == QLatin1String("bianconero") ? ModoScanner::BiancoNero
                                                              : ModoScanner::Colore;
    if (a.size() > 4)
        impostazioni.altre = {{"test-picture", a[4]}};

    QElapsedTimer tempo;
    tempo.start();
    QImage pagina;
    EsitoScanner esito = EsitoScanner::Errore;
    {
        Acquisizione acquisizione;
        QEventLoop ciclo;
        QObject::connect(&acquisizione, &Acquisizione::paginaAcquisita,
                         [&](const QImage &immagine) { pagina = immagine; });
        QObject::connect(&acquisizione, &Acquisizione::terminata, [&](EsitoScanner e) {
            esito = e;
            ciclo.quit();
        });
        acquisizione.acquisisci(a[1].toUtf8(), impostazioni, false);
        ciclo.exec();
    }
    const qint64 ms = tempo.elapsed();
    QTextStream out(stdout);
    if (esito != EsitoScanner::Ok) {
        out << "acquisition failed: " << messaggioScanner(esito) << "\n";
        return 1;
    }
    out << "page " << pagina.width() << " x " << pagina.height() << " at "
        << qRound(pagina.dotsPerMeterX() * 0.0254) << " dpi in " << ms << " ms\n";

    if (a.size() > 5) {
        QImage atteso(a[5]);
        if (atteso.isNull()) {
            out << "cannot read " << a[5] << "\n";
            return 1;
        }
        const QImage::Format formato = pagina.format() == QImage::Format_Mono ? QImage::Format_Mono
                                       : pagina.format() == QImage::Format_Grayscale8 ? QImage::Format_Grayscale8
                                                                                      : QImage::Format_RGB888;
        atteso = atteso.convertToFormat(formato);
        const QImage letto = pagina.convertToFormat(formato);
        if (atteso.size() != letto.size()) {
            out << "size differs: scanimage " << atteso.width() << " x " << atteso.height() << "\n";
            return 1;
        }
        long diversi = 0;
        for (int y = 0; y < letto.height(); ++y)
            for (int x = 0; x < letto.width(); ++x)
                diversi += letto.pixel(x, y) != atteso.pixel(x, y);
        out << "pixels differing from scanimage's file: " << diversi << "\n";
        return diversi == 0 ? 0 : 1;
    }
    return 0;
}
