#include "search/criteriricerca.h"

#include "search/rigariepilogo.h"
#include "storage/testo.h"

#include <array>
#include <cstdint>

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

namespace {

// The code page keeps ASCII as it is, so folding A-Z in the stored bytes is
// folding them in the text.
constexpr std::array<uint8_t, 256> kPiega = [] {
    std::array<uint8_t, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[size_t(b)] = uint8_t((b >= 'A' && b <= 'Z') ? b + 32 : b);
    return t;
}();

// Whether the lower-cased ago occurs in the field's bytes once folded,
// compared in place: a field is read where it lies and never copied.
bool contiene(const uint8_t *testo, int n, const uint8_t *ago, int m)
{
    const uint8_t primo = ago[0];
    for (int i = 0; i <= n - m; ++i) {
        if (kPiega[testo[i]] != primo)
            continue;
        int k = 1;
        while (k < m && kPiega[testo[i + k]] == ago[k])
            ++k;
        if (k == m)
            return true;
    }
    return false;
}

} // namespace

// Works on the stored bytes: no record needs to be turned into text just to
// be rejected.
bool CriteriRicerca::soddisfatti(const TSchedaPagina &scheda) const
{
    const auto *record = reinterpret_cast<const uint8_t *>(&scheda);
    for (const Criterio &c : m_criteri) {
        if (!c.possibile)
            return false;
        const uint8_t *campo = record + c.offset;
        if (!contiene(campo + 1, qMin(int(campo[0]), c.capacita),
                      reinterpret_cast<const uint8_t *>(c.cercato.constData()), int(c.cercato.size())))
            return false;
    }
    return true;
}

// Byte for byte: the code page keeps the bytes 0 to 32 as the characters 0
// to 32, and "Sì" is the bytes 'S', 0xEC and nothing else, so a trimmed
// comparison of the bytes is the trimmed comparison of the text.
bool daCompletare(const TSchedaPagina &scheda)
{
    const uint8_t *campo = scheda.DaCompletare;
    const uint8_t *testo = campo + 1;
    int n = qMin(int(campo[0]), int(sizeof scheda.DaCompletare) - 1);
    while (n > 0 && testo[0] <= 32) {
        ++testo;
        --n;
    }
    while (n > 0 && testo[n - 1] <= 32)
        --n;
    return n == 2 && testo[0] == 'S' && testo[1] == 0xEC;
}

void righeRiepilogo(const PercorsoSchede &percorso, const std::function<bool(const TSchedaPagina &)> &filtro,
                    ElencoRighe &righe)
{
    percorso([&](int posizione, const TSchedaPagina &scheda) {
        if (filtro(scheda))
            righe.aggiungi(scheda, posizione);
    });
}
