#pragma once

#include <QString>

class QFile;

// Opens a file for reading only when it is a plain file. The open itself
// never waits: a FIFO planted where a scan, the password store or an
// attachment should be would otherwise hold the window until another
// program wrote to it. A FIFO, a device, a socket or a folder is refused as
// unreadable. False with the reason in Italian in *motivo when given; the
// system's code stays in errno (ENOENT for a missing file).
bool apriFileNormale(QFile &file, const QString &percorso, QString *motivo = nullptr);
