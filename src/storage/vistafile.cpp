#include "storage/vistafile.h"

#include <mutex>

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

struct sigaction g_precedente {};
// Read once before any handler can run: sysconf is not for signal handlers.
long g_pagina = 4096;
// The view this thread reads now. SIGBUS from a mapped page arrives on the
// thread that touched it, so each thread looks only at its own views.
thread_local VistaFile *t_vista = nullptr;

} // namespace

// Reaches the views' private members from the signal handler.
struct GuardiaViste {
    static bool copri(void *indirizzo)
    {
        const auto *byte = static_cast<const char *>(indirizzo);
        for (VistaFile *v = t_vista; v; v = v->m_precedente) {
            const auto *inizio = static_cast<const char *>(v->m_mappa);
            if (byte < inizio || byte >= inizio + v->m_lunghezzaMappa)
                continue;
            // A zero page over the vanished one lets the interrupted read
            // finish. mmap is a bare system call here, safe in a handler.
            const auto pagina = uintptr_t(byte) & ~uintptr_t(g_pagina - 1);
            if (::mmap(reinterpret_cast<void *>(pagina), size_t(g_pagina), PROT_READ,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0)
                == MAP_FAILED)
                return false;
            v->m_accorciata = true;
            return true;
        }
        return false;
    }
};

namespace {

void allErroreDiBus(int segnale, siginfo_t *info, void *contesto)
{
    if (GuardiaViste::copri(info->si_addr))
        return;
    // Not one of ours: whoever handled it before goes on handling it. With
    // no handler before, the default comes back and the repeated fault ends
    // the program as it would have without us.
    if (g_precedente.sa_flags & SA_SIGINFO) {
        g_precedente.sa_sigaction(segnale, info, contesto);
    } else if (g_precedente.sa_handler != SIG_DFL && g_precedente.sa_handler != SIG_IGN) {
        g_precedente.sa_handler(segnale);
    } else {
        struct sigaction predefinita {};
        predefinita.sa_handler = SIG_DFL;
        ::sigemptyset(&predefinita.sa_mask);
        ::sigaction(SIGBUS, &predefinita, nullptr);
    }
}

void installaGuardia()
{
    static std::once_flag fatto;
    std::call_once(fatto, [] {
        g_pagina = ::sysconf(_SC_PAGESIZE);
        struct sigaction azione {};
        azione.sa_sigaction = allErroreDiBus;
        azione.sa_flags = SA_SIGINFO | SA_NODEFER;
        ::sigemptyset(&azione.sa_mask);
        ::sigaction(SIGBUS, &azione, &g_precedente);
    });
}

} // namespace

VistaFile::VistaFile(int descrittore, qint64 inizio, qint64 lunghezza)
{
    if (descrittore < 0 || inizio < 0 || lunghezza <= 0)
        return;
    installaGuardia();
    const qint64 allineato = inizio - inizio % g_pagina;
    const qint64 totale = lunghezza + (inizio - allineato);
    int opzioni = MAP_PRIVATE;
#ifdef MAP_POPULATE
    // The whole stretch is read anyway: one call sets up its pages instead
    // of a fault every few of them.
    opzioni |= MAP_POPULATE;
#endif
    void *mappa = ::mmap(nullptr, size_t(totale), PROT_READ, opzioni, descrittore, off_t(allineato));
    if (mappa == MAP_FAILED)
        return;
    m_mappa = mappa;
    m_lunghezzaMappa = totale;
    m_dati = static_cast<const uint8_t *>(mappa) + (inizio - allineato);
    m_precedente = t_vista;
    t_vista = this;
}

VistaFile::~VistaFile()
{
    if (!m_mappa)
        return;
    t_vista = m_precedente;
    ::munmap(m_mappa, size_t(m_lunghezzaMappa));
}
