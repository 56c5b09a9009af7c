#pragma once

#include <QString>

// The four arrows of the editor. Each opens the archive, decides from the
// position on screen and the record count what to do, and closes it.
enum class Navigazione { Primo, Indietro, Avanti, Ultimo };

struct PassoNavigazione {
    enum Tipo {
        Nessuno, // nothing happens, silently
        ArchivioVuoto, // the empty-archive information
        Mostra, // read the record at `posizione` and show it
    };
    Tipo tipo = Nessuno;
    int posizione = 0;
    // Next on an empty archive also empties the position on screen.
    bool svuotaPosizione = false;

    bool operator==(const PassoNavigazione &altro) const
    {
        return tipo == altro.tipo && posizione == altro.posizione && svuotaPosizione == altro.svuotaPosizione;
    }
};

// The step of an arrow given the trimmed position text on screen (empty for
// a new record) and the record count. From a new record both Next and
// Previous lead to record 1; Previous on record 1 stays silent even on an
// empty archive, since that test comes before the count.
PassoNavigazione passoNavigazione(Navigazione verso, const QString &posizione, int conteggio);
