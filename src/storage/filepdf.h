#pragma once

#include <QString>

#include <functional>

class QPdfWriter;

// Writes a PDF file the way the program replaces every file: beside the old
// one, every byte checked, synced, then renamed over it. The PDF engine
// itself ignores write errors, so a print on a full disk would otherwise
// end in a truncated file standing where a good one was.
//
// disegna sets the writer up and paints the pages; it returns false to give
// up (the user cancelled, the painting failed), which leaves the old file
// as it was. A PDF that received no byte at all counts as a failure too.
// False on any failure, with the reason in Italian in *motivo ("<path>:
// <reason>") when given.
bool sostituisciPdf(const QString &percorso, const std::function<bool(QPdfWriter &)> &disegna,
               QString *motivo = nullptr);
