// The archive walk with search and summary lines: any file at an archive's
// path, walked block by block, searched on criteria taken from the input,
// and its summary lines sorted and traced back to their records.
#include "search/criteriricerca.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

#include "fuzz_supporto.h"

#include <QDir>
#include <QFile>

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

    const PercorsoSchede percorso = [](const VisitaScheda &visita) {
        TArchivioPagine archivio;
        archivio.ApriArchivio(percorsoProva());
        archivio.PerOgniScheda(visita);
        archivio.ChiudiArchivio();
    };
    ElencoRighe righe;
    int visitate = 0;
    percorso([&](int posizione, const TSchedaPagina &) { FUZZ_VERIFICA(posizione == ++visitate); });
    FUZZ_VERIFICA(visitate == attese);
    righeRiepilogo(percorso, [&criteri](const TSchedaPagina &s) { return criteri.soddisfatti(s) || daCompletare(s); },
                   righe);
    FUZZ_VERIFICA(righe.size() <= attese);
    // The list's own sort, in place on the bytes, against the plain one on
    // the lines as text.
    QStringList ordinate = righe.testi();
    ordinaRighe(ordinate);
    righe.ordina();
    FUZZ_VERIFICA(righe.testi() == ordinate);
    for (const QString &riga : std::as_const(ordinate)) {
        const auto trovate = schedeDellaRiga(percorso, riga);
        FUZZ_VERIFICA(!trovate.isEmpty());
        for (const auto &t : trovate)
            FUZZ_VERIFICA(t.first >= 1 && t.first <= attese);
    }
    return 0;
}
