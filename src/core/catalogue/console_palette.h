#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "registry/registry_api.h"

namespace tw {

// The user's console palette: entry n is the Windows colour value (0x00BBGGRR) of console
// colour n. Read from HKCU "Console", values "ColorTable00" to "ColorTable15", without creating
// the key. A missing key gives sixteen zeros; a missing value, or one that is no 4-byte
// REG_DWORD, gives 0 for that entry only.
using ConsolePalette = std::array<std::uint32_t, 16>;
ConsolePalette ReadConsolePalette(RegistryApi& registry);
// A console colour as the colour lists name it: one upper-case hexadecimal digit.
inline std::string ColourDigit(int n) { return std::string(1, "0123456789ABCDEF"[n & 15]); }

}  // namespace tw
