#include "archives/elencoarchivi.h"

#include "ocr/indicetesti.h"
#include "storage/testo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace ElencoArchivi {

QStringList elenco(const QString &cartella)
{
    // Hidden files too: an archive named ".x" is still an archive. The mask
    // ignores case, as file masks do where the archives come from.
    QDir dir(cartella);
    dir.setNameFilters({QStringLiteral("*.kpx")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Unsorted);
    QStringList voci = dir.entryList();
    std::sort(voci.begin(), voci.end(),
              [](const QString &a, const QString &b) { return Testo::compareFolded(a, b) < 0; });
    return voci;
}

QString nomeDaVoce(const QString &voce)
{
    return voce.left(std::max<qsizetype>(0, voce.size() - 4));
}

QString percorsoDaVoce(const QString &cartella, const QString &voce)
{
    return cartella + voce;
}

QString rigaConteggio(int numero)
{
    return QStringLiteral("Sono stati creati ") + QString::number(numero) + QStringLiteral(" documenti.");
}

bool elimina(const QString &percorso)
{
    QFile::remove(percorso);
    return !QFileInfo::exists(percorso);
}

bool togliTesti(const QString &cartella, const QString &nome)
{
    const QString percorso = IndiceTesti::percorsoIn(cartella);
    if (!QFileInfo::exists(percorso))
        return true;
    IndiceTesti indice(percorso, false);
    indice.limitaAttesa(1000);
    return indice.usabile() && indice.togliArchivio(nome);
}

} // namespace ElencoArchivi
