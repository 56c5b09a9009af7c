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

// Takes the texts of an archive's pages out of the text index of the
// folder, once the archive is gone, so that an archive made later with its
// name does not find them. The index is neither made nor repaired for this,
// nor waited for long: when it is missing, damaged, newer, a link or busy,
// the texts stay until the next reading of an archive of that name clears
// them. True when none is left.
bool togliTesti(const QString &cartella, const QString &nome);

} // namespace ElencoArchivi
