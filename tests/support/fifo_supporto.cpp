#include "support/fifo_supporto.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FifoPiantata::FifoPiantata(const QString &percorso, std::chrono::seconds attesa)
    : m_percorso(percorso)
    , m_creata(::mkfifo(QFile::encodeName(percorso).constData(), 0600) == 0)
{
    if (m_creata)
        m_sorveglianza = std::thread([this, attesa] { sorveglia(attesa); });
}

FifoPiantata::~FifoPiantata()
{
    {
        const std::lock_guard<std::mutex> blocco(m_mutex);
        m_finita = true;
    }
    m_fine.notify_all();
    if (m_sorveglianza.joinable())
        m_sorveglianza.join();
}

void FifoPiantata::sorveglia(std::chrono::seconds attesa)
{
    const QByteArray nome = QFile::encodeName(m_percorso);
    std::unique_lock<std::mutex> blocco(m_mutex);
    if (m_fine.wait_for(blocco, attesa, [this] { return m_finita; }))
        return;
    // A writer that comes and goes: a reader waiting in its open goes on
    // and reads the end of the file, as does one waiting in its read.
    // Opening without waiting succeeds only while someone reads.
    while (!m_fine.wait_for(blocco, std::chrono::milliseconds(50), [this] { return m_finita; })) {
        const int d = ::open(nome.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (d >= 0) {
            m_liberato = true;
            ::close(d);
        }
    }
}
