#pragma once

#include "storage/archiviopagine.h"
#include "storage/schedapagina.h"
#include "storage/testo.h"

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

    // The line of a record and the record's position in its archive (from 1).
    void aggiungi(const TSchedaPagina &scheda, int posizione);
    // The result lists' order: code unit by code unit with a-z folded onto
    // A-Z, a line that begins another first; lines that compare equal keep
    // the order they were added in. Compared in place without a folded copy.
    void ordina();

    qsizetype size() const { return qsizetype(m_voci.size()); }
    bool isEmpty() const { return m_voci.empty(); }
    QString at(qsizetype i) const;
    QStringList testi() const;
    // The record that opening entry i shows: its own, or, when other
    // records have the very same line (title, author, code and page number
    // alike, so the user cannot tell them apart), the last of them in file
    // order, as opening a line has always done. Only the sorted neighbours
    // are looked at: equal lines lie side by side once sorted.
    int posizione(qsizetype i) const;

private:
    struct Voce {
        const char *testo;
        int lunghezza;
        int posizione;
    };
    std::vector<std::unique_ptr<char[]>> m_blocchi;
    int m_usati = 0; // bytes taken in the last block
    std::vector<Voce> m_voci;
};

// One "Trova" click on a list: returns the entry to select. selezionata is
// the entry selected now (-1 for none, which counts as the first).
// ultimoTesto is the lower-cased text of the previous click, shared by the
// windows of one kind; it is updated here. A text different from the last
// one starts again from the first entry and tests it at once; the same text
// goes on from the selected entry (find next), wrapping from the last entry
// to the first. When nothing matches, the selection stays where it was.
// An empty list gives -1.
// Voci is any list of texts with size() and at() (an ElencoRighe).
template <typename Voci>
int trovaNellaLista(const Voci &voci, int selezionata, const QString &testo, QString &ultimoTesto)
{
    const int n = int(voci.size());
    if (n == 0)
        return -1;
    const int scelta = (selezionata >= 0 && selezionata < n) ? selezionata : 0;
    const QString s = Testo::lowerAscii(testo);
    const bool nuova = s != ultimoTesto;
    ultimoTesto = s;

    auto corrisponde = [&](int i) { return !s.isEmpty() && Testo::lowerAscii(voci.at(i)).contains(s); };

    const int inizio = nuova ? 0 : scelta;
    if (nuova && corrisponde(inizio))
        return inizio;
    int i = inizio;
    do {
        i = (i + 1) % n;
        if (corrisponde(i))
            return i;
    } while (i != inizio);
    return scelta;
}
