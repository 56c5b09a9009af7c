#pragma once

#include <QByteArrayView>

namespace Testo {

// Testo::trim's rule on a stored field's bytes: the code page keeps the
// bytes 0 to 32 as the characters 0 to 32. Inline: every summary line and
// every exported cell goes through it.
inline QByteArrayView trimBytes(QByteArrayView bytes)
{
    const auto vuoto = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    qsizetype inizio = 0;
    qsizetype fine = bytes.size();
    while (inizio < fine && vuoto(bytes[inizio]))
        ++inizio;
    while (fine > inizio && vuoto(bytes[fine - 1]))
        --fine;
    return bytes.sliced(inizio, fine - inizio);
}

} // namespace Testo
