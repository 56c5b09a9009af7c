#include "home/frminfo.h"

#include "app/collegamento.h"
#include "app/elementi.h"
#include "app/fogliostile.h"
#include "app/rifinitura.h"
#include "app/versione.h"
#include "home/produttore.h"

#include <QLabel>
#include <QPushButton>

AspettoFinestra TfrmInfo::aspetto()
{
    AspettoFinestra a{"frmInfo", QStringLiteral(" Informazioni su Velmora"), QSize(473, 579),
                      Bordo::FissaSchermo, false};
    return a;
}

TfrmInfo::TfrmInfo(QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    using namespace Elementi;

    auto *pan = new QWidget(this);
    pan->setObjectName(QStringLiteral("panContainer"));
    pan->setGeometry(15, 12, 442, 490);
    rettangolo(pan, QStringLiteral("shpSfondo"), QRect(0, 0, 442, 490));
    immagine(pan, QStringLiteral("imgLogo"), QStringLiteral(":/home/info_logo.svg"), QRect(25, 8, 392, 54),
             QStringLiteral("Informazioni sul programma"));

    lblTitolo = new QLabel(QStringLiteral("Velmora - versione %1").arg(QLatin1String(kVersione)), pan);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont ft(QStringLiteral("Arial"), 12);
    ft.setBold(true);
    lblTitolo->setFont(ft);
    impostaFoglioStile(lblTitolo, QStringLiteral("color: #DC143C;"));
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setGeometry(8, 68, 425, 24);

    immagine(pan, QStringLiteral("imgUtente"), QStringLiteral(":/home/info_utente.svg"), QRect(8, 98, 425, 110),
             QStringLiteral("Velmora. Catalogazione delle pagine scansionate di documenti cartacei di qualsiasi "
                            "tipo. Versione %1, © 2026 Velmora Software.")
                 .arg(QLatin1String(kVersione)));
    immagine(pan, QStringLiteral("imgWarning"), QStringLiteral(":/home/info_avvertenze.svg"),
             QRect(8, 216, 425, 249),
             QStringLiteral("Avvertenze. Questo programma è protetto dalle leggi sul diritto d'autore. La "
                            "riproduzione o la distribuzione non autorizzate, anche parziali, sono vietate. Tutti "
                            "i dati (archivi, pagine scansionate, allegati) si trovano nella cartella del "
                            "programma: per non perderli, copiarla regolarmente su un altro disco. Per "
                            "assistenza e segnalazioni scrivere all'indirizzo di posta elettronica riportato "
                            "qui sotto."));

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setFont(QFont(QStringLiteral("Verdana"), 12));
    btnChiudi->setAutoDefault(false);
    btnChiudi->setGeometry(473 - 15 - 110, 510, 110, 34);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    impostaUscita({btnChiudi});

    imgEmail = immagine(this, QStringLiteral("imgEmail"), QStringLiteral(":/home/email.svg"), QRect(15, 551, 26, 20));
    lnkWeb = new QLabel(Produttore::email, this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    new Collegamento(lnkWeb, imgEmail, QStringLiteral("\"mailto:") + Produttore::email + u'"');
    lnkWeb->move(48, 548);
    allaRifinitura(lnkWeb, [this] { lnkWeb->adjustSize(); });
}
