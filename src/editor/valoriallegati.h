#pragma once

#include "storage/valorischeda.h"

#include <QString>

// A control name of slot 0 to 2: nomeNumerato("txtFile", 0) is "txtFile01".
QString nomeNumerato(const char *radice, int slot);
// "lblFile01", "lblDesc03"... for slot 0 to 2.
QString nomeEtichettaFile(int slot);
QString nomeEtichettaDescrizione(int slot);
