#pragma once

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class Report;

// Reading printed reports back: poppler's pdftotext and pdftoppm on a PDF
// that the report engine wrote.

// Prepares nothing: writes the pages already prepared, one PDF page each.
bool scriviPdf(const Report &report, const QString &percorso);

// A word as poppler finds it: page (0-based) and box in millimetres from
// the paper's top-left corner.
struct ParolaPdf {
    int pagina;
    QString testo;
    QRectF box;
};

struct TestoPdf {
    int pagine = 0;
    QList<ParolaPdf> parole;

    QList<ParolaPdf> trova(const QString &testo) const;
    // The words of one page, in poppler's reading order.
    QStringList paroleDiPagina(int pagina) const;
};

// pdftotext -bbox; an empty result (no pages) when poppler fails.
TestoPdf leggiPdf(const QString &percorso);

// One page rendered by pdftoppm at the given resolution; null on failure.
QImage rendiPagina(const QString &percorso, int pagina, int dpi);

// The smallest rectangle, in millimetres, of the pixels of a page picture
// near the given colour, looked for inside the area given in millimetres.
QRectF areaDelColore(const QImage &pagina, int dpi, const QColor &colore, const QRectF &dentroMm);
