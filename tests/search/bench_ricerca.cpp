// Measures what a search costs per record on archives of growing size, next
// to the bare reading of the file: the search without criteria, the search
// with two criteria that keep 1 % of the records, and the filling of the
// result list. Run it by hand; it judges nothing.

#include "editor/frmdocumenti.h"
#include "search/criteriricerca.h"
#include "search/frmtrovapagine.h"
#include "search/modellorighe.h"
#include "search/rigariepilogo.h"
#include "startup/finestre.h"
#include "storage/archiviopagine.h"

#include "support/ricerca_supporto.h"
#include "support/supporto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const char *const kParole[] = {"lettera", "atto", "registro", "contratto", "diario", "mappa",
                               "inventario", "supplica", "verbale", "ricevuta", "bolla", "elenco"};
const char *const kCognomi[] = {"Rossi", "Bianchi", "Verdi", "Neri", "Gallo", "Costa", "Fontana", "Conti"};

// Titles vary enough that the sort has real work; 10 % of the authors are
// Zorzi and 10 % of the keywords hold "pergamena", but both only together
// on one record in a hundred.
TSchedaPagina schedaNumero(int i)
{
    const unsigned h = unsigned(i) * 2654435761u;
    const QString titolo = QStringLiteral("%1 %2 n. %3")
                               .arg(QString::fromLatin1(kParole[h % 12]), QString::fromLatin1(kParole[(h >> 8) % 12]))
                               .arg(h % 100000);
    const QString autore = (i % 10 == 0) ? QStringLiteral("Zorzi Anna") : QString::fromLatin1(kCognomi[(h >> 4) % 8]);
    TSchedaPagina s = schedaDiProva(titolo, autore, QStringLiteral("C-%1").arg(i), QString::number(i % 400 + 1),
                                    (i % 7 == 0) ? QByteArray("\x02S\xEC", 3) : QByteArray("\x02No", 3));
    const bool pergamena = (i % 100 == 0) || (i % 20 == 5);
    impostaCampo(s, Campo::Parole, pergamena ? QStringLiteral("carta, pergamena, sigillo") : QStringLiteral("carta"));
    impostaCampo(s, Campo::Descrizione, QStringLiteral("Descrizione della pagina numero %1").arg(i));
    return s;
}

// Best of three, in nanoseconds.
qint64 misura(const std::function<void()> &lavoro)
{
    qint64 migliore = std::numeric_limits<qint64>::max();
    for (int k = 0; k < 3; ++k) {
        QElapsedTimer t;
        t.start();
        lavoro();
        migliore = std::min(migliore, t.nsecsElapsed());
    }
    return migliore;
}

void riga(const char *cosa, qint64 ns, int n, qint64 lettura)
{
    std::printf("  %-44s %10.2f ms %9.0f ns/scheda %7.2f x lettura\n", cosa, double(ns) / 1e6, double(ns) / n,
                double(ns) / double(lettura));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ProgrammaDiProva programma;

    CriteriRicerca dueCriteri;
    dueCriteri.aggiungi(Campo::Autore, QStringLiteral("zorzi"));
    dueCriteri.aggiungi(Campo::Parole, QStringLiteral("PERGAMENA"));
    CriteriRicerca nessuno;

    for (int n : {1000, 10000, 100000}) {
        const QString percorso = programma.percorso(QStringLiteral("Bench%1.kpx").arg(n));
        QVector<TSchedaPagina> schede;
        schede.reserve(n);
        for (int i = 0; i < n; ++i)
            schede.append(schedaNumero(i));
        scriviArchivio(percorso, schede);
        schede = QVector<TSchedaPagina>();
        frmDocumenti()->documento().apri(percorso, QStringLiteral("Bench%1").arg(n));

        std::printf("%d schede (%.1f MB)\n", n, double(n) * double(kDimensioneScheda) / 1e6);
        const qint64 lettura = misura([&] { percorsoFile(percorso)([](int, const TSchedaPagina &) {}); });
        riga("lettura del file (PerOgniScheda)", lettura, n, lettura);

        int trovate = 0;
        const qint64 tutte = misura([&] {
            ElencoRighe r;
            righeRiepilogo(percorsoFile(percorso), [&](const TSchedaPagina &x) { return nessuno.soddisfatti(x); }, r);
            r.ordina();
            trovate = int(r.size());
        });
        riga(qPrintable(QStringLiteral("ricerca senza criteri (%1 righe)").arg(trovate)), tutte, n, lettura);

        ElencoRighe righeTutte;
        const qint64 due = misura([&] {
            ElencoRighe r;
            righeRiepilogo(percorsoFile(percorso), [&](const TSchedaPagina &x) { return dueCriteri.soddisfatti(x); }, r);
            r.ordina();
            trovate = int(r.size());
        });
        riga(qPrintable(QStringLiteral("ricerca con due criteri (%1 righe)").arg(trovate)), due, n, lettura);

        {
            righeRiepilogo(percorsoFile(percorso), [](const TSchedaPagina &) { return true; }, righeTutte);
            righeTutte.ordina();
        }
        QListView vista;
        ModelloRighe modello;
        vista.setModel(&modello);
        vista.setUniformItemSizes(true);
        vista.resize(801, 273);
        vista.show();
        modello.impostaLarghezzaVoci(1600);
        const qint64 riempimento = misura([&] {
            modello.svuota();
            ElencoRighe copia;
            righeRiepilogo(percorsoFile(percorso), [](const TSchedaPagina &) { return true; }, copia);
            copia.ordina();
            modello.impostaRighe(std::move(copia));
            vista.doItemsLayout();
            vista.viewport()->repaint();
        });
        riga(qPrintable(QStringLiteral("elenco, ordine e riempimento della lista (%1 righe)").arg(righeTutte.size())), riempimento, n,
             lettura);

        // The whole "Cerca" click of a window, busy label and panels included.
        const qint64 finestra = misura([&] {
            TfrmTrovaPagine f(contestoDiProva(), frmDocumenti());
            f.impostaArchivio(percorso, QStringLiteral("Bench"));
            f.impostaChiamante(Chiamante::Documenti);
            f.show();
            f.btnCerca->click();
            if (f.lstRecords->model()->rowCount() != n)
                std::printf("  ! la finestra elenca %d righe\n", f.lstRecords->model()->rowCount());
        });
        riga("clic su Cerca senza criteri, finestra intera", finestra, n, lettura);
        QFile::remove(percorso);
    }
    return 0;
}
