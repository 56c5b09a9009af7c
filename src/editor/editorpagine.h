#pragma once

#include "storage/schedapagina.h"

#include <QImage>
#include <QString>

#include <array>

class QWidget;

// What every other window may know of the page editor. The editor keeps the
// current archive and the record on screen in its own controls; nobody else
// reads or writes them except through this interface.

// The mark a window keeps in its hidden lblMemory to say who opened it, or
// where it hands over when it closes.
enum class Chiamante { Nessuno, Avvio, Documenti };
// "", "avvio", "documenti".
QString marcaChiamante(Chiamante chiamante);
// Trimmed before comparing; an unknown mark is Nessuno.
Chiamante chiamanteDaMarca(const QString &marca);

// The three attachment slots of the page on screen: bare file names and
// their descriptions.
struct ValoriAllegati {
    std::array<QString, 3> nomi;
    std::array<QString, 3> descrizioni;

    bool operator==(const ValoriAllegati &altri) const
    {
        return nomi == altri.nomi && descrizioni == altri.descrizioni;
    }
};

// What the editor's screen says about a record, as plain values: the 21
// texts in record order (as typed, not trimmed), the check box and the
// three attachments.
struct ValoriScheda {
    std::array<QString, kCampiDescrittivi> testi;
    bool daCompletare = false;
    ValoriAllegati allegati;
};

class EditorPagine
{
public:
    // Makes the archive current (full path of the file and its name) and
    // shows the editor on a new record.
    virtual void apriArchivio(const QString &percorso, const QString &nome) = 0;
    // The current archive, trimmed; empty before one is opened.
    virtual QString percorsoArchivio() const = 0;
    virtual QString nomeArchivio() const = 0;
    // Position of the record on screen, from 1; 0 while it is a new record.
    virtual int posizioneCorrente() const = 0;
    virtual ValoriScheda valoriSchermo() const = 0;
    // The scan picture as shown: the placeholder when the page has none.
    virtual QImage foto() const = 0;
    // Puts a stored record and its position on screen and loads its scan.
    virtual void MostraScheda(const TSchedaPagina &scheda, int posizione) = 0;
    virtual ValoriAllegati allegati() const = 0;
    // Stores the values trimmed, as the record will keep them.
    virtual void impostaAllegati(const ValoriAllegati &valori) = 0;

protected:
    ~EditorPagine() = default;
};

// The program's page editor; nullptr while there is none.
EditorPagine *editorPagine();
// Called by the editor as it is made and destroyed.
void registraEditorPagine(EditorPagine *editor);

// The editor that owns a window (its parent, as every dialog the editor
// opens is owned by it), or nullptr when the window was opened by another.
EditorPagine *editorProprietario(const QWidget *finestra);
