#pragma once

#include <QString>

// The maker of the program, as the launcher, the splash and the information
// windows show it and link to it.
namespace Produttore {
inline const QString nome = QStringLiteral("Velmora Software");
inline const QString sito = QStringLiteral("https://www.velmora-software.example");
inline const QString email = QStringLiteral("info@velmora-software.example");
} // namespace Produttore
