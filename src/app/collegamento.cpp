#include "app/collegamento.h"

#include "app/colori.h"
#include "app/openurl.h"

#include <QLabel>
#include <QMouseEvent>

Collegamento::Collegamento(QLabel *testo, QWidget *immagine, const QString &destinazione)
    : QObject(testo)
    , m_testo(testo)
    , m_destinazione(destinazione)
{
    QFont f(QStringLiteral("Tahoma"), 14);
    f.setUnderline(true);
    testo->setFont(f);
    colora(Colori::linkRiposo);
    for (QWidget *w : {static_cast<QWidget *>(testo), immagine}) {
        if (!w)
            continue;
        w->setCursor(Qt::PointingHandCursor);
        w->installEventFilter(this);
    }
}

void Collegamento::colora(const QColor &colore)
{
    QPalette p = m_testo->palette();
    p.setColor(QPalette::WindowText, colore);
    m_testo->setPalette(p);
}

bool Collegamento::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (evento->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
            colora(Colori::linkPremuto);
        return true;
    }
    if (evento->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(evento);
        colora(Colori::linkRiposo);
        auto *w = static_cast<QWidget *>(oggetto);
        if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint()))
            TMisc::Open(m_destinazione);
        return true;
    }
    return false;
}
