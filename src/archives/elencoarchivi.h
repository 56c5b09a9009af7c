#pragma once

#include <QString>
#include <QStringList>

// The archives of the program folder as the open window lists them.
namespace ElencoArchivi {

// The names (with extension) of the files directly in the folder that match
// "*.kpx", sorted by Testo::compareFolded.
QStringList elenco(const QString &cartella);

// The archive name of an entry: the entry without its ".kpx".
QString nomeDaVoce(const QString &voce);
// The archive file of an entry. The entry is the file's exact name: a name
// that begins with blanks must not lead to another file.
QString percorsoDaVoce(const QString &cartella, const QString &voce);

// "Sono stati creati <n> documenti."
QString rigaConteggio(int numero);

// Removes the archive file, and nothing else. True when the file is gone.
bool elimina(const QString &percorso);

} // namespace ElencoArchivi
