#pragma once

#include <QString>

class Contesto;
class QWidget;
class Report;

// Every print and print preview of the program goes through here: the
// print dialog on the default printer, and the modal, maximised preview.
// The context gives the program folder, the print dialog's stand-in when a
// test set one, and the message box.

enum class EsitoStampa { Stampata, Annullata, Fallita };

// Prints a prepared report after the print dialog. nomeStampa says what is
// printed ("Riepilogo pagine in archivio"): it names the print job and,
// with no printer installed, the PDF file the dialog offers in the program
// folder. A PDF file is replaced only once the new one is whole on disk.
// When a file could not be written, *motivo (if given) says which and why
// in Italian; a printer's refusal leaves it empty.
EsitoStampa stampaReport(const Contesto &contesto, QWidget *proprietario, const Report &report,
                         const QString &nomeStampa, QString *motivo = nullptr);

// The warning after a print whose file could not be written.
QString messaggioStampaFallita(const QString &motivo);

// Shows a prepared report in the preview window until the user closes it;
// each page is painted when it first comes into view. Printing from the
// preview takes the way of stampaReport. False when a page could not be
// painted.
bool anteprimaReport(const Contesto &contesto, QWidget *proprietario, const Report &report, const QString &nomeStampa);

// The PDF file offered when there is no printer: the program folder, and
// nomeStampa made safe as a file name.
QString filePdfPredefinito(const QString &cartellaProgramma, const QString &nomeStampa);
