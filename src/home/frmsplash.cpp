#include "home/frmsplash.h"

#include "app/collegamento.h"
#include "app/elementi.h"
#include "app/rifinitura.h"
#include "app/versione.h"
#include "home/produttore.h"

#include <QLabel>
#include <QPushButton>

AspettoFinestra TfrmSplash::aspetto()
{
    AspettoFinestra a{"frmSplash", QStringLiteral(" Velmora - ") + Produttore::nome, QSize(661, 467),
                      Bordo::FissaProprietario, false};
    a.sfondoAlto = Qt::white;
    a.sfondoBasso = QColor(0x35, 0x25, 0x25);
    return a;
}

TfrmSplash::TfrmSplash(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    using namespace Elementi;

    auto *pan = new QWidget(this);
    pan->setObjectName(QStringLiteral("panContainer"));
    pan->setGeometry(9, 9, 642, 448);
    immagine(pan, QStringLiteral("imgLogo"), QStringLiteral(":/home/splash.svg"), QRect(8, 8, 625, 380),
             QStringLiteral("Velmora. Archivio delle pagine scansionate dei documenti cartacei. Versione %1. "
                            "Velmora Software. © 2026 Velmora Software. Tutti i diritti riservati.")
                 .arg(QLatin1String(kVersione)));

    // The link sits on a light strip: dark blue on the dark end of the
    // background would not read.
    rettangolo(pan, QStringLiteral("shpLink"), QRect(8, 396, 625, 44), QColor(0xF4, 0xEE, 0xE6));

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), pan);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setFont(QFont(QStringLiteral("Verdana"), 11));
    btnChiudi->setAutoDefault(false);
    btnChiudi->setGeometry(642 - 8 - 4 - 110, 401, 110, 34);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    impostaUscita({btnChiudi});

    imgWeb = immagine(pan, QStringLiteral("imgWeb"), QStringLiteral(":/home/web.svg"), QRect(16, 406, 24, 24));
    lnkWeb = new QLabel(Produttore::sito, pan);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    new Collegamento(lnkWeb, imgWeb, Produttore::sito);
    lnkWeb->move(46, 405);
    allaRifinitura(lnkWeb, [this] { lnkWeb->adjustSize(); });
}
