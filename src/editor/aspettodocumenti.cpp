#include "editor/aspettodocumenti.h"

#include "app/accessibilita.h"
#include "app/colori.h"
#include "app/elementi.h"
#include "app/fogliostile.h"
#include "app/tintafuoco.h"
#include "editor/campidocumenti.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace AspettoDocumenti {

namespace {

const QColor kAzzurro{0xD6, 0xE6, 0xF5};
const QColor kAzzurroFoto{0xB4, 0xCF, 0xEA};
const QColor kBluScuro{0x1F, 0x3F, 0x6B};

QWidget *riquadro(QWidget *pannello, const char *nome, const QRect &posto, const QString &fondo,
                  const QColor &bordo = QColor())
{
    const QString contorno = bordo.isValid() ? QStringLiteral("1px solid %1").arg(bordo.name())
                                             : QStringLiteral("none");
    const QString stile = QStringLiteral("background: %1; border: %2; border-radius: 6px;").arg(fondo, contorno);
    return Elementi::riquadro(pannello, QString::fromLatin1(nome), posto, stile);
}

QString bianco()
{
    return QStringLiteral("#FFFFFF");
}

} // namespace

QRect postoFoto()
{
    return QRect(15, 75, 307, 409);
}

QList<QWidget *> creaSfondi(QWidget *pannello)
{
    QList<QWidget *> sfondi;
    const QColor bordoChiaro(0x9F, 0xB8, 0xD2);
    sfondi << riquadro(pannello, "shpContainer", QRect(0, 0, kLarghezzaPannello, 640), kAzzurro.name(),
                       bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli01", QRect(6, 6, 228, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli02", QRect(246, 6, 52, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli03", QRect(310, 6, 116, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli04", QRect(438, 6, 272, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli05", QRect(722, 6, 52, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli06", QRect(786, 6, 96, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpControlli07", QRect(894, 6, 96, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpFoto", QRect(6, 66, 325, 427), kAzzurroFoto.name(), QColor(0x6F, 0x98, 0xC4));
    sfondi << riquadro(pannello, "bkgPulsantiFoto", QRect(6, 500, 325, 72), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpSezione01", QRect(339, 66, 651, 506), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "shpSfondo", QRect(6, 580, 984, 52), bianco(), bordoChiaro);
    sfondi << riquadro(pannello, "bkgMancante", QRect(732, 584, 250, 44), QStringLiteral("#E8891A"));
    sfondi << riquadro(pannello, "sfoMancante", QRect(734, 586, 246, 40),
                       QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #FFB347, stop:1 #FFFFFF)"));
    return sfondi;
}

QLabel *creaNome(QWidget *pannello)
{
    auto *l = new QLabel(QStringLiteral("Nome documento"), pannello);
    l->setObjectName(QStringLiteral("lblNome"));
    l->setGeometry(347, 74, 635, 36);
    l->setFont(QFont(QStringLiteral("Verdana"), 14, QFont::Bold));
    impostaFoglioStile(l, QStringLiteral("QLabel { color: #FFFF00; background: #1F4E8C; border-radius: 4px; "
                                         "padding-left: 10px; }"));
    return l;
}

QLabel *creaPosizione(QWidget *pannello, const QRect &posto)
{
    auto *l = new QLabel(pannello);
    l->setObjectName(QStringLiteral("lblPosizione"));
    l->setGeometry(posto);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(QFont(QStringLiteral("Verdana"), 16, QFont::Bold));
    impostaFoglioStile(l, QStringLiteral("QLabel { color: %1; }").arg(kBluScuro.name()));
    return l;
}

QLabel *creaDidascalia(QWidget *pannello, const QString &nome, const DescrizioneCampo &d)
{
    auto *l = new QLabel(QString::fromUtf8(d.didascalia), pannello);
    l->setObjectName(nome);
    l->setGeometry(rettangoloDidascalia(d));
    l->setFont(QFont(QStringLiteral("Verdana"), 9, QFont::Bold));
    impostaFoglioStile(l, QStringLiteral("QLabel { color: %1; }").arg(kBluScuro.name()));
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

QLineEdit *creaCampo(QWidget *pannello, const DescrizioneCampo &d)
{
    auto *t = new QLineEdit(pannello);
    t->setObjectName(QString::fromLatin1(d.nome));
    t->setGeometry(rettangoloCampo(d));
    t->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    t->setMaxLength(infoCampo(d.campo).capacita);
    applicaTintaFuoco(t);
    return t;
}

QLineEdit *creaNote(QWidget *pannello, const DescrizioneCampo &d)
{
    QLabel *didascalia = Elementi::immagine(pannello, QStringLiteral("imgNote"), QStringLiteral(":/editor/note.svg"),
                                            QRect(14, 591, 74, 30), QStringLiteral("Note:"));
    QLineEdit *t = creaCampo(pannello, d);
    t->setGeometry(94, 592, 628, 28);
    Accessibilita::collegaDidascalia(didascalia, t);
    return t;
}

QCheckBox *creaCasella(QWidget *pannello)
{
    Elementi::immagine(pannello, QStringLiteral("imgAvviso"), QStringLiteral(":/editor/avviso.svg"),
                       QRect(744, 595, 24, 22));
    auto *c = new QCheckBox(QStringLiteral("Da completare"), pannello);
    c->setObjectName(QStringLiteral("chkDaCompletare"));
    c->setGeometry(776, 591, 200, 30);
    c->setFont(QFont(QStringLiteral("Verdana"), 11, QFont::Bold));
    impostaFoglioStile(c, QStringLiteral("QCheckBox { color: #6B3A00; background: transparent; spacing: 8px; }"
                                         "QCheckBox::indicator { width: 20px; height: 20px; }"
                                         "QCheckBox::indicator:unchecked { image: url(:/editor/casella.svg); }"
                                         "QCheckBox::indicator:checked { image: url(:/editor/spunta.svg); }"));
    c->setCursor(Qt::PointingHandCursor);
    return c;
}

QLabel *creaBarraStato(QWidget *pannello, const QString &testo)
{
    auto *l = new QLabel(testo, pannello);
    l->setObjectName(QStringLiteral("panInfo"));
    l->setGeometry(0, 652, kLarghezzaPannello, 34);
    l->setFont(QFont(QStringLiteral("Tahoma"), 12));
    impostaFoglioStile(l, QStringLiteral("QLabel { color: #FFFFFF; background: %1; border-radius: 4px; "
                                         "padding-left: 12px; }")
                              .arg(Colori::barraStato.name()));
    return l;
}

QLabel *etichettaNascosta(QWidget *pannello, const QString &nome)
{
    auto *l = new QLabel(pannello);
    l->setObjectName(nome);
    l->hide();
    return l;
}

} // namespace AspettoDocumenti
