#pragma once

#include <QString>

// Naming and creating archive files: the rules of the create window, kept
// out of the widgets so that they can be checked directly.
namespace NomiArchivio {

// The characters that the name field refuses when typed: those that no
// Windows file name may hold, plus the few accented letters that old code
// pages map differently. The vertical bar is accepted.
bool carattereRifiutato(QChar c);
// The text without the refused characters (for composed input).
QString senzaRifiutati(const QString &testo);

enum class EsitoNome {
    Valido,
    Vuoto,       // nothing left once trimmed
    NonAmmesso,  // would name a file outside the program folder
    TroppoLungo, // its scan files could not be named on disk
};

// The archive name is the field text trimmed. A name pasted into the field
// escapes the key filter, so a path separator or a parent-folder name can
// reach this point: such a name would put the file somewhere else and is
// refused.
QString nomeDaCampo(const QString &testo);
EsitoNome verificaNome(const QString &nome);

// Program folder (ending in '/') + name + ".kpx"; nothing else is added,
// so a name already ending in ".kpx" gets a second one.
QString percorsoArchivio(const QString &cartella, const QString &nome);

// Creates the empty archive file and closes it. Never opens an existing
// file: if one appeared meanwhile, or the file system refuses, it throws
// std::runtime_error and nothing is changed.
void creaArchivioVuoto(const QString &percorso);

} // namespace NomiArchivio
