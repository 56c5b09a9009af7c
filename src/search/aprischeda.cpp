#include "search/aprischeda.h"

#include "search/finestrariepilogo.h"
#include "search/modellorighe.h"
#include "search/rigariepilogo.h"

void ApriSchedaDaRiga(FinestraRiepilogo *finestra)
{
    const int scelta = finestra->voceSelezionata();
    if (scelta >= 0 && finestra->scriveInEditore())
        finestra->scegliScheda(finestra->modello()->righe().posizione(scelta));
    finestra->accept();
}
