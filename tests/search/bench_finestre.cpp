// What the user meets, for scripts/bench.sh: the windows' own clicks on an
// archive, each timed in one process beside its baseline, both on a warm
// cache. One job a process; it prints "program_ms baseline_ms" (baseline 0
// where the goal is a fixed time) and what it found on standard error. It
// judges nothing.
//
//   bench_finestre cerca FILE         "Cerca" with Autore "rossi" and Titolo
//                                     "lettera", to the list on screen, vs
//                                     reading the file once in 1 MB blocks
//   bench_finestre tutte FILE         "Cerca" with no criterion vs reading
//                                     the file and sorting its titles folded
//   bench_finestre dacompletare FILE  the to-complete window filled and on
//                                     screen vs the full list through "Cerca"
//   bench_finestre esporta FILE       the export window opened and painted
//   bench_finestre stampa FILE PDF    "Cerca" with no criterion, then
//                                     "Stampa" to a PDF file (the bench sets
//                                     texttopdf beside it)
//   bench_finestre righe FILE TXT     the full list's lines, one a line in
//                                     UTF-8, for texttopdf
//   bench_finestre anteprima FILE     the full list's report in the preview,
//                                     to its first page painted

#include "app/stampareport.h"
#include "app/vistapagine.h"
#include "editor/frmdocumenti.h"
#include "output/frmexpdocumenti.h"
#include "search/frmriepdacompletare.h"
#include "search/frmtrovapagine.h"
#include "search/modellorighe.h"
#include "search/reportriepilogo.h"
#include "startup/finestre.h"

#include "support/documenti_supporto.h"
#include "support/stampa_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kScheda = 3990;

double ms(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

// Lets everything the click left waiting run, the painting of the window
// included.
void lasciaDipingere(QWidget *finestra)
{
    QCoreApplication::processEvents();
    finestra->repaint();
    QCoreApplication::processEvents();
}

// Reading the archive once in 1 MB blocks; with the titles, each trimmed,
// collected and sorted with a-z folded onto A-Z.
double lettura(const QString &percorso, bool titoli)
{
    QElapsedTimer t;
    t.start();
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return -1;
    constexpr qint64 kBlocco = 1 << 20;
    const qint64 perBlocco = kBlocco / kScheda * kScheda;
    std::unique_ptr<char[]> blocco(new char[size_t(perBlocco)]);
    std::vector<std::string> raccolti;
    for (qint64 n; (n = f.read(blocco.get(), perBlocco)) > 0;) {
        if (!titoli)
            continue;
        for (qint64 r = 0; r + kScheda <= n; r += kScheda) {
            const auto *campo = reinterpret_cast<const unsigned char *>(blocco.get() + r);
            int a = 1, b = 1 + std::min(int(campo[0]), 120);
            while (a < b && campo[a] <= 32)
                ++a;
            while (b > a && campo[b - 1] <= 32)
                --b;
            raccolti.emplace_back(reinterpret_cast<const char *>(campo + a), size_t(b - a));
        }
    }
    if (titoli) {
        const auto piega = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 32 : c; };
        std::stable_sort(raccolti.begin(), raccolti.end(), [&](const std::string &x, const std::string &y) {
            return std::lexicographical_compare(
                x.begin(), x.end(), y.begin(), y.end(),
                [&](char p, char q) { return piega((unsigned char)p) < piega((unsigned char)q); });
        });
    }
    return ms(t);
}

struct Lista {
    double ms;
    int voci;
};

Lista cerca(const QString &autore, const QString &titolo)
{
    TfrmTrovaPagine f(contestoDiProva(), frmDocumenti());
    suArchivioEditore(&f);
    f.impostaChiamante(Chiamante::Documenti);
    f.show();
    lasciaDipingere(&f);
    f.findChild<QLineEdit *>(QStringLiteral("txtAutore"))->setText(autore);
    f.findChild<QLineEdit *>(QStringLiteral("txtTitolo"))->setText(titolo);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(f.btnCerca, Qt::LeftButton);
    lasciaDipingere(&f);
    const Lista l{ms(t), int(f.modello()->rowCount())};
    f.close();
    return l;
}

// A window opened from the editor, to its first paint; what it lists.
template <class Finestra, class Conta>
Lista apri(Conta conta)
{
    QElapsedTimer t;
    t.start();
    Finestra f(contestoDiProva(), frmDocumenti());
    suArchivioEditore(&f);
    f.show();
    lasciaDipingere(&f);
    const Lista l{ms(t), conta(f)};
    f.close();
    return l;
}

Lista daCompletare()
{
    return apri<TfrmRiepDaCompletare>([](TfrmRiepDaCompletare &f) { return int(f.modello()->rowCount()); });
}

double esporta()
{
    const Lista l = apri<TfrmExpDocumenti>([](TfrmExpDocumenti &f) {
        return f.grdRecords->model() ? f.grdRecords->model()->rowCount() : -1;
    });
    std::fprintf(stderr, "export grid rows: %d\n", l.voci);
    return l.ms;
}

double stampa(const QString &pdf)
{
    TfrmTrovaPagine f(contestoDiProva(), frmDocumenti());
    suArchivioEditore(&f);
    f.impostaChiamante(Chiamante::Documenti);
    f.show();
    QTest::mouseClick(f.btnCerca, Qt::LeftButton);
    lasciaDipingere(&f);
    RispostaStampa risposta;
    risposta.stampaIn(pdf);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(f.btnStampa, Qt::LeftButton);
    lasciaDipingere(&f);
    const double tempo = ms(t);
    f.close();
    return tempo;
}

int righe(const QString &uscita)
{
    TfrmTrovaPagine f(contestoDiProva(), frmDocumenti());
    suArchivioEditore(&f);
    f.impostaChiamante(Chiamante::Documenti);
    f.show();
    QTest::mouseClick(f.btnCerca, Qt::LeftButton);
    QFile file(uscita);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    for (const QString &r : f.modello()->righe().testi())
        file.write(r.toUtf8() + '\n');
    return 0;
}

// The preview of the full list, to the moment its first page is on screen.
double anteprima()
{
    TfrmTrovaPagine f(contestoDiProva(), frmDocumenti());
    suArchivioEditore(&f);
    f.impostaChiamante(Chiamante::Documenti);
    f.show();
    QTest::mouseClick(f.btnCerca, Qt::LeftButton);
    lasciaDipingere(&f);
    Report &report = f.frxReport();
    riempiReportRiepilogo(report, f.titoloStampa(), f.modello()->righe().testi(), QDateTime::currentDateTime());
    report.prepara();

    QElapsedTimer t;
    double tempo = -1;
    // The first paint of the preview's pages ends the measure and the preview.
    QTimer guarda;
    QObject::connect(&guarda, &QTimer::timeout, [&] {
        QWidget *attiva = QApplication::activeModalWidget();
        auto *vista = attiva ? attiva->findChild<VistaPagine *>() : nullptr;
        if (!vista || !vista->isVisible())
            return;
        if (tempo < 0) {
            vista->viewport()->repaint();
            tempo = ms(t);
        }
        attiva->close();
    });
    guarda.start(1);
    t.start();
    anteprimaReport(f.contesto(), &f, report, f.titoloStampa());
    return tempo;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QString percorso = QString::fromLocal8Bit(argv[2]);
    const char *lavoro = argv[1];
    ProgrammaDiProva programma;
    RegistroMessaggi messaggi;
    frmDocumenti()->documento().impostaCartellaProgramma(programma.cartella());
    frmDocumenti()->documento().apri(percorso, QStringLiteral("Bench"));
    // Warm the cache and the windows' first-use work for both sides.
    lettura(percorso, false);

    double programmaMs = 0, baseMs = 0;
    if (std::strcmp(lavoro, "cerca") == 0) {
        cerca(QStringLiteral("rossi"), QStringLiteral("lettera"));
        baseMs = lettura(percorso, false);
        const Lista l = cerca(QStringLiteral("rossi"), QStringLiteral("lettera"));
        programmaMs = l.ms;
        std::fprintf(stderr, "lines: %d\n", l.voci);
    } else if (std::strcmp(lavoro, "tutte") == 0) {
        cerca(QString(), QString());
        baseMs = lettura(percorso, true);
        const Lista l = cerca(QString(), QString());
        programmaMs = l.ms;
        std::fprintf(stderr, "lines: %d\n", l.voci);
    } else if (std::strcmp(lavoro, "dacompletare") == 0) {
        daCompletare();
        baseMs = cerca(QString(), QString()).ms;
        const Lista l = daCompletare();
        programmaMs = l.ms;
        std::fprintf(stderr, "lines: %d\n", l.voci);
    } else if (std::strcmp(lavoro, "esporta") == 0) {
        programmaMs = esporta();
    } else if (std::strcmp(lavoro, "stampa") == 0 && argc >= 4) {
        programmaMs = stampa(QString::fromLocal8Bit(argv[3]));
    } else if (std::strcmp(lavoro, "righe") == 0 && argc >= 4) {
        return righe(QString::fromLocal8Bit(argv[3]));
    } else if (std::strcmp(lavoro, "anteprima") == 0) {
        programmaMs = anteprima();
    } else {
        return 2;
    }
    if (!messaggi.testi().isEmpty())
        std::fprintf(stderr, "messages: %s\n", qPrintable(messaggi.testi().join(QLatin1Char('|'))));
    std::printf("%.3f %.3f\n", programmaMs, baseMs);
    return 0;
}
