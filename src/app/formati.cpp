#include "app/formati.h"

#include <QLocale>

QChar separatoreData(const QString &formatoDiSistema)
{
    bool tra_virgolette = false;
    for (const QChar c : formatoDiSistema) {
        if (c == u'\'') {
            tra_virgolette = !tra_virgolette;
            continue;
        }
        if (!tra_virgolette && !c.isLetter() && !c.isSpace())
            return c;
    }
    return u'/';
}

namespace {
QString formatoDataBreve()
{
    const QChar sep = separatoreData(QLocale::system().dateFormat(QLocale::ShortFormat));
    return QStringLiteral("dd%1MM%1yyyy").arg(sep);
}
} // namespace

QChar separatoreDecimale()
{
    return u',';
}

QString dataBreve(const QDate &data)
{
    return data.toString(formatoDataBreve());
}

QString oraLunga(const QTime &ora)
{
    return QLocale::system().toString(ora, QLocale::LongFormat);
}
