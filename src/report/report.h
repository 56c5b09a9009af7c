#pragma once

#include "report/elementireport.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>
#include <QString>

#include <climits>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QPagedPaintDevice;
class QPainter;

// A page of a definition: paper, orientation and margins, and either objects
// standing directly on it (one printed page) or bands laid out one under the
// other over as many pages as they need.
class PaginaReport
{
public:
    PaginaReport(QString nome, QPageSize::PageSizeId carta, QPageLayout::Orientation orientamento,
                 const QMarginsF &marginiMm);

    const QString &nome() const { return m_nome; }
    QPageLayout::Orientation orientamento() const { return m_orientamento; }
    void impostaOrientamento(QPageLayout::Orientation orientamento) { m_orientamento = orientamento; }
    // What a printer or a PDF writer is set to before the page is painted.
    QPageLayout layout() const;
    // Paper and printable area in units.
    QSizeF carta() const;
    QRectF areaStampabile() const;

    template <class T>
    T *aggiungi(std::unique_ptr<T> oggetto)
    {
        T *p = oggetto.get();
        m_oggetti.push_back(std::move(oggetto));
        return p;
    }
    Banda *aggiungiBanda(const QString &nome, TipoBanda tipo, double altezza);

    // A line in the bottom margin of every printed page, below the printable
    // area and so outside every band and object: the name at the left and
    // "Pagina n di N" at the right, counted over the report's pages. An
    // empty name and no numbers leave the margin blank.
    struct PiedeMargine {
        QString nome;
        bool numeri = false;
        CarattereReport carattere;
    };
    void impostaPiedeMargine(PiedeMargine piede) { m_piede = std::move(piede); }
    const PiedeMargine &piedeMargine() const { return m_piede; }

    const std::vector<std::unique_ptr<OggettoReport>> &oggetti() const { return m_oggetti; }
    const std::vector<std::unique_ptr<Banda>> &bande() const { return m_bande; }
    Banda *banda(TipoBanda tipo) const;

private:
    QString m_nome;
    QPageSize m_carta;
    QPageLayout::Orientation m_orientamento;
    QMarginsF m_marginiMm;
    std::vector<std::unique_ptr<OggettoReport>> m_oggetti;
    std::vector<std::unique_ptr<Banda>> m_bande;
    PiedeMargine m_piede;
};

// A report definition and its prepared pages. Prepared pages hold only where
// each piece of a band goes, never a picture of the page: painting a page
// draws its objects again, so a report of thousands of pages costs little
// more memory than its texts.
class Report
{
public:
    explicit Report(QString nome) : m_nome(std::move(nome)) {}

    const QString &nome() const { return m_nome; }
    PaginaReport *aggiungiPagina(std::unique_ptr<PaginaReport> pagina);
    const std::vector<std::unique_ptr<PaginaReport>> &pagine() const { return m_pagine; }

    // The object, band or page of that name, or nullptr.
    OggettoReport *trovaOggetto(const QString &nome) const;
    PaginaReport *trovaPagina(const QString &nome) const;
    template <class T>
    T *trova(const QString &nome) const
    {
        return dynamic_cast<T *>(trovaOggetto(nome));
    }

    // Lays the definition out into pages, discarding pages prepared earlier.
    void prepara();
    int numeroPagine() const { return int(m_preparate.size()); }
    // The page the prepared page is printed on.
    const PaginaReport &paginaDi(int indice) const { return *m_preparate.at(size_t(indice)).pagina; }

    // Paints one prepared page so that its paper fills the rectangle given in
    // the painter's current coordinates.
    void disegnaPagina(int indice, QPainter &pittore, const QRectF &carta) const;
    // Paints the prepared pages from primo to ultimo (0-based, both
    // included, kept within the pages there are) on a printer or PDF writer
    // that has not begun painting yet, setting its paper and orientation
    // page by page. False when the device refuses to start or to add a page.
    // After each page avanzamento, when given, hears how many pages are
    // done; answering false stops the painting there (false is returned).
    bool stampaSu(QPagedPaintDevice &dispositivo, int primo = 0, int ultimo = INT_MAX,
                  const std::function<bool(int)> &avanzamento = {}) const;

    // The same pages written as a PDF file by the program itself: laid out
    // and painted exactly as on any device of that resolution, written much
    // faster than the toolkit's PDF writer does. False when the output
    // refused a write or avanzamento stopped the work.
    struct OpzioniPdf {
        int risoluzione = 1200;
        QString titolo;
        QString creatore;
    };
    bool scriviPdf(QIODevice &uscita, const OpzioniPdf &opzioni, int primo = 0, int ultimo = INT_MAX,
                   const std::function<bool(int)> &avanzamento = {}) const;

private:
    struct Frammento {
        const Banda *banda;   // nullptr: the objects standing on the page
        double da, a;         // the piece of the band, in its own heights
        double y;             // where the piece starts in the printable area
    };
    struct PaginaPreparata {
        const PaginaReport *pagina;
        std::vector<Frammento> frammenti;
    };
    void preparaBande(const PaginaReport &pagina);
    void impostaCarta(QPagedPaintDevice &dispositivo, int indice) const;
    void disegnaPiede(int indice, QPainter &pittore) const;

    QString m_nome;
    std::vector<std::unique_ptr<PaginaReport>> m_pagine;
    std::vector<PaginaPreparata> m_preparate;
};
