#include "report/report.h"

#include "report/scrittorepdf.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

PaginaReport::PaginaReport(QString nome, QPageSize::PageSizeId carta, QPageLayout::Orientation orientamento,
                           const QMarginsF &marginiMm)
    : m_nome(std::move(nome)), m_carta(carta), m_orientamento(orientamento), m_marginiMm(marginiMm)
{
}

QPageLayout PaginaReport::layout() const
{
    return QPageLayout(m_carta, m_orientamento, QMarginsF(), QPageLayout::Millimeter);
}

QSizeF PaginaReport::carta() const
{
    QSizeF s = m_carta.size(QPageSize::Millimeter);
    if (m_orientamento == QPageLayout::Landscape)
        s.transpose();
    return s * kUnitaPerMm;
}

QRectF PaginaReport::areaStampabile() const
{
    const QSizeF c = carta();
    const QMarginsF m = m_marginiMm * kUnitaPerMm;
    return QRectF(m.left(), m.top(), c.width() - m.left() - m.right(), c.height() - m.top() - m.bottom());
}

Banda *PaginaReport::aggiungiBanda(const QString &nome, TipoBanda tipo, double altezza)
{
    m_bande.push_back(std::make_unique<Banda>(nome, tipo, areaStampabile().width(), altezza));
    return m_bande.back().get();
}

Banda *PaginaReport::banda(TipoBanda tipo) const
{
    for (const auto &b : m_bande)
        if (b->tipo() == tipo)
            return b.get();
    return nullptr;
}

PaginaReport *Report::aggiungiPagina(std::unique_ptr<PaginaReport> pagina)
{
    m_pagine.push_back(std::move(pagina));
    return m_pagine.back().get();
}

OggettoReport *Report::trovaOggetto(const QString &nome) const
{
    for (const auto &p : m_pagine) {
        for (const auto &o : p->oggetti())
            if (o->nome() == nome)
                return o.get();
        for (const auto &b : p->bande()) {
            if (b->nome() == nome)
                return b.get();
            for (const auto &o : b->oggetti())
                if (o->nome() == nome)
                    return o.get();
        }
    }
    return nullptr;
}

PaginaReport *Report::trovaPagina(const QString &nome) const
{
    for (const auto &p : m_pagine)
        if (p->nome() == nome)
            return p.get();
    return nullptr;
}

void Report::prepara()
{
    m_preparate.clear();
    for (const auto &p : m_pagine) {
        if (p->bande().empty())
            m_preparate.push_back({p.get(), {Frammento{nullptr, 0, p->areaStampabile().height(), 0}}});
        else
            preparaBande(*p);
    }
}

void Report::preparaBande(const PaginaReport &pagina)
{
    const double utile = pagina.areaStampabile().height();
    PaginaPreparata corrente{&pagina, {}};
    double y = 0;
    const auto nuovaPagina = [&] {
        m_preparate.push_back(std::move(corrente));
        corrente = PaginaPreparata{&pagina, {}};
        y = 0;
    };

    for (const auto &b : pagina.bande()) {
        const double h = b->altezza();
        double da = 0;
        while (da < h) {
            const double spazio = utile - y;
            double a = (h - da <= spazio || utile <= 0) ? h : b->taglioMassimo(da, da + spazio);
            if (a <= da) {
                if (!corrente.frammenti.empty()) {
                    nuovaPagina();
                    continue;
                }
                // Not even one line fits on an empty page: print what the
                // page holds of it rather than loop.
                a = std::min(b->taglioMinimo(da), da + spazio);
            }
            corrente.frammenti.push_back(Frammento{b.get(), da, a, y});
            y += a - da;
            da = a;
            if (da < h)
                nuovaPagina();
        }
    }
    m_preparate.push_back(std::move(corrente));
}

void Report::disegnaPagina(int indice, QPainter &pittore, const QRectF &carta) const
{
    const PaginaPreparata &pp = m_preparate.at(size_t(indice));
    const QSizeF c = pp.pagina->carta();
    const QRectF stampabile = pp.pagina->areaStampabile();

    pittore.save();
    pittore.setRenderHint(QPainter::Antialiasing);
    pittore.setRenderHint(QPainter::TextAntialiasing);
    pittore.translate(carta.topLeft());
    pittore.scale(carta.width() / c.width(), carta.height() / c.height());
    pittore.translate(stampabile.topLeft());
    for (const Frammento &f : pp.frammenti) {
        if (!f.banda) {
            for (const auto &o : pp.pagina->oggetti())
                o->disegna(pittore, 0, stampabile.height());
            continue;
        }
        pittore.save();
        pittore.translate(0, f.y - f.da);
        pittore.setClipRect(QRectF(0, f.da, f.banda->area().width(), f.a - f.da), Qt::IntersectClip);
        f.banda->disegna(pittore, f.da, f.a);
        pittore.restore();
    }
    disegnaPiede(indice, pittore);
    pittore.restore();
}

// In the printable area's coordinates: the margin starts at its bottom.
void Report::disegnaPiede(int indice, QPainter &pittore) const
{
    const PaginaReport &pagina = paginaDi(indice);
    const PaginaReport::PiedeMargine &piede = pagina.piedeMargine();
    if (piede.nome.isEmpty() && !piede.numeri)
        return;
    const QRectF stampabile = pagina.areaStampabile();
    const double margine = pagina.carta().height() - stampabile.bottom();
    // Half way down the margin, a line as high as the font needs.
    const double alto = stampabile.height() + margine * 0.25;
    const QRectF riga(0, alto, stampabile.width(), margine * 0.5);
    CasellaTesto::Aspetto aspetto{piede.carattere, AllineamentoOrizzontale::Sinistra, AllineamentoVerticale::Centro,
                                  QColor(), 0};
    if (!piede.nome.isEmpty())
    {
        // The numbers keep their room at the right.
        const QRectF sinistra = riga.adjusted(0, 0, -riga.width() * 0.25, 0);
        CasellaTesto(QString(), sinistra, aspetto, piede.nome).disegna(pittore, riga.top(), riga.bottom());
    }
    if (piede.numeri) {
        aspetto.orizzontale = AllineamentoOrizzontale::Destra;
        // Counted over the pages of this page's definition.
        int n = 0, di = 0;
        for (int k = 0; k < numeroPagine(); ++k) {
            if (&paginaDi(k) != &pagina)
                continue;
            ++di;
            if (k <= indice)
                ++n;
        }
        CasellaTesto(QString(), riga, aspetto, QStringLiteral("Pagina %1 di %2").arg(n).arg(di))
            .disegna(pittore, riga.top(), riga.bottom());
    }
}

void Report::impostaCarta(QPagedPaintDevice &dispositivo, int indice) const
{
    // A printer refuses any change of layout once painting has begun, even
    // to the same one: only a real change is asked for.
    const PaginaReport &pagina = paginaDi(indice);
    const QPageLayout attuale = dispositivo.pageLayout();
    if (!attuale.pageSize().isEquivalentTo(pagina.layout().pageSize()))
        dispositivo.setPageSize(pagina.layout().pageSize());
    if (attuale.orientation() != pagina.orientamento())
        dispositivo.setPageOrientation(pagina.orientamento());
}

bool Report::stampaSu(QPagedPaintDevice &dispositivo, int primo, int ultimo,
                      const std::function<bool(int)> &avanzamento) const
{
    primo = std::max(0, primo);
    ultimo = std::min(ultimo, numeroPagine() - 1);
    if (primo > ultimo)
        return true;
    impostaCarta(dispositivo, primo);
    QPainter pittore;
    if (!pittore.begin(&dispositivo))
        return false;
    for (int i = primo; i <= ultimo; ++i) {
        if (i > primo) {
            impostaCarta(dispositivo, i);
            if (!dispositivo.newPage()) {
                pittore.end();
                return false;
            }
        }
        // The device may paint from its own margins on: the paper starts
        // that far up and to the left.
        const QPageLayout l = dispositivo.pageLayout();
        const int dpi = dispositivo.logicalDpiX();
        const QRect tutta = l.fullRectPixels(dpi);
        const QRect dipinta = l.paintRectPixels(dpi);
        disegnaPagina(i, pittore, QRectF(QPointF(tutta.topLeft() - dipinta.topLeft()), QSizeF(tutta.size())));
        if (avanzamento && !avanzamento(i - primo + 1)) {
            pittore.end();
            return false;
        }
    }
    return pittore.end();
}

bool Report::scriviPdf(QIODevice &uscita, const OpzioniPdf &opzioni, int primo, int ultimo,
                       const std::function<bool(int)> &avanzamento) const
{
    primo = std::max(0, primo);
    ultimo = std::min(ultimo, numeroPagine() - 1);
    ScrittorePdf pdf(uscita, opzioni.risoluzione);
    pdf.impostaTitolo(opzioni.titolo);
    pdf.impostaCreatore(opzioni.creatore);
    for (int i = primo; i <= ultimo; ++i) {
        pdf.nuovaPagina(paginaDi(i).layout());
        QPainter pittore;
        if (!pittore.begin(&pdf))
            return false;
        // The whole paper is painted, as on a printer set to full page.
        disegnaPagina(i, pittore, QRectF(QPointF(0, 0), QSizeF(paginaDi(i).layout().fullRectPixels(pdf.risoluzione()).size())));
        if (!pittore.end())
            return false;
        if (avanzamento && !avanzamento(i - primo + 1))
            return false;
    }
    return pdf.chiudi();
}
