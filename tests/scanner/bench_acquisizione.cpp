// Acquires one page from a scanner the way the acquisition window does (the
// worker thread, the driver stack started, the device opened and set, the
// whole glass read into a picture in memory with its dpi) and says how long
// that took, which is what the window's Acquisisci runs; the process's own
// start (loading the toolkit) comes once per program run and is left out.
// With --scrivi the page is also written to a PNM file inside the timed
// part, as scanimage writes it, so that the two end with the same file.
// scripts/bench.sh runs it beside scanimage; scripts/check-scanner.sh hands
// it scanimage's file to compare with, pixel by pixel.
//
//   scanner_bench_acquisizione DEVICE DPI colore|grigi|bianconero [PICTURE [FILE.pnm]] [--scrivi OUT.pnm]
#include "scanner/acquisizione.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTextStream>

#include <cstdio>

namespace {

// The page as a binary PNM, the form scanimage writes by default.
bool scriviPnm(const QImage &pagina, const QString &percorso)
{
    const bool rgb = pagina.format() == QImage::Format_RGB888;
    const bool mono = pagina.format() == QImage::Format_Mono;
    if (!rgb && !mono && pagina.format() != QImage::Format_Grayscale8)
        return false;
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QByteArray testa = QByteArray(rgb ? "P6" : mono ? "P4" : "P5") + "\n" + QByteArray::number(pagina.width()) +
                             " " + QByteArray::number(pagina.height()) + (mono ? "\n" : "\n255\n");
    const qsizetype riga = rgb ? qsizetype(pagina.width()) * 3 : mono ? (pagina.width() + 7) / 8 : pagina.width();
    if (f.write(testa) != testa.size())
        return false;
    if (pagina.bytesPerLine() == riga)
        return f.write(reinterpret_cast<const char *>(pagina.constBits()), riga * pagina.height()) ==
               riga * pagina.height();
    for (int y = 0; y < pagina.height(); ++y)
        if (f.write(reinterpret_cast<const char *>(pagina.constScanLine(y)), riga) != riga)
            return false;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList a = app.arguments();
    QString uscita;
    if (const int i = a.indexOf(QStringLiteral("--scrivi")); i > 0 && i + 1 < a.size()) {
        uscita = a[i + 1];
        a.remove(i, 2);
    }
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
    // Where the time goes: until the first lines come (driver stack,
    // device, settings, start), the page, the driver stack's end, the file.
    double primeRighe = -1, pagina_ms = 0, fine_ms = 0;
    {
        Acquisizione acquisizione;
        QEventLoop ciclo;
        QObject::connect(&acquisizione, &Acquisizione::avanzamento, [&](int, int percento, const QImage &) {
            if (primeRighe < 0 && percento > 0)
                primeRighe = tempo.nsecsElapsed() / 1e6;
        });
        QObject::connect(&acquisizione, &Acquisizione::paginaAcquisita, [&](const QImage &immagine) {
            pagina = immagine;
            pagina_ms = tempo.nsecsElapsed() / 1e6;
        });
        QObject::connect(&acquisizione, &Acquisizione::terminata, [&](EsitoScanner e) {
            esito = e;
            ciclo.quit();
        });
        acquisizione.acquisisci(a[1].toUtf8(), impostazioni, false);
        ciclo.exec();
        fine_ms = tempo.nsecsElapsed() / 1e6;
    }
    const double chiuso_ms = tempo.nsecsElapsed() / 1e6;
    QTextStream out(stdout);
    if (esito != EsitoScanner::Ok) {
        out << "acquisition failed: " << messaggioScanner(esito) << "\n";
        return 1;
    }
    if (!uscita.isEmpty() && !scriviPnm(pagina, uscita)) {
        out << "cannot write " << uscita << "\n";
        return 1;
    }
    const double ms = tempo.nsecsElapsed() / 1e6;
    out << "page " << pagina.width() << " x " << pagina.height() << " at "
        << qRound(pagina.dotsPerMeterX() * 0.0254) << " dpi in " << QString::number(ms, 'f', 1) << " ms"
        << (uscita.isEmpty() ? QString() : QStringLiteral(", written to ") + uscita) << "\n";
    auto n = [](double v) { return QString::number(v, 'f', 1); };
    out << "  first lines at " << n(primeRighe) << " ms, page in at " << n(pagina_ms) << " ms, job over at "
        << n(fine_ms) << " ms, driver stack closed at " << n(chiuso_ms) << " ms\n";

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
