#pragma once

#include "output/colonneesportazione.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QSaveFile>
#include <QString>

#include <array>
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

// Writes the spreadsheet file as an HTML table on one line, Windows-1252,
// row by row: the whole file is never held in memory. It is written beside
// the destination and put in its place only by concludi(), in one rename;
// a writer dropped before that (or failing) leaves any earlier file whole.
class ScrittoreEsportazione
{
public:
    // Refuses while a spreadsheet program has the destination open, then
    // writes the head of the file up to the header row.
    explicit ScrittoreEsportazione(const QString &percorso);
    ScrittoreEsportazione(const ScrittoreEsportazione &) = delete;
    ScrittoreEsportazione &operator=(const ScrittoreEsportazione &) = delete;

    void aggiungiRiga(const CelleRiga &celle);
    // Writes the tail, flushes and replaces the destination.
    void concludi();

private:
    void aggiungi(QByteArrayView testo) { m_buffer.append(testo); }
    void aggiungiCella(QByteArrayView testo);
    void svuotaSePieno();
    void scriviBuffer();
    [[noreturn]] void fallisci(const QString &cosa);

    QSaveFile m_file;
    QByteArray m_buffer;
};
