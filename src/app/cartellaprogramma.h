#pragma once

#include <QString>

// The program folder: the folder of the executable, where every file of the
// program lives (archives, scans, attachments, password store, export,
// manual). Always ends with '/', so paths are built by plain concatenation.
QString cartellaProgramma();
void impostaCartellaProgramma(const QString &cartella);
