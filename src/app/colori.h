#pragma once

#include <QColor>

// Colours shared by every window.
namespace Colori {
inline const QColor tintaRiposo{0xF0, 0xF8, 0xFF};     // alice blue
inline const QColor tintaFuoco{0xFF, 0xFF, 0x00};      // yellow
inline const QColor tintaBordo{0x87, 0xCE, 0xEB};      // sky blue
inline const QColor alone{0xFF, 0xFF, 0x00};
inline const QColor linkRiposo{0x00, 0x00, 0x8B};      // dark blue
inline const QColor linkPremuto{0xFF, 0xA5, 0x00};     // orange
inline const QColor sfondoBlu{0x42, 0x7A, 0xA8};       // window gradient top
inline const QColor barraStato{0x30, 0x30, 0xDD};      // status line
} // namespace Colori
