#include "ocr/letturatesto.h"

#include "storage/testo.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <array>

namespace {

// The first line of each hyphenated pair loses its hyphen when the next line
// goes on in lower case: "pro-" and "seguire" are one word.
QString uniscoRighe(const QString &testo)
{
    QStringList righe;
    for (const QString &r : testo.split(QLatin1Char('\n'))) {
        const QString t = r.simplified();
        if (!t.isEmpty())
            righe.append(t);
    }
    QString unito;
    for (const QString &r : righe) {
        if (unito.isEmpty()) {
            unito = r;
            continue;
        }
        const bool spezzata = unito.size() >= 2 && unito.endsWith(QLatin1Char('-')) &&
                              unito.at(unito.size() - 2).isLetter() && r.at(0).isLower();
        if (spezzata) {
            unito.chop(1);
            unito += r;
        } else {
            unito += QLatin1Char(' ') + r;
        }
    }
    return unito;
}

struct Lingua {
    const char *nome;
    QSet<QString> parole;
};

QSet<QString> insieme(const char *elenco)
{
    QSet<QString> s;
    for (const QString &p : QString::fromUtf8(elenco).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        s.insert(p);
    return s;
}

// Words that are frequent in one language and rare in the other two. Words
// shared by two of them ("non", "in", "a") are left out: they tell nothing.
const std::array<Lingua, 3> &lingue()
{
    static const std::array<Lingua, 3> l{{
        {"Italiano", insieme("il lo la gli le di del della dei delle dello degli che è e per una uno un "
                             "con nel nella nei sono come più anche ma questo questa quella quello "
                             "si ha ho era al alla alle ai dal dalla da ne se poi così già molto "
                             "essere fu aveva loro sua suo suoi sue mio mia tutto tutti ogni")},
        {"Latino", insieme("et est ad cum quod qui quae quam sed ut ab ex enim autem esse sunt atque "
                           "ac nec neque etiam hoc haec eius eorum quid nam vel erat sit ita tamen "
                           "inter per quo quibus ille illa ipse omnia omnes apud sine iam nunc")},
        {"Inglese", insieme("the and of to is that with for was his her he she it this which from by "
                            "have had be are were not they their at as on an or but all would there "
                            "been one my you when what so")},
    }};
    return l;
}

} // namespace

QString incipitDaTesto(const QString &testo, int massimo)
{
    const QString unito = uniscoRighe(testo);
    if (unito.size() <= massimo)
        return unito;
    // A cut that falls right after a word keeps that word.
    if (unito.at(massimo) == QLatin1Char(' '))
        return unito.left(massimo);
    const int spazio = unito.lastIndexOf(QLatin1Char(' '), massimo - 1);
    return spazio > 0 ? unito.left(spazio) : unito.left(massimo);
}

int righeDiTesto(const QString &testo)
{
    int n = 0;
    for (const QString &r : testo.split(QLatin1Char('\n')))
        if (!Testo::trim(r).isEmpty())
            ++n;
    return n;
}

QString linguaDiTesto(const QString &testo)
{
    static const QRegularExpression nonLettere(QStringLiteral("[^\\p{L}]+"));
    const QStringList parole = testo.toLower().split(nonLettere, Qt::SkipEmptyParts);
    std::array<int, 3> punti{};
    for (const QString &p : parole)
        for (size_t k = 0; k < lingue().size(); ++k)
            if (lingue()[k].parole.contains(p))
                ++punti[k];
    size_t migliore = 0;
    for (size_t k = 1; k < punti.size(); ++k)
        if (punti[k] > punti[migliore])
            migliore = k;
    // Two common words are too few to tell a language by, and a tie tells
    // nothing either.
    int pari = 0;
    for (int p : punti)
        if (p == punti[migliore])
            ++pari;
    if (punti[migliore] < 3 || pari > 1)
        return {};
    return QString::fromLatin1(lingue()[migliore].nome);
}

CampiLettura campiDaTesto(const QString &testo)
{
    const int righe = righeDiTesto(testo);
    return {incipitDaTesto(testo), righe > 0 ? QString::number(righe) : QString(), linguaDiTesto(testo)};
}

CampiLettura riempiVuoti(const CampiLettura &schermo, const CampiLettura &letti)
{
    auto scegli = [](const QString &attuale, const QString &letto) {
        return Testo::trim(attuale).isEmpty() ? letto : attuale;
    };
    return {scegli(schermo.incipit, letti.incipit), scegli(schermo.righe, letti.righe),
            scegli(schermo.lingua, letti.lingua)};
}
