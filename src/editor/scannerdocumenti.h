#pragma once

class Contesto;
class QImage;
class TfrmDocumenti;

// The editor's two scanner commands, reached from the context menu of the
// scan picture and by their keys (the help topic names both), added to the
// editor without moving any of its controls:
//   actAcquisisci        "Acquisisci dallo scanner..." (Ctrl+Shift+A): the
//                        page becomes the scan on screen, as a loaded file
//                        does, and is stored when the record is saved;
//   actAcquisisciPagine  "Acquisisci più pagine..." (Ctrl+Shift+P): every
//                        sheet of the feeder becomes a new record appended to
//                        the archive, with the screen's fields as Duplica
//                        keeps them, saved at once with its scan.
void creaComandiScanner(TfrmDocumenti *editor, const Contesto &contesto);

// The acquisition windows these commands open, each a fresh modal window
// owned by the editor.
void acquisisciPagina(TfrmDocumenti *editor, const Contesto &contesto);
void acquisisciPagine(TfrmDocumenti *editor, const Contesto &contesto);
