#include "app/formati.h"

#include <QLocale>

namespace {
QString g_formatoData = QStringLiteral("dd/MM/yyyy");
QChar g_decimale = u',';
} // namespace

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

void impostaFormatiProcesso()
{
    const QChar sep = separatoreData(QLocale::system().dateFormat(QLocale::ShortFormat));
    g_formatoData = QStringLiteral("dd%1MM%1yyyy").arg(sep);
    g_decimale = u',';
}

QChar separatoreDecimale()
{
    return g_decimale;
}

QString dataBreve(const QDate &data)
{
    return data.toString(g_formatoData);
}

QString oraLunga(const QTime &ora)
{
    return QLocale::system().toString(ora, QLocale::LongFormat);
}
