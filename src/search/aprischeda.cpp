#include "search/aprischeda.h"

#include "search/finestrariepilogo.h"
#include "search/modellorighe.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

void ApriSchedaDaRiga(FinestraRiepilogo *finestra)
{
    try {
        const int scelta = finestra->voceSelezionata();
        if (scelta >= 0 && finestra->scriveInEditore()) {
            const QString riga = finestra->modello()->righe().at(scelta);
            const auto trovate = schedeDellaRiga(finestra->archivioEditore(), riga);
            if (!trovate.isEmpty())
                emit finestra->schedaScelta(trovate.last().first);
        }
    } catch (const ErroreArchivio &) {
        // The window closes all the same; what was written stays.
    }
    finestra->accept();
}
