#pragma once

#include <QAbstractScrollArea>
#include <QHash>
#include <QPixmap>

#include <vector>

class Report;

// The prepared pages of a report one under the other, as paper on a grey
// desk. Laying them out costs only their sizes; a page is painted by the
// report engine when it first comes into view, and only the pages near the
// view keep their picture, so a report of thousands of pages opens at once
// and holds a few pages' worth of memory.
class VistaPagine : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit VistaPagine(const Report &report, QWidget *genitore = nullptr);

    int numeroPagine() const { return int(m_pagine.size()); }
    // 1.0 shows the paper at its own size on the screen.
    double zoom() const { return m_zoom; }
    void impostaZoom(double zoom);
    void ingrandisci();
    void riduci();
    // The zoom follows the window's size until it is set again.
    void adattaLarghezza();
    void adattaPagina();

    // 0-based: the page in the middle of the view, or the one last chosen.
    int paginaCorrente() const { return m_corrente; }
    void vaiAPagina(int indice);
    // Where the page stands in the viewport's coordinates.
    QRect rettangoloPagina(int indice) const;

signals:
    void paginaCambiata(int indice);
    void zoomCambiato(double zoom);
    // The engine has just painted the page's picture.
    void paginaDipinta(int indice);
    // A page's picture could not be made (no memory for it): the page
    // shows blank.
    void paginaNonDipinta(int indice);

protected:
    void paintEvent(QPaintEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class Adatta { No, Larghezza, Pagina };
    struct Posto {
        QSizeF carta;   // units
        int alto = 0;   // pixels from the top of the desk at the current zoom
        QSize lato;     // pixels at the current zoom
    };
    void disponi();
    void applicaAdatta();
    double scalaPixel() const;
    int paginaAl(int y) const;
    void aggiornaCorrente();
    QPixmap immagineDi(int indice);

    const Report &m_report;
    std::vector<Posto> m_pagine;
    int m_larghezza = 0;
    int m_altezza = 0;
    double m_zoom = 1.0;
    Adatta m_adatta = Adatta::No;
    int m_corrente = 0;
    bool m_navigando = false;
    QHash<int, QPixmap> m_immagini;
};
