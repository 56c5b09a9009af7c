#pragma once

#include "storage/sostituzionefile.h"
#include "storage/valorischeda.h"

#include <QImage>
#include <QString>

// One sheet of a bundle acquired from the scanner's feeder, stored as a new
// record appended to the archive: its fields are those of the screen as
// Duplica keeps them (the 21 texts and the flag; no attachments), its scan
// the sheet. The position is taken as any Save takes it, under the
// archive's lock.
//
// No record is left without its scan, even by a kill: the scan is written
// first, whole and synced, beside its final name; under the archive's lock
// it takes the name of the position the record will get, and only then is
// the record appended. A record that cannot be appended leaves no file
// behind.
struct EsitoPaginaPacco {
    int posizione = 0;  // the new record's position; 0 on failure
    QString errore;     // why it could not be stored, in Italian
};
EsitoPaginaPacco salvaPaginaPacco(const QString &cartellaProgramma, const QString &percorsoArchivio,
                                  const QString &nomeArchivio, const ValoriScheda &schermo, const QImage &pagina,
                                  const ChiamateDisco &chiamate = chiamateDiSistema());

// The screen's values as every sheet of a bundle takes them.
ValoriScheda valoriPaginaPacco(const ValoriScheda &schermo);

extern const QString kScansioneNonScritta;
