#pragma once

#include <QString>

#include <array>

// The columns of the export grid. Column 0 numbers the records; columns 1 to
// 22 hold the record's fields Titolo to DaCompletare, in record order, and
// are the ones written to the spreadsheet file.
struct ColonnaEsportazione {
    const char *nome;       // objectName-like name: "colTitolo"
    QString intestazione;   // header in the grid and in the file
    int larghezza;          // in the grid
    bool modificabile;      // the user may type in the grid cell
    int larghezzaFile;      // declared in the file's header cell (0: not exported)
};

constexpr int kColonneGriglia = 23;
constexpr int kColonneFile = kColonneGriglia - 1;

const std::array<ColonnaEsportazione, kColonneGriglia> &colonneEsportazione();
