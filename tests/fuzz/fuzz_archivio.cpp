// The archive walk with search and summary lines: any file at an archive's
// path, walked block by block, searched on criteria taken from the input,
// and its summary lines sorted and traced back to their records.
#include "search/criteriricerca.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

#include "fuzz_supporto.h"
#include "support/righe_supporto.h"

#include <QDir>
#include <QFile>
#include <QVector>

#include <unistd.h>

namespace {

QString percorsoProva()
{
    // In memory where the machine has it: the input is rewritten on every run.
    static const QString cartella =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const QString percorso = cartella + QStringLiteral("/velmora-fuzz-%1.kpx").arg(qint64(::getpid()));
    return percorso;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    silenziaRegistro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t quanti)
{
    // The first bytes pick up to three criteria: a field and a short text.
    CriteriRicerca criteri;
    size_t letto = 0;
    for (int c = 0; c < 3 && letto + 2 <= quanti; ++c) {
        const Campo campo = Campo(dati[letto] % kCampiDescrittivi);
        const size_t lunghezza = qMin<size_t>(dati[letto + 1] % 8, quanti - letto - 2);
        criteri.aggiungi(campo, QString::fromLatin1(reinterpret_cast<const char *>(dati + letto + 2),
                                                    qsizetype(lunghezza)));
        letto += 2 + lunghezza;
    }

    {
        QFile file(percorsoProva());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(dati + letto), qint64(quanti - letto));
    }
    const int attese = int(qint64(quanti - letto) / kDimensioneScheda);

    const PercorsoSchede percorso = percorsoFile(percorsoProva());
    ElencoRighe righe;
    QVector<QString> righeDelFile; // each record's line, by position
    percorso([&](int posizione, const TSchedaPagina &s) {
        FUZZ_VERIFICA(posizione == righeDelFile.size() + 1);
        righeDelFile.append(RigaRiepilogo(s));
    });
    FUZZ_VERIFICA(righeDelFile.size() == attese);
    righeRiepilogo(percorso, [&criteri](const TSchedaPagina &s) { return criteri.soddisfatti(s) || daCompletare(s); },
                   righe);
    FUZZ_VERIFICA(righe.size() <= attese);
    // The list's own sort, in place on the bytes, against the plain one on
    // the lines as text.
    QStringList ordinate = righe.testi();
    ordinaRighe(ordinate);
    righe.ordina();
    FUZZ_VERIFICA(righe.testi() == ordinate);
    // Each entry opens a record with that very line.
    for (qsizetype i = 0; i < righe.size(); ++i) {
        const int posizione = righe.posizione(i);
        FUZZ_VERIFICA(posizione >= 1 && posizione <= attese);
        FUZZ_VERIFICA(righeDelFile.at(posizione - 1) == righe.at(i));
    }
    return 0;
}
