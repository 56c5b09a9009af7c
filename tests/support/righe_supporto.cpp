#include "support/righe_supporto.h"

#include "storage/testo.h"

#include <QVector>

#include <algorithm>
#include <numeric>

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
