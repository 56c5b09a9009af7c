#pragma once

#include "storage/sostituzionefile.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

#include <sys/types.h>

// A small settings-file (INI) reader and writer: sections in square
// brackets, "key=value" lines; section and key names match whatever their
// letter case, blanks around names and values do not count, and a value in
// matching quotes loses them.
//
// Reading and writing share one view of the file, so that whatever the
// reader accepts the writer updates in place: bytes as Latin-1 (which keeps
// ASCII and gives every other byte back unchanged), a UTF-8 mark, UTF-16
// with or without its mark, and lines ended by CR LF, LF or CR alone. The
// writer keeps the file's encoding, mark and line end. A file that is none
// of these (NUL characters in its text) cannot be read: it throws rather
// than reading as empty.
namespace FileIni {

// The file exists but cannot be read, or the new content cannot be written.
class ErroreFileIni : public std::runtime_error
{
public:
    explicit ErroreFileIni(const QString &dettaglio);
};

// The value of the key, at most maxCaratteri characters of it. A missing
// file, section or key gives the empty text; an unreadable file throws.
QString leggiValore(const QString &percorso, const QString &sezione, const QString &chiave,
                    int maxCaratteri);

// Sets the key, creating the file, the section or the key where missing and
// keeping every other line. The file is replaced in one step: if anything
// fails (a file marked read-only, a folder that refuses new files, a full
// disk) it throws and the old content stays as it was. The file keeps no
// permissions beyond permessiMassimi (see sostituisciFile).
void scriviValore(const QString &percorso, const QString &sezione, const QString &chiave, const QString &valore,
                  mode_t permessiMassimi = 07777, const ChiamateDisco &chiamate = chiamateDiSistema());

// The same two on a file's content (a null array for a missing file).
QString valoreNelContenuto(const QByteArray &contenuto, const QString &sezione, const QString &chiave,
                           int maxCaratteri);
QByteArray contenutoConValore(const QByteArray &contenuto, const QString &sezione, const QString &chiave,
                              const QString &valore);

} // namespace FileIni
