#pragma once

#include "storage/sostituzionefile.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

// The scan files of the pages: one JPEG per record, found by the archive's
// name and the record's position, all side by side in one folder under the
// program folder. Scans never follow their records anywhere: a position is
// permanent, and so is the file named after it.

// "<program folder>Pagine_Documenti" (the program folder ends with '/').
QString cartellaFotoPagine(const QString &cartellaProgramma);

// "<program folder>Pagine_Documenti/<name>_Foto_<position>.jpg", name and
// position trimmed and otherwise taken as they are: the name was accepted as
// a file name when the archive was created.
QString percorsoFotoPagina(const QString &cartellaProgramma, const QString &nomeArchivio,
                           const QString &posizione);

// The most bytes one name in a folder may take on the file systems the
// program runs on.
constexpr int kMassimoByteNomeFile = 255;

// True when the scan file of every position an archive of this name can
// reach has a name the file system accepts. A longer archive name could be
// created, but none of its scans could ever be saved.
bool nomeArchivioAmmessoPerFoto(const QString &nomeArchivio);

// Creates the scans folder, with any missing parent, when it is missing.
bool preparaCartellaFotoPagine(const QString &cartellaProgramma);

// The quality a scan is encoded at when it has no JPEG bytes of its own to
// keep: high enough that one encoding loses nothing an archivist can see.
constexpr int kQualitaJpeg = 95;

// Decodes a picture file's bytes, whatever format they hold. When they are a
// JPEG and jpegOriginale is given, it receives the bytes themselves, so that
// the scan can be stored again exactly as it came (its resolution tag
// included) for as long as the picture is not changed; otherwise it is
// emptied. A null picture when the bytes are not a picture.
QImage decodificaFoto(const QByteArray &byte, QByteArray *jpegOriginale = nullptr);

// Writes the scan to the device: the JPEG bytes it was decoded from when
// there are any (they must be those of this very picture), otherwise the
// picture encoded once at kQualitaJpeg, keeping its dots per inch, with
// transparent areas laid on white since JPEG has no transparency and would
// turn them black.
bool scriviJpeg(QIODevice &destinazione, const QImage &foto, const QByteArray &jpegOriginale = QByteArray());

// Writes the scan as JPEG at the path (as scriviJpeg), replacing any file
// there, after making sure the folder exists. False when the folder cannot
// be made, the picture is empty or the file cannot be written; a failed
// write leaves any previous file as it was.
bool scriviFileFoto(const QString &cartellaProgramma, const QString &percorso, const QImage &foto,
                    const QByteArray &jpegOriginale = QByteArray(),
                    const ChiamateDisco &chiamate = chiamateDiSistema());

// Decodes the file at the path, whatever picture format it holds (the name
// says JPEG, the content decides), after making sure the folder exists. A
// null picture when the file is missing or is not a picture. jpegOriginale
// as for decodificaFoto.
QImage leggiFileFoto(const QString &cartellaProgramma, const QString &percorso,
                     QByteArray *jpegOriginale = nullptr);
