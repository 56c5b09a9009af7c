#pragma once

#include "storage/schedapagina.h"

#include <QPoint>
#include <QString>
#include <QVector>

class FinestraRiepilogo;
class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
class TfrmDocumenti;
class TfrmExpDocumenti;
class VistaImmagine;

// Records "Pagina 1" to "Pagina n": title, author, code and page number
// filled, each telling its position.
QVector<TSchedaPagina> schedeNumerate(int n);

#include "support/supporto.h"

// A test program folder with the editor working on the archive "Prova".
class EditoreDiProva
{
public:
    QString cartella() const { return m_programma.cartella(); }
    QString percorso(const QString &nome) const { return m_programma.percorso(nome); }
    int terminazioni() const { return m_programma.terminazioni(); }
    // "<folder>Prova.kpx" and the scan file of a position of it.
    QString archivio() const;
    QString scansione(int posizione) const;
    // Removes the archive and every scan, then opens the editor afresh.
    TfrmDocumenti *riapri();

private:
    ProgrammaDiProva m_programma;
};

// The editor as the open-archive window leaves it: the archive's name and
// path (in the program folder, "<nome>.kpx") written, shown, active, and
// cleared for a new record by its show.
TfrmDocumenti *apriEditore(const QString &cartella, const QString &nome);

// A result window made by a test as the editor's commands open it: on the
// editor's archive, a chosen record going back to the editor.
void suArchivioEditore(FinestraRiepilogo *finestra);
void suArchivioEditore(TfrmExpDocumenti *finestra);

// A text field of the editor by its name ("txtTitolo").
QLineEdit *campoEditore(const char *nome);
// A control of the editor by its name.
QWidget *controlloEditore(const char *nome);
// The controls of the editor a test reads or drives, by their names.
QCheckBox *casellaDaCompletare(TfrmDocumenti *editor);
QLabel *barraStato(TfrmDocumenti *editor);
VistaImmagine *fotoEditore(TfrmDocumenti *editor);
// What the editor shows between the arrows and on the name bar.
QString posizioneMostrata(TfrmDocumenti *editor);
QString nomeMostrato(TfrmDocumenti *editor);
// The archive of the editor made current (in the program folder,
// "<nome>.kpx") without showing the editor: a new record on screen.
void impostaArchivioEditore(TfrmDocumenti *editor, const QString &cartella, const QString &nome);
// One attachment slot (0..2) of the record on screen.
void impostaAllegatoEditore(TfrmDocumenti *editor, int slot, const QString &nome, const QString &descrizione);

// The pointer moving over a widget, at a point of it (its centre by default).
void muoviPuntatore(QWidget *w, QPoint pos = QPoint(-1, -1));
