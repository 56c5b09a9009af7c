#pragma once

#include <QString>
#include <QUrl>

// Hands a file path, web address or "mailto:" address to the desktop, which
// opens it with the associated program. Never blocks and never reports: a
// target the desktop cannot open leaves the program as it was.
class TMisc
{
public:
    static void Open(const QString &destinazione);

    // The URL that Open hands over: the double quotes callers wrap around
    // paths and mail addresses are dropped; web and mail addresses stay
    // addresses, anything else is a local file.
    static QUrl url(const QString &destinazione);
};
