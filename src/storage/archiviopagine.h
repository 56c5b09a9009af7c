#pragma once

#include "storage/schedapagina.h"
#include "storage/sostituzionefile.h"

#include <QFile>
#include <QString>
#include <QVector>

#include <functional>
#include <limits>
#include <stdexcept>

// Any failure to open, create, position, read, write or close an archive.
// Callers catch it, show the access-failure message and keep the screen.
class ErroreArchivio : public std::runtime_error
{
public:
    explicit ErroreArchivio(const QString &dettaglio);
};

// The archive could not be locked for a write (some network shares refuse
// locks): nothing was written, since another program could write the same
// place at the same time.
class ErroreBloccoArchivio : public ErroreArchivio
{
public:
    explicit ErroreBloccoArchivio(const QString &dettaglio);
};

// The message every window shows for an ErroreArchivio. Its line breaks are
// LF CR twice, exactly as users of the program have always seen them.
extern const QString kMessaggioAccessoArchivio;
// Shown by a navigation command that finds no record.
extern const QString kMessaggioArchivioVuoto;
// Shown by a save refused with ErroreBloccoArchivio.
extern const QString kMessaggioBloccoArchivio;

constexpr qint64 kDimensioneScheda = qint64(sizeof(TSchedaPagina));
// The most records an archive may hold: positions are ints. A larger file is
// refused as an access failure, and a full one takes no more appends.
constexpr int kMassimoSchede = std::numeric_limits<int>::max();

// Called with each record and its position (from 1), in file order.
using VisitaScheda = std::function<void(int posizione, const TSchedaPagina &scheda)>;
// A walk over some records: hands each one to the visitor it is given.
// Search and summaries take a walk, so the same code runs over an archive
// file and over records a test has in memory.
using PercorsoSchede = std::function<void(const VisitaScheda &visita)>;
PercorsoSchede percorsoDi(const QVector<TSchedaPagina> &schede);
// The walk the list windows take over an archive file: each run opens it
// for reading only (a missing file is created empty), visits every record
// in file order and closes it again. Throws ErroreArchivio.
PercorsoSchede percorsoFile(const QString &percorso);

// One archive file: a plain run of 3990-byte records, positions from 1.
// Each user command opens it, works and closes it; the destructor closes it
// too, so no path out of a handler leaves the file open.
class TArchivioPagine
{
public:
    // Its records reach the disk through the given calls (ChiamateDisco).
    explicit TArchivioPagine(const ChiamateDisco &chiamate = chiamateDiSistema())
        : m_chiamate(chiamate)
    {
    }
    ~TArchivioPagine();
    TArchivioPagine(const TArchivioPagine &) = delete;
    TArchivioPagine &operator=(const TArchivioPagine &) = delete;

    enum class Accesso { LetturaScrittura, Lettura };

    // Opens the file for reading and writing, or for reading only where a
    // command only reads (an archive the user may read but not write still
    // reads). Only a missing file is created (empty); an existing file that
    // cannot be opened is never recreated. Two programs creating the same
    // missing archive at once both open the one file that results.
    void ApriArchivio(const QString &percorso, Accesso accesso = Accesso::LetturaScrittura);
    // Records in the file; a trailing partial record does not count. An
    // archive of more than kMassimoSchede records throws.
    int ContaSchede() const;
    TSchedaPagina LeggiScheda(int posizione);
    // Every write holds an exclusive lock on the file and is synced to disk
    // before it returns. A lock the system refuses fails the write with
    // ErroreBloccoArchivio before anything is written.
    void ScriviScheda(int posizione, const TSchedaPagina &scheda);
    // Overwrites the record at the position only while it still holds
    // `attesa`, checked and written under one lock, so that no other program
    // writes in between. False, with the file untouched and the record found
    // in *trovata, when it holds something else.
    bool SostituisciScheda(int posizione, const TSchedaPagina &attesa, const TSchedaPagina &scheda,
                           TSchedaPagina *trovata = nullptr);
    // Writes after the last whole record (over any partial tail) and
    // returns the new record's position. Counting and writing are one step
    // under the lock, so programs sharing the archive never take the same
    // position.
    int AggiungiScheda(const TSchedaPagina &scheda);
    // The same for a record that names a file which must be on the disk
    // before the record is (a scan): under the same lock, `prepara` puts it
    // in place for the position the record will take, and the record is
    // appended only when it returns true (0 is returned otherwise, nothing
    // appended). When the append then fails, `annulla` takes the file away
    // again, still under the lock, before the error is thrown.
    int AggiungiScheda(const TSchedaPagina &scheda, const std::function<bool(int posizione)> &prepara,
                       const std::function<void(int posizione)> &annulla);
    void ChiudiArchivio();

    // Every record from position 1 to the count, in file order, read in
    // blocks: memory stays at one block whatever the archive's size. The
    // record handed over lives until the visitor returns. A failure part-way
    // leaves what was already visited visited; a file shortened by another
    // program during the walk fails it at the next block, the records of
    // the block in hand read as they were.
    void PerOgniScheda(const VisitaScheda &visita);

    bool aperto() const { return m_file.isOpen(); }

private:
    void richiediAperto() const;
    qint64 dimensione() const;
    void sincronizza();
    void posiziona(int posizione);
    void scriviA(int posizione, const TSchedaPagina &scheda);

    ChiamateDisco m_chiamate;
    QFile m_file;
    QString m_percorso;
};
