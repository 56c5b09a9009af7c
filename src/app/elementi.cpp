#include "app/elementi.h"

#include "app/accessibilita.h"
#include "app/disegnirisorse.h"
#include "app/fogliostile.h"
#include "app/vistaimmagine.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace Elementi {

namespace {

// A decorating picture that takes its drawing when it is first shown or
// painted (a window drawn offscreen is painted without being shown): a
// window never shown renders nothing. Polishing is too early a moment, as
// showing one window can polish every hidden one. Sharp at the device's
// pixel ratio.
class ImmagineRisorsa : public QLabel
{
public:
    ImmagineRisorsa(QWidget *genitore, const QString &risorsa)
        : QLabel(genitore)
        , m_risorsa(risorsa)
    {
    }

protected:
    bool event(QEvent *evento) override
    {
        if ((evento->type() == QEvent::Show || evento->type() == QEvent::Paint) && !m_risorsa.isEmpty()) {
            setPixmap(QPixmap::fromImage(disegnoRisorsa(m_risorsa, size(), devicePixelRatioF())));
            m_risorsa.clear();
        }
        return QLabel::event(evento);
    }

private:
    QString m_risorsa;
};

} // namespace

QFont carattere(const QString &famiglia, int punti, bool grassetto)
{
    QFont f(famiglia);
    f.setPointSize(punti);
    f.setBold(grassetto);
    return f;
}

QWidget *rettangolo(QWidget *genitore, const QString &nome, const QRect &posto, const QBrush &fondo)
{
    auto *r = new QWidget(genitore);
    r->setObjectName(nome);
    r->setGeometry(posto);
    QPalette p = r->palette();
    p.setBrush(QPalette::Window, fondo);
    r->setPalette(p);
    r->setAutoFillBackground(true);
    return r;
}

QFrame *riquadro(QWidget *genitore, const QString &nome, const QRect &posto, const QString &stile)
{
    auto *f = new QFrame(genitore);
    f->setObjectName(nome);
    f->setGeometry(posto);
    impostaFoglioStile(f, QStringLiteral("QFrame#%1 { %2 }").arg(nome, stile));
    return f;
}

QFrame *riquadroSfumato(QWidget *genitore, const QString &nome, const QRect &posto, const QColor &alto,
                        const QColor &basso, const QColor &bordo, int raggio)
{
    QFrame *f = riquadro(genitore, nome, posto,
                         QStringLiteral("border: 1px solid %1; border-radius: %2px; "
                                        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                        "stop:0 %3, stop:1 %4);")
                             .arg(bordo.name())
                             .arg(raggio)
                             .arg(alto.name(), basso.name()));
    f->lower();
    return f;
}

QLabel *immagine(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto,
                 const QString &testo)
{
    auto *l = new ImmagineRisorsa(genitore, risorsa);
    l->setObjectName(nome);
    l->setGeometry(posto);
    if (testo.isEmpty())
        Accessibilita::decorazione(l);
    else
        l->setAccessibleName(testo);
    return l;
}

VistaImmagine *vista(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto)
{
    auto *v = new VistaImmagine(genitore);
    v->setObjectName(nome);
    v->setGeometry(posto);
    // VistaImmagine draws at its own size: give it the logical size and let
    // it scale only if the device asks for more pixels.
    v->impostaRisorsa(risorsa, posto.size());
    return v;
}

VistaImmagine *comando(QWidget *genitore, const QString &nome, const QString &risorsa, const QRect &posto,
                       const QString &testo, const QString &descrizione)
{
    VistaImmagine *v = vista(genitore, nome, risorsa, posto);
    v->setCursor(Qt::PointingHandCursor);
    v->rendiComando(testo);
    v->setAccessibleDescription(descrizione);
    return v;
}

QLabel *didascalia(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto,
                   const QFont &font, const QColor &colore, Qt::Alignment allineamento)
{
    auto *l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    l->setGeometry(posto);
    l->setAlignment(allineamento);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colore);
    l->setPalette(pal);
    return l;
}

QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    auto *b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setGeometry(posto);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto,
                      const QFont &font)
{
    QPushButton *b = pulsante(genitore, nome, testo, posto);
    b->setFont(font);
    return b;
}

} // namespace Elementi
