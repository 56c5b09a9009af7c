#include "output/finestrafoglio.h"

#include "app/elementi.h"
#include "app/formati.h"
#include "app/messaggi.h"
#include "app/stampareport.h"
#include "editor/editorpagine.h"
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

FinestraFoglio::FinestraFoglio(const AspettoFinestra &aspetto, const Testi &testi, QWidget *proprietario)
    : FinestraDialogo(aspetto, proprietario), m_testi(testi), m_repDocumento(creaReportDocumento())
{
    using namespace Elementi;
    impostaFormatiProcesso();

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
    const EditorPagine *editor = editorProprietario(this);
    if (!editor)
        return QStringLiteral("Scheda");
    const int posizione = editor->posizioneCorrente();
    return QStringLiteral("Scheda %1 %2").arg(editor->nomeArchivio(),
                                              posizione > 0 ? QString::number(posizione) : QStringLiteral("nuova"));
}

void FinestraFoglio::FormShow()
{
    // The picture as the editor shows it now; anything unusable gives way to
    // the window's own blank page.
    const EditorPagine *editor = editorProprietario(this);
    m_logo = editor ? editor->foto() : QImage();
    if (m_logo.isNull())
        m_logo = immagineFallback();
}

void FinestraFoglio::btnStampaClick()
{
    bool riuscita = false;
    QString motivo;
    try {
        ValoriFoglio valori;
        valori.foto = m_logo;
        if (const EditorPagine *editor = editorProprietario(this)) {
            const ValoriScheda scheda = editor->valoriSchermo();
            valori.nome = editor->nomeArchivio();
            valori.titolo = scheda.testi[0];
            for (int i = 0; i < 20; ++i)
                valori.campi.insert(QString::fromLatin1(kCaselleDocumento[i]), scheda.testi[size_t(i) + 1]);
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
        avviso(motivo.isEmpty() ? m_testi.fallimento : messaggioStampaFallita(motivo));
    accept();
}
