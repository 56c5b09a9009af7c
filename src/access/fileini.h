#pragma once

#include <QString>

#include <stdexcept>

// A small settings-file (INI) reader and writer: sections in square
// brackets, "key=value" lines; section and key names match whatever their
// letter case, blanks around names and values do not count, and a value in
// matching quotes loses them. Text is read as Latin-1, which keeps ASCII.
namespace FileIni {

// The file exists but cannot be read, or the new content cannot be written.
class ErroreFileIni : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The value of the key, at most maxCaratteri characters of it. A missing
// file, section or key gives the empty text; an unreadable file throws.
QString leggiValore(const QString &percorso, const QString &sezione, const QString &chiave,
                    int maxCaratteri);

// Sets the key, creating the file, the section or the key where missing and
// keeping every other line. The file is replaced in one step: if anything
// fails (a file marked read-only, a folder that refuses new files, a full
// disk) it throws and the old content stays as it was.
void scriviValore(const QString &percorso, const QString &sezione, const QString &chiave,
                  const QString &valore);

} // namespace FileIni
