#pragma once

#include <QString>

// A small tmpfs of its own, mounted for one test where the machine lets a
// test mount one (as root), so that a full or read-only disk is a real one
// and not a simulated failure. Unmounted when it goes.
class DiscoPiccolo
{
public:
    explicit DiscoPiccolo(const QString &punto, int kilobyte = 256);
    ~DiscoPiccolo();
    DiscoPiccolo(const DiscoPiccolo &) = delete;
    DiscoPiccolo &operator=(const DiscoPiccolo &) = delete;

    // False where mounting is not allowed: the test should skip.
    bool montato() const { return m_montato; }
    // The mount point with a trailing '/'.
    QString cartella() const { return m_punto + QLatin1Char('/'); }
    // Takes every block left with a file of its own.
    bool riempi() const;
    // Mounts the disk again read-only.
    bool soloLettura() const;

private:
    QString m_punto;
    bool m_montato = false;
};
