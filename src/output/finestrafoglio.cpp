#include "output/finestrafoglio.h"

#include "app/contesto.h"
#include "app/elementi.h"
#include "app/messaggi.h"
#include "app/stampareport.h"
#include "output/reportdocumento.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include <new>

namespace {

static_assert(kCampiDescrittivi == 21, "the title and the twenty fields of the sheet");

const QString kFallback = QStringLiteral(":/output/foglio_vuoto.svg");

QImage immagineFallback()
{
    QSvgRenderer svg(kFallback);
    QImage immagine(svg.defaultSize(), QImage::Format_RGB32);
    immagine.fill(Qt::white);
    QPainter pittore(&immagine);
    svg.render(&pittore);
    return immagine;
}

} // namespace

FinestraFoglio::FinestraFoglio(const Contesto &contesto, const AspettoFinestra &aspetto, const Testi &testi,
                               QWidget *proprietario)
    : FinestraDialogo(aspetto, proprietario)
    , m_contesto(contesto)
    , m_testi(testi)
    , m_repDocumento(creaReportDocumento())
{
    using namespace Elementi;

    QWidget *pan = rettangolo(this, QStringLiteral("panContainer"), QRect(12, 12, 340, 214));
    immagine(pan, QStringLiteral("imgDecorazione"), testi.decorazione, QRect(122, 59, 96, 96));
    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->hide();
    imgTemp = immagine(this, QStringLiteral("imgTemp"), kFallback, QRect(0, 0, 1, 1));
    imgTemp->hide();

    const QFont font = carattere(QStringLiteral("Verdana"), 10);
    btnAnnulla = pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(12, 240, 150, 34), font);
    btnStampa = pulsante(this, QStringLiteral("btnStampa"), testi.pulsante, QRect(202, 240, 150, 34), font);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    impostaUscita({btnAnnulla});
    connect(btnStampa, &QPushButton::clicked, this, &FinestraFoglio::btnStampaClick);
}

QString FinestraFoglio::nomeStampa() const
{
    if (!m_scheda)
        return QStringLiteral("Scheda");
    const int posizione = m_scheda->posizione;
    return QStringLiteral("Scheda %1 %2").arg(m_scheda->nome,
                                              posizione > 0 ? QString::number(posizione) : QStringLiteral("nuova"));
}

void FinestraFoglio::FormShow()
{
    // The picture as the opener showed it; anything unusable gives way to
    // the window's own blank page.
    m_logo = m_scheda ? m_scheda->foto : QImage();
    if (m_logo.isNull())
        m_logo = immagineFallback();
    // The window is opened to print or preview: Enter does that, and only
    // a deliberate Tab or Escape cancels.
    btnStampa->setFocus();
}

void FinestraFoglio::btnStampaClick()
{
    bool riuscita = false;
    QString motivo;
    try {
        ValoriFoglio valori;
        valori.foto = m_logo;
        if (m_scheda) {
            valori.nome = m_scheda->nome;
            valori.titolo = m_scheda->valori.testi[0];
            for (int i = 0; i < 20; ++i)
                valori.campi.insert(QString::fromLatin1(kCaselleDocumento[i]), m_scheda->valori.testi[size_t(i) + 1]);
        }
        if (riempiReportDocumento(*m_repDocumento, valori)) {
            m_repDocumento->prepara();
            riuscita = esegui(motivo);
        }
    } catch (const std::bad_alloc &) {
        riuscita = false;
    }
    // The advice to make the photo smaller fits a sheet too big to lay
    // out, not a file the disk refused.
    if (!riuscita)
        m_contesto.avviso(motivo.isEmpty() ? m_testi.fallimento : messaggioStampaFallita(motivo));
    accept();
}
