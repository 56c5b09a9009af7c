#pragma once

#include "storage/schedapagina.h"

#include <QList>
#include <QObject>

class Contesto;
class DocumentoArchivio;
class QAction;
class QImage;
class QWidget;

// The two scanner commands on the open archive, placed by the window that
// holds them on the context menu of its scan picture and reached by their
// keys (the help topic names both):
//   actAcquisisci        "Acquisisci dallo scanner..." (Ctrl+Shift+A): the
//                        page is handed back to become the scan on screen, as
//                        a loaded file does, stored when the record is saved;
//   actAcquisisciPagine  "Acquisisci più pagine..." (Ctrl+Shift+P): every
//                        sheet of the feeder becomes a new record appended to
//                        the archive, with the screen's fields as Duplica
//                        keeps them, saved at once with its scan.
// Each opens a fresh modal acquisition window over the window it was given.
class ComandiScanner : public QObject
{
    Q_OBJECT
public:
    ComandiScanner(DocumentoArchivio &documento, const Contesto &contesto, QWidget *finestra);

    QList<QAction *> azioni() const { return m_azioni; }

signals:
    // A page acquired from the scanner, for the screen: not yet stored.
    void fotoAcquisita(const QImage &foto);
    // The bundle was refused, and the user told, because this field, which
    // a save requires, is empty: the window takes the user there.
    void campoMancante(Campo campo);

private:
    void acquisisciPagina();
    void acquisisciPagine();

    DocumentoArchivio &m_documento;
    const Contesto &m_contesto;
    QWidget *m_finestra;
    QList<QAction *> m_azioni;
};
