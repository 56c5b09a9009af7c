#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The help topics of the program: fixed texts, the only source of both the
// help window and the PDF manual, so the two can never tell different
// stories.

// The windows that open help, each with its topic.
enum class ArgomentoGuida {
    Avvio,          // the launcher
    CreaCatalogo,   // the create-archive window
    ApriCatalogo,   // the open-archive window
    Documenti,      // the page editor
    Esportazione,   // the export window
};

struct TestoGuida {
    QString titolo;
    QStringList paragrafi;
};

// The topic an opener shows: its title and its paragraphs in order.
TestoGuida testoGuida(ArgomentoGuida argomento);

// The paragraphs as one text, an empty line between two paragraphs
// ("\r\n\r\n") and nothing before the first or after the last.
QString unisciParagrafi(const QStringList &paragrafi);

// The topic's text as the help window shows it.
inline QString testoUnito(ArgomentoGuida argomento)
{
    return unisciParagrafi(testoGuida(argomento).paragrafi);
}

// The distinct topics in the order of the manual's chapters: the two archive
// windows share one topic and so one chapter.
const std::array<ArgomentoGuida, 4> &capitoliGuida();
