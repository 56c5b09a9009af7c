#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

// The password cipher. Each plain character (its low 8 bits) is XORed with
// the high byte of a 16-bit key, and the key then moves on with the cipher
// byte, so a change in one character changes every cipher byte after it.
// The cipher text is two upper-case hexadecimal digits per character.
//
// The store delivered with the program is written with these same values
// by the build (src/tools), so changing them only needs a rebuild.
namespace Crypt {
inline constexpr std::uint16_t kChiaveIniziale = 0xB86D;
inline constexpr std::uint16_t kMoltiplicatore = 0x6EFB;
inline constexpr std::uint16_t kAddendo = 0x3619;
} // namespace Crypt

// A cipher text holding a pair of digits that is not hexadecimal.
class ErroreConversione : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Plain text to cipher text: 2n digits for n characters. Only the low 8 bits
// of each character are kept, so texts beyond U+00FF do not come back whole.
QString Cripta(const QString &chiaro);

// Cipher text to plain text: one character (U+0000 to U+00FF) per pair of
// digits, either case; an odd last digit is ignored. Throws
// ErroreConversione on a pair that is not hexadecimal.
QString Decripta(const QString &cifrato);
