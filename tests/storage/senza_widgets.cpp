// A program on the record, archive and report libraries alone: the CTest
// test librerie_senza_widgets fails when ldd finds Qt Widgets among what it
// loads, and when it cannot do its small job (an accented record written
// to an archive and walked back, its title painted through the report
// engine).

#include "report/elementireport.h"
#include "storage/archiviopagine.h"
#include "storage/schedapagina.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("Prova.kpx"));
    const QString titolo = QStringLiteral("Lettera di Niccolò");
    TSchedaPagina scheda{};
    impostaCampo(scheda, Campo::Titolo, titolo);
    {
        TArchivioPagine archivio;
        archivio.ApriArchivio(percorso);
        archivio.AggiungiScheda(scheda);
        archivio.ChiudiArchivio();
    }
    QString letto;
    percorsoFile(percorso)([&letto](int, const TSchedaPagina &s) { letto = leggiCampo(s, Campo::Titolo); });

    QImage foglio(300, 40, QImage::Format_RGB32);
    foglio.fill(Qt::white);
    QPainter pittore(&foglio);
    CasellaTesto(QStringLiteral("txtTitolo"), QRectF(0, 0, 300, 40), CasellaTesto::Aspetto(), letto)
        .disegna(pittore, 0, 40);
    pittore.end();
    const bool dipinto = foglio != [] {
        QImage bianco(300, 40, QImage::Format_RGB32);
        bianco.fill(Qt::white);
        return bianco;
    }();
    if (letto != titolo || !dipinto) {
        std::fprintf(stderr, "letto \"%s\", dipinto %d\n", qPrintable(letto), int(dipinto));
        return 1;
    }
    return 0;
}
