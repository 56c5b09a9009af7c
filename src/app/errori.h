#pragma once

#include <QString>

#include <exception>
#include <utility>

// The general error report: what a failure that no handler caught ends in.
// A message box; the event loop goes on.
void segnalaErroreGenerale(const QString &dettaglio);

// Runs one event handler so that a failure escaping it reaches the general
// error report instead of unwinding through the toolkit.
template <class Gestore>
void protetto(Gestore &&gestore)
{
    try {
        std::forward<Gestore>(gestore)();
    } catch (const std::exception &e) {
        segnalaErroreGenerale(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        segnalaErroreGenerale(QString());
    }
}
