#pragma once

#include "output/colonneesportazione.h"
#include "storage/sostituzionefile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <array>
#include <functional>
#include <stdexcept>

// Any failure to create, write or put in place the spreadsheet file. The
// window shows kMessaggioEsportazioneFallita for it.
class ErroreEsportazione : public std::runtime_error
{
public:
    explicit ErroreEsportazione(const QString &dettaglio);
};

extern const QString kFileEsportazione;             // "Pagine_Documento.xls"
extern const QString kMessaggioEsportazioneFallita;

// The file a spreadsheet program leaves beside a file it has open.
QString fileBloccoFoglio(const QString &percorso);

// One row of the file: the texts of grid columns 1 to 22 in Windows-1252,
// as they stand (the writer trims and escapes them).
using CelleRiga = std::array<QByteArrayView, kColonneFile>;

// Composes the spreadsheet file, an HTML table on one line in Windows-1252,
// row by row onto a device, in pieces: the whole file is never held in
// memory. A write that fails stops the composition with ErroreEsportazione.
class ScrittoreEsportazione
{
public:
    // Starts the file: its head, up to and with the header row.
    explicit ScrittoreEsportazione(QIODevice &destinazione);
    ScrittoreEsportazione(const ScrittoreEsportazione &) = delete;
    ScrittoreEsportazione &operator=(const ScrittoreEsportazione &) = delete;

    void aggiungiRiga(const CelleRiga &celle);
    // Writes the tail and what is left of the last piece.
    void concludi();

private:
    void aggiungi(QByteArrayView testo) { m_buffer.append(testo); }
    void aggiungiCella(QByteArrayView testo);
    void scriviBuffer();

    QIODevice &m_destinazione;
    QByteArray m_buffer;
};

// Hands each row of the file to the function it is given, in order.
using RigheEsportazione = std::function<void(const std::function<void(const CelleRiga &)> &riga)>;

// Replaces the file at percorso with the export of the given rows: written
// beside it, checked and synced, then renamed over it in one step. Refused
// while a spreadsheet program has the file open. Throws ErroreEsportazione,
// or what the rows throw; either way any earlier file is left whole.
void scriviEsportazione(const QString &percorso, const RigheEsportazione &righe,
                        const ChiamateDisco &chiamate = chiamateDiSistema());
