#include "report/scrittorepdf.h"

#include <QDateTime>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRawFont>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// Windows-1252 from 0x80 to 0x9F; every other byte is its Latin-1 character.
constexpr char16_t kWinAnsi80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code of a character in /WinAnsiEncoding, 0 when it has none.
unsigned char codiceWinAnsi(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kWinAnsi80[i] == c && c != 0)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

// What a character prints as: its code, or '?' when it has none.
unsigned char codiceStampabile(QChar c)
{
    const unsigned char codice = codiceWinAnsi(c.unicode());
    return codice >= 32 ? codice : '?';
}

char16_t carattereWinAnsi(int codice)
{
    return codice >= 0x80 && codice < 0xA0 ? kWinAnsi80[codice - 0x80] : char16_t(codice);
}

// A number as PDF writes it: at most three decimals, no trailing zeros.
void numero(QByteArray &b, double v)
{
    if (!std::isfinite(v))
        v = 0;
    long long m = std::llround(v * 1000);
    if (m < 0) {
        b.append('-');
        m = -m;
    }
    char cifre[24];
    int n = 0;
    long long intera = m / 1000;
    do {
        cifre[n++] = char('0' + intera % 10);
        intera /= 10;
    } while (intera);
    while (n)
        b.append(cifre[--n]);
    int frazione = int(m % 1000);
    if (frazione) {
        b.append('.');
        int divisore = 100;
        while (frazione) {
            b.append(char('0' + frazione / divisore));
            frazione %= divisore;
            divisore /= 10;
        }
    }
}

void numeri(QByteArray &b, std::initializer_list<double> valori)
{
    for (double v : valori) {
        numero(b, v);
        b.append(' ');
    }
}

// A text string of PDF: the bytes, with its delimiters and backslash escaped.
void stringa(QByteArray &b, const QByteArray &byte)
{
    b.append('(');
    for (char c : byte) {
        if (c == '(' || c == ')' || c == '\\')
            b.append('\\');
        if (c == '\r')
            b.append("\\r");
        else
            b.append(c);
    }
    b.append(')');
}

// A text for the document information: UTF-16 with its byte order mark.
QByteArray testoInfo(const QString &testo)
{
    QByteArray b("<FEFF");
    for (QChar c : testo)
        b.append(QByteArray::number(c.unicode() + 0x10000, 16).mid(1).toUpper());
    b.append('>');
    return b;
}

// A PDF name from any text: what is not a regular character goes as #xx.
QByteArray nome(const QString &testo)
{
    QByteArray b;
    for (char c : testo.toUtf8()) {
        const auto u = static_cast<unsigned char>(c);
        if (u > 32 && u < 127 && !std::strchr("()<>[]{}/%#", c))
            b.append(c);
        else
            b.append('#').append(QByteArray::number(u + 0x100, 16).mid(1).toUpper());
    }
    return b.isEmpty() ? QByteArray("Carattere") : b;
}

QByteArray comprimi(const QByteArray &dati)
{
    // The toolkit's compression is zlib's with the length in front.
    return qCompress(dati, 6).mid(4);
}

quint16 u16(const QByteArray &b, qsizetype i)
{
    return i + 2 <= b.size() ? qFromBigEndian<quint16>(b.constData() + i) : 0;
}

// The outlines of the glyphs kept, every other glyph left empty but keeping
// its number, so that the font's own character map still finds them. A
// glyph made of others keeps those too.
void sottoinsiemeGlyf(QByteArray &glyf, QByteArray &loca, QByteArray &head, QByteArray &maxp,
                      std::vector<quint16> tenuti)
{
    const int numero = u16(maxp, 4);
    const bool lunga = u16(head, 50) == 1;
    if (numero == 0 || head.size() < 54 || loca.size() < (numero + 1) * (lunga ? 4 : 2))
        return;
    const auto posizione = [&](int g) -> quint32 {
        return lunga ? qFromBigEndian<quint32>(loca.constData() + 4 * g) : 2u * u16(loca, 2 * g);
    };
    std::vector<bool> tieni(size_t(numero), false);
    tieni[0] = true;
    for (size_t k = 0; k < tenuti.size(); ++k) {
        const quint16 g = tenuti[k];
        if (g >= numero || (tieni[g] && g != 0))
            continue;
        tieni[g] = true;
        const quint32 da = posizione(g), a = posizione(g + 1);
        if (a <= da || a > quint32(glyf.size()) || qint16(u16(glyf, da)) >= 0)
            continue;
        // Components: flags, glyph, arguments and scale, while more follow.
        qsizetype i = qsizetype(da) + 10;
        for (;;) {
            const quint16 bandiere = u16(glyf, i);
            tenuti.push_back(u16(glyf, i + 2));
            i += 4 + ((bandiere & 0x1) ? 4 : 2);
            i += (bandiere & 0x8) ? 2 : (bandiere & 0x40) ? 4 : (bandiere & 0x80) ? 8 : 0;
            if (!(bandiere & 0x20) || i >= qsizetype(a))
                break;
        }
    }
    QByteArray nuovoGlyf, nuovaLoca;
    const auto aggiungiPosizione = [&nuovaLoca](quint32 v) {
        char b[4];
        qToBigEndian(v, b);
        nuovaLoca.append(b, 4);
    };
    for (int g = 0; g < numero; ++g) {
        aggiungiPosizione(quint32(nuovoGlyf.size()));
        const quint32 da = posizione(g), a = posizione(g + 1);
        if (tieni[size_t(g)] && a > da && a <= quint32(glyf.size())) {
            nuovoGlyf.append(glyf.constData() + da, a - da);
            nuovoGlyf.append(QByteArray((4 - nuovoGlyf.size() % 4) % 4, '\0'));
        }
    }
    aggiungiPosizione(quint32(nuovoGlyf.size()));
    glyf = nuovoGlyf;
    loca = nuovaLoca;
    head[50] = 0;
    head[51] = 1;   // long offsets
}

// The font file behind a raw font, put together again from its tables,
// with only the outlines of the glyphs given.
QByteArray fileCarattere(const QRawFont &font, const std::vector<quint16> &glifi, bool *cff)
{
    static const char *const kTabelle[] = {"CFF ", "OS/2", "cmap", "cvt ", "fpgm", "gasp", "glyf", "head",
                                           "hhea", "hmtx", "loca", "maxp", "name", "post", "prep"};
    QHash<QByteArray, QByteArray> dati;
    for (const char *t : kTabelle) {
        const QByteArray d = font.fontTable(t);
        if (!d.isEmpty())
            dati.insert(QByteArray(t), d);
    }
    *cff = dati.contains("CFF ");
    if (!*cff && dati.contains("glyf") && dati.contains("loca"))
        sottoinsiemeGlyf(dati["glyf"], dati["loca"], dati["head"], dati["maxp"], glifi);
    // Without its glyph names: a reader maps codes through the character map.
    if (dati.value("post").size() >= 32) {
        QByteArray post = dati.value("post").left(32);
        qToBigEndian<quint32>(0x00030000, post.data());
        std::fill(post.begin() + 16, post.end(), '\0');
        dati["post"] = post;
    }
    std::vector<std::pair<QByteArray, QByteArray>> tabelle;
    for (const char *t : kTabelle)
        if (dati.contains(t))
            tabelle.emplace_back(QByteArray(t), dati.value(t));
    const auto numeroTabelle = quint16(tabelle.size());
    quint16 potenza = 1, esponente = 0;
    while (potenza * 2 <= numeroTabelle) {
        potenza *= 2;
        ++esponente;
    }
    QByteArray file;
    const auto u16 = [&file](quint16 v) {
        char b[2];
        qToBigEndian(v, b);
        file.append(b, 2);
    };
    const auto u32 = [&file](quint32 v) {
        char b[4];
        qToBigEndian(v, b);
        file.append(b, 4);
    };
    u32(*cff ? 0x4F54544F : 0x00010000);
    u16(numeroTabelle);
    u16(quint16(potenza * 16));
    u16(esponente);
    u16(quint16(numeroTabelle * 16 - potenza * 16));
    quint32 posizione = 12 + 16 * quint32(numeroTabelle);
    for (const auto &[etichetta, dati] : tabelle) {
        QByteArray pieno = dati;
        pieno.append(QByteArray((4 - pieno.size() % 4) % 4, '\0'));
        quint32 somma = 0;
        for (qsizetype i = 0; i < pieno.size(); i += 4)
            somma += qFromBigEndian<quint32>(pieno.constData() + i);
        file.append(etichetta);
        u32(somma);
        u32(posizione);
        u32(quint32(dati.size()));
        posizione += quint32(pieno.size());
    }
    for (const auto &t : tabelle) {
        file.append(t.second);
        file.append(QByteArray((4 - t.second.size() % 4) % 4, '\0'));
    }
    return file;
}

} // namespace

// Writes the objects as they come; the page tree, the fonts and the images
// are referred to by numbers reserved at the start and written at the end.
class MotorePdf : public QPaintEngine
{
public:
    MotorePdf(QIODevice &uscita, ScrittorePdf &dispositivo)
        : QPaintEngine(QPaintEngine::AllFeatures), m_uscita(uscita), m_dispositivo(dispositivo)
    {
        m_posizioni.resize(4, 0);   // 1 catalogue, 2 page tree, 3 resources
        scrivi("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    }

    QString titolo;
    QString creatore;
    QRect pagina;

    bool begin(QPaintDevice *) override
    {
        m_contenuto.clear();
        m_clip = QRectF();
        m_clipAperta = false;
        m_riempimento = m_tratto = QColor();
        m_larghezzaTratto = -1;
        m_clipDaRileggere = true;
        // Device pixels from the paper's top-left corner, downwards.
        const double s = 72.0 / m_dispositivo.risoluzione();
        m_contenuto.append("q ");
        numeri(m_contenuto, {s, 0, 0, -s, 0, pagina.height() * s});
        m_contenuto.append("cm\n");
        return true;
    }

    bool end() override
    {
        chiudiClip();
        m_contenuto.append("Q\n");
        const double s = 72.0 / m_dispositivo.risoluzione();
        const int contenuto = nuovoOggetto();
        const QByteArray compresso = comprimi(m_contenuto);
        iniziaOggetto(contenuto);
        scrivi("<< /Length " + QByteArray::number(compresso.size()) + " /Filter /FlateDecode >>\nstream\n");
        scrivi(compresso);
        scrivi("\nendstream\nendobj\n");
        const int numeroPagina = nuovoOggetto();
        iniziaOggetto(numeroPagina);
        QByteArray p("<< /Type /Page /Parent 2 0 R /Resources 3 0 R /MediaBox [0 0 ");
        numeri(p, {pagina.width() * s, pagina.height() * s});
        p.append("] /Contents " + QByteArray::number(contenuto) + " 0 R >>\nendobj\n");
        scrivi(p);
        m_pagine.push_back(numeroPagina);
        return m_ok;
    }

    bool chiudi()
    {
        for (auto it = m_file.cbegin(); it != m_file.cend(); ++it)
            scriviFileCarattere(it.key(), it.value());
        QByteArray risorse("<< /ProcSet [/PDF /Text /ImageB /ImageC] /Font <<");
        for (const Carattere &c : m_elenco)
            risorse.append(" /F" + QByteArray::number(c.indice) + ' ' + QByteArray::number(c.oggetto) + " 0 R");
        risorse.append(" >> /XObject <<");
        for (int i = 0; i < int(m_immagini.size()); ++i)
            risorse.append(" /Im" + QByteArray::number(i) + ' ' + QByteArray::number(m_immagini[size_t(i)]) + " 0 R");
        risorse.append(" >> >>\nendobj\n");
        iniziaOggetto(3);
        scrivi(risorse);

        QByteArray albero("<< /Type /Pages /Count " + QByteArray::number(qsizetype(m_pagine.size())) + " /Kids [");
        for (int p : m_pagine)
            albero.append(QByteArray::number(p) + " 0 R ");
        albero.append("] >>\nendobj\n");
        iniziaOggetto(2);
        scrivi(albero);
        iniziaOggetto(1);
        scrivi("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
        const int info = nuovoOggetto();
        iniziaOggetto(info);
        scrivi("<< /Title " + testoInfo(titolo) + " /Creator " + testoInfo(creatore) + " /Producer " +
               testoInfo(QStringLiteral("Velmora")) + " /CreationDate (D:" +
               QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() +
               "Z) >>\nendobj\n");

        const qint64 indice = m_scritti;
        QByteArray xref("xref\n0 " + QByteArray::number(qsizetype(m_posizioni.size())) + "\n0000000000 65535 f \n");
        for (size_t i = 1; i < m_posizioni.size(); ++i)
            xref.append(QByteArray::number(m_posizioni[i]).rightJustified(10, '0') + " 00000 n \n");
        xref.append("trailer\n<< /Size " + QByteArray::number(qsizetype(m_posizioni.size())) + " /Root 1 0 R /Info " +
                    QByteArray::number(info) + " 0 R >>\nstartxref\n" + QByteArray::number(indice) + "\n%%EOF\n");
        scrivi(xref);
        return m_ok;
    }

    void updateState(const QPaintEngineState &stato) override
    {
        if (stato.state() & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled))
            m_clipDaRileggere = true;
    }

    void drawRects(const QRectF *rettangoli, int quanti) override
    {
        if (!preparaDisegno())
            return;
        for (int i = 0; i < quanti; ++i) {
            QPainterPath p;
            p.addRect(rettangoli[i]);
            tracciato(p);
        }
    }

    void drawPath(const QPainterPath &p) override
    {
        if (preparaDisegno())
            tracciato(p);
    }

    void drawPolygon(const QPointF *punti, int quanti, PolygonDrawMode modo) override
    {
        if (!preparaDisegno() || quanti < 2)
            return;
        QPainterPath p;
        p.moveTo(punti[0]);
        for (int i = 1; i < quanti; ++i)
            p.lineTo(punti[i]);
        if (modo != PolylineMode)
            p.closeSubpath();
        p.setFillRule(modo == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
        tracciato(p, modo == PolylineMode);
    }

    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &sorgente) override
    {
        drawImage(r, pixmap.toImage(), sorgente, Qt::AutoColor);
    }

    void drawImage(const QRectF &r, const QImage &immagine, const QRectF &sorgente, Qt::ImageConversionFlags) override
    {
        if (!preparaDisegno() || immagine.isNull())
            return;
        const QImage parte = sorgente.toRect() == immagine.rect() ? immagine : immagine.copy(sorgente.toRect());
        const int indice = scriviImmagine(parte);
        const QTransform t = painter()->combinedTransform();
        const QPointF alto = t.map(r.topLeft());
        const QPointF destra = t.map(r.topRight());
        const QPointF basso = t.map(r.bottomLeft());
        // The unit square of the picture, its first row at the top.
        m_contenuto.append("q ");
        numeri(m_contenuto, {destra.x() - alto.x(), destra.y() - alto.y(), alto.x() - basso.x(),
                             alto.y() - basso.y(), basso.x(), basso.y()});
        m_contenuto.append("cm /Im" + QByteArray::number(indice) + " Do Q\n");
    }

    void drawTextItem(const QPointF &p, const QTextItem &elemento) override
    {
        testo(p, elemento.font(), elemento.text());
    }

    // A text whose baseline starts at p, in the painter's coordinates.
    void testo(const QPointF &p, const QFont &font, const QString &testo)
    {
        if (testo.isEmpty() || !preparaDisegno())
            return;
        const int indice = carattere(font);
        const Carattere &c = m_elenco[size_t(indice)];
        QByteArray byte;
        byte.reserve(testo.size());
        auto &usati = m_file[c.file].usati;
        for (QChar ch : testo) {
            const unsigned char codice = codiceStampabile(ch);
            usati[codice] = true;
            byte.append(char(codice));
        }
        const QTransform t = painter()->combinedTransform();
        const QPointF base = t.map(p);
        const double scala = std::sqrt(std::abs(t.determinant()));
        colore(painter()->pen().color(), true);
        m_contenuto.append("BT /F" + QByteArray::number(c.indice) + ' ');
        numeri(m_contenuto, {c.pixel * scala});
        m_contenuto.append("Tf 1 0 0 -1 ");
        numeri(m_contenuto, {base.x(), base.y()});
        m_contenuto.append("Tm ");
        stringa(m_contenuto, byte);
        m_contenuto.append(" Tj ET\n");
    }

    // The advance of each character as the painter lays it out.
    const std::array<double, 256> &avanzi(const QFont &font, double *ascesa, double *discesa)
    {
        const Carattere &c = m_elenco[size_t(carattere(font))];
        *ascesa = c.ascesa;
        *discesa = c.discesa;
        return c.avanzi;
    }

    Type type() const override { return QPaintEngine::User; }

private:
    struct Carattere {
        int indice = 0;
        int oggetto = 0;
        double pixel = 0;   // the font's size in the painter's units
        int file = 0;
        std::array<double, 256> avanzi{};   // in the painter's units
        double ascesa = 0, discesa = 0;
    };
    struct FileCarattere {
        QRawFont grezzo;
        bool cff = false;
        std::array<bool, 256> usati{};
    };

    void scrivi(const QByteArray &dati)
    {
        if (m_ok && m_uscita.write(dati) != dati.size())
            m_ok = false;
        m_scritti += dati.size();
    }
    int nuovoOggetto()
    {
        m_posizioni.push_back(0);
        return int(m_posizioni.size() - 1);
    }
    void iniziaOggetto(int numero)
    {
        m_posizioni[size_t(numero)] = m_scritti;
        scrivi(QByteArray::number(numero) + " 0 obj\n");
    }

    // The clip the painter holds now, as a rectangle of the page: the
    // report engine clips only to boxes.
    bool preparaDisegno()
    {
        if (!m_clipDaRileggere)
            return !m_clipVuota;
        m_clipDaRileggere = false;
        m_clipVuota = false;
        QPainter *pittore = painter();
        if (!pittore->hasClipping()) {
            chiudiClip();
            return true;
        }
        // The painter keeps its clip in the coordinates it was set in.
        const QRectF clip = pittore->combinedTransform().mapRect(pittore->clipBoundingRect());
        if (clip.isEmpty()) {
            m_clipVuota = true;
            return false;
        }
        if (m_clipAperta && clip == m_clip)
            return true;
        chiudiClip();
        m_contenuto.append("q ");
        numeri(m_contenuto, {clip.x(), clip.y(), clip.width(), clip.height()});
        m_contenuto.append("re W n\n");
        m_clip = clip;
        m_clipAperta = true;
        return true;
    }

    void chiudiClip()
    {
        if (!m_clipAperta)
            return;
        m_contenuto.append("Q\n");
        m_clipAperta = false;
        // What was set inside the clip's state went with it.
        m_riempimento = m_tratto = QColor();
        m_larghezzaTratto = -1;
    }

    void colore(const QColor &c, bool riempimento)
    {
        QColor &attuale = riempimento ? m_riempimento : m_tratto;
        if (attuale == c)
            return;
        attuale = c;
        numeri(m_contenuto, {c.redF(), c.greenF(), c.blueF()});
        m_contenuto.append(riempimento ? "rg\n" : "RG\n");
    }

    void tracciato(const QPainterPath &p, bool soloTratto = false)
    {
        QPainter *pittore = painter();
        const QTransform t = pittore->combinedTransform();
        const QBrush pennello = pittore->brush();
        const QPen penna = pittore->pen();
        const bool riempi = !soloTratto && pennello.style() != Qt::NoBrush;
        const bool traccia = penna.style() != Qt::NoPen;
        if (!riempi && !traccia)
            return;
        if (riempi)
            colore(pennello.color(), true);
        if (traccia) {
            colore(penna.color(), false);
            const double larghezza = penna.isCosmetic() ? std::max(1.0, penna.widthF())
                                                        : penna.widthF() * std::sqrt(std::abs(t.determinant()));
            if (larghezza != m_larghezzaTratto) {
                m_larghezzaTratto = larghezza;
                numeri(m_contenuto, {larghezza});
                m_contenuto.append("w ");
                m_contenuto.append(penna.joinStyle() == Qt::MiterJoin  ? "0 j\n"
                                   : penna.joinStyle() == Qt::RoundJoin ? "1 j\n"
                                                                        : "2 j\n");
            }
        }
        for (const QPolygonF &poligono : p.toSubpathPolygons(t)) {
            for (int i = 0; i < poligono.size(); ++i) {
                numeri(m_contenuto, {poligono[i].x(), poligono[i].y()});
                m_contenuto.append(i == 0 ? "m " : "l ");
            }
            if (poligono.isClosed() && !soloTratto)
                m_contenuto.append("h ");
        }
        const bool pari = p.fillRule() == Qt::OddEvenFill;
        m_contenuto.append(riempi && traccia ? (pari ? "B*\n" : "B\n") : riempi ? (pari ? "f*\n" : "f\n") : "S\n");
    }

    int carattere(const QFont &font)
    {
        // A report paints line after line in the same font.
        if (m_ultimo >= 0 && font == m_ultimoFont)
            return m_ultimo;
        const QString chiave = font.key();
        const auto trovato = m_caratteri.constFind(chiave);
        m_ultimoFont = font;
        if (trovato != m_caratteri.constEnd())
            return m_ultimo = *trovato;

        // The widths the painter laid the text out with, from the same
        // font at the same resolution, in thousandths of its size.
        // The size the glyphs are drawn at is the font engine's, which may
        // round what was asked for to whole pixels.
        const QFontMetricsF metrica(font, &m_dispositivo);
        QRawFont grezzo = QRawFont::fromFont(font);
        double pixel = grezzo.pixelSize();
        if (pixel <= 0)
            pixel = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * m_dispositivo.logicalDpiY() / 72.0;
        Carattere c;
        QByteArray larghezze;
        for (int codice = 32; codice <= 255; ++codice) {
            const char16_t u = carattereWinAnsi(codice);
            c.avanzi[size_t(codice)] = u ? metrica.horizontalAdvance(QChar(u)) : 0;
            numero(larghezze, c.avanzi[size_t(codice)] / pixel * 1000);
            larghezze.append(codice % 16 == 15 ? '\n' : ' ');
        }
        c.ascesa = metrica.ascent();
        c.discesa = metrica.descent();

        const QString famiglia = grezzo.familyName() + QLatin1Char('-') + grezzo.styleName();
        // The file is written at the end, with the glyphs used by then.
        int file = m_fileCaratteri.value(famiglia, 0);
        const double em = grezzo.unitsPerEm() > 0 ? grezzo.unitsPerEm() : 1000;
        if (!file) {
            file = nuovoOggetto();
            m_fileCaratteri.insert(famiglia, file);
            m_file.insert(file, FileCarattere{grezzo, !grezzo.fontTable("CFF ").isEmpty(), {}});
        }
        const QByteArray head = grezzo.fontTable("head");
        double riquadro[4] = {0, -200, 1000, 900};
        if (head.size() >= 54)
            for (int i = 0; i < 4; ++i)
                riquadro[i] = qFromBigEndian<qint16>(head.constData() + 36 + 2 * i) * 1000 / em;

        const QByteArray nomeBase = nome(famiglia);
        const int descrittore = nuovoOggetto();
        iniziaOggetto(descrittore);
        QByteArray d("<< /Type /FontDescriptor /FontName /" + nomeBase + " /Flags ");
        d.append(QByteArray::number(32 | (QFontInfo(font).fixedPitch() ? 1 : 0)));
        d.append(" /FontBBox [");
        numeri(d, {riquadro[0], riquadro[1], riquadro[2], riquadro[3]});
        d.append("] /ItalicAngle 0 /Ascent ");
        numeri(d, {grezzo.ascent() / grezzo.pixelSize() * 1000});
        d.append("/Descent ");
        numeri(d, {-grezzo.descent() / grezzo.pixelSize() * 1000});
        d.append("/CapHeight ");
        numeri(d, {grezzo.capHeight() / grezzo.pixelSize() * 1000});
        d.append("/StemV 80 ");
        d.append(m_file.value(file).cff ? "/FontFile3 " : "/FontFile2 ");
        d.append(QByteArray::number(file) + " 0 R >>\nendobj\n");
        scrivi(d);

        c.indice = int(m_elenco.size()) + 1;
        c.oggetto = nuovoOggetto();
        c.pixel = pixel;
        c.file = file;
        iniziaOggetto(c.oggetto);
        scrivi("<< /Type /Font /Subtype /TrueType /BaseFont /" + nomeBase +
               " /FirstChar 32 /LastChar 255 /Encoding /WinAnsiEncoding /FontDescriptor " +
               QByteArray::number(descrittore) + " 0 R /Widths [\n" + larghezze + "] >>\nendobj\n");
        m_elenco.push_back(c);
        m_ultimo = int(m_elenco.size()) - 1;
        m_caratteri.insert(chiave, m_ultimo);
        return m_ultimo;
    }

    void scriviFileCarattere(int oggetto, const FileCarattere &f)
    {
        QString caratteri;
        for (int codice = 32; codice < 256; ++codice)
            if (f.usati[size_t(codice)] && carattereWinAnsi(codice))
                caratteri.append(QChar(carattereWinAnsi(codice)));
        const QList<quint32> indici = f.grezzo.glyphIndexesForString(caratteri);
        std::vector<quint16> glifi;
        for (quint32 g : indici)
            glifi.push_back(quint16(g));
        bool cff = false;
        const QByteArray dati = fileCarattere(f.grezzo, glifi, &cff);
        const QByteArray compressi = comprimi(dati);
        iniziaOggetto(oggetto);
        scrivi("<< /Length " + QByteArray::number(compressi.size()) + " /Filter /FlateDecode" +
               (cff ? QByteArray(" /Subtype /OpenType") : " /Length1 " + QByteArray::number(dati.size())) +
               " >>\nstream\n");
        scrivi(compressi);
        scrivi("\nendstream\nendobj\n");
    }

    int scriviImmagine(const QImage &immagine)
    {
        const bool alfa = immagine.hasAlphaChannel();
        const QImage rgb = immagine.convertToFormat(alfa ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
        QByteArray colori, trasparenza;
        colori.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
        for (int y = 0; y < rgb.height(); ++y) {
            const auto *riga = reinterpret_cast<const char *>(rgb.constScanLine(y));
            if (!alfa) {
                colori.append(riga, qsizetype(rgb.width()) * 3);
                continue;
            }
            for (int x = 0; x < rgb.width(); ++x) {
                colori.append(riga + 4 * x, 3);
                trasparenza.append(riga[4 * x + 3]);
            }
        }
        const QByteArray misure = " /Width " + QByteArray::number(rgb.width()) + " /Height " +
                                  QByteArray::number(rgb.height()) + " /BitsPerComponent 8";
        int maschera = 0;
        if (alfa) {
            const QByteArray compressa = comprimi(trasparenza);
            maschera = nuovoOggetto();
            iniziaOggetto(maschera);
            scrivi("<< /Type /XObject /Subtype /Image" + misure + " /ColorSpace /DeviceGray /Filter /FlateDecode /Length " +
                   QByteArray::number(compressa.size()) + " >>\nstream\n");
            scrivi(compressa);
            scrivi("\nendstream\nendobj\n");
        }
        const QByteArray compressi = comprimi(colori);
        const int oggetto = nuovoOggetto();
        iniziaOggetto(oggetto);
        scrivi("<< /Type /XObject /Subtype /Image" + misure + " /ColorSpace /DeviceRGB /Filter /FlateDecode" +
               (maschera ? " /SMask " + QByteArray::number(maschera) + " 0 R" : QByteArray()) + " /Length " +
               QByteArray::number(compressi.size()) + " >>\nstream\n");
        scrivi(compressi);
        scrivi("\nendstream\nendobj\n");
        m_immagini.push_back(oggetto);
        return int(m_immagini.size() - 1);
    }

    QIODevice &m_uscita;
    ScrittorePdf &m_dispositivo;
    bool m_ok = true;
    qint64 m_scritti = 0;
    std::vector<qint64> m_posizioni;
    std::vector<int> m_pagine;
    std::vector<int> m_immagini;
    std::vector<Carattere> m_elenco;
    QHash<QString, int> m_caratteri;
    QFont m_ultimoFont;
    int m_ultimo = -1;
    QHash<QString, int> m_fileCaratteri;
    QHash<int, FileCarattere> m_file;

    QByteArray m_contenuto;
    QRectF m_clip;
    bool m_clipAperta = false;
    bool m_clipDaRileggere = true;
    bool m_clipVuota = false;
    QColor m_riempimento;
    QColor m_tratto;
    double m_larghezzaTratto = -1;
};

ScrittorePdf::ScrittorePdf(QIODevice &uscita, int risoluzione)
    : m_risoluzione(risoluzione > 0 ? risoluzione : 1200), m_motore(std::make_unique<MotorePdf>(uscita, *this))
{
    nuovaPagina(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
}

ScrittorePdf::~ScrittorePdf() = default;

void ScrittorePdf::impostaTitolo(const QString &titolo)
{
    m_motore->titolo = titolo;
}

void ScrittorePdf::impostaCreatore(const QString &creatore)
{
    m_motore->creatore = creatore;
}

void ScrittorePdf::nuovaPagina(const QPageLayout &carta)
{
    m_pagina = carta.fullRectPixels(m_risoluzione);
    m_motore->pagina = m_pagina;
}

bool ScrittorePdf::chiudi()
{
    return m_motore->chiudi();
}

ScrittorePdf::Metrica ScrittorePdf::metrica(const QFont &font)
{
    Metrica m{};
    m.avanzi = m_motore->avanzi(font, &m.ascesa, &m.discesa).data();
    return m;
}

double ScrittorePdf::Metrica::larghezza(QStringView testo) const
{
    double l = 0;
    for (QChar c : testo)
        l += avanzi[codiceStampabile(c)];
    return l;
}

qsizetype ScrittorePdf::Metrica::finoA(QStringView testo, double limite) const
{
    double l = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        l += avanzi[codiceStampabile(testo[i])];
        if (l >= limite)
            return i + 1;
    }
    return testo.size();
}

void ScrittorePdf::scriviTesto(const QPointF &base, const QFont &font, const QString &testo)
{
    m_motore->testo(base, font, testo);
}

QPaintEngine *ScrittorePdf::paintEngine() const
{
    return m_motore.get();
}

int ScrittorePdf::metric(PaintDeviceMetric metrica) const
{
    switch (metrica) {
    case PdmWidth:
        return m_pagina.width();
    case PdmHeight:
        return m_pagina.height();
    case PdmWidthMM:
        return qRound(m_pagina.width() * 25.4 / m_risoluzione);
    case PdmHeightMM:
        return qRound(m_pagina.height() * 25.4 / m_risoluzione);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_risoluzione;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metrica);
    }
}
