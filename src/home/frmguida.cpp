#include "home/frmguida.h"

#include "app/accessibilita.h"
#include "app/contesto.h"
#include "app/collegamento.h"
#include "app/elementi.h"
#include "app/messaggi.h"
#include "app/rifinitura.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>

namespace {

const QColor kCremisi{0xDC, 0x14, 0x3C};
const QColor kGrano{0xF5, 0xDE, 0xB3};

} // namespace

AspettoFinestra TfrmGuida::aspetto()
{
    AspettoFinestra a{"frmGuida", QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572),
                      Bordo::FissaSchermo, false};
    a.sfondoAlto = Qt::white;
    a.sfondoBasso = QColor(0xBF, 0xD8, 0xEF);
    return a;
}

TfrmGuida::TfrmGuida(const Contesto &contesto, QWidget *proprietario)
    : FinestraDialogo(aspetto(), proprietario)
{
    using namespace Elementi;

    QWidget *pan = creaPannello(this, QSize(642, 540));
    riquadro(pan, QStringLiteral("shpSfondo"), QRect(0, 0, 642, 84),
             QStringLiteral("background: white; border: 2px solid %1;").arg(kGrano.name()));
    immagine(pan, QStringLiteral("imgLogo"), QStringLiteral(":/home/logo_guida.svg"), QRect(27, 7, 587, 69),
             QStringLiteral("Guida all'utilizzo del software"));

    lblTitolo = didascalia(pan, QStringLiteral("lblTitolo"), QStringLiteral("Argomento della guida."),
                           QRect(8, 92, 626, 34), carattere(QStringLiteral("Arial"), 16, true), kCremisi);

    txtGuida = new QPlainTextEdit(pan);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setGeometry(8, 132, 625, 350);
    txtGuida->setReadOnly(true);
    // Labelled by the topic's title, which changes with the topic.
    Accessibilita::collegaDidascalia(lblTitolo, txtGuida, QStringLiteral("Testo della guida"));
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The text box lays out its text again for a new font, which loads that
    // font: it takes its own when the window first opens.
    allaRifinitura(txtGuida, [this] { txtGuida->setFont(carattere(QStringLiteral("Verdana"), 12, true)); });
    txtGuida->document()->setDocumentMargin(8);

    imgPDF = immagine(pan, QStringLiteral("imgPDF"), QStringLiteral(":/home/pdf.svg"), QRect(8, 500, 27, 27));
    lnkWeb = new QLabel(QStringLiteral("Visualizza guida in formato PDF"), pan);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    new Collegamento(lnkWeb, imgPDF, u'"' + percorsoManuale(contesto.cartella()) + u'"');
    lnkWeb->move(42, 502);
    allaRifinitura(lnkWeb, [this] { lnkWeb->adjustSize(); });

    btnChiudi = pulsante(pan, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QRect(524, 496, 110, 34),
                         carattere(QStringLiteral("Verdana"), 12));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);
    impostaUscita({btnChiudi});
}

void TfrmGuida::mostraArgomento(const QString &titolo, const QString &testo)
{
    m_testo = testo;
    lblTitolo->setText(titolo);
    // The stored breaks are CR LF pairs, which the text box would not show
    // as line ends.
    txtGuida->setPlainText(testoVisibile(testo));
}

void apriGuida(const Contesto &contesto, QWidget *proprietario, ArgomentoGuida argomento)
{
    apriDialogo<TfrmGuida>(contesto, proprietario, [argomento](TfrmGuida &guida) {
        guida.mostraArgomento(testoGuida(argomento).titolo, testoUnito(argomento));
    });
}

QString percorsoManuale(const QString &cartellaProgramma)
{
    return cartellaProgramma + QStringLiteral("Guida.pdf");
}
