#pragma once

#include <QPageLayout>
#include <QPaintDevice>
#include <QString>
#include <QStringView>

#include <memory>

class QFont;
class QIODevice;
class MotorePdf;

// A PDF file painted page by page with a QPainter, written by the program
// itself: each text item as one string in a font embedded once with the
// widths the painter laid it out with, rectangles and lines as paths,
// pictures as compressed images. What the painter places stands exactly
// where the toolkit's own PDF writer would put it, at a fraction of its
// cost: that writer positions every glyph on its own.
//
// For each page: nuovaPagina(), then a painter begun on the device paints
// it and ends. chiudi() writes the file's index and tail.
class ScrittorePdf : public QPaintDevice
{
public:
    // risoluzione: the dots per inch the painter sees, as a printer's.
    ScrittorePdf(QIODevice &uscita, int risoluzione);
    ~ScrittorePdf() override;
    ScrittorePdf(const ScrittorePdf &) = delete;
    ScrittorePdf &operator=(const ScrittorePdf &) = delete;

    void impostaTitolo(const QString &titolo);
    void impostaCreatore(const QString &creatore);
    // The paper of the next page painted, whole (no margins).
    void nuovaPagina(const QPageLayout &carta);
    // False when a page or the tail could not be written whole.
    bool chiudi();
    int risoluzione() const { return m_risoluzione; }

    // Text straight onto the page for a painter active on this device, in
    // the painter's coordinates and under its clip, skipping the toolkit's
    // text layout that each line would otherwise go through twice. A line
    // of the program's texts (Windows-1252, no kerning) is laid out by the
    // toolkit as its characters' advances one after the other: these are
    // those advances, so the text stands where the painter would put it.
    struct Metrica {
        const double *avanzi;   // 256, by Windows-1252 code
        double ascesa;
        double discesa;
        double larghezza(QStringView testo) const;
        // The characters up to the first that reaches limite, that one
        // included; all of them when the text ends before it.
        qsizetype finoA(QStringView testo, double limite) const;
    };
    Metrica metrica(const QFont &font);
    void scriviTesto(const QPointF &base, const QFont &font, const QString &testo);

    QPaintEngine *paintEngine() const override;

protected:
    int metric(PaintDeviceMetric metrica) const override;

private:
    int m_risoluzione;
    QRect m_pagina;   // pixels
    std::unique_ptr<MotorePdf> m_motore;
};
