#include "support/immagini_supporto.h"

#include <QBuffer>
#include <QImageReader>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

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

QByteArray jpegCmyk(const QImage &immagine, int qualita)
{
    const QImage grigia = immagine.convertToFormat(QImage::Format_Grayscale8);
    jpeg_compress_struct info{};
    jpeg_error_mgr errori{};
    info.err = jpeg_std_error(&errori);
    jpeg_create_compress(&info);
    unsigned char *dati = nullptr;
    unsigned long dimensione = 0;
    jpeg_mem_dest(&info, &dati, &dimensione);
    info.image_width = JDIMENSION(grigia.width());
    info.image_height = JDIMENSION(grigia.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_CMYK);
    jpeg_set_quality(&info, qualita, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> riga(size_t(grigia.width()) * 4);
    while (info.next_scanline < info.image_height) {
        const uchar *grigi = grigia.constScanLine(int(info.next_scanline));
        for (int x = 0; x < grigia.width(); ++x) {
            // Inverted, as Adobe stores it: 255 is no ink.
            riga[size_t(x) * 4 + 0] = 255;
            riga[size_t(x) * 4 + 1] = 255;
            riga[size_t(x) * 4 + 2] = 255;
            riga[size_t(x) * 4 + 3] = grigi[x];
        }
        JSAMPROW righe[1] = {riga.data()};
        jpeg_write_scanlines(&info, righe, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const QByteArray jpeg(reinterpret_cast<const char *>(dati), qsizetype(dimensione));
    std::free(dati);
    return jpeg;
}
