// The editor's arrows on an archive, for scripts/bench.sh: the whole window
// set is up, the editor is on the archive and each arrow is clicked many
// times from the middle record. Prints the median microseconds of one click
// for first, last and next; and of opening a line of a search window's full
// list into the editor (riga), then closing that window (chiusura), beside
// next to a record not yet on screen (successiva). It judges nothing.
//
//   bench_navigazione FILE

#include "app/chiamante.h"
#include "app/vistaimmagine.h"
#include "editor/frmdocumenti.h"
#include "search/aprischeda.h"
#include "search/frmtrovapagine.h"
#include "search/modellorighe.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/documenti_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString percorso = QString::fromLocal8Bit(argv[1]);
    ProgrammaDiProva programma;
    TfrmDocumenti *editor = finestre().frmDocumenti;
    editor->documento().impostaCartellaProgramma(programma.cartella());
    editor->documento().apri(percorso, QStringLiteral("Bench"));
    TArchivioPagine a;
    a.ApriArchivio(percorso);
    const int conteggio = a.ContaSchede();
    const int meta = conteggio / 2;
    a.ChiudiArchivio();

    auto misura = [&](const char *comando) {
        auto *c = editor->findChild<VistaImmagine *>(QString::fromLatin1(comando));
        std::vector<double> tempi;
        for (int k = 0; k < 41; ++k) {
            editor->MostraScheda(schedaVuota(), meta);
            QElapsedTimer t;
            t.start();
            emit c->clicked();
            tempi.push_back(double(t.nsecsElapsed()) / 1e3);
        }
        std::sort(tempi.begin(), tempi.end());
        return tempi[tempi.size() / 2];
    };
    std::printf("primo %.1f\nultimo %.1f\navanti %.1f\n", misura("cmdPrimo"), misura("cmdUltimo"),
                misura("cmdAvanti"));

    // Opening a line, as the double click does, from the list of every
    // record: riga runs to the record on the editor (a slot connected after
    // the editor's stamps the time), chiusura on to the window closed and
    // its list released. Closing empties the list, so each turn searches
    // again (untimed; fewer turns, as each search walks the whole archive).
    // Beside them, in the same turn, next to a record not yet on screen, as
    // the one a line opens (the arrows above show one record again and
    // again).
    TfrmTrovaPagine ricerca(contestoDiProva(), editor);
    suArchivioEditore(&ricerca);
    ricerca.impostaChiamante(Chiamante::Documenti);
    QElapsedTimer t;
    qint64 mostrata = 0;
    QObject::connect(&ricerca, &FinestraRiepilogo::schedaScelta, &ricerca, [&] { mostrata = t.nsecsElapsed(); });
    auto *avanti = editor->findChild<VistaImmagine *>(QStringLiteral("cmdAvanti"));
    std::vector<double> righe;
    std::vector<double> chiusure;
    std::vector<double> successive;
    for (int k = 0; k < 11; ++k) {
        ricerca.show();
        ricerca.btnCerca->click();
        const int righeElenco = int(ricerca.modello()->rowCount());
        ricerca.selezionaVoce((righeElenco / 2 + k) % righeElenco);
        // Next from a record that the line does not open; the two take
        // turns at going first, on the walk's heels.
        const auto successiva = [&] {
            // Any record but the last, so that there is a next.
            editor->MostraScheda(schedaVuota(), 1 + (meta + 2 * k) % qMax(1, conteggio - 1));
            t.start();
            emit avanti->clicked();
            successive.push_back(double(t.nsecsElapsed()) / 1e3);
        };
        if (k % 2 == 0)
            successiva();
        editor->documento().pulisci();
        mostrata = 0;
        t.start();
        ApriSchedaDaRiga(&ricerca);
        const qint64 chiusa = t.nsecsElapsed();
        if (posizioneMostrata(editor).isEmpty() || mostrata == 0)
            std::fprintf(stderr, "  ! la riga non ha aperto nessuna scheda\n");
        righe.push_back(double(mostrata) / 1e3);
        chiusure.push_back(double(chiusa - mostrata) / 1e3);
        if (k % 2 == 1)
            successiva();
    }
    const auto mediana = [](std::vector<double> &v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("riga %.1f\nchiusura %.1f\nsuccessiva %.1f\n", mediana(righe), mediana(chiusure),
                mediana(successive));
    return 0;
}
