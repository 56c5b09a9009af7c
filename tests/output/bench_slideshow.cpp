// How long the slideshow takes to bring a large scan on screen: decoded at
// screen size, as the slideshow does, against decoded whole and then shrunk.
// A 5000 x 7000 JPEG must fit well inside the six-second interval without
// holding up the window.

#include "output/passoslideshow.h"
#include "storage/fotopagina.h"

#include "support/supporto.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A scan-like picture: paper with lines of dark strokes, so the JPEG holds
// real detail and not one flat colour.
QImage scansione(const QSize &dimensione)
{
    QImage img(dimensione, QImage::Format_RGB32);
    img.fill(QColor(0xEF, 0xE6, 0xCF));
    QPainter p(&img);
    p.setPen(QPen(QColor(0x3B, 0x2C, 0x1E), 9));
    for (int y = 300; y < dimensione.height() - 300; y += 90) {
        for (int x = 300; x < dimensione.width() - 300; x += 260)
            p.drawLine(x, y, x + 200, y + (x / 7) % 11 - 5);
    }
    return img;
}

template <class Fn>
double millisecondi(Fn fn, int volte)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < volte; ++i)
        fn();
    return double(t.nsecsElapsed()) / 1e6 / volte;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString cartella = dir.path() + QLatin1Char('/');
    const QString percorso = percorsoFotoPagina(cartella, QStringLiteral("Prova"), QStringLiteral("1"));
    preparaCartellaFotoPagine(cartella);
    const QSize grande(5000, 7000);
    QImageWriter scrittore(percorso, "jpeg");
    if (!scrittore.write(scansione(grande))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(percorso));
        return 1;
    }
    std::printf("scan %dx%d, %.1f MB on disk\n", grande.width(), grande.height(),
                QFileInfo(percorso).size() / 1e6);

    for (const QSize schermo : {QSize(1366, 768), QSize(1920, 1080), QSize(3840, 2160)}) {
        const QSize area = schermo - QSize(60, 90);
        QSize ottenuta;
        const double ridotta = millisecondi([&] { ottenuta = fotoSlideshow(cartella, QStringLiteral("Prova"), 1, area).size(); }, 5);
        // Whole, the picture needs 140 MB, past Qt's default 128 MB limit:
        // lifted here only to measure what decoding it whole would cost.
        const int limite = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(0);
        const double intera = millisecondi([&] {
            QImage img(percorso);
            img = img.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }, 3);
        QImageReader::setAllocationLimit(limite);
        std::printf("screen %dx%d: at screen size %.0f ms (%dx%d), whole then shrunk %.0f ms\n", schermo.width(),
                    schermo.height(), ridotta, ottenuta.width(), ottenuta.height(), intera);
    }
    return 0;
}
