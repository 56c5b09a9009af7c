#include "report/elementireport.h"

#include "report/scrittorepdf.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

// The painter's font resolution is its device's: a font is sized so that it
// measures its points in the painter's units of 1/96 inch whatever the
// device's resolution and the painter's scale.
QFont fontPer(const CarattereReport &c, const QPaintDevice *dispositivo)
{
    QFont f(c.famiglia);
    const int dpi = dispositivo ? dispositivo->logicalDpiY() : 96;
    f.setPointSizeF(c.punti * 96.0 / (dpi > 0 ? dpi : 96));
    f.setBold(c.grassetto);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// A device of exactly 96 dots per inch for measuring before any painting.
const QPaintDevice *dispositivoUnita()
{
    static const QImage immagine = [] {
        QImage i(1, 1, QImage::Format_RGB32);
        i.setDotsPerMeterX(qRound(96 / 0.0254));
        i.setDotsPerMeterY(qRound(96 / 0.0254));
        return i;
    }();
    return &immagine;
}

Qt::Alignment allineamento(AllineamentoOrizzontale o)
{
    switch (o) {
    case AllineamentoOrizzontale::Centro:
        return Qt::AlignHCenter;
    case AllineamentoOrizzontale::Destra:
        return Qt::AlignRight;
    case AllineamentoOrizzontale::Sinistra:
        break;
    }
    return Qt::AlignLeft;
}

// The start of a left-aligned line up to the first character that reaches
// the box's right edge: what lies beyond is clipped anyway, and leaving it
// out keeps it out of the printed file's text too.
QString finoAlBordo(const QString &testo, const QFontMetricsF &metrica, double larghezza)
{
    if (metrica.horizontalAdvance(testo) <= larghezza)
        return testo;
    int dentro = 0;
    int fuori = int(testo.size());
    while (fuori - dentro > 1) {
        const int meta = (dentro + fuori) / 2;
        if (metrica.horizontalAdvance(testo.left(meta)) < larghezza)
            dentro = meta;
        else
            fuori = meta;
    }
    if (fuori < testo.size() && testo.at(fuori - 1).isHighSurrogate())
        ++fuori;
    return testo.left(fuori);
}

} // namespace

CasellaTesto::CasellaTesto(QString nome, const QRectF &area, Aspetto aspetto, const QString &testo)
    : OggettoReport(std::move(nome), area), m_aspetto(std::move(aspetto))
{
    impostaTesto(testo);
}

void CasellaTesto::impostaTesto(const QString &testo)
{
    static const QRegularExpression aCapo(QStringLiteral("\r\n|\r|\n"));
    m_righe = testo.isEmpty() ? QStringList() : testo.split(aCapo);
}

double CasellaTesto::passoRiga(const QPainter *pittore) const
{
    if (m_aspetto.passoRiga > 0)
        return m_aspetto.passoRiga;
    const QPaintDevice *d = pittore && pittore->device() ? pittore->device() : dispositivoUnita();
    return QFontMetricsF(fontPer(m_aspetto.carattere, d), const_cast<QPaintDevice *>(d)).lineSpacing();
}

void CasellaTesto::disegna(QPainter &pittore, double da, double a) const
{
    const QRectF r = area();
    if (m_aspetto.riempimento.isValid())
        pittore.fillRect(r, m_aspetto.riempimento);
    if (m_righe.isEmpty() || r.width() <= 0 || r.height() <= 0)
        return;

    pittore.save();
    pittore.setClipRect(r, Qt::IntersectClip);
    pittore.setFont(fontPer(m_aspetto.carattere, pittore.device()));
    pittore.setPen(m_aspetto.carattere.colore);

    const double passo = passoRiga(&pittore);
    const double tutte = passo * m_righe.size();
    double alto = r.top();
    if (m_aspetto.verticale == AllineamentoVerticale::Centro)
        alto += (r.height() - tutte) / 2;
    else if (m_aspetto.verticale == AllineamentoVerticale::Basso)
        alto += r.height() - tutte;

    // Only the lines on this page: a box of a hundred thousand lines paints
    // a page's worth each time.
    const double sopra = std::max(da, r.top());
    const double sotto = std::min(a, r.bottom());
    // A page ends exactly on a line boundary: the line starting there is
    // the next page's, not even clipped here (a PDF would still hold it).
    const double margine = 1e-6;
    const int primo = std::max(0, int(std::floor((sopra - alto) / passo + margine)));
    const int ultimo = std::min(int(m_righe.size()) - 1, int(std::ceil((sotto - alto) / passo - margine)) - 1);
    // On the program's own PDF writer the lines go straight to the page,
    // measured with the advances the toolkit would lay them out with.
    if (auto *pdf = dynamic_cast<ScrittorePdf *>(pittore.device())) {
        const QFont font = pittore.font();
        const ScrittorePdf::Metrica m = pdf->metrica(font);
        // Centred in its line as the toolkit centres a line of text.
        const double base = (passo - (m.ascesa + m.discesa)) / 2 + m.ascesa;
        for (int i = primo; i <= ultimo; ++i) {
            QString testo = m_righe.at(i);
            double larghezza = m.larghezza(testo);
            AllineamentoOrizzontale orizzontale = m_aspetto.orizzontale;
            if (larghezza > r.width()) {
                orizzontale = AllineamentoOrizzontale::Sinistra;
                testo.truncate(m.finoA(testo, r.width()));
                larghezza = m.larghezza(testo);
            }
            double x = r.left();
            if (orizzontale == AllineamentoOrizzontale::Centro)
                x += (r.width() - larghezza) / 2;
            else if (orizzontale == AllineamentoOrizzontale::Destra)
                x += r.width() - larghezza;
            pdf->scriviTesto(QPointF(x, alto + i * passo + base), font, testo);
        }
        pittore.restore();
        return;
    }
    const QFontMetricsF metrica(pittore.font(), pittore.device());
    for (int i = primo; i <= ultimo; ++i) {
        const QRectF riga(r.left(), alto + i * passo, r.width(), passo);
        QString testo = m_righe.at(i);
        Qt::Alignment orizzontale = allineamento(m_aspetto.orizzontale);
        // A line wider than its box starts at the box's start whatever its
        // alignment: centred or right-aligned it would lose its beginning,
        // the part that names what it is, and cut its first letter in
        // half. Shrinking it instead would print one field of the sheet at
        // a size of its own, and a long enough text would be cut anyway.
        if (metrica.horizontalAdvance(testo) > r.width()) {
            orizzontale = Qt::AlignLeft;
            testo = finoAlBordo(testo, metrica, r.width());
        }
        pittore.drawText(riga, int(orizzontale | Qt::AlignVCenter | Qt::TextSingleLine), testo);
    }
    pittore.restore();
}

Rettangolo::Rettangolo(QString nome, const QRectF &area, const QColor &riempimento, const QColor &contorno,
                       double spessore)
    : OggettoReport(std::move(nome), area), m_riempimento(riempimento), m_contorno(contorno), m_spessore(spessore)
{
}

void Rettangolo::disegna(QPainter &pittore, double, double) const
{
    const QRectF r = area();
    if (m_riempimento.isValid())
        pittore.fillRect(r, m_riempimento);
    if (!m_contorno.isValid() || m_spessore <= 0)
        return;
    pittore.save();
    QPen penna(m_contorno, m_spessore);
    penna.setJoinStyle(Qt::MiterJoin);
    pittore.setPen(penna);
    pittore.setBrush(Qt::NoBrush);
    // The outline stays inside the box.
    const double m = m_spessore / 2;
    pittore.drawRect(r.adjusted(m, m, -m, -m));
    pittore.restore();
}

CasellaImmagine::CasellaImmagine(QString nome, const QRectF &area, const QColor &riempimento)
    : OggettoReport(std::move(nome), area), m_riempimento(riempimento)
{
}

bool CasellaImmagine::impostaImmagine(const QImage &immagine)
{
    m_immagine = QImage();
    if (immagine.isNull() || immagine.width() <= 0 || immagine.height() <= 0)
        return true;
    const QSize massimo(int(std::ceil(area().width() * 300 / 96)), int(std::ceil(area().height() * 300 / 96)));
    if (immagine.width() > massimo.width() || immagine.height() > massimo.height())
        m_immagine = immagine.scaled(massimo, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    else
        m_immagine = immagine;
    return !m_immagine.isNull();
}

QRectF CasellaImmagine::areaImmagine() const
{
    const QRectF r = area();
    if (m_immagine.isNull())
        return QRectF();
    QSizeF s(m_immagine.size());
    s.scale(r.size(), Qt::KeepAspectRatio);
    return QRectF(r.left() + (r.width() - s.width()) / 2, r.top() + (r.height() - s.height()) / 2, s.width(),
                  s.height());
}

void CasellaImmagine::disegna(QPainter &pittore, double, double) const
{
    if (m_riempimento.isValid())
        pittore.fillRect(area(), m_riempimento);
    if (m_immagine.isNull())
        return;
    pittore.save();
    pittore.setRenderHint(QPainter::SmoothPixmapTransform);
    pittore.drawImage(areaImmagine(), m_immagine);
    pittore.restore();
}

Banda::Banda(QString nome, TipoBanda tipo, double larghezza, double altezza)
    : OggettoReport(std::move(nome), QRectF(0, 0, larghezza, altezza)), m_tipo(tipo)
{
}

namespace {

// The line boundaries of the band's text boxes of several lines, in band
// heights: where the band may be cut between two pages.
template <class Visita>
void confiniRighe(const std::vector<std::unique_ptr<OggettoReport>> &oggetti, Visita visita)
{
    for (const auto &o : oggetti) {
        const auto *t = dynamic_cast<const CasellaTesto *>(o.get());
        if (t && t->righe().size() >= 2)
            visita(t->area().top(), t->passoRiga(), int(t->righe().size()));
    }
}

} // namespace

double Banda::taglioMassimo(double da, double limite) const
{
    if (altezza() <= limite)
        return altezza();
    double migliore = da;
    confiniRighe(m_oggetti, [&](double alto, double passo, int righe) {
        const int k = std::min(righe, int(std::floor((limite - alto) / passo + 1e-9)));
        if (k >= 1)
            migliore = std::max(migliore, alto + k * passo);
    });
    return migliore;
}

double Banda::taglioMinimo(double da) const
{
    double migliore = altezza();
    confiniRighe(m_oggetti, [&](double alto, double passo, int righe) {
        const int k = std::max(1, int(std::floor((da - alto) / passo + 1e-9)) + 1);
        if (k <= righe && alto + k * passo > da)
            migliore = std::min(migliore, alto + k * passo);
    });
    return migliore;
}

void Banda::disegna(QPainter &pittore, double da, double a) const
{
    for (const auto &o : m_oggetti) {
        if (o->area().bottom() < da || o->area().top() > a)
            continue;
        o->disegna(pittore, da, a);
    }
}
