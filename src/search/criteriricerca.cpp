#include "search/criteriricerca.h"

#include "search/rigariepilogo.h"
#include "storage/testo.h"

#include <string_view>

void CriteriRicerca::aggiungi(Campo campo, const QString &testo)
{
    if (Testo::trim(testo).isEmpty())
        return;
    const QString minuscolo = Testo::lowerAscii(testo);
    Criterio c;
    c.offset = infoCampo(campo).offset;
    c.capacita = infoCampo(campo).capacita;
    c.cercato = Testo::toWindows1252(minuscolo);
    c.possibile = Testo::fromWindows1252(c.cercato) == minuscolo;
    m_criteri.append(c);
}

// Works on the stored bytes: the code page keeps ASCII as it is, so folding
// A-Z in the bytes is folding them in the text, and no record needs to be
// turned into text just to be rejected.
bool CriteriRicerca::soddisfatti(const TSchedaPagina &scheda) const
{
    const auto *record = reinterpret_cast<const uint8_t *>(&scheda);
    char testo[256];
    for (const Criterio &c : m_criteri) {
        if (!c.possibile)
            return false;
        const uint8_t *campo = record + c.offset;
        const int n = qMin(int(campo[0]), c.capacita);
        for (int i = 0; i < n; ++i) {
            const uint8_t b = campo[1 + i];
            testo[i] = char((b >= 'A' && b <= 'Z') ? b + 32 : b);
        }
        const std::string_view campoMinuscolo(testo, size_t(n));
        if (campoMinuscolo.find(std::string_view(c.cercato.constData(), size_t(c.cercato.size())))
            == std::string_view::npos)
            return false;
    }
    return true;
}

bool daCompletare(const TSchedaPagina &scheda)
{
    return leggiFlag(scheda) == Flag::Si;
}

void righeRiepilogo(const PercorsoSchede &percorso, const std::function<bool(const TSchedaPagina &)> &filtro,
                    ElencoRighe &righe)
{
    percorso([&](int, const TSchedaPagina &scheda) {
        if (filtro(scheda))
            righe.aggiungi(scheda);
    });
}
