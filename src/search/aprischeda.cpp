#include "search/aprischeda.h"

#include "app/finestre.h"
#include "editor/frmdocumenti.h"
#include "search/finestrariepilogo.h"
#include "search/modellorighe.h"
#include "search/rigariepilogo.h"
#include "storage/archiviopagine.h"

void ApriSchedaDaRiga(FinestraRiepilogo *finestra)
{
    try {
        const QVector<TSchedaPagina> schede = FinestraRiepilogo::schedeArchivioEditore();
        const int scelta = finestra->voceSelezionata();
        TfrmDocumenti *editore = frmDocumenti();
        if (scelta >= 0 && editore && finestra->scriveInEditore()) {
            const QString riga = finestra->modello()->righe().at(scelta);
            for (int posizione : posizioniDellaRiga(schede, riga))
                editore->MostraScheda(schede.at(posizione - 1), posizione);
        }
    } catch (const ErroreArchivio &) {
        // The window closes all the same; what was written stays.
    }
    finestra->accept();
}
