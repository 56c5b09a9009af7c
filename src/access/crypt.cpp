#include "access/crypt.h"

namespace {

std::uint16_t chiaveSuccessiva(std::uint16_t chiave, std::uint8_t cifrato)
{
    // Every step wraps at 16 bits, as the key is a 16-bit word.
    return std::uint16_t(std::uint16_t(cifrato + chiave) * Crypt::kMoltiplicatore + Crypt::kAddendo);
}

int valoreCifra(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString Cripta(const QString &chiaro)
{
    static const char kCifre[] = "0123456789ABCDEF";
    QString cifrato;
    cifrato.reserve(chiaro.size() * 2);
    std::uint16_t chiave = Crypt::kChiaveIniziale;
    for (QChar c : chiaro) {
        const auto byte = std::uint8_t((c.unicode() & 0xFF) ^ (chiave >> 8));
        cifrato.append(QLatin1Char(kCifre[byte >> 4]));
        cifrato.append(QLatin1Char(kCifre[byte & 0x0F]));
        chiave = chiaveSuccessiva(chiave, byte);
    }
    return cifrato;
}

QString Decripta(const QString &cifrato)
{
    const qsizetype n = cifrato.size() / 2;
    QString chiaro;
    chiaro.reserve(n);
    std::uint16_t chiave = Crypt::kChiaveIniziale;
    for (qsizetype i = 0; i < n; ++i) {
        const int alta = valoreCifra(cifrato.at(2 * i));
        const int bassa = valoreCifra(cifrato.at(2 * i + 1));
        if (alta < 0 || bassa < 0) {
            throw ErroreConversione("'" + cifrato.mid(2 * i, 2).toStdString()
                                    + "' is not a valid hexadecimal value");
        }
        const auto byte = std::uint8_t(alta * 16 + bassa);
        chiaro.append(QChar(char16_t(byte ^ (chiave >> 8))));
        chiave = chiaveSuccessiva(chiave, byte);
    }
    return chiaro;
}
