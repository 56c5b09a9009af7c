#include "search/aspettoricerca.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace AspettoRicerca {

QFont carattere(const char *famiglia, int punti, bool grassetto)
{
    QFont f(QString::fromLatin1(famiglia));
    f.setPointSize(punti);
    f.setBold(grassetto);
    return f;
}

QPushButton *pulsante(QWidget *genitore, const QString &testo, const QString &nome, const QRect &posto)
{
    auto *b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setGeometry(posto);
    b->setFont(carattere("Verdana", 10, true));
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QLabel *didascalia(QWidget *genitore, const QString &testo, const QRect &posto)
{
    auto *l = new QLabel(testo, genitore);
    l->setFont(carattere("Verdana", 9, true));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0x12, 0x36, 0x5A));
    l->setPalette(pal);
    l->setGeometry(posto);
    return l;
}

QLabel *immagine(QWidget *genitore, const QString &risorsa, const QString &nome, const QRect &posto)
{
    auto *l = new QLabel(genitore);
    l->setObjectName(nome);
    l->setGeometry(posto);
    l->setPixmap(QIcon(risorsa).pixmap(posto.size()));
    return l;
}

QLabel *scritta(QWidget *genitore, const QString &testo, const QString &nome, const QRect &posto,
                const QColor &colore, int punti, bool grassetto)
{
    auto *l = new QLabel(testo, genitore);
    l->setObjectName(nome);
    l->setGeometry(posto);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(carattere("Verdana", punti, grassetto));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colore);
    l->setPalette(pal);
    return l;
}

QWidget *riquadro(QWidget *genitore, const QString &nome, const QRect &posto)
{
    auto *f = new QFrame(genitore);
    f->setObjectName(nome);
    f->setGeometry(posto);
    f->setStyleSheet(QStringLiteral(
        "QFrame#%1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dcebf7); "
        "border: 1px solid #9dbbd6; border-radius: 8px; }").arg(nome));
    f->lower();
    return f;
}

} // namespace AspettoRicerca
