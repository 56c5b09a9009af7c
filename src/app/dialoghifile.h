#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// Every open and save file dialog of the program goes through here.
struct RichiestaFile {
    enum Modo { Apri, Salva };
    Modo modo = Apri;
    QString titolo;
    // Qt filter entries, "Descrizione (*.jpg *.jpeg)", in the order shown.
    QStringList filtri;
    // The name proposed in a save dialog, or empty.
    QString nomeProposto;
    QString cartella;
    // Extension, without dot, added to a typed name that has none.
    QString estensionePredefinita;
    // Save dialogs ask before replacing an existing file.
    bool chiediSovrascrittura = true;
};

// The chosen file's full path, or an empty text when the user cancelled.
QString scegliFile(QWidget *proprietario, const RichiestaFile &richiesta);

// Tests answer file dialogs without showing them; an empty function brings
// the real dialog back.
using RispondiFile = std::function<QString(const RichiestaFile &)>;
void impostaRispostaFile(RispondiFile risposta);
