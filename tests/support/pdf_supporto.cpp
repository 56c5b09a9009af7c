#include "support/pdf_supporto.h"

#include "report/report.h"

#include <QFile>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocumentFragment>

#include <cstdlib>

bool scriviPdf(const Report &report, const QString &percorso)
{
    QPdfWriter scrittore(percorso);
    scrittore.setResolution(600);
    scrittore.setPageMargins(QMarginsF(0, 0, 0, 0));
    return report.stampaSu(scrittore);
}

QList<ParolaPdf> TestoPdf::trova(const QString &testo) const
{
    QList<ParolaPdf> trovate;
    for (const ParolaPdf &p : parole)
        if (p.testo == testo)
            trovate.append(p);
    return trovate;
}

QStringList TestoPdf::paroleDiPagina(int pagina) const
{
    QStringList testi;
    for (const ParolaPdf &p : parole)
        if (p.pagina == pagina)
            testi.append(p.testo);
    return testi;
}

TestoPdf leggiPdf(const QString &percorso)
{
    QProcess poppler;
    poppler.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), percorso, QStringLiteral("-")});
    TestoPdf risultato;
    if (!poppler.waitForFinished(60000) || poppler.exitCode() != 0)
        return risultato;
    const QString html = QString::fromUtf8(poppler.readAllStandardOutput());

    // Poppler measures in points from the page's top-left corner.
    const double mmPerPunto = 25.4 / 72.0;
    static const QRegularExpression elemento(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    int pagina = -1;
    for (auto it = elemento.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++pagina;
            continue;
        }
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()) * mmPerPunto,
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()) * mmPerPunto);
        risultato.parole.append({pagina, QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(), box});
    }
    risultato.pagine = pagina + 1;
    return risultato;
}

QImage rendiPagina(const QString &percorso, int pagina, int dpi)
{
    QTemporaryDir cartella;
    const QString radice = cartella.filePath(QStringLiteral("pagina"));
    const QString n = QString::number(pagina + 1);
    const int esito = QProcess::execute(QStringLiteral("pdftoppm"),
                                        {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi),
                                         QStringLiteral("-f"), n, QStringLiteral("-l"), n,
                                         QStringLiteral("-singlefile"), percorso, radice});
    if (esito != 0)
        return QImage();
    return QImage(radice + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

QRectF areaDelColore(const QImage &pagina, int dpi, const QColor &colore, const QRectF &dentroMm)
{
    const double pxPerMm = dpi / 25.4;
    const QRect dentro = QRectF(dentroMm.topLeft() * pxPerMm, dentroMm.size() * pxPerMm).toAlignedRect()
                             .intersected(pagina.rect());
    int x0 = INT_MAX, y0 = INT_MAX, x1 = -1, y1 = -1;
    for (int y = dentro.top(); y <= dentro.bottom(); ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(pagina.constScanLine(y));
        for (int x = dentro.left(); x <= dentro.right(); ++x) {
            const QRgb c = riga[x];
            if (std::abs(qRed(c) - colore.red()) + std::abs(qGreen(c) - colore.green())
                    + std::abs(qBlue(c) - colore.blue()) > 60)
                continue;
            x0 = std::min(x0, x);
            y0 = std::min(y0, y);
            x1 = std::max(x1, x);
            y1 = std::max(y1, y);
        }
    }
    if (x1 < 0)
        return QRectF();
    return QRectF(QPointF(x0, y0) / pxPerMm, QPointF(x1 + 1, y1 + 1) / pxPerMm);
}
