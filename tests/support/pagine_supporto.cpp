#include "support/pagine_supporto.h"

#include <QFont>
#include <QPainter>

QImage paginaStampata(const QStringList &righe)
{
    QImage pagina(1600, 160 + 60 * int(righe.size()), QImage::Format_RGB32);
    pagina.fill(Qt::white);
    pagina.setDotsPerMeterX(11811);
    pagina.setDotsPerMeterY(11811);
    QPainter p(&pagina);
    QFont f(QStringLiteral("Liberation Serif"));
    f.setPixelSize(42);
    p.setFont(f);
    p.setPen(Qt::black);
    for (int k = 0; k < righe.size(); ++k)
        p.drawText(120, 120 + 60 * k, righe.at(k));
    return pagina;
}

