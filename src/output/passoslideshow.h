#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The slideshow's work, apart from its window: one advance step over the
// archive file and the loading of one page's scan at the size the screen
// needs.

// What one advance step found.
enum class EsitoPasso {
    NuovaPagina,    // the position moved on: show the scan of the new position
    StessaPagina,   // the last page was shown: it stays, the next step shows page 1
    ArchivioVuoto,  // no record: the slideshow ends
    ErroreAccesso,  // the archive could not be opened, created or read
};

// One advance step. `posizione` is the position text of the page shown last
// (empty or "0" before the first page): it moves to the next record, goes
// back to "0" after the last one so that the last page stays for a second
// interval, and is emptied when the archive holds no record. The archive
// file is opened (created empty when missing) and closed again within the
// call; on an access failure `posizione` is left as it was.
EsitoPasso passoSlideshow(const QString &percorsoArchivio, QString &posizione);

// The scan of a page, decoded straight to a size that fits `area` with its
// proportions kept (never enlarged): a large JPEG is decoded at a fraction
// of its size instead of whole and then shrunk, so a big scan does not hold
// up the timer. Makes the scans folder when missing. A null picture when the
// page has no scan or the file is not a picture.
QImage fotoSlideshow(const QString &cartellaProgramma, const QString &nomeArchivio, int posizione,
                     const QSize &area);
