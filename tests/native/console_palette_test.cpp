#include "catalogue/console_palette.h"

#include <gtest/gtest.h>

#include "support/memory_registry.h"

namespace tw {
namespace {

TEST(ConsolePalette, MissingKeyIsAllBlack) {
  MemoryRegistry registry;
  const ConsolePalette palette = ReadConsolePalette(registry);
  for (std::uint32_t c : palette) EXPECT_EQ(c, 0u);
}

TEST(ConsolePalette, ReadsSixteenValuesAndZeroesTheUnreadableOnes) {
  MemoryRegistry registry;
  for (std::uint32_t n = 0; n < 16; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "ColorTable%02u", n);
    registry.PutDword(HKCU, "Console", name, 0x010101u * n + 1);
  }
  registry.Put(HKCU, "Console", "ColorTable03", kRegBinary, {1, 2, 3, 4});
  registry.PutString(HKCU, "Console", "ColorTable07", "255");
  registry.Put(HKCU, "Console", "ColorTable09", kRegDword, {1, 2});
  registry.Put(HKCU, "Console", "ColorTable12", kRegDword, {1, 2, 3, 4, 5, 6, 7, 8});
  registry.PutDword(HKCU, "Console", "ColorTable1", 77);  // one digit: not a palette entry
  const ConsolePalette palette = ReadConsolePalette(registry);
  for (std::uint32_t n = 0; n < 16; ++n) {
    const bool broken = n == 3 || n == 7 || n == 9 || n == 12;
    EXPECT_EQ(palette[n], broken ? 0u : 0x010101u * n + 1) << n;
  }
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

}  // namespace
}  // namespace tw
