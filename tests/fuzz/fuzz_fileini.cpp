// The password store reader and writer on any file content: whatever the
// reader accepts the writer updates in place, and the new value reads back.
#include "access/crypt.h"
#include "access/fileini.h"
#include "access/passwordmemorizzata.h"

#include "fuzz_supporto.h"

namespace {
const QString kSezione = QStringLiteral("Accesso");
const QString kVoce = QStringLiteral("Valore");
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    silenziaRegistro();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t quanti)
{
    const QByteArray contenuto(reinterpret_cast<const char *>(dati), qsizetype(quanti));
    bool letto = false;
    try {
        const QString valore = FileIni::valoreNelContenuto(contenuto, kSezione, kVoce, kCifreLette);
        FUZZ_VERIFICA(valore.size() <= kCifreLette);
        letto = true;
        try {
            Decripta(valore);
        } catch (const ErroreConversione &) {
        }
    } catch (const FileIni::ErroreFileIni &) {
    }

    const QString nuovo = Cripta(QStringLiteral("NUOVA PASSWORD"));
    try {
        const QByteArray scritto = FileIni::contenutoConValore(contenuto, kSezione, kVoce, nuovo);
        FUZZ_VERIFICA(FileIni::valoreNelContenuto(scritto, kSezione, kVoce, kCifreLette) == nuovo);
    } catch (const FileIni::ErroreFileIni &) {
        // Only a file the reader refused may be refused here.
        FUZZ_VERIFICA(!letto);
    }
    return 0;
}
