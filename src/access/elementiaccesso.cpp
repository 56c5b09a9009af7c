#include "access/elementiaccesso.h"

#include "app/alonefuoco.h"
#include "home/elementigrafici.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ElementiAccesso {

QFrame *sfondo(QWidget *genitore, const QString &nome, const QRect &posto)
{
    auto *r = new QFrame(genitore);
    r->setObjectName(nome);
    r->setGeometry(posto);
    r->setStyleSheet(QStringLiteral(
        "QFrame#%1 { border: 1px solid #9CB6CF; border-radius: 6px; "
        "background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #DCE7F2); }")
                         .arg(nome));
    r->lower();
    return r;
}

QLabel *logo(QWidget *genitore, const QString &risorsa, const QRect &posto)
{
    return ElementiGrafici::immagine(genitore, QStringLiteral("imgLogo"), risorsa, posto);
}

QLabel *didascalia(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    auto *l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    l->setFont(QFont(QStringLiteral("Verdana"), 10));
    l->setStyleSheet(QStringLiteral("color: #1B3A5C;"));
    l->setGeometry(posto);
    return l;
}

QLineEdit *campoPassword(QWidget *genitore, const QString &nome, const QString &nomeAlone,
                         const QRect &posto)
{
    auto *t = new QLineEdit(genitore);
    t->setObjectName(nome);
    t->setEchoMode(QLineEdit::Password);
    QFont f(QStringLiteral("Verdana"), 14);
    f.setBold(true);
    t->setFont(f);
    t->setGeometry(posto);
    creaAloneFuoco(t, nomeAlone);
    return t;
}

QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    auto *b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setFont(QFont(QStringLiteral("Verdana"), 10));
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->setGeometry(posto);
    return b;
}

} // namespace ElementiAccesso
