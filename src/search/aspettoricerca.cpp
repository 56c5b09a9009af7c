#include "search/aspettoricerca.h"

#include "app/elementi.h"

namespace AspettoRicerca {

QPushButton *pulsante(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto)
{
    return Elementi::pulsante(genitore, nome, testo, posto,
                              Elementi::carattere(QStringLiteral("Verdana"), 10, true));
}

QLabel *didascalia(QWidget *genitore, const QString &testo, const QRect &posto)
{
    return Elementi::didascalia(genitore, QString(), testo, posto,
                                Elementi::carattere(QStringLiteral("Verdana"), 9, true), QColor(0x12, 0x36, 0x5A));
}

QLabel *scritta(QWidget *genitore, const QString &nome, const QString &testo, const QRect &posto,
                const QColor &colore, int punti, bool grassetto)
{
    return Elementi::didascalia(genitore, nome, testo, posto,
                                Elementi::carattere(QStringLiteral("Verdana"), punti, grassetto), colore,
                                Qt::AlignCenter);
}

QFrame *riquadro(QWidget *genitore, const QString &nome, const QRect &posto)
{
    return Elementi::riquadroSfumato(genitore, nome, posto, QColor(0xFF, 0xFF, 0xFF), QColor(0xDC, 0xEB, 0xF7),
                                     QColor(0x9D, 0xBB, 0xD6), 8);
}

} // namespace AspettoRicerca
