#include "support/permessi_supporto.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The capabilities through which root ignores a file's mode and owner.
constexpr unsigned kScavalcano = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool leggi(__user_cap_data_struct (&dati)[2])
{
    __user_cap_header_struct testa{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capget, &testa, dati) == 0;
}

bool scrivi(__user_cap_data_struct (&dati)[2])
{
    __user_cap_header_struct testa{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(SYS_capset, &testa, dati) == 0;
}

} // namespace

PermessiDaUtente::PermessiDaUtente()
{
    if (::geteuid() != 0) {
        m_attivi = true;
        return;
    }
    __user_cap_data_struct dati[2]{};
    if (!leggi(dati))
        return;
    m_effettive[0] = dati[0].effective;
    m_effettive[1] = dati[1].effective;
    dati[0].effective &= ~kScavalcano;
    if (!scrivi(dati))
        return;
    m_ripristina = true;
    m_attivi = true;
}

PermessiDaUtente::~PermessiDaUtente()
{
    if (!m_ripristina)
        return;
    __user_cap_data_struct dati[2]{};
    if (!leggi(dati))
        return;
    dati[0].effective = m_effettive[0];
    dati[1].effective = m_effettive[1];
    scrivi(dati);
}
