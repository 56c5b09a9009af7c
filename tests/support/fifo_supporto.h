#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A FIFO planted where a file should be, that no program writes to: a
// reader that opens or reads it as a file waits for ever. So that such a
// fault fails its test instead of holding it until its time-out, a watch
// gives every reader still waiting after the given time an end of file
// (it opens the FIFO for writing and closes it again), and says so.
class FifoPiantata
{
public:
    FifoPiantata(const QString &percorso, std::chrono::seconds attesa);
    ~FifoPiantata();
    FifoPiantata(const FifoPiantata &) = delete;
    FifoPiantata &operator=(const FifoPiantata &) = delete;

    bool creata() const { return m_creata; }
    // True once a reader had to be freed: something read the FIFO as a
    // file and waited.
    bool lettoreLiberato() const { return m_liberato; }

private:
    void sorveglia(std::chrono::seconds attesa);

    QString m_percorso;
    bool m_creata = false;
    std::atomic_bool m_liberato{false};
    std::mutex m_mutex;
    std::condition_variable m_fine;
    bool m_finita = false;
    std::thread m_sorveglianza;
};
