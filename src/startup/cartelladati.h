#pragma once

#include <QString>

class Contesto;

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

// What went wrong while making the program folder ready, as the user is
// told: an empty text when nothing did.
struct EsitoCartella {
    QString cartella;  // the program folder; empty when it cannot be made
    QString problema;  // the warning or error for the user
};

// The program folder of this run, made and seeded when it is not a portable
// folder. A new folder is made for its owner alone (0700); an existing one
// keeps its mode.
EsitoCartella preparaCartellaProgramma(const LuoghiProgramma &luoghi);

// The same, telling the user what went wrong through the context's message
// box: an error when the folder cannot be made (the result is then empty and
// the program cannot start), a warning when it lacks what it needs.
QString apriCartellaProgramma(const LuoghiProgramma &luoghi, const Contesto &contesto);

// Copies into an existing folder what a program folder must hold to start:
// the initial password store when it has none (an existing store is never
// touched: it holds the user's password; the copy is for the owner alone),
// and the manual when it has none or an older one. Both come from
// `origine`; the manual, when `origine` has none, from `documentazione` (an
// installation keeps it with its other documentation).
struct EsitoSemina {
    bool password = true;  // the folder has a password store
    bool manuale = true;   // the manual, where the installation has one, was copied when due
};
EsitoSemina seminaCartella(const QString &cartella, const QString &origine, const QString &documentazione = QString());

// The user's messages.
extern const QString kCartellaNonCreata;   // %1: the folder
extern const QString kPasswordNonCopiata;  // %1: the folder
extern const QString kManualeNonCopiato;   // %1: the folder
