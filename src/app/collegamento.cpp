#include "app/collegamento.h"

#include "app/colori.h"
#include "app/marcafuoco.h"
#include "app/openurl.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>

namespace {

const char *const kProprieta = "collegamento";

Collegamento *collegamentoDi(QObject *oggetto)
{
    return qobject_cast<Collegamento *>(oggetto->property(kProprieta).value<QObject *>());
}

QAccessibleInterface *fabbricaCollegamenti(const QString &classe, QObject *oggetto)
{
    Collegamento *c = classe == QLatin1String("QLabel") ? collegamentoDi(oggetto) : nullptr;
    if (!c)
        return nullptr;
    QPointer<Collegamento> collegamento(c);
    return new ComandoAccessibile(static_cast<QWidget *>(oggetto), QAccessible::Link, [collegamento] {
        if (collegamento)
            collegamento->apri();
    });
}

} // namespace

Collegamento::Collegamento(QLabel *testo, QWidget *immagine, const QString &destinazione)
    : QObject(testo)
    , m_testo(testo)
    , m_destinazione(destinazione)
    , m_marca(new MarcaFuoco(testo))
{
    static const bool fabbricaInstallata = [] {
        QAccessible::installFactory(fabbricaCollegamenti);
        return true;
    }();
    Q_UNUSED(fabbricaInstallata);

    QFont f(QStringLiteral("Tahoma"), 14);
    f.setUnderline(true);
    testo->setFont(f);
    testo->setFocusPolicy(Qt::TabFocus);
    colora(Colori::linkRiposo);
    for (QWidget *w : {static_cast<QWidget *>(testo), immagine}) {
        if (!w)
            continue;
        w->setCursor(Qt::PointingHandCursor);
        w->setProperty(kProprieta, QVariant::fromValue<QObject *>(this));
        w->setAccessibleName(testo->text());
        w->installEventFilter(this);
        // A label that already told assistive technology of its text is
        // known as plain text: forget that, so that it is asked again.
        QAccessibleInterface *noto = QAccessible::queryAccessibleInterface(w);
        if (noto && noto->role() != QAccessible::Link)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(noto));
    }
}

void Collegamento::colora(const QColor &colore)
{
    QPalette p = m_testo->palette();
    p.setColor(QPalette::WindowText, colore);
    m_testo->setPalette(p);
}

void Collegamento::apri()
{
    colora(Colori::linkRiposo);
    if (comandoUtilizzabile(m_testo))
        TMisc::Open(m_destinazione);
}

bool Collegamento::eventFilter(QObject *oggetto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton)
            colora(Colori::linkPremuto);
        return true;
    case QEvent::MouseButtonRelease: {
        auto *mouse = static_cast<QMouseEvent *>(evento);
        colora(Colori::linkRiposo);
        auto *w = static_cast<QWidget *>(oggetto);
        if (mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint()))
            TMisc::Open(m_destinazione);
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        auto *tasto = static_cast<QKeyEvent *>(evento);
        if (!TastoComando::riguarda(tasto))
            return false;
        if (evento->type() == QEvent::KeyPress) {
            m_tasto.premuto(tasto);
            colora(Colori::linkPremuto);
        } else if (m_tasto.rilasciato(tasto)) {
            apri();
        }
        return true;
    }
    case QEvent::FocusIn:
        if (oggetto == m_testo)
            m_marca->mostra();
        return false;
    case QEvent::FocusOut:
        m_tasto.dimentica();
        colora(Colori::linkRiposo);
        m_marca->hide();
        return false;
    default:
        return false;
    }
}
