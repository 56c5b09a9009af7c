#pragma once

#include <QString>

#include <array>

class QWidget;

// The three attachment slots of the page on screen: bare file names and
// their descriptions, as the editor keeps them in its hidden labels
// lblFile01..lblFile03 and lblDesc01..lblDesc03.
struct ValoriAllegati {
    std::array<QString, 3> nomi;
    std::array<QString, 3> descrizioni;

    bool operator==(const ValoriAllegati &altri) const
    {
        return nomi == altri.nomi && descrizioni == altri.descrizioni;
    }
};

// A control name of slot 0 to 2: nomeNumerato("txtFile", 0) is "txtFile01".
QString nomeNumerato(const char *radice, int slot);
// "lblFile01", "lblDesc03"... for slot 0 to 2.
QString nomeEtichettaFile(int slot);
QString nomeEtichettaDescrizione(int slot);

// Reads the six hidden labels of a window, trimmed; a missing label reads
// as empty.
ValoriAllegati leggiValoriAllegati(const QWidget *finestra);
// Writes the six values, trimmed, into a window's hidden labels.
void scriviValoriAllegati(QWidget *finestra, const ValoriAllegati &valori);
