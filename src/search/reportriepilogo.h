#pragma once

#include "report/report.h"

#include <QDateTime>
#include <QStringList>

#include <memory>

// The list report "Riepilogo dati": a landscape A4 page with a title bar,
// the summary lines as one tall text box that splits over pages between its
// lines, and a closing bar with the date and time of printing.
std::unique_ptr<Report> creaReportRiepilogo();

// Units per summary line, and what the band holds beyond its text box.
constexpr double kPassoRigaRiepilogo = 12.822;
constexpr double kMargineBandaRiepilogo = 10.0;

// Fills the report for one print: title, closing bar with the date in the
// process's short format and the time in the system's long one, every line
// in order, and the heights the lines need. The bottom margin of every page
// carries the archive's name and "Pagina n di N", so that loose pages can be
// put back in order; nothing in the bands moves for them.
void riempiReportRiepilogo(Report &report, const QString &titolo, const QStringList &righe,
                           const QDateTime &quando, const QString &archivio = QString());
