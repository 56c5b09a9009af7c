#include "search/aprischeda.h"

#include "editor/editorpagine.h"
#include "search/finestrariepilogo.h"
#include "search/modellorighe.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

void ApriSchedaDaRiga(FinestraRiepilogo *finestra)
{
    try {
        const int scelta = finestra->voceSelezionata();
        EditorPagine *editore = finestra->editor();
        if (scelta >= 0 && editore && finestra->scriveInEditore()) {
            const QString riga = finestra->modello()->righe().at(scelta);
            for (const auto &trovata : schedeDellaRiga(finestra->archivioEditore(), riga))
                editore->MostraScheda(trovata.second, trovata.first);
        }
    } catch (const ErroreArchivio &) {
        // The window closes all the same; what was written stays.
    }
    finestra->accept();
}
