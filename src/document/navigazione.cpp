#include "document/navigazione.h"

namespace {

PassoNavigazione mostra(int posizione)
{
    return {PassoNavigazione::Mostra, posizione, false};
}

const PassoNavigazione kNessuno{PassoNavigazione::Nessuno, 0, false};
const PassoNavigazione kVuoto{PassoNavigazione::ArchivioVuoto, 0, false};

} // namespace

PassoNavigazione passoNavigazione(Navigazione verso, const QString &posizione, int conteggio)
{
    // An empty position is a new record, which counts as 0.
    const int p = posizione.toInt();
    switch (verso) {
    case Navigazione::Primo:
        return conteggio == 0 ? kVuoto : mostra(1);
    case Navigazione::Ultimo:
        return conteggio == 0 ? kVuoto : mostra(conteggio);
    case Navigazione::Avanti:
        if (conteggio == 0)
            return {PassoNavigazione::ArchivioVuoto, 0, true};
        return p < conteggio ? mostra(p + 1) : kNessuno;
    case Navigazione::Indietro:
        if (posizione == QLatin1String("1"))
            return kNessuno;
        if (conteggio == 0)
            return kVuoto;
        return posizione.isEmpty() ? mostra(1) : mostra(p - 1);
    }
    return kNessuno;
}
