#pragma once

#include "home/testiguida.h"
#include "storage/sostituzionefile.h"

#include <QImage>
#include <QList>
#include <QString>

#include <map>

// The printed manual Guida.pdf: a title page, the contents, and one chapter
// per help topic with the topic's own paragraphs, so the manual says exactly
// what the help window says. Pictures of the program's windows go where the
// text speaks of them.

// The manual's title, also written into the PDF's document information.
extern const QString kTitoloManuale;

struct FiguraManuale {
    QImage immagine;
    QString didascalia;
    // Placed after this many of the chapter's paragraphs (0: before the first).
    int dopoParagrafo = 0;
};

using FigureManuale = std::map<ArgomentoGuida, QList<FiguraManuale>>;

// Writes the manual as a PDF file at the path, replacing any file there.
// False when the file cannot be written.
bool scriviManuale(const QString &percorso, const FigureManuale &figure,
                   const ChiamateDisco &chiamate = chiamateDiSistema());
