#include "app/accessibilita.h"

#include "app/finestra.h"
#include "app/vistaimmagine.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFocusFrame>
#include <QLabel>
#include <QMenu>

namespace Accessibilita {

namespace {

const char *const kDecorazione = "decorazione";

bool haControlli(const QWidget *elemento)
{
    for (const QObject *o : elemento->children()) {
        if (o->isWidgetType() && !static_cast<const QWidget *>(o)->isWindow())
            return true;
    }
    return false;
}

// A window, a panel or a box that holds controls: its children as the
// toolkit lists them, less the decoration. A window is a frame (the
// long-lived ones) or a dialog named by its caption without the leading
// blank; a container with a name is a group, one without a plain filler
// that screen readers pass over.
class Contenitore : public QAccessibleWidget
{
public:
    Contenitore(QWidget *elemento, QAccessible::Role ruolo)
        : QAccessibleWidget(elemento, ruolo)
    {
    }

    int childCount() const override { return int(figli().size()); }

    QAccessibleInterface *child(int indice) const override
    {
        const QList<QWidget *> f = figli();
        if (indice < 0 || indice >= f.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(f.at(indice));
    }

    int indexOfChild(const QAccessibleInterface *figlio) const override
    {
        if (!figlio || !figlio->object() || !figlio->object()->isWidgetType())
            return -1;
        return int(figli().indexOf(static_cast<QWidget *>(figlio->object())));
    }

    QString text(QAccessible::Text tipo) const override
    {
        if (tipo == QAccessible::Name && widget()->isWindow() && widget()->accessibleName().isEmpty())
            return widget()->windowTitle().trimmed();
        return QAccessibleWidget::text(tipo);
    }

private:
    // The same children the toolkit gives a widget (no windows, focus
    // frames, menus or its own helper widgets), without decoration.
    QList<QWidget *> figli() const
    {
        QList<QWidget *> f;
        for (QObject *o : widget()->children()) {
            if (!o->isWidgetType())
                continue;
            auto *w = static_cast<QWidget *>(o);
            if (w->isWindow() || qobject_cast<QFocusFrame *>(w) || qobject_cast<QMenu *>(w)
                || w->objectName() == QLatin1String("qt_rubberband")
                || w->objectName() == QLatin1String("qt_spinbox_lineedit") || esclusoDaAccessibilita(w))
                continue;
            f.append(w);
        }
        return f;
    }
};

QAccessibleInterface *fabbrica(const QString &classe, QObject *oggetto)
{
    // Asked once per class up the object's inheritance: only the first
    // question, about its own class, is answered here, so that the controls
    // the toolkit knows (fields, lists, buttons, labels) keep its own
    // interfaces.
    if (!oggetto || !oggetto->isWidgetType() || classe != QLatin1String(oggetto->metaObject()->className()))
        return nullptr;
    auto *w = static_cast<QWidget *>(oggetto);
    if (oggetto->inherits("FinestraPermanente"))
        return new Contenitore(w, QAccessible::Window);
    if (oggetto->inherits("FinestraDialogo"))
        return new Contenitore(w, QAccessible::Dialog);
    if (auto *vista = qobject_cast<VistaImmagine *>(oggetto))
        return vista->comando() ? nullptr : new QAccessibleWidget(w, QAccessible::Graphic);
    if (classe == QLatin1String("QWidget") || classe == QLatin1String("QFrame"))
        return new Contenitore(w, w->accessibleName().isEmpty() ? QAccessible::Client : QAccessible::Grouping);
    return nullptr;
}

} // namespace

void installa()
{
    static const bool installata = [] {
        QAccessible::installFactory(fabbrica);
        return true;
    }();
    Q_UNUSED(installata);
}

QString nomeDaDidascalia(const QString &didascalia)
{
    QString nome = didascalia.trimmed();
    while (nome.endsWith(u':'))
        nome = nome.chopped(1).trimmed();
    return nome;
}

void collegaDidascalia(QLabel *didascalia, QWidget *campo, const QString &nome)
{
    didascalia->setBuddy(campo);
    if (!nome.isEmpty()) {
        campo->setAccessibleName(nome);
        return;
    }
    const QString detto = didascalia->text().isEmpty() ? didascalia->accessibleName() : didascalia->text();
    campo->setAccessibleName(nomeDaDidascalia(detto));
}

void decorazione(QWidget *elemento)
{
    elemento->setProperty(kDecorazione, true);
}

bool esclusoDaAccessibilita(const QWidget *elemento)
{
    if (haControlli(elemento))
        return false;
    if (elemento->property(kDecorazione).toBool())
        return true;
    if (!elemento->accessibleName().isEmpty())
        return false;
    if (auto *vista = qobject_cast<const VistaImmagine *>(elemento))
        return !vista->comando();
    const QLatin1String classe(elemento->metaObject()->className());
    return classe == QLatin1String("QWidget") || classe == QLatin1String("QFrame");
}

} // namespace Accessibilita
