#pragma once

#include <QString>

#include <chrono>
#include <functional>

#include <sys/types.h>

class QIODevice;

// The system calls through which files reach the disk. Every function below
// that writes takes them as its last parameter, the system's own by
// default, so that a test hands others that fail the way a full disk or a
// failing device does; the program hands what its context holds.
struct ChiamateDisco {
    ssize_t (*scrivi)(int descrittore, const void *dati, size_t quanti);
    int (*sincronizza)(int descrittore);
    // Whether new files may be made unnamed; false makes every replacement
    // use a named one, as on file systems without them.
    bool senzaNome;
    ssize_t (*leggi)(int descrittore, void *dati, size_t quanti);
};
const ChiamateDisco &chiamateDiSistema();

// Replaces a file so that the path holds either the whole old content or the
// whole new one, and the new one only once it is on stable storage: the new
// content is written beside the file, every write and the final flush are
// checked, the file is synced, renamed over the old one, and the folder is
// synced so that the rename survives a power cut.
//
// The writer fills the device it is given and returns false to give up. A
// write that fails (a full disk) fails every later write too, so a writer
// that does not look at each result still cannot end in a success.
// A link standing at the path is replaced itself, as any file would be:
// what it points to (anywhere, outside the program folder too) is never
// written. Where the file system offers unnamed files, the new content has
// no name until it is whole, so a kill leaves nothing behind; elsewhere it
// has a hidden name (nomeProvvisorio) that rimuoviProvvisoriAbbandonati
// clears at the next start.
//
// The new file keeps the permissions of the one it replaces, and a new one
// gets the usual ones for the user; either way none beyond
// permessiMassimi (0600 keeps a file from everyone but its owner, and a
// stricter mode chosen by the user stays).
//
// False on any failure, with the old file untouched and nothing left beside
// it; the reason, path and system reason in Italian, is logged and put in
// *motivo when given.
bool sostituisciFile(const QString &percorso, const std::function<bool(QIODevice &)> &scrivi, QString *motivo = nullptr,
                     mode_t permessiMassimi = 07777, const ChiamateDisco &chiamate = chiamateDiSistema());

// The hidden name a replacement is written under beside its file:
// ".<name>.<8 lower-case hex digits>.tmp", with the name cut at whole
// characters so that the whole fits in one file name of 255 bytes.
QString nomeProvvisorio(const QString &nomeFile, quint32 caso);

// Removes from a folder the hidden files replacements left when they were
// killed: names of exactly the form above, plain files (not links) of this
// user, that nobody has written for at least the given age (a replacement
// under way keeps its file's time fresh). Nothing else is touched. Returns
// how many went.
int rimuoviProvvisoriAbbandonati(const QString &cartella, std::chrono::seconds eta);

// Syncs an open file's data and size to stable storage. False with errno set.
bool sincronizzaFile(int descrittore, const ChiamateDisco &chiamate = chiamateDiSistema());
// Syncs a folder's entries, so that a file created or renamed in it stays
// after a power cut. File systems that cannot sync a folder do not count as
// a failure.
bool sincronizzaCartella(const QString &cartella, const ChiamateDisco &chiamate = chiamateDiSistema());

// Reads from an open file through the disk calls, again after an
// interruption: how many bytes, 0 at the end of the file, -1 with errno set
// on a failure.
ssize_t leggiDescrittore(int descrittore, void *dati, size_t quanti,
                         const ChiamateDisco &chiamate = chiamateDiSistema());
