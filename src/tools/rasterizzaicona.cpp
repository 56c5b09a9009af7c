// Renders the program's SVG icon to a square PNG of the given size, for the
// icon themes that want fixed sizes beside the scalable one.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "uso: %s ICONA.svg ICONA.png LATO\n", argv[0]);
        return 2;
    }
    const int lato = std::atoi(argv[3]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || lato <= 0) {
        std::fprintf(stderr, "%s: icona non leggibile o lato non valido\n", argv[0]);
        return 1;
    }
    QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    p.end();
    return immagine.save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
