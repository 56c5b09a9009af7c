#pragma once

#include "document/documentoarchivio.h"
#include "storage/schedapagina.h"
#include "storage/valorischeda.h"

#include <QString>

#include <array>

// The fields a record cannot be saved without, in the order they are checked.
struct CampoObbligatorio {
    Campo campo;
    QString avviso;
};
const std::array<CampoObbligatorio, 4> &campiObbligatori();

// The first required field that is empty once trimmed, or nullptr.
const CampoObbligatorio *primoObbligatorioMancante(const std::array<QString, kCampiDescrittivi> &testi);

// Messages of save and duplicate.
extern const QString kSchedaModificata;
extern const QString kSchedaInserita;
extern const QString kDuplicaNonSalvata;
extern const QString kDuplicaPronta;
// The stored record changed on disk since the editor showed it: overwrite?
extern const QString kSchedaCambiataAltrove;
// The record is in the archive but its scan could not be written.
extern const QString kFotoNonSalvata;
