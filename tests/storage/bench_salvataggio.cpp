// What syncing to disk costs a save: a record overwritten, a record
// appended (with its lock), and a scan replaced, each timed with the real
// sync and with the sync call replaced by nothing.
//     storage_bench_salvataggio [folder] [repetitions]
// The folder decides the disk measured (default: the system's temporary
// folder).
#include "storage/archiviopagine.h"
#include "storage/fotopagina.h"
#include "storage/sostituzionefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

int nessunaSincronizzazione(int)
{
    return 0;
}

double millisecondiPerVolta(int volte, const std::function<void(int)> &passo)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < volte; ++i)
        passo(i);
    return double(t.nsecsElapsed()) / 1e6 / volte;
}

// A page-like picture: smooth shading and some detail, so JPEG has work.
QImage scansione()
{
    QImage img(1240, 1754, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, 1240, 1754);
    g.setColorAt(0, QColor(240, 235, 220));
    g.setColorAt(1, QColor(200, 190, 170));
    p.fillRect(img.rect(), g);
    for (int y = 100; y < 1700; y += 24)
        p.drawLine(80, y, 1160, y + (y % 7));
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const int volte = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 50;
    QTemporaryDir dir(base + QStringLiteral("/bench-salvataggio-XXXXXX"));
    if (!dir.isValid())
        return 1;
    const QString programma = dir.path() + u'/';
    const QString archivio = programma + QStringLiteral("Misura.kpx");
    const QImage foto = scansione();
    TSchedaPagina scheda = schedaVuota();
    impostaCampo(scheda, Campo::Titolo, QStringLiteral("Pagina di prova"));

    const ChiamateDisco &vere = chiamateDiSistema();
    ChiamateDisco senza = vere;
    senza.sincronizza = &nessunaSincronizzazione;

    std::printf("folder %s, %d repetitions, ms per operation\n", qPrintable(base), volte);
    std::printf("%-28s %10s %10s %10s\n", "", "synced", "not synced", "cost");
    const auto misura = [&](const char *nome, const std::function<void(int, const ChiamateDisco &)> &passo) {
        const double con = millisecondiPerVolta(volte, [&](int i) { passo(i, vere); });
        const double senzaSync = millisecondiPerVolta(volte, [&](int i) { passo(i, senza); });
        std::printf("%-28s %10.3f %10.3f %10.3f\n", nome, con, senzaSync, con - senzaSync);
    };

    {
        TArchivioPagine a;
        a.ApriArchivio(archivio);
        for (int i = 0; i < 10; ++i)
            a.AggiungiScheda(scheda);
        a.ChiudiArchivio();
    }
    misura("record overwritten", [&](int i, const ChiamateDisco &chiamate) {
        TArchivioPagine a(chiamate);
        a.ApriArchivio(archivio);
        a.ScriviScheda(1 + i % 10, scheda);
        a.ChiudiArchivio();
    });
    misura("record appended", [&](int, const ChiamateDisco &chiamate) {
        TArchivioPagine a(chiamate);
        a.ApriArchivio(archivio);
        a.AggiungiScheda(scheda);
        a.ChiudiArchivio();
    });
    misura("scan replaced (A4, 150 dpi)", [&](int i, const ChiamateDisco &chiamate) {
        scriviFileFoto(programma, percorsoFotoPagina(programma, QStringLiteral("Misura"), QString::number(1 + i % 10)),
                       foto, QByteArray(), chiamate);
    });
    return 0;
}
