#pragma once

#include "storage/sostituzionefile.h"

#include <QString>

#include <sys/types.h>

// The attachments folder: one flat folder under the program folder shared by
// every record of every archive. A record names its attached files by bare
// name only.

// "<program folder>Documenti_Allegati/"; the program folder ends with '/'.
QString cartellaAllegati(const QString &cartellaProgramma);

// True when a stored attachment name is a bare file name: not empty, no
// folder part (neither '/' nor '\'), not "." or "..". A record may come from
// an archive written by anything, and only a bare name is sure to stay
// inside the attachments folder.
bool nomeAllegatoSemplice(const QString &nome);

// True when the record's file-name field holds the name, once trimmed,
// exactly: at most 250 characters, all of them in Windows-1252. Any other
// name would be stored cut or with '?' and name no file afterwards.
bool nomeAllegatoMemorizzabile(const QString &nome);

// The full path of an attachment, or an empty text when the name is not a
// bare file name.
QString percorsoAllegato(const QString &cartellaProgramma, const QString &nome);

// Copies a file over another, replacing it. The destination is replaced only
// once the whole copy is written and synced to disk, so a failed copy (a
// full disk) leaves it as it was; a
// file copied onto itself (also through a link) is left untouched. The copy
// has no permissions beyond permessiMassimi (see sostituisciFile). False on
// any failure, with its reason in Italian in *motivo when given.
bool copiaSostituendo(const QString &sorgente, const QString &destinazione, QString *motivo = nullptr,
                      mode_t permessiMassimi = 07777, const ChiamateDisco &chiamate = chiamateDiSistema());
