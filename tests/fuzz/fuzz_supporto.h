#pragma once

#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>

// The fuzz targets stop on any broken promise, so that libFuzzer keeps the
// input that broke it.
#define FUZZ_VERIFICA(condizione)                                                          \
    do {                                                                                   \
        if (!(condizione)) {                                                               \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condizione); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

// Failures are expected by the thousand here: their log lines would only
// slow the run down.
inline void silenziaRegistro()
{
    QLoggingCategory::setFilterRules(QStringLiteral("velmora.*=false"));
}
