// Writes the manual Guida.pdf that an installation delivers beside the
// program, from the program's own help texts and with pictures of its own
// windows, drawn offscreen by the program's code:
//     velmora_scriviguida <manual file>

#include "app/contesto.h"
#include "app/vistaimmagine.h"
#include "archives/frmapricatalogo.h"
#include "archives/frmcreacatalogo.h"
#include "access/frmpassword.h"
#include "editor/frmdocumenti.h"
#include "home/frmavvio.h"
#include "home/manuale.h"
#include "output/frmexpdocumenti.h"
#include "output/frmslideshow_documenti.h"
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/schedapagina.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

namespace {

const QString kArchivio = QStringLiteral("Registro parrocchiale 1898");

// A page as a scanner gives it: aged paper, a heading and lines of
// handwriting, so the editor's picture shows what the program is for.
QImage paginaScansionata()
{
    QImage pagina(1240, 1754, QImage::Format_RGB32);
    pagina.fill(QColor(0xEF, 0xE6, 0xCF));
    QPainter p(&pagina);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xC9, 0xB8, 0x92), 6));
    p.drawRect(pagina.rect().adjusted(60, 60, -60, -60));
    QFont titolo(QStringLiteral("Liberation Serif"));
    titolo.setPixelSize(64);
    titolo.setItalic(true);
    p.setFont(titolo);
    p.setPen(QColor(0x4A, 0x36, 0x22));
    p.drawText(QRect(0, 140, pagina.width(), 90), Qt::AlignCenter, QStringLiteral("Liber Baptizatorum"));
    titolo.setPixelSize(40);
    p.setFont(titolo);
    p.drawText(QRect(0, 230, pagina.width(), 60), Qt::AlignCenter, QStringLiteral("Anno Domini 1898"));
    // Lines of writing: strokes of varying length, as ink on ruled paper.
    p.setPen(QPen(QColor(0x3B, 0x2C, 0x1E), 5, Qt::SolidLine, Qt::RoundCap));
    // Unsigned: the generator wraps at 32 bits on purpose, which an int
    // may not do.
    quint32 seme = 7;
    for (int riga = 0; riga < 26; ++riga) {
        const int y = 380 + riga * 50;
        int x = 160;
        while (x < 1060) {
            seme = (seme * 1103515245u + 12345u) & 0x7fffffffu;
            const int parola = 40 + int(seme % 130);
            const int fine = std::min(x + parola, 1080);
            p.drawLine(x, y, fine, y - int(seme % 7) + 3);
            x = fine + 26;
        }
    }
    return pagina;
}

TSchedaPagina schedaEsempio()
{
    TSchedaPagina s = schedaVuota();
    const std::pair<Campo, const char *> valori[] = {
        {Campo::Titolo, "Registro dei battesimi, carta 12"},
        {Campo::Codice, "RP1898-012"},
        {Campo::Autore, "Don Giuseppe Ferrari"},
        {Campo::Creazione, "14/03/1898"},
        {Campo::Modifica, "02/05/2026"},
        {Campo::Tipologia, "Registro parrocchiale"},
        {Campo::PagNum, "12"},
        {Campo::RigheNum, "26"},
        {Campo::Carta, "Carta di stracci"},
        {Campo::Carattere, "Corsivo a mano"},
        {Campo::Lingua, "Latino"},
        {Campo::Descrizione, "Atti di battesimo dal 3 al 17 marzo, con i nomi dei padrini"},
        {Campo::Incipit, "Anno Domini millesimo octingentesimo"},
        {Campo::Parole, "battesimi, padrini, marzo"},
        {Campo::Illustrazioni, "Nessuna"},
        {Campo::Annotazioni, "Correzione a margine"},
        {Campo::Formato, "32 x 44 cm"},
        {Campo::Stato, "Buono"},
        {Campo::Collocazione, "Archivio, scaffale B"},
        {Campo::Giudizio, "Scrittura regolare e ben leggibile"},
        {Campo::Note, "Confrontare con il registro dei matrimoni"},
    };
    for (const auto &[campo, testo] : valori)
        impostaCampo(s, campo, QString::fromUtf8(testo));
    impostaFlag(s, false);
    return s;
}

// A program folder with a few archives and one described page with its scan.
bool preparaCartella(const QString &cartella)
{
    try {
        for (const QString &nome : {kArchivio, QStringLiteral("Lettere di famiglia 1920-1935"),
                                    QStringLiteral("Contratto di affitto via Roma")}) {
            TArchivioPagine a;
            a.ApriArchivio(cartella + nome + QStringLiteral(".kpx"));
            a.ChiudiArchivio();
        }
        TArchivioPagine a;
        a.ApriArchivio(cartella + kArchivio + QStringLiteral(".kpx"));
        for (int k = 0; k < 12; ++k)
            a.AggiungiScheda(schedaEsempio());
        a.ChiudiArchivio();
    } catch (const ErroreArchivio &) {
        return false;
    }
    return scriviFileFoto(cartella, percorsoFotoPagina(cartella, kArchivio, QStringLiteral("12")),
                          paginaScansionata());
}

// A window as the user sees it at its design size, without the desktop's
// frame around it.
QImage fotografa(QWidget *finestra, const QSize &client)
{
    finestra->show();
    finestra->setWindowState(Qt::WindowNoState);
    finestra->resize(client);
    QApplication::processEvents();
    const QImage immagine = finestra->grab().toImage();
    finestra->hide();
    return immagine;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <manual file>\n", argv[0]);
        return 2;
    }
    // A build step: no display, no desktop theme, the same look everywhere.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_QPA_PLATFORMTHEME");
    qputenv("QT_STYLE_OVERRIDE", "Fusion");
    QApplication app(argc, argv);
    const QString manuale = QString::fromLocal8Bit(argv[1]);

    QTemporaryDir dir;
    const QString cartella = dir.path() + QLatin1Char('/');
    if (!dir.isValid() || !preparaCartella(cartella)) {
        std::fprintf(stderr, "%s: cannot prepare the sample program folder\n", argv[1]);
        return 1;
    }
    const Contesto contesto(cartella);

    // Each window made on its own, as start-up would make it, and shown once
    // at its design size.
    FigureManuale figure;
    {
        TfrmAvvio avvio(contesto);
        TfrmPassword password(contesto);
        figure[ArgomentoGuida::Avvio] = {
            {fotografa(&avvio, TfrmAvvio::aspetto().client), QStringLiteral("La schermata di partenza"), 3},
            {fotografa(&password, TfrmPassword::aspetto().client), QStringLiteral("La finestra di accesso"), 21},
        };
    }
    {
        TfrmCreaCatalogo crea(contesto);
        TfrmApriCatalogo apri(contesto);
        figure[ArgomentoGuida::CreaCatalogo] = {
            {fotografa(&crea, TfrmCreaCatalogo::aspetto().client),
             QStringLiteral("La creazione di un nuovo documento"), 3},
            {fotografa(&apri, TfrmApriCatalogo::aspetto().client),
             QStringLiteral("L'apertura di un documento esistente"), 5},
        };
    }
    {
        TfrmDocumenti editor(contesto);
        editor.apriArchivio(cartella + kArchivio + QStringLiteral(".kpx"), kArchivio);
        editor.MostraScheda(schedaEsempio(), 12);
        // The slideshow on the page that has its scan.
        TfrmSlideshow_Documenti slideshow(contesto, &editor);
        slideshow.lblNome->setText(kArchivio);
        slideshow.lblFile->setText(cartella + kArchivio + QStringLiteral(".kpx"));
        slideshow.show();
        // Shown as on a screen of the design size, whatever the offscreen
        // screen measures.
        const QSize area = TfrmSlideshow_Documenti::aspetto().client - QSize(60, 90);
        slideshow.panContainer->setFixedSize(area);
        slideshow.imgFoto->setGeometry(QRect(QPoint(0, 0), area));
        slideshow.lblPosizione->setText(QStringLiteral("11"));
        slideshow.cmdAvantiClick();
        figure[ArgomentoGuida::Documenti] = {
            {fotografa(&editor, TfrmDocumenti::aspetto().client),
             QStringLiteral("La gestione delle pagine del documento"), 1},
            {fotografa(&slideshow, TfrmSlideshow_Documenti::aspetto().client),
             QStringLiteral("Lo Slide Show delle pagine scansionate"), 8},
        };
        TfrmExpDocumenti esportazione(contesto, &editor);
        figure[ArgomentoGuida::Esportazione] = {
            {fotografa(&esportazione, TfrmExpDocumenti::aspetto().client),
             QStringLiteral("La griglia dei dati da esportare"), 1},
        };
    }

    if (!scriviManuale(manuale, figure)) {
        std::fprintf(stderr, "%s: the manual could not be written\n", argv[1]);
        return 1;
    }
    return 0;
}
