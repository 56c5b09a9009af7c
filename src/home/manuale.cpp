#include "home/manuale.h"

#include "app/versione.h"
#include "storage/sostituzionefile.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <memory>
#include <vector>

const QString kTitoloManuale = QStringLiteral("Velmora - Guida all'utilizzo del software");

namespace {

// Device units of the writer: 96 per inch, so point sizes and picture sizes
// mean what they mean on screen.
constexpr int kRisoluzione = 96;
constexpr qreal kMargineLato = 80;
constexpr qreal kMargineAlto = 76;
constexpr qreal kMargineBasso = 86;

const QColor kRosso{0xC8, 0x17, 0x1E};
const QColor kBlu{0x1F, 0x4E, 0x9C};
const QColor kGrigio{0x5A, 0x67, 0x75};
const QColor kFiletto{0xB8, 0xC6, 0xD6};

const QString kSerif = QStringLiteral("Liberation Serif");
const QString kSans = QStringLiteral("Liberation Sans");

QFont carattere(const QString &famiglia, qreal punti, bool grassetto = false, bool corsivo = false)
{
    QFont f(famiglia);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    f.setItalic(corsivo);
    // Plain glyphs, one per letter: the text stays searchable and copyable
    // as the words it is.
    f.setStyleStrategy(QFont::PreferNoShaping);
    f.setKerning(false);
    return f;
}

QTextCharFormat formatoCarattere(const QFont &font, const QColor &colore = Qt::black)
{
    QTextCharFormat f;
    f.setFont(font);
    f.setForeground(colore);
    return f;
}

// A window picture framed by a thin line, as it sits on the page.
QImage incorniciata(const QImage &immagine)
{
    QImage con(immagine.size() + QSize(2, 2), QImage::Format_RGB32);
    con.fill(kFiletto);
    QPainter p(&con);
    p.drawImage(1, 1, immagine);
    return con;
}

class Capitolo
{
public:
    Capitolo(int numero, ArgomentoGuida argomento, const QList<FiguraManuale> &figure, QPaintDevice *dispositivo,
             const QSizeF &pagina, int &numeroFigura)
        : m_titolo(testoGuida(argomento).titolo)
    {
        m_doc.documentLayout()->setPaintDevice(dispositivo);
        m_doc.setPageSize(pagina);
        m_doc.setDocumentMargin(0);
        QTextCursor c(&m_doc);

        QTextBlockFormat intestazione;
        intestazione.setBottomMargin(4);
        c.setBlockFormat(intestazione);
        c.insertText(QStringLiteral("Capitolo %1").arg(numero), formatoCarattere(carattere(kSans, 12, true), kRosso));
        QTextBlockFormat titolo;
        titolo.setBottomMargin(22);
        c.insertBlock(titolo);
        c.insertText(m_titolo, formatoCarattere(carattere(kSans, 22, true), kBlu));

        QTextBlockFormat paragrafo;
        paragrafo.setAlignment(Qt::AlignJustify);
        paragrafo.setBottomMargin(11);
        paragrafo.setLineHeight(125, QTextBlockFormat::ProportionalHeight);
        const QTextCharFormat testo = formatoCarattere(carattere(kSerif, 12));

        const QStringList paragrafi = testoGuida(argomento).paragrafi;
        for (int i = 0; i <= paragrafi.size(); ++i) {
            for (const FiguraManuale &f : figure) {
                if (f.dopoParagrafo == i)
                    inserisciFigura(c, f, ++numeroFigura, pagina);
            }
            if (i < paragrafi.size()) {
                c.insertBlock(paragrafo);
                c.insertText(paragrafi.at(i), testo);
            }
        }
        tieniInteri(pagina.height());
    }

    const QString &titolo() const { return m_titolo; }
    int pagine() const { return m_doc.pageCount(); }

    void disegnaPagina(QPainter &p, int pagina, const QRectF &area)
    {
        p.save();
        p.translate(area.topLeft());
        const QRectF finestra(0, pagina * area.height(), area.width(), area.height());
        p.translate(0, -finestra.top());
        p.setClipRect(finestra);
        QAbstractTextDocumentLayout::PaintContext contesto;
        contesto.clip = finestra;
        m_doc.documentLayout()->draw(&p, contesto);
        p.restore();
    }

private:
    // No paragraph is split between two pages, and no picture is parted
    // from its caption: a block that would cross the foot of a page starts
    // the next one instead. Pages then hold whole paragraphs, which reads
    // better and keeps each paragraph whole for a reader that extracts the
    // text.
    void tieniInteri(qreal altezzaPagina)
    {
        QAbstractTextDocumentLayout *impaginazione = m_doc.documentLayout();
        const auto pagina = [&](qreal y) { return int(y / altezzaPagina); };
        for (QTextBlock b = m_doc.begin(); b.isValid(); b = b.next()) {
            QTextBlock primo = b;
            if (m_didascalie.contains(b.blockNumber()) && b.previous().isValid())
                primo = b.previous();
            const QRectF da = impaginazione->blockBoundingRect(primo);
            const QRectF a = impaginazione->blockBoundingRect(b);
            const int paginaInizio = pagina(da.top() + 1);
            if (paginaInizio == pagina(a.bottom() - 1) || da.top() <= paginaInizio * altezzaPagina + 1)
                continue;
            QTextCursor c(primo);
            QTextBlockFormat f = primo.blockFormat();
            f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            c.setBlockFormat(f);
        }
    }

    void inserisciFigura(QTextCursor &c, const FiguraManuale &f, int numero, const QSizeF &pagina)
    {
        if (f.immagine.isNull())
            return;
        const QImage img = incorniciata(f.immagine);
        const QString nome = QStringLiteral("figura%1").arg(numero);
        m_doc.addResource(QTextDocument::ImageResource, QUrl(nome), img);
        QSizeF dimensione = img.size();
        dimensione.scale(QSizeF(pagina.width(), pagina.height() * 0.52), Qt::KeepAspectRatio);

        QTextBlockFormat blocco;
        blocco.setAlignment(Qt::AlignHCenter);
        blocco.setTopMargin(8);
        blocco.setBottomMargin(4);
        c.insertBlock(blocco);
        QTextImageFormat immagine;
        immagine.setName(nome);
        immagine.setWidth(dimensione.width());
        immagine.setHeight(dimensione.height());
        c.insertImage(immagine);

        QTextBlockFormat didascalia;
        didascalia.setAlignment(Qt::AlignHCenter);
        didascalia.setBottomMargin(16);
        c.insertBlock(didascalia);
        c.insertText(QStringLiteral("Figura %1 - %2").arg(numero).arg(f.didascalia),
                     formatoCarattere(carattere(kSans, 10, false, true), kGrigio));
        m_didascalie.insert(c.block().blockNumber());
    }

    QString m_titolo;
    QTextDocument m_doc;
    QSet<int> m_didascalie;
};

class Impaginazione
{
public:
    explicit Impaginazione(QPdfWriter &scrittore)
        : m_scrittore(scrittore)
        , m_carta(0, 0, scrittore.width(), scrittore.height())
        , m_testo(m_carta.adjusted(kMargineLato, kMargineAlto, -kMargineLato, -kMargineBasso))
    {
    }

    bool inizia() { return m_p.begin(&m_scrittore); }
    bool finisci() { return m_p.end(); }
    QPainter &pittore() { return m_p; }
    const QRectF &testo() const { return m_testo; }

    void nuovaPagina()
    {
        if (m_numero > 0)
            m_scrittore.newPage();
        ++m_numero;
    }

    void frontespizio()
    {
        nuovaPagina();
        const qreal x = m_testo.left();
        const qreal larghezza = m_testo.width();
        m_p.fillRect(QRectF(0, 0, m_carta.width(), 14), kRosso);

        QSvgRenderer logo(QStringLiteral(":/home/logo_guida.svg"));
        if (logo.isValid()) {
            const QSizeF d = QSizeF(logo.defaultSize()) * 0.9;
            logo.render(&m_p, QRectF(m_carta.center().x() - d.width() / 2, 250, d.width(), d.height()));
        }

        m_p.setPen(kRosso);
        m_p.setFont(carattere(kSans, 54, true));
        m_p.drawText(QRectF(x, 370, larghezza, 90), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("Velmora"));
        m_p.setPen(kBlu);
        m_p.setFont(carattere(kSans, 22));
        m_p.drawText(QRectF(x, 460, larghezza, 40), Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("Guida all'utilizzo del software"));
        m_p.setPen(kFiletto);
        m_p.drawLine(QPointF(m_carta.center().x() - 120, 522), QPointF(m_carta.center().x() + 120, 522));
        m_p.setPen(kGrigio);
        m_p.setFont(carattere(kSerif, 13, false, true));
        m_p.drawText(QRectF(x + 40, 540, larghezza - 80, 80), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Software per archiviare e descrivere minuziosamente le singole pagine "
                                    "scansionate dei propri documenti cartacei di qualsiasi tipo"));
        m_p.setFont(carattere(kSans, 11));
        m_p.drawText(QRectF(x, m_carta.height() - 130, larghezza, 24), Qt::AlignHCenter,
                     QStringLiteral("Versione %1").arg(QLatin1String(kVersione)));
    }

    void indice(const std::vector<std::unique_ptr<Capitolo>> &capitoli, int primaPagina)
    {
        nuovaPagina();
        m_p.setPen(kBlu);
        m_p.setFont(carattere(kSans, 22, true));
        m_p.drawText(QRectF(m_testo.left(), m_testo.top(), m_testo.width(), 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Indice"));

        const QFont voce = carattere(kSerif, 13);
        const QFontMetricsF metrica(voce, &m_scrittore);
        m_p.setFont(voce);
        qreal y = m_testo.top() + 80;
        int pagina = primaPagina;
        for (std::size_t i = 0; i < capitoli.size(); ++i) {
            const QString numero = QStringLiteral("%1.").arg(i + 1);
            const QString titolo = capitoli[i]->titolo();
            const QString numeroPagina = QString::number(pagina);
            const qreal riga = metrica.height() * 1.9;
            const QRectF r(m_testo.left(), y, m_testo.width(), riga);
            m_p.setPen(kRosso);
            m_p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, numero);
            m_p.setPen(Qt::black);
            const qreal rientro = 30;
            m_p.drawText(r.adjusted(rientro, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, titolo);
            m_p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, numeroPagina);
            // Dotted leader from the title to the page number.
            const qreal da = r.left() + rientro + metrica.horizontalAdvance(titolo) + 8;
            const qreal a = r.right() - metrica.horizontalAdvance(numeroPagina) - 8;
            QPen puntini(kGrigio, 1.2, Qt::DotLine);
            m_p.setPen(puntini);
            const qreal base = r.center().y() + metrica.ascent() / 2 - 1;
            if (a > da)
                m_p.drawLine(QPointF(da, base), QPointF(a, base));
            y += riga;
            pagina += capitoli[i]->pagine();
        }
        piede();
    }

    void piede()
    {
        const qreal y = m_carta.height() - kMargineBasso + 30;
        m_p.setPen(QPen(kFiletto, 1));
        m_p.drawLine(QPointF(m_testo.left(), y), QPointF(m_testo.right(), y));
        m_p.setPen(kGrigio);
        m_p.setFont(carattere(kSans, 9));
        const QRectF r(m_testo.left(), y + 6, m_testo.width(), 18);
        m_p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, kTitoloManuale);
        m_p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, QString::number(m_numero));
    }

private:
    QPdfWriter &m_scrittore;
    QPainter m_p;
    QRectF m_carta;
    QRectF m_testo;
    int m_numero = 0;
};

} // namespace

bool scriviManuale(const QString &percorso, const FigureManuale &figure, const ChiamateDisco &chiamate)
{
    // Written like every other file the program replaces: a build stopped
    // half-way or a full disk leaves the previous manual whole.
    const auto scrivi = [&figure](QIODevice &file) {
        QPdfWriter scrittore(&file);
        scrittore.setPageSize(QPageSize(QPageSize::A4));
        scrittore.setPageMargins(QMarginsF(0, 0, 0, 0));
        scrittore.setResolution(kRisoluzione);
        scrittore.setTitle(kTitoloManuale);
        scrittore.setCreator(QStringLiteral("Velmora"));

        Impaginazione impaginazione(scrittore);
        const QSizeF pagina = impaginazione.testo().size();
        std::vector<std::unique_ptr<Capitolo>> capitoli;
        int numeroFigura = 0;
        int numero = 0;
        for (ArgomentoGuida argomento : capitoliGuida()) {
            const auto f = figure.find(argomento);
            capitoli.push_back(std::make_unique<Capitolo>(++numero, argomento,
                                                          f == figure.end() ? QList<FiguraManuale>() : f->second,
                                                          &scrittore, pagina, numeroFigura));
        }

        if (!impaginazione.inizia())
            return false;
        impaginazione.frontespizio();
        constexpr int kPrimaPaginaCapitoli = 3;
        impaginazione.indice(capitoli, kPrimaPaginaCapitoli);
        for (const auto &capitolo : capitoli) {
            for (int p = 0; p < capitolo->pagine(); ++p) {
                impaginazione.nuovaPagina();
                capitolo->disegnaPagina(impaginazione.pittore(), p, impaginazione.testo());
                impaginazione.piede();
            }
        }
        return impaginazione.finisci();
    };
    return sostituisciFile(percorso, scrivi, nullptr, 07777, chiamate);
}
