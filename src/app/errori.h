#pragma once

#include <QLoggingCategory>
#include <QString>

#include <exception>
#include <utility>

// Failures that reached the general error report, with their whole detail.
Q_DECLARE_LOGGING_CATEGORY(lcErrori)

class Contesto;

// The general error report: what a failure that no handler caught ends in.
// A message box (the context's) with the detail wrapped to fit it; the
// detail is logged too. The event loop goes on.
void segnalaErroreGenerale(const Contesto &contesto, const QString &dettaglio);

// Breaks every line longer than the given number of characters: at the last
// blank that fits, or inside a word with no blank (a long path), so that a
// message box never grows wider than the screen. Existing breaks stay.
QString testoACapo(const QString &testo, int colonne);

// Runs one event handler so that a failure escaping it reaches the general
// error report instead of unwinding through the toolkit.
template <class Gestore>
void protetto(const Contesto &contesto, Gestore &&gestore)
{
    try {
        std::forward<Gestore>(gestore)();
    } catch (const std::exception &e) {
        segnalaErroreGenerale(contesto, QString::fromLocal8Bit(e.what()));
    } catch (...) {
        segnalaErroreGenerale(contesto, QString());
    }
}
