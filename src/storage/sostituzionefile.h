#pragma once

#include <QString>

#include <functional>

#include <sys/types.h>

class QIODevice;

// Replaces a file so that the path holds either the whole old content or the
// whole new one, and the new one only once it is on stable storage: the new
// content is written beside the file, every write and the final flush are
// checked, the file is synced, renamed over the old one, and the folder is
// synced so that the rename survives a power cut.
//
// The writer fills the device it is given and returns false to give up. A
// write that fails (a full disk) fails every later write too, so a writer
// that does not look at each result still cannot end in a success.
// A link at the path is followed: the file it points to is replaced.
//
// False on any failure, with the old file untouched and nothing left beside
// it; the reason, path and system reason in Italian, is logged and put in
// *motivo when given.
bool sostituisciFile(const QString &percorso, const std::function<bool(QIODevice &)> &scrivi,
                     QString *motivo = nullptr);

// Syncs an open file's data and size to stable storage. False with errno set.
bool sincronizzaFile(int descrittore);
// Syncs a folder's entries, so that a file created or renamed in it stays
// after a power cut. File systems that cannot sync a folder do not count as
// a failure.
bool sincronizzaCartella(const QString &cartella);

// The system calls through which files reach the disk, replaceable so that
// tests can make them fail the way a full disk or a failing device does.
// Not for the program itself.
struct ChiamateDisco {
    ssize_t (*scrivi)(int descrittore, const void *dati, size_t quanti);
    int (*sincronizza)(int descrittore);
};
ChiamateDisco chiamateDisco();
// Installs other calls and returns the previous ones.
ChiamateDisco impostaChiamateDisco(const ChiamateDisco &chiamate);
