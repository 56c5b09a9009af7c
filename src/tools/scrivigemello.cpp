// Renders a drawing once, at the size a window shows it, into its twin: the
// width, the height, then the premultiplied pixels row by row, all
// little-endian 32-bit words. The program takes the twin with a copy where
// it would otherwise render the drawing on its first paint; made at build
// time, the twin always matches the drawing it stands for.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "uso: %s DISEGNO.svg GEMELLO.argb LARGHEZZA ALTEZZA\n", argv[0]);
        return 2;
    }
    const int larghezza = std::atoi(argv[3]);
    const int altezza = std::atoi(argv[4]);
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid() || larghezza <= 0 || altezza <= 0) {
        std::fprintf(stderr, "%s: disegno non leggibile o misure non valide\n", argv[0]);
        return 1;
    }
    // Exactly as the program renders a drawing on no background.
    QImage immagine(larghezza, altezza, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    svg.render(&p);
    p.end();

    QByteArray dati(8 + 4 * qsizetype(larghezza) * altezza, Qt::Uninitialized);
    qToLittleEndian<quint32>(quint32(larghezza), dati.data());
    qToLittleEndian<quint32>(quint32(altezza), dati.data() + 4);
    for (int y = 0; y < altezza; ++y)
        qToLittleEndian<quint32>(immagine.constScanLine(y), larghezza,
                                 dati.data() + 8 + 4 * qsizetype(y) * larghezza);
    QFile uscita(QString::fromLocal8Bit(argv[2]));
    if (!uscita.open(QIODevice::WriteOnly | QIODevice::Truncate) || uscita.write(dati) != dati.size()
        || !uscita.flush()) {
        std::fprintf(stderr, "%s: %s non scritto\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
