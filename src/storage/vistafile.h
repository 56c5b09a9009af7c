#pragma once

#include <QtGlobal>

#include <cstdint>

// A read-only view of a stretch of an open file, mapped instead of copied:
// a walk over a large archive then reads only the bytes it looks at, where
// reading the file would copy every byte of it first.
//
// A mapped file that another program shortens while it is being read would
// normally stop this program with SIGBUS as soon as a vanished page is
// touched. Within a view the vanished pages read as zeros instead, and the
// view remembers it: the reader checks accorciata() and gives up the way it
// gives up a short read. Each thread watches its own views, nested ones
// included.
class VistaFile
{
public:
    // Maps `lunghezza` bytes from `inizio`. A file that cannot be mapped
    // (a file system without mapping, no address space left) leaves the view
    // invalid, and the caller reads the stretch instead.
    VistaFile(int descrittore, qint64 inizio, qint64 lunghezza);
    ~VistaFile();
    VistaFile(const VistaFile &) = delete;
    VistaFile &operator=(const VistaFile &) = delete;

    bool valida() const { return m_dati != nullptr; }
    // The byte at `inizio`; valid while the view lives.
    const uint8_t *dati() const { return m_dati; }
    // Whether some of the viewed bytes vanished from the file since the view
    // was made, and were read as zeros.
    bool accorciata() const { return m_accorciata; }

private:
    friend struct GuardiaViste;
    void *m_mappa = nullptr;
    qint64 m_lunghezzaMappa = 0;
    const uint8_t *m_dati = nullptr;
    VistaFile *m_precedente = nullptr;
    volatile bool m_accorciata = false;
};
