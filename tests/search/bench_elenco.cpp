// The program's own code, one job per process, for scripts/bench.sh, which
// times whole processes and reads their peak memory. It judges nothing.
//
//   bench_elenco genera N FILE    writes an archive of N records
//   bench_elenco cerca FILE       the search with two criteria, as "Cerca" runs it
//   bench_elenco tutte FILE       the search with no criterion: every line, sorted
//   bench_elenco righe FILE OUT   the same lines in file order, one a line (UTF-8),
//                                 for the baseline sort
//
// It links the core library alone and loads only the toolkit's core, so that
// its start costs what the search needs and no more.

#include "search/criteriricerca.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char *const kParole[] = {"lettera", "atto", "registro", "contratto", "diario", "mappa",
                               "inventario", "supplica", "verbale", "ricevuta", "bolla", "elenco",
                               "Perizia", "città", "Società", "bottega"};
const char *const kCognomi[] = {"Rossi", "Bianchi", "Verdi", "Neri", "Gallo", "Costa", "Fontana", "Conti",
                                "De Luca", "Mancini", "Lombardi", "Barbieri", "Esposito", "Ricci", "Marino",
                                "Greco"};
const char *const kTesti[] = {
    "Pagina scritta su due colonne, margini ampi, inchiostro bruno in parte sbiadito.",
    "Elenco di nomi e di somme, con correzioni a margine di mano diversa.",
    "Testo continuo, senza capoversi; la parte bassa è macchiata d'umidità.",
    "Copia di una lettera con la firma e il sigillo in ceralacca rossa.",
    "Registrazione di un contratto di affitto di terre presso il fiume."};

// A deterministic spread of values: each record differs, runs repeat.
unsigned mescola(unsigned i)
{
    i ^= i >> 16;
    i *= 0x7feb352dU;
    i ^= i >> 15;
    i *= 0x846ca68bU;
    i ^= i >> 16;
    return i;
}

QString testoLungo(unsigned h, int frasi)
{
    QString t;
    for (int k = 0; k < frasi; ++k) {
        if (k)
            t += u' ';
        t += QString::fromUtf8(kTesti[(h >> (3 * k)) % 5]);
    }
    return t;
}

// Every descriptive field holds something of a length users type; one
// record in ten is by Zorzi and one in ten has "pergamena" among its
// keywords, both together on one in a hundred.
TSchedaPagina schedaNumero(int i)
{
    const unsigned h = mescola(unsigned(i));
    TSchedaPagina s = schedaVuota();
    auto metti = [&s](Campo c, const QString &t) { impostaCampo(s, c, t); };
    metti(Campo::Titolo, QStringLiteral("%1 %2 n. %3")
                             .arg(QString::fromUtf8(kParole[h % 16]), QString::fromUtf8(kParole[(h >> 4) % 16]))
                             .arg(h % 100000));
    metti(Campo::Codice, QStringLiteral("DOC-%1-%2").arg(i / 400).arg(i % 400 + 1));
    metti(Campo::Autore, (i % 10 == 3) ? QStringLiteral("Zorzi Anna")
                                       : QStringLiteral("%1 %2").arg(QString::fromUtf8(kCognomi[(h >> 8) % 16]),
                                                                      QString::fromUtf8(kCognomi[(h >> 12) % 16])));
    metti(Campo::Creazione, QStringLiteral("%1/%2/19%3").arg(h % 28 + 1).arg((h >> 5) % 12 + 1).arg(h % 100));
    metti(Campo::Modifica, QStringLiteral("12/03/2024"));
    metti(Campo::Tipologia, QString::fromUtf8(kParole[(h >> 16) % 16]));
    metti(Campo::PagNum, QString::number(i % 400 + 1));
    metti(Campo::RigheNum, QString::number(20 + h % 30));
    metti(Campo::Carta, QStringLiteral("vergata, filigrana a tre cerchi"));
    metti(Campo::Carattere, QStringLiteral("corsiva cancelleresca"));
    metti(Campo::Lingua, (h & 1) ? QStringLiteral("italiano") : QStringLiteral("latino"));
    metti(Campo::Descrizione, testoLungo(h, 2));
    metti(Campo::Incipit, QStringLiteral("In nome di Dio amen. L'anno del Signore ") + QString::number(1500 + h % 400));
    const bool pergamena = (i % 100 == 3) || (i % 20 == 7);
    metti(Campo::Parole, pergamena ? QStringLiteral("carta, pergamena, sigillo, notaio")
                                   : QStringLiteral("carta, inchiostro, registro, notaio"));
    metti(Campo::Illustrazioni, (h % 5 == 0) ? QStringLiteral("capolettera miniato") : QString());
    metti(Campo::Annotazioni, (h % 3 == 0) ? QStringLiteral("note a matita sul margine destro") : QString());
    metti(Campo::Formato, QStringLiteral("in folio, 310 x 215 mm"));
    metti(Campo::Stato, QStringLiteral("buono, lievi gore d'acqua"));
    metti(Campo::Collocazione, QStringLiteral("Armadio %1, scaffale %2").arg(h % 12 + 1).arg((h >> 3) % 8 + 1));
    metti(Campo::Giudizio, testoLungo(h >> 7, 1));
    metti(Campo::Note, (h % 4 == 0) ? testoLungo(h >> 11, 2) : QString());
    impostaFlag(s, i % 7 == 0);
    if (h % 6 == 0) {
        metti(Campo::File01, QStringLiteral("allegato_%1.pdf").arg(i));
        metti(Campo::Desc01, QStringLiteral("trascrizione della pagina"));
    }
    return s;
}

int genera(int n, const char *percorso)
{
    QFile f(QString::fromLocal8Bit(percorso));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    std::vector<TSchedaPagina> blocco;
    for (int i = 0; i < n; i += 1024) {
        blocco.clear();
        for (int k = i; k < std::min(n, i + 1024); ++k)
            blocco.push_back(schedaNumero(k));
        const qint64 byte = qint64(blocco.size()) * kDimensioneScheda;
        if (f.write(reinterpret_cast<const char *>(blocco.data()), byte) != byte)
            return 1;
    }
    return f.flush() ? 0 : 1;
}

int elenca(const QString &percorso, const CriteriRicerca &criteri)
{
    ElencoRighe righe;
    righeRiepilogo(percorsoFile(percorso), [&criteri](const TSchedaPagina &s) { return criteri.soddisfatti(s); }, righe);
    righe.ordina();
    std::printf("%d\n", int(righe.size()));
    return 0;
}

int scriviRighe(const QString &percorso, const char *uscita)
{
    ElencoRighe righe;
    righeRiepilogo(percorsoFile(percorso), [](const TSchedaPagina &) { return true; }, righe);
    QFile f(QString::fromLocal8Bit(uscita));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 1;
    for (qsizetype i = 0; i < righe.size(); ++i)
        f.write(righe.at(i).toUtf8() + '\n');
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "genera") == 0)
        return genera(std::atoi(argv[2]), argv[3]);
    if (argc < 3)
        return 2;
    const QString percorso = QString::fromLocal8Bit(argv[2]);
    const char *lavoro = argv[1];
    if (std::strcmp(lavoro, "cerca") == 0) {
        CriteriRicerca due;
        due.aggiungi(Campo::Autore, QStringLiteral("zorzi"));
        due.aggiungi(Campo::Parole, QStringLiteral("PERGAMENA"));
        return elenca(percorso, due);
    }
    if (std::strcmp(lavoro, "tutte") == 0)
        return elenca(percorso, CriteriRicerca());
    if (std::strcmp(lavoro, "righe") == 0 && argc >= 4)
        return scriviRighe(percorso, argv[3]);
    return 2;
}
