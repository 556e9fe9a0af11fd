#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The six keys of the drive's panel and the key codes written to the key code parameter
// (FA11). A code is the master's poll period in units of 4 ms in the high byte and the key's
// bit in the low byte. UP and DOWN have fixed release codes.
enum class PanelKey { Run, Stop, Up, Down, Mon, Ent };

namespace PanelKeys {

constexpr int UpRelease = 260;    // 0x0104
constexpr int DownRelease = 264;  // 0x0108

/// The key's bit: RUN 0x01, STOP 0x02, UP 0x04, DOWN 0x08, MON 0x10, ENT 0x20.
uint8_t bit(PanelKey key);
/// The cycle's base: (period in ms / 4, rounded toward zero) x 256 + 1. A period of more than
/// 255 units (1020 ms, after a long pause or a slow line) is given as 255: the high byte must
/// not run into the bits above the 16 the parameter holds.
int base(qint64 periodMs);
/// The code of `key` in a cycle with `base`: base + bit - 1.
int code(int base, PanelKey key);
/// UP and DOWN are held; the others are clicked.
bool isHeld(PanelKey key);

/// "RUN", "STOP", "UP", "DOWN", "MON", "ENT".
QString name(PanelKey key);
/// A key by its name, in any case.
std::optional<PanelKey> fromName(const QString &name);

}  // namespace PanelKeys
