#pragma once

// Checks that each control of a read order shows what its getter reports now, by the
// conversion rows: the one rule for the fake surface and for the real window.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <variant>

#include "flows/control_surface.h"
#include "flows/settings_load.h"
#include "registry/registry.h"

namespace tw::test {

// sliderMax gives a slider's upper end (the lower is 1 for all of them).
inline void ExpectLoaded(const ControlSurface& surface, Layout layout,
                         const std::function<int(const std::string&)>& sliderMax,
                         const std::set<std::string>& skip = {}) {
  RegistryBatch batch;
  ASSERT_TRUE(batch.opened());
  for (const ReadStep& step : ReadOrder(layout)) {
    if (skip.count(step.control)) continue;
    std::string text;
    const int n = std::visit(
        Overloaded{[](std::monostate) { return 0; },
                   [](const TweakRow* row) {
                     return row->numberGetter ? ReadTweakNumber(*row) : ReadTweak(*row) ? 1 : 0;
                   },
                   [](bool (*get)()) { return get() ? 1 : 0; }, [](int (*get)()) { return get(); },
                   [&](std::string (*get)()) {
                     text = get();
                     return 0;
                   },
                   [](const NamedGetter& named) { return named.get(named.argument) ? 1 : 0; }},
        step.get);
    const char* c = step.control;
    switch (step.put) {
      case Put::Checked:
        EXPECT_EQ(surface.Checked(c), n != 0) << c;
        break;
      case Put::NotChecked:
        EXPECT_EQ(surface.Checked(c), n == 0) << c;
        break;
      case Put::CheckedIfEquals:
        EXPECT_EQ(surface.Checked(c), n == step.equals) << c;
        break;
      case Put::Position:
        EXPECT_EQ(surface.Position(c), std::clamp(n, 1, sliderMax(c))) << c;
        break;
      case Put::Enabled:
        EXPECT_EQ(surface.Enabled(c), n != 0) << c;
        break;
      case Put::Text:
        EXPECT_EQ(surface.Text(c), text) << c;
        break;
      case Put::ColourPair:
        EXPECT_EQ(surface.ItemIndex(c), ConsoleColourPair(n).text) << c;
        EXPECT_EQ(surface.ItemIndex(step.background), ConsoleColourPair(n).background) << c;
        break;
    }
  }
}

}  // namespace tw::test
