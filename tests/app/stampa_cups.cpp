// Prints on the default printer through the program's own print path, the
// print dialog accepted as it opens: first a long list cancelled with
// "Annulla" after its first page (nothing of it may reach the printer), then
// a page sheet and a 200-line list. scripts/check-print.sh runs it against
// a CUPS-PDF queue; it is no test of its own, since it needs a real printer.

#include "app/contesto.h"
#include "app/formati.h"
#include "app/stampareport.h"
#include "output/reportdocumento.h"
#include "search/reportriepilogo.h"

#include "support/avanzamento_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A list of numbered lines, "<prefisso>0001 <testo>" on.
auto listaNumerata(const QString &titolo, const QString &prefisso, const QString &testo, int righe, int cifre)
{
    auto lista = creaReportRiepilogo();
    QStringList testi;
    for (int i = 1; i <= righe; ++i)
        testi.append(QStringLiteral("%1%2 %3").arg(prefisso).arg(i, cifre, 10, QLatin1Char('0')).arg(testo));
    riempiReportRiepilogo(*lista, titolo, testi, QDateTime::currentDateTime());
    lista->prepara();
    return lista;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QPrinterInfo stampante = QPrinterInfo::defaultPrinter();
    if (stampante.isNull()) {
        std::fprintf(stderr, "no default printer\n");
        return 2;
    }
    std::printf("default printer: %s\n", qPrintable(stampante.printerName()));
    QTemporaryDir cartella;
    // The test's context, whose wait the cancelling stand-in below sets.
    Contesto &contesto = contestoDiProva();
    contesto.impostaCartellaProgramma(cartella.path());
    contesto.impostaRispostaStampa([](QPrinter &p) {
        // What the dialog shows on opening is what gets printed.
        return p.outputFormat() == QPrinter::NativeFormat;
    });

    {
        const auto annullata = listaNumerata(QStringLiteral("Stampa annullata"), QStringLiteral("annullata"),
                                             QStringLiteral("Riga di una stampa interrotta"), 2000, 4);
        const AnnullaAvanzamento annulla;
        if (stampaReport(contesto, nullptr, *annullata, QStringLiteral("Stampa annullata")) != EsitoStampa::Annullata
            || annulla.comparse() != 1) {
            std::fprintf(stderr, "the long list was not cancelled\n");
            return 1;
        }
        std::printf("cancelled: a list of %d pages\n", annullata->numeroPagine());
    }

    auto foglio = creaReportDocumento();
    ValoriFoglio valori;
    valori.nome = QStringLiteral("Prova stampa");
    valori.titolo = QStringLiteral("Scheda di controllo CUPS");
    for (const char *casella : kCaselleDocumento)
        valori.campi.insert(QString::fromLatin1(casella), QStringLiteral("valore-%1").arg(QString::fromLatin1(casella)));
    valori.foto = QImage(800, 600, QImage::Format_RGB32);
    valori.foto.fill(QColor(200, 180, 140));
    riempiReportDocumento(*foglio, valori);
    foglio->prepara();
    if (stampaReport(contesto, nullptr, *foglio, QStringLiteral("Scheda di controllo")) != EsitoStampa::Stampata) {
        std::fprintf(stderr, "the page sheet was not printed\n");
        return 1;
    }

    const auto lista = listaNumerata(QStringLiteral("Riepilogo pagine in archivio"), QStringLiteral("controllo"),
                                     QStringLiteral("Titolo della pagina"), 200, 3);
    if (stampaReport(contesto, nullptr, *lista, QStringLiteral("Riepilogo di controllo")) != EsitoStampa::Stampata) {
        std::fprintf(stderr, "the list was not printed\n");
        return 1;
    }
    std::printf("printed: a page sheet and a list of %d pages\n", lista->numeroPagine());
    return 0;
}
