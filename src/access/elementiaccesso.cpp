#include "access/elementiaccesso.h"

#include "app/alonefuoco.h"
#include "app/elementi.h"

#include <QLineEdit>

namespace ElementiAccesso {

QFrame *sfondo(QWidget *genitore, const QString &nome, const QRect &posto)
{
    return Elementi::riquadroSfumato(genitore, nome, posto, QColor(0xFF, 0xFF, 0xFF), QColor(0xDC, 0xE7, 0xF2),
                                     QColor(0x9C, 0xB6, 0xCF), 6);
}

QLabel *didascalia(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    return Elementi::didascalia(genitore, nome, testo, posto, Elementi::carattere(QStringLiteral("Verdana"), 10),
                                QColor(0x1B, 0x3A, 0x5C));
}

QLineEdit *campoPassword(QWidget *genitore, const QString &nome, const QString &nomeAlone,
                         const QRect &posto)
{
    auto *t = new QLineEdit(genitore);
    t->setObjectName(nome);
    t->setEchoMode(QLineEdit::Password);
    t->setFont(Elementi::carattere(QStringLiteral("Verdana"), 14, true));
    t->setGeometry(posto);
    creaAloneFuoco(t, nomeAlone);
    return t;
}

QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    return Elementi::pulsante(genitore, nome, testo, posto, Elementi::carattere(QStringLiteral("Verdana"), 10));
}

} // namespace ElementiAccesso
