#include "app/vistapagine.h"

#include "report/report.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace {

// Room around and between the pages, in pixels.
constexpr int kSpazio = 12;
// The zoom steps of the toolbar's buttons.
constexpr double kPassiZoom[] = {0.1, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0};

} // namespace

VistaPagine::VistaPagine(const Report &report, QWidget *genitore) : QAbstractScrollArea(genitore), m_report(report)
{
    setObjectName(QStringLiteral("vistaPagine"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(false);
    m_pagine.resize(size_t(std::max(0, m_report.numeroPagine())));
    for (int i = 0; i < numeroPagine(); ++i)
        m_pagine[size_t(i)].carta = m_report.paginaDi(i).carta();
    disponi();
}

double VistaPagine::scalaPixel() const
{
    return m_zoom * logicalDpiX() / 96.0;
}

void VistaPagine::disponi()
{
    const double scala = scalaPixel();
    int y = kSpazio;
    int larga = 0;
    for (Posto &p : m_pagine) {
        p.lato = QSize(std::max(1, int(std::lround(p.carta.width() * scala))),
                       std::max(1, int(std::lround(p.carta.height() * scala))));
        p.alto = y;
        y += p.lato.height() + kSpazio;
        larga = std::max(larga, p.lato.width());
    }
    m_larghezza = larga + 2 * kSpazio;
    m_altezza = y;
    const QSize v = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, m_larghezza - v.width()));
    horizontalScrollBar()->setPageStep(v.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, m_altezza - v.height()));
    verticalScrollBar()->setPageStep(v.height());
    verticalScrollBar()->setSingleStep(20);
    viewport()->update();
}

void VistaPagine::impostaZoom(double zoom)
{
    m_adatta = Adatta::No;
    zoom = std::clamp(zoom, kPassiZoom[0], std::end(kPassiZoom)[-1]);
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    m_immagini.clear();
    disponi();
    vaiAPagina(m_corrente);
    emit zoomCambiato(m_zoom);
}

void VistaPagine::ingrandisci()
{
    const auto *p = std::upper_bound(std::begin(kPassiZoom), std::end(kPassiZoom), m_zoom * 1.001);
    impostaZoom(p == std::end(kPassiZoom) ? m_zoom : *p);
}

void VistaPagine::riduci()
{
    const auto *p = std::lower_bound(std::begin(kPassiZoom), std::end(kPassiZoom), m_zoom * 0.999);
    impostaZoom(p == std::begin(kPassiZoom) ? m_zoom : p[-1]);
}

void VistaPagine::adattaLarghezza()
{
    m_adatta = Adatta::Larghezza;
    applicaAdatta();
}

void VistaPagine::adattaPagina()
{
    m_adatta = Adatta::Pagina;
    applicaAdatta();
}

void VistaPagine::applicaAdatta()
{
    if (m_pagine.empty() || m_adatta == Adatta::No)
        return;
    const double pixelPerUnita = logicalDpiX() / 96.0;
    double larga = 0;
    for (const Posto &p : m_pagine)
        larga = std::max(larga, p.carta.width());
    // The scroll bar that a page wider or taller than the view brings takes
    // room too: fit to the room left beside it.
    const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize v = size() - QSize(2 * frameWidth() + barra, 2 * frameWidth());
    double zoom = (v.width() - 2 * kSpazio) / (larga * pixelPerUnita);
    if (m_adatta == Adatta::Pagina) {
        const QSizeF c = m_pagine[size_t(m_corrente)].carta;
        zoom = std::min((v.width() - 2 * kSpazio) / (c.width() * pixelPerUnita),
                        (v.height() - 2 * kSpazio) / (c.height() * pixelPerUnita));
    }
    zoom = std::max(zoom, 0.05);
    if (std::abs(zoom - m_zoom) > 1e-9) {
        m_zoom = zoom;
        m_immagini.clear();
        disponi();
        vaiAPagina(m_corrente);
        emit zoomCambiato(m_zoom);
    } else {
        disponi();
    }
}

QRect VistaPagine::rettangoloPagina(int indice) const
{
    const Posto &p = m_pagine.at(size_t(indice));
    const int x = std::max(kSpazio, (std::max(m_larghezza, viewport()->width()) - p.lato.width()) / 2);
    return QRect(QPoint(x - horizontalScrollBar()->value(), p.alto - verticalScrollBar()->value()), p.lato);
}

int VistaPagine::paginaAl(int y) const
{
    const auto dopo = std::upper_bound(m_pagine.begin(), m_pagine.end(), y,
                                       [](int v, const Posto &p) { return v < p.alto; });
    return std::max(0, int(dopo - m_pagine.begin()) - 1);
}

void VistaPagine::vaiAPagina(int indice)
{
    if (m_pagine.empty())
        return;
    indice = std::clamp(indice, 0, numeroPagine() - 1);
    m_navigando = true;
    verticalScrollBar()->setValue(m_pagine[size_t(indice)].alto - kSpazio);
    m_navigando = false;
    if (indice != m_corrente) {
        m_corrente = indice;
        emit paginaCambiata(m_corrente);
    }
    viewport()->update();
}

void VistaPagine::aggiornaCorrente()
{
    if (m_pagine.empty() || m_navigando)
        return;
    const QScrollBar *v = verticalScrollBar();
    // At either end of the desk the end page is current even when it fills
    // only part of the view.
    int pagina = paginaAl(v->value() + viewport()->height() / 2);
    if (v->value() >= v->maximum() && v->maximum() > 0)
        pagina = numeroPagine() - 1;
    else if (v->value() == 0)
        pagina = 0;
    if (pagina != m_corrente) {
        m_corrente = pagina;
        emit paginaCambiata(m_corrente);
    }
}

void VistaPagine::scrollContentsBy(int, int)
{
    aggiornaCorrente();
    viewport()->update();
}

void VistaPagine::resizeEvent(QResizeEvent *evento)
{
    QAbstractScrollArea::resizeEvent(evento);
    if (m_adatta != Adatta::No)
        applicaAdatta();
    else
        disponi();
}

QPixmap VistaPagine::immagineDi(int indice)
{
    const auto trovata = m_immagini.constFind(indice);
    if (trovata != m_immagini.constEnd())
        return *trovata;
    const Posto &p = m_pagine[size_t(indice)];
    const qreal dpr = devicePixelRatioF();
    QImage immagine((QSizeF(p.lato) * dpr).toSize(), QImage::Format_RGB32);
    if (immagine.isNull()) {
        emit paginaNonDipinta(indice);
        return QPixmap();
    }
    immagine.setDevicePixelRatio(dpr);
    immagine.fill(Qt::white);
    {
        QPainter pittore(&immagine);
        m_report.disegnaPagina(indice, pittore, QRectF(QPointF(0, 0), QSizeF(p.lato)));
    }
    QPixmap pixmap = QPixmap::fromImage(std::move(immagine));
    m_immagini.insert(indice, pixmap);
    emit paginaDipinta(indice);
    return pixmap;
}

void VistaPagine::paintEvent(QPaintEvent *evento)
{
    QPainter pittore(viewport());
    pittore.fillRect(evento->rect(), palette().dark());
    if (m_pagine.empty())
        return;
    const int sopra = verticalScrollBar()->value() + evento->rect().top();
    const int sotto = verticalScrollBar()->value() + evento->rect().bottom();
    for (int i = paginaAl(sopra); i < numeroPagine() && m_pagine[size_t(i)].alto <= sotto; ++i) {
        const QRect r = rettangoloPagina(i);
        if (!r.intersects(evento->rect()))
            continue;
        // A thin shadow lifts the paper off the desk.
        pittore.fillRect(r.translated(3, 3), palette().shadow());
        pittore.fillRect(r, Qt::white);
        const QPixmap immagine = immagineDi(i);
        if (!immagine.isNull())
            pittore.drawPixmap(r.topLeft(), immagine);
    }
    // Only the pages in view and their neighbours keep their pictures.
    const int primo = paginaAl(verticalScrollBar()->value());
    const int ultimo = paginaAl(verticalScrollBar()->value() + viewport()->height());
    for (auto it = m_immagini.begin(); it != m_immagini.end();) {
        if (it.key() < primo - 1 || it.key() > ultimo + 1)
            it = m_immagini.erase(it);
        else
            ++it;
    }
}
