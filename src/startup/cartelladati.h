#pragma once

#include <QString>

// Where a run of the program keeps its data (archives, scans, attachments,
// password store, export, manual).
//
// A portable folder (the build's output, a copy on a USB stick) is used as
// it is: it is recognised by the password store beside the executable. An
// installed program keeps its data in the user's data folder instead, made
// on first start from the files the installation delivers. A folder named
// on the command line wins over both.
struct LuoghiProgramma {
    QString eseguibile;  // folder of the executable
    QString installati;  // folder where an installation delivers its files
    QString documentazione;  // folder where it delivers its documentation (the manual)
    QString datiUtente;  // the user's data folder (AppDataLocation)
    QString richiesta;   // --program-folder, empty when not given
};

// The program folder of this run, made and seeded when it is not a portable
// folder; empty when it cannot be made.
QString preparaCartellaProgramma(const LuoghiProgramma &luoghi);

// Copies into an existing folder what a program folder must hold to start:
// the initial password store when it has none (an existing store is never
// touched: it holds the user's password), and the manual when it has none or
// an older one. Both come from `origine`; the manual, when `origine` has
// none, from `documentazione` (an installation keeps it with its other
// documentation). False when a copy failed.
bool seminaCartella(const QString &cartella, const QString &origine, const QString &documentazione = QString());
