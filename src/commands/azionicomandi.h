#pragma once

#include "app/errori.h"

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <cstddef>

// One command of a set of commands: the action's object name, its text and
// its keys (portable text), and the member that runs it.
template <class Comandi> struct DescrizioneAzione {
    const char *nome;
    const char *testo;
    const char *tasti;
    void (Comandi::*esegui)();
};

// The actions of a set of commands, in order, owned by it. Their keys work
// anywhere in the window that places them; a command that fails says why
// (in the context's message box) instead of leaving the event loop.
template <class Comandi, std::size_t N>
QList<QAction *> creaAzioni(Comandi *comandi, const Contesto &contesto,
                            const DescrizioneAzione<Comandi> (&descrizioni)[N])
{
    QList<QAction *> azioni;
    for (const DescrizioneAzione<Comandi> &d : descrizioni) {
        auto *azione = new QAction(QString::fromUtf8(d.testo), comandi);
        azione->setObjectName(QString::fromLatin1(d.nome));
        azione->setShortcut(QKeySequence(QString::fromLatin1(d.tasti), QKeySequence::PortableText));
        azione->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(azione, &QAction::triggered, comandi, [comandi, &contesto, esegui = d.esegui] {
            protetto(contesto, [&] { (comandi->*esegui)(); });
        });
        azioni.append(azione);
    }
    return azioni;
}
