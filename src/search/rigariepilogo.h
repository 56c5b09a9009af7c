#pragma once

#include "storage/archiviopagine.h"
#include "storage/schedapagina.h"

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <cstdint>
#include <memory>
#include <vector>

// The summary line of a record, as the result lists show and print it:
// title in 55 columns, "  Autore: ", author in 30, "  Cod. ", code in 20,
// "  Pag. n. " (132 characters so far), then the page number at its own
// length. Each value is trimmed, then padded with blanks or cut.
QString RigaRiepilogo(const TSchedaPagina &scheda);

// The longest summary line: the fixed columns and a page number of 20.
constexpr int kLunghezzaMassimaRiga = 132 + 20;
// Writes the summary line of a record in the file's code page, one byte a
// character, straight from the stored bytes; returns its length. `riga` has
// room for kLunghezzaMassimaRiga bytes.
int scriviRigaRiepilogo(const TSchedaPagina &scheda, char *riga);

// The summary lines of a result list. The lines lie one after the other in
// large blocks as the code page's bytes, half the size of text and with no
// allocation per line, and become text only when one is asked for: a list
// of a hundred thousand records stays a few megabytes.
class ElencoRighe
{
public:
    ElencoRighe() = default;
    ElencoRighe(ElencoRighe &&) = default;
    ElencoRighe &operator=(ElencoRighe &&) = default;

    void aggiungi(const TSchedaPagina &scheda);
    // The order of ordinaRighe, lines that compare equal keeping the order
    // they were added in, compared in place without a folded copy.
    void ordina();

    qsizetype size() const { return qsizetype(m_voci.size()); }
    bool isEmpty() const { return m_voci.empty(); }
    QString at(qsizetype i) const;
    QStringList testi() const;

private:
    struct Voce {
        const char *testo;
        int lunghezza;
    };
    std::vector<std::unique_ptr<char[]>> m_blocchi;
    int m_usati = 0; // bytes taken in the last block
    std::vector<Voce> m_voci;
};

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
int trovaNellaLista(const ElencoRighe &voci, int selezionata, const QString &testo, QString &ultimoTesto);
