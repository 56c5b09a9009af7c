#include "support/immagini_supporto.h"

#include <QBuffer>
#include <QImageReader>

#include <cmath>

QImage tinta(const QSize &dimensione, const QColor &colore, QImage::Format formato)
{
    QImage immagine(dimensione, formato);
    immagine.fill(colore);
    return immagine;
}

QByteArray codifica(const QImage &immagine, const char *formato, int qualita)
{
    QByteArray dati;
    QBuffer buffer(&dati);
    buffer.open(QIODevice::WriteOnly);
    immagine.save(&buffer, formato, qualita);
    return dati;
}

int qualitaJpeg(const QByteArray &jpeg)
{
    // The luminance table of the JPEG standard's annex K, which encoders
    // scale by 5000 / quality below 50 and by 200 - 2 * quality above.
    static const int kBase[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                  14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                  18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                  49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
    const auto byte = [&jpeg](qsizetype i) { return int(static_cast<unsigned char>(jpeg.at(i))); };
    qsizetype i = 2;
    while (i + 4 < jpeg.size() && byte(i) == 0xFF) {
        const int marcatore = byte(i + 1);
        const int lunghezza = (byte(i + 2) << 8) | byte(i + 3);
        if (marcatore == 0xDB) {
            const qsizetype tabella = i + 5;
            const bool sedici = (byte(i + 4) >> 4) != 0;
            double somma = 0;
            double base = 0;
            for (int k = 0; k < 64 && tabella + (sedici ? 2 * k + 1 : k) < jpeg.size(); ++k) {
                somma += sedici ? (byte(tabella + 2 * k) << 8) | byte(tabella + 2 * k + 1) : byte(tabella + k);
                base += kBase[k];
            }
            const double scala = 100.0 * somma / base;
            return int(std::lround(scala <= 100 ? (200 - scala) / 2 : 5000 / scala));
        }
        if (marcatore == 0xDA)
            break;
        i += 2 + lunghezza;
    }
    return -1;
}

int dpi(const QImage &immagine)
{
    return int(std::lround(immagine.dotsPerMeterX() * 0.0254));
}

QImage conDpi(QImage immagine, int dpi)
{
    const int dpm = int(std::lround(dpi / 0.0254));
    immagine.setDotsPerMeterX(dpm);
    immagine.setDotsPerMeterY(dpm);
    return immagine;
}

QByteArray formatoDelFile(const QString &percorso)
{
    QImageReader lettore(percorso);
    lettore.setDecideFormatFromContent(true);
    return lettore.canRead() ? lettore.format() : QByteArray();
}

bool coloreVicino(const QColor &a, const QColor &b)
{
    return qAbs(a.red() - b.red()) < 12 && qAbs(a.green() - b.green()) < 12 && qAbs(a.blue() - b.blue()) < 12;
}

QColor coloreAlCentro(const QImage &immagine)
{
    return immagine.isNull() ? QColor() : immagine.pixelColor(immagine.width() / 2, immagine.height() / 2);
}
