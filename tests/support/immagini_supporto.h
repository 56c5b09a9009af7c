#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

// Pictures for tests of scans: plain colour fills, their encoded bytes, and
// what a file really holds.

QImage tinta(const QSize &dimensione, const QColor &colore, QImage::Format formato = QImage::Format_RGB32);

// The picture encoded in the given format ("JPG", "BMP", ...), at the given
// quality where the format has one (-1: the encoder's default).
QByteArray codifica(const QImage &immagine, const char *formato, int qualita = -1);

// The quality a JPEG was encoded at, as the encoder's scale of its
// luminance table shows it (standard tables: within one of the setting);
// -1 when the bytes hold no quantisation table.
int qualitaJpeg(const QByteArray &jpeg);

// A picture's resolution in whole dots per inch (horizontal).
int dpi(const QImage &immagine);
QImage conDpi(QImage immagine, int dpi);

// The format a file's content is in ("jpeg", "bmp"), whatever its name says;
// empty when it is not a picture.
QByteArray formatoDelFile(const QString &percorso);

// Two colours equal but for the small shifts of JPEG encoding.
bool coloreVicino(const QColor &a, const QColor &b);

// The colour at the centre of a picture.
QColor coloreAlCentro(const QImage &immagine);

// The picture as a CMYK JPEG, the way print work saves scans: inverted
// samples with Adobe's marker, black in the K channel only.
QByteArray jpegCmyk(const QImage &immagine, int qualita = 90);
