#include "search/rigariepilogo.h"

#include "storage/testo.h"
#include "storage/testobyte.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <utility>

namespace {

// The stored text of a field, trimmed as every stored text is, written at
// `riga`: padded with blanks or cut to `larghezza`, or at its own length
// when `larghezza` is 0. Returns where the next column begins.
template <size_t N>
char *colonna(char *riga, const uint8_t (&campo)[N], int larghezza = 0)
{
    const QByteArrayView testo = Testo::trimBytes(
        QByteArrayView(reinterpret_cast<const char *>(campo + 1), qMin(int(campo[0]), int(N) - 1)));
    const int n = int(testo.size());
    if (larghezza == 0)
        larghezza = n;
    const int presi = qMin(n, larghezza);
    std::memcpy(riga, testo.data(), size_t(presi));
    std::memset(riga + presi, ' ', size_t(larghezza - presi));
    return riga + larghezza;
}

char *fisso(char *riga, const char (&testo)[11])
{
    std::memcpy(riga, testo, 10);
    return riga + 10;
}

char *fisso(char *riga, const char (&testo)[8])
{
    std::memcpy(riga, testo, 7);
    return riga + 7;
}

// The key of each byte in the list order: its character's code unit with
// a-z folded onto A-Z. Built from the decoder itself, so the order of bytes
// is the order of the text they stand for.
const std::array<char16_t, 256> &chiaviByte()
{
    static const std::array<char16_t, 256> chiavi = [] {
        std::array<char16_t, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            t[size_t(b)] = Testo::upperAscii(Testo::fromWindows1252(&c, 1)).at(0).unicode();
        }
        return t;
    }();
    return chiavi;
}

static_assert(kLunghezzaMassimaRiga == 132 + int(sizeof(TSchedaPagina::PagNum)) - 1);

constexpr int kBlocco = 1 << 20;

} // namespace

int scriviRigaRiepilogo(const TSchedaPagina &scheda, char *riga)
{
    char *p = colonna(riga, scheda.Titolo, 55);
    p = fisso(p, "  Autore: ");
    p = colonna(p, scheda.Autore, 30);
    p = fisso(p, "  Cod. ");
    p = colonna(p, scheda.Codice, 20);
    p = fisso(p, "  Pag. n. ");
    p = colonna(p, scheda.PagNum);
    return int(p - riga);
}

QString RigaRiepilogo(const TSchedaPagina &scheda)
{
    char riga[kLunghezzaMassimaRiga];
    return Testo::fromWindows1252(riga, scriviRigaRiepilogo(scheda, riga));
}

void ElencoRighe::aggiungi(const TSchedaPagina &scheda, int posizione)
{
    if (m_blocchi.empty() || m_usati > kBlocco - kLunghezzaMassimaRiga) {
        // Left uninitialised: every byte read is written first, and zeroing a
        // block would touch all its pages even when a search finds a few lines.
        m_blocchi.push_back(std::unique_ptr<char[]>(new char[kBlocco]));
        m_usati = 0;
    }
    char *riga = m_blocchi.back().get() + m_usati;
    const int lunghezza = scriviRigaRiepilogo(scheda, riga);
    m_usati += lunghezza;
    m_voci.push_back({riga, lunghezza, posizione});
}

namespace {

// Whether two lines fall together in the list order (folded alike).
bool pariNellOrdine(const char *a, int la, const char *b, int lb)
{
    if (la != lb)
        return false;
    const std::array<char16_t, 256> &chiave = chiaviByte();
    const auto *x = reinterpret_cast<const uint8_t *>(a);
    const auto *y = reinterpret_cast<const uint8_t *>(b);
    for (int i = 0; i < la; ++i) {
        if (x[i] != y[i] && chiave[x[i]] != chiave[y[i]])
            return false;
    }
    return true;
}

} // namespace

void ElencoRighe::ordina()
{
    const std::array<char16_t, 256> &chiave = chiaviByte();
    std::stable_sort(m_voci.begin(), m_voci.end(), [&chiave](const Voce &a, const Voce &b) {
        const int n = qMin(a.lunghezza, b.lunghezza);
        const auto *x = reinterpret_cast<const uint8_t *>(a.testo);
        const auto *y = reinterpret_cast<const uint8_t *>(b.testo);
        for (int i = 0; i < n; ++i) {
            if (x[i] != y[i] && chiave[x[i]] != chiave[y[i]])
                return chiave[x[i]] < chiave[y[i]];
        }
        return a.lunghezza < b.lunghezza;
    });
}

int ElencoRighe::posizione(qsizetype i) const
{
    const Voce &scelta = m_voci[size_t(i)];
    const auto stessaRiga = [&scelta](const Voce &v) {
        return v.lunghezza == scelta.lunghezza && std::memcmp(v.testo, scelta.testo, size_t(v.lunghezza)) == 0;
    };
    const auto accanto = [&scelta](const Voce &v) {
        return pariNellOrdine(v.testo, v.lunghezza, scelta.testo, scelta.lunghezza);
    };
    int posizione = scelta.posizione;
    for (size_t k = size_t(i); k-- > 0 && accanto(m_voci[k]);) {
        if (stessaRiga(m_voci[k]))
            posizione = qMax(posizione, m_voci[k].posizione);
    }
    for (size_t k = size_t(i) + 1; k < m_voci.size() && accanto(m_voci[k]); ++k) {
        if (stessaRiga(m_voci[k]))
            posizione = qMax(posizione, m_voci[k].posizione);
    }
    return posizione;
}

QString ElencoRighe::at(qsizetype i) const
{
    const Voce &v = m_voci[size_t(i)];
    return Testo::fromWindows1252(v.testo, v.lunghezza);
}

QStringList ElencoRighe::testi() const
{
    QStringList t;
    t.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        t.append(at(i));
    return t;
}
