#include "editor/valoriallegati.h"

QString nomeNumerato(const char *radice, int slot)
{
    return QString::fromLatin1(radice) + QStringLiteral("%1").arg(slot + 1, 2, 10, QLatin1Char('0'));
}

QString nomeEtichettaFile(int slot)
{
    return nomeNumerato("lblFile", slot);
}

QString nomeEtichettaDescrizione(int slot)
{
    return nomeNumerato("lblDesc", slot);
}
