#include "app/openurl.h"

#include <QDesktopServices>
#include <QRegularExpression>

QUrl TMisc::url(const QString &destinazione)
{
    QString t = destinazione.trimmed();
    if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"'))
        t = t.mid(1, t.size() - 2);
    if (t.isEmpty())
        return QUrl();

    static const QRegularExpression schema(QStringLiteral("^(https?|ftp|mailto):"),
                                           QRegularExpression::CaseInsensitiveOption);
    if (schema.match(t).hasMatch())
        return QUrl(t, QUrl::TolerantMode);
    if (t.startsWith(QStringLiteral("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + t, QUrl::TolerantMode);
    return QUrl::fromLocalFile(t);
}

void TMisc::Open(const QString &destinazione)
{
    const QUrl u = url(destinazione);
    if (u.isValid() && !u.isEmpty())
        QDesktopServices::openUrl(u);
}
