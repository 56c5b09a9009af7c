// Prints a page sheet and a 200-line list on the default printer through
// the program's own print path, the print dialog accepted as it opens.
// scripts/check-print.sh runs it against a CUPS-PDF queue; it is no test of
// its own, since it needs a real printer.

#include "app/contesto.h"
#include "app/formati.h"
#include "app/stampareport.h"
#include "output/reportdocumento.h"
#include "search/reportriepilogo.h"

#include <QApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

#include <cstdio>

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
    Contesto contesto(cartella.path());
    contesto.impostaRispostaStampa([](QPrinter &p) {
        // What the dialog shows on opening is what gets printed.
        return p.outputFormat() == QPrinter::NativeFormat;
    });

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

    auto lista = creaReportRiepilogo();
    QStringList righe;
    for (int i = 1; i <= 200; ++i)
        righe.append(QStringLiteral("controllo%1 Titolo della pagina %1").arg(i, 3, 10, QLatin1Char('0')));
    riempiReportRiepilogo(*lista, QStringLiteral("Riepilogo pagine in archivio"), righe, QDateTime::currentDateTime());
    lista->prepara();
    if (stampaReport(contesto, nullptr, *lista, QStringLiteral("Riepilogo di controllo")) != EsitoStampa::Stampata) {
        std::fprintf(stderr, "the list was not printed\n");
        return 1;
    }
    std::printf("printed: a page sheet and a list of %d pages\n", lista->numeroPagine());
    return 0;
}
