#include "app/chiamante.h"

#include "storage/testo.h"

namespace {

const QString kMarcaAvvio = QStringLiteral("avvio");
const QString kMarcaDocumenti = QStringLiteral("documenti");

} // namespace

QString marcaChiamante(Chiamante chiamante)
{
    switch (chiamante) {
    case Chiamante::Avvio:
        return kMarcaAvvio;
    case Chiamante::Documenti:
        return kMarcaDocumenti;
    case Chiamante::Nessuno:
        break;
    }
    return QString();
}

Chiamante chiamanteDaMarca(const QString &marca)
{
    const QString m = Testo::trim(marca);
    if (m == kMarcaAvvio)
        return Chiamante::Avvio;
    if (m == kMarcaDocumenti)
        return Chiamante::Documenti;
    return Chiamante::Nessuno;
}
