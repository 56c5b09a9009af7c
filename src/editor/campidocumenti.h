#pragma once

#include "storage/schedapagina.h"

#include <QRect>
#include <QString>

#include <array>

// The editor's 21 text fields in record order, which is also their tab and
// Enter order, with where each sits on the form: ten rows, three columns.
struct DescrizioneCampo {
    Campo campo;
    const char *nome;        // objectName: "txtTitolo"
    const char *didascalia;  // text of its caption; nullptr for the notes, whose caption is a picture
    int riga;                // 1 to 10
    int colonna;             // 0 to 2
    int larghezza;           // in columns, 1 to 3
};

const std::array<DescrizioneCampo, kCampiDescrittivi> &campiDocumenti();

// The objectName of the caption of field k (0-based, record order):
// "lblCampo001" to "lblCampo020".
QString nomeDidascalia(int k);

// Places on the editor's panel (996 x 692) of a field of rows 1 to 9 and of
// its caption above it.
QRect rettangoloCampo(const DescrizioneCampo &d);
QRect rettangoloDidascalia(const DescrizioneCampo &d);
