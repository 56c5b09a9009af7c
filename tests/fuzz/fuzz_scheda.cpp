// The record decoder: any 3990 bytes, as an archive written by anything may
// hold them, read field by field; what is read and written back reads the
// same again.
#include "storage/schedapagina.h"

#include "fuzz_supporto.h"

#include <cstring>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    silenziaRegistro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t quanti)
{
    TSchedaPagina scheda = schedaVuota();
    std::memcpy(&scheda, dati, qMin(quanti, sizeof scheda));

    TSchedaPagina copia = schedaVuota();
    for (int k = 0; k < kNumeroCampi; ++k) {
        const Campo campo = Campo(k);
        const QString testo = leggiCampo(scheda, campo);
        FUZZ_VERIFICA(testo.size() <= infoCampo(campo).capacita);
        impostaCampo(copia, campo, testo);
        FUZZ_VERIFICA(leggiCampo(copia, campo) == testo);
    }
    FUZZ_VERIFICA(leggiFlag(copia) == leggiFlag(scheda));
    return 0;
}
