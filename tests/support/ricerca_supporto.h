#pragma once

#include "storage/schedapagina.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QListView;

// A record with the four fields of the summary line and, optionally, the
// to-complete flag as stored bytes (length byte included).
TSchedaPagina schedaDiProva(const QString &titolo, const QString &autore, const QString &codice,
                            const QString &pagina, const QByteArray &flag = QByteArray("\x02No", 3));

// Writes an archive file holding exactly these records.
bool scriviArchivio(const QString &percorso, const QVector<TSchedaPagina> &schede);

// The entries of a list as it shows them, top to bottom.
QStringList vociLista(const QListView *lista);

// Double-clicks the entry at the given row (selecting it with the first
// press, as a user does), or the empty space below the entries for -1.
void doppioClicVoce(QListView *lista, int riga);
