#include "catalogue/console_palette.h"

#include <cstdio>

#include "registry/reg_key.h"

namespace tw {

ConsolePalette ReadConsolePalette(RegistryApi& registry) {
  ConsolePalette palette{};
  RegKey key(registry);
  if (key.Open(HKCU, "Console", kKeyRead) != kErrorSuccess) return palette;
  for (std::size_t n = 0; n < palette.size(); ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "ColorTable%02u", static_cast<unsigned>(n));
    std::uint32_t type = 0;
    std::uint32_t value = 0;
    std::uint32_t size = sizeof value;
    const long rc =
        registry.QueryValue(key.get(), name, &type, reinterpret_cast<std::uint8_t*>(&value), &size);
    if (rc == kErrorSuccess && type == kRegDword && size == sizeof value) palette[n] = value;
  }
  return palette;
}

}  // namespace tw
