#pragma once

#include <QString>

// SANE's own test backend made the only scanner the driver stack knows: a
// private configuration folder whose dll.conf names `test`, reached
// through SANE_CONFIG_DIR; no system file changes. Its two devices are
// "test:0" and "test:1"; without the backend the stack finds no scanner.
//
// The driver stack reads SANE_CONFIG_DIR once per process and keeps it, so
// the folder is one for the whole process; each instance rewrites the files
// in it, which the stack reads again whenever it starts (after the last
// session has ended).
class ScannerDiProva
{
public:
    explicit ScannerDiProva(bool conBackend = true);

    bool valido() const { return m_valido; }
    static QString cartella();

private:
    bool m_valido = false;
};
