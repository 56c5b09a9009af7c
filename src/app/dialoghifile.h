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
// Always the real dialog; the windows reach it through their context
// (app/contesto.h), where a test puts its stand-in.
QString scegliFile(QWidget *proprietario, const RichiestaFile &richiesta);

// A stand-in that answers file dialogs without showing them (tests).
using RispondiFile = std::function<QString(const RichiestaFile &)>;
