#pragma once

#include "storage/sostituzionefile.h"

#include <QString>

#include <stdexcept>

#include <sys/types.h>

// The installation's one password, kept enciphered in a small settings file
// in the program folder: section "Accesso", entry "Valore". The file name
// says nothing of what it holds.
inline const QString kFileArchivioPassword = QStringLiteral("unins000.dll");
// The store is for its owner alone: its cipher is easy to undo. A stricter
// mode the user gave it stays.
inline constexpr mode_t kPermessiArchivioPassword = 0600;

// The settings routine reads values into a buffer of 2048 characters with
// its terminator: 2047 digits, so at most 1023 characters come back whole.
inline constexpr int kCifreLette = 2047;
inline constexpr int kLunghezzaMassimaPassword = kCifreLette / 2;

QString percorsoArchivioPassword(const QString &cartellaProgramma);

// The form in which a password is stored and compared: ASCII letters
// upper-cased, characters with codes up to 32 trimmed from both ends.
QString formaMemorizzata(const QString &digitata);

// Whether a password (in its stored form) can be stored and read back
// exactly as it is.
enum class EsitoNuovaPassword { Valida, Vuota, CaratteriNonAmmessi, TroppoLunga };
EsitoNuovaPassword verificaNuovaPassword(const QString &password);

// A password that would not read back as it was given.
class PasswordNonMemorizzabile : public std::invalid_argument
{
public:
    using std::invalid_argument::invalid_argument;
};

// The stored password, deciphered and trimmed; the empty text when the file,
// the section or the entry is missing. Throws FileIni::ErroreFileIni when
// the file cannot be read and ErroreConversione when its value is not
// hexadecimal.
QString leggiPasswordMemorizzata(const QString &percorso);

// Stores a password already in its stored form. Throws
// PasswordNonMemorizzabile for one that verificaNuovaPassword refuses, and
// FileIni::ErroreFileIni when the file cannot be written; in both cases the
// old value stays. The file is left readable by its owner alone.
void scriviPasswordMemorizzata(const QString &percorso, const QString &password,
                               const ChiamateDisco &chiamate = chiamateDiSistema());
