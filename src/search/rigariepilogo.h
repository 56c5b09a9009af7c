#pragma once

#include "storage/archiviopagine.h"
#include "storage/schedapagina.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

// The summary line of a record, as the result lists show and print it:
// title in 55 columns, "  Autore: ", author in 30, "  Cod. ", code in 20,
// "  Pag. n. " (132 characters so far), then the page number at its own
// length. Each value is trimmed, then padded with blanks or cut.
QString RigaRiepilogo(const TSchedaPagina &scheda);

// Puts lines in the order the result lists keep: code unit by code unit with
// a-z folded onto A-Z, a line that begins another first. Lines that compare
// equal keep the order they came in.
void ordinaRighe(QStringList &righe);

// The records, with their positions (from 1, in file order), whose summary
// line, trimmed, is exactly the given line trimmed. Several records can share
// a line; opening a line shows each of them in turn, the last one remaining.
QVector<QPair<int, TSchedaPagina>> schedeDellaRiga(const PercorsoSchede &percorso, const QString &riga);

// One "Trova" click on a list: returns the entry to select. selezionata is
// the entry selected now (-1 for none, which counts as the first).
// ultimoTesto is the lower-cased text of the previous click, shared by the
// windows of one kind; it is updated here. A text different from the last
// one starts again from the first entry and tests it at once; the same text
// goes on from the selected entry (find next), wrapping from the last entry
// to the first. When nothing matches, the selection stays where it was.
// An empty list gives -1.
int trovaNellaLista(const QStringList &voci, int selezionata, const QString &testo, QString &ultimoTesto);
