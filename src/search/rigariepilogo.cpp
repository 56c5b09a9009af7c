#include "search/rigariepilogo.h"

#include "storage/testo.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>
#include <utility>

namespace {

// The stored text of a field, trimmed of the bytes 0 to 32 at both ends
// (the code page keeps those as the characters 0 to 32), written at `riga`:
// padded with blanks or cut to `larghezza`, or at its own length when
// `larghezza` is 0. Returns where the next column begins.
template <size_t N>
char *colonna(char *riga, const uint8_t (&campo)[N], int larghezza = 0)
{
    int n = qMin(int(campo[0]), int(N) - 1);
    const uint8_t *testo = campo + 1;
    while (n > 0 && testo[0] <= 32) {
        ++testo;
        --n;
    }
    while (n > 0 && testo[n - 1] <= 32)
        --n;
    if (larghezza == 0)
        larghezza = n;
    const int presi = qMin(n, larghezza);
    std::memcpy(riga, testo, size_t(presi));
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

template <typename Voci>
int trovaIn(const Voci &voci, int selezionata, const QString &testo, QString &ultimoTesto)
{
    const int n = int(voci.size());
    if (n == 0)
        return -1;
    const int scelta = (selezionata >= 0 && selezionata < n) ? selezionata : 0;
    const QString s = Testo::lowerAscii(testo);
    const bool nuova = s != ultimoTesto;
    ultimoTesto = s;

    auto corrisponde = [&](int i) { return !s.isEmpty() && Testo::lowerAscii(voci.at(i)).contains(s); };

    const int inizio = nuova ? 0 : scelta;
    if (nuova && corrisponde(inizio))
        return inizio;
    int i = inizio;
    do {
        i = (i + 1) % n;
        if (corrisponde(i))
            return i;
    } while (i != inizio);
    return scelta;
}

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

void ElencoRighe::aggiungi(const TSchedaPagina &scheda)
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
    m_voci.push_back({riga, lunghezza});
}

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

// Folding every line once and comparing the folded copies by code unit gives
// the order of Testo::compareFolded at a fraction of the cost on long lists.
void ordinaRighe(QStringList &righe)
{
    const qsizetype n = righe.size();
    QVector<QString> chiavi;
    chiavi.reserve(n);
    for (const QString &r : std::as_const(righe))
        chiavi.append(Testo::upperAscii(r));
    QVector<qsizetype> ordine(n);
    std::iota(ordine.begin(), ordine.end(), 0);
    std::stable_sort(ordine.begin(), ordine.end(),
                     [&chiavi](qsizetype a, qsizetype b) { return chiavi.at(a) < chiavi.at(b); });
    QStringList ordinate;
    ordinate.reserve(n);
    for (qsizetype i : std::as_const(ordine))
        ordinate.append(righe.at(i));
    righe = std::move(ordinate);
}

QVector<QPair<int, TSchedaPagina>> schedeDellaRiga(const PercorsoSchede &percorso, const QString &riga)
{
    const QString cercata = Testo::trim(riga);
    QVector<QPair<int, TSchedaPagina>> trovate;
    percorso([&](int posizione, const TSchedaPagina &scheda) {
        if (Testo::trim(RigaRiepilogo(scheda)) == cercata)
            trovate.append({posizione, scheda});
    });
    return trovate;
}

int trovaNellaLista(const QStringList &voci, int selezionata, const QString &testo, QString &ultimoTesto)
{
    return trovaIn(voci, selezionata, testo, ultimoTesto);
}

int trovaNellaLista(const ElencoRighe &voci, int selezionata, const QString &testo, QString &ultimoTesto)
{
    return trovaIn(voci, selezionata, testo, ultimoTesto);
}
