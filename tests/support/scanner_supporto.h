#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// SANE's own test backend made the only scanner the driver stack knows, for
// as long as this lives: a private configuration folder whose dll.conf
// names `test`, reached through SANE_CONFIG_DIR; no system file changes.
// Its two devices are "test:0" and "test:1"; without backends the stack
// finds no scanner at all.
class ScannerDiProva
{
public:
    explicit ScannerDiProva(bool conBackend = true);
    ~ScannerDiProva();
    ScannerDiProva(const ScannerDiProva &) = delete;
    ScannerDiProva &operator=(const ScannerDiProva &) = delete;

    bool valido() const { return m_cartella.isValid(); }
    QString cartella() const { return m_cartella.path(); }

private:
    QTemporaryDir m_cartella;
    QByteArray m_prima;
    bool m_cera = false;
};
