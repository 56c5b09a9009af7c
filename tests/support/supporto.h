#pragma once

#include "app/contesto.h"

#include <QList>
#include <QObject>
#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>

class QWidget;

// The context the windows of a test work with: the program folder of the
// ProgrammaDiProva alive, and the stand-ins below while they live. A test
// that makes a window or calls a command itself hands it this one.
Contesto &contestoDiProva();

// Answers every message box while it lives, records what each said, and
// gives the queued answers in order (then OK for notices, Yes for questions).
class RegistroMessaggi
{
public:
    RegistroMessaggi();
    ~RegistroMessaggi();

    void rispondi(int risultato) { m_risposte.enqueue(risultato); }
    const QList<RichiestaMessaggio> &messaggi() const { return m_messaggi; }
    QStringList testi() const;
    void svuota() { m_messaggi.clear(); }

private:
    QList<RichiestaMessaggio> m_messaggi;
    QQueue<int> m_risposte;
};

// Answers every open and save file dialog while it lives: queued paths in
// order, then cancel (an empty path). Records each request.
class RispostaFile
{
public:
    RispostaFile();
    ~RispostaFile();

    void rispondi(const QString &percorso) { m_risposte.enqueue(percorso); }
    const QList<RichiestaFile> &richieste() const { return m_richieste; }

private:
    QList<RichiestaFile> m_richieste;
    QQueue<QString> m_risposte;
};

// Captures every shell open (file, web and mail addresses) while it lives,
// so nothing reaches the desktop.
class RegistroAperture : public QObject
{
    Q_OBJECT
public:
    RegistroAperture();
    ~RegistroAperture() override;

    const QList<QUrl> &aperture() const { return m_aperture; }

public slots:
    void apri(const QUrl &url) { m_aperture.append(url); }

private:
    QList<QUrl> m_aperture;
};

// A program folder of its own and the whole window set started on it, torn
// down again at the end. Tests never touch the real program folder.
class ProgrammaDiProva
{
public:
    ProgrammaDiProva();
    ~ProgrammaDiProva();

    // The folder, ending in '/'.
    QString cartella() const;
    QString percorso(const QString &nome) const { return cartella() + nome; }
    int terminazioni() const { return m_terminazioni; }

private:
    QTemporaryDir m_dir;
    int m_terminazioni = 0;
};

// Drives modal dialogs. Schedule the step that answers the next dialog
// before the click that opens it (the click blocks until the dialog closes).
// The action runs once a new modal widget is the active one; it may itself
// schedule the next level before clicking, which is how three nested levels
// are driven. If no dialog comes up within the wait, every open modal widget
// is closed so that a failed check cannot hang the run, and
// modaleMancata() turns true; likewise if the dialog the action was given is
// still open after the same wait.
void allaProssimaModale(std::function<void(QWidget *)> azione, int attesaMs = 5000);
bool modaleMancata();
void azzeraModaleMancata();

// Closes every modal widget still open (a safety net for test cleanup).
void chiudiModali();

// Writes a file of the given bytes, creating missing folders.
bool scriviFile(const QString &percorso, const QByteArray &contenuto);
QByteArray leggiFile(const QString &percorso);
