#include "editor/editorpagine.h"

#include "storage/testo.h"

#include <QWidget>

namespace {

EditorPagine *g_editor = nullptr;

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

EditorPagine *editorPagine()
{
    return g_editor;
}

void registraEditorPagine(EditorPagine *editor)
{
    g_editor = editor;
}

EditorPagine *editorProprietario(const QWidget *finestra)
{
    return finestra ? dynamic_cast<EditorPagine *>(finestra->parentWidget()) : nullptr;
}
