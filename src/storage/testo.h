#pragma once

#include <QByteArray>
#include <QString>

// Text rules shared by every window and file format of the program.
namespace Testo {

// Removes leading and trailing characters whose code is 32 or less: blanks
// and control characters alike, as the stored fields and every comparison
// of typed text expect.
QString trim(const QString &text);

// Upper- or lower-cases only the ASCII letters; every other character
// stays, so "è" never finds "È".
QString upperAscii(const QString &text);
QString lowerAscii(const QString &text);

// Orders texts by UTF-16 code unit after folding a to z onto A to Z; a text
// that begins another sorts first. Returns <0, 0 or >0.
int compareFolded(const QString &a, const QString &b);

// Windows-1252, one byte a character. A character the code page cannot hold
// becomes '?', one for each character (a surrogate pair is one character).
QByteArray toWindows1252(const QString &text);
QString fromWindows1252(const char *bytes, int length);
inline QString fromWindows1252(const QByteArray &bytes)
{
    return fromWindows1252(bytes.constData(), int(bytes.size()));
}

} // namespace Testo
