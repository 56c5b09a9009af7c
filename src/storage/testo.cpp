#include "storage/testo.h"

namespace Testo {

namespace {

// Characters of bytes 0x80..0x9F. The five bytes Windows leaves unassigned
// map to the C1 code point of the same value, as Windows itself does, so
// that every byte survives a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeUnit(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == u)
            return char(0x80 + i);
    }
    return '?';
}

inline bool isBlank(QChar c) { return c.unicode() <= 32; }

} // namespace

QString trim(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text.at(begin)))
        ++begin;
    while (end > begin && isBlank(text.at(end - 1)))
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}

namespace {

QString shiftAsciiLetters(const QString &text, char16_t first, char16_t last, int by)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= first && c <= last)
            c = QChar(c.unicode() + by);
    }
    return out;
}

} // namespace

QString upperAscii(const QString &text)
{
    return shiftAsciiLetters(text, u'a', u'z', -32);
}

QString lowerAscii(const QString &text)
{
    return shiftAsciiLetters(text, u'A', u'Z', 32);
}

int compareFolded(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t x = a.at(i).unicode();
        char16_t y = b.at(i).unicode();
        if (x >= u'a' && x <= u'z')
            x -= 32;
        if (y >= u'a' && y <= u'z')
            y -= 32;
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

QByteArray toWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out.append('?');
            ++i;
            continue;
        }
        out.append(encodeUnit(c.unicode()));
    }
    return out;
}

QString fromWindows1252(const char *bytes, int length)
{
    QString out;
    out.resize(length);
    QChar *d = out.data();
    for (int i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

} // namespace Testo
