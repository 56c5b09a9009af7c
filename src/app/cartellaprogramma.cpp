#include "app/cartellaprogramma.h"

#include <QDir>

namespace {
QString g_cartella;
}

QString cartellaProgramma()
{
    return g_cartella;
}

void impostaCartellaProgramma(const QString &cartella)
{
    QString c = QDir::fromNativeSeparators(QDir(cartella).absolutePath());
    if (!c.endsWith(u'/'))
        c.append(u'/');
    g_cartella = c;
}
