// Decripta on any text: it fails only on a pair that is not hexadecimal,
// and what it deciphers enciphers back to the same digits.
#include "access/crypt.h"

#include "fuzz_supporto.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    silenziaRegistro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t quanti)
{
    const QString cifrato = QString::fromLatin1(reinterpret_cast<const char *>(dati), qsizetype(quanti));
    QString chiaro;
    try {
        chiaro = Decripta(cifrato);
    } catch (const ErroreConversione &) {
        return 0;
    }
    FUZZ_VERIFICA(chiaro.size() == cifrato.size() / 2);
    FUZZ_VERIFICA(Cripta(chiaro) == cifrato.left(chiaro.size() * 2).toUpper());
    return 0;
}
