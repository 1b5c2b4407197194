#pragma once

// The tweaks written as functions rather than rows, one entry each: its catalogue entry (what
// it reads and writes, for CatalogueTweaks) and its getter and setter.

#include <string>
#include <vector>

#include "tweak_access.h"
#include "unittweak.h"

namespace tw {

// A value the setter writes.
inline RegLocation ValueAt(RegRoot root, const std::string& key, const std::string& value) {
  return {root, key, value, false, true};
}
// A key only tested, or one the one-shot buttons empty.
inline RegLocation KeyAt(RegRoot root, const std::string& key) {
  return {root, key, "", true, false};
}
// A key the setter creates or removes with its subtree.
inline RegLocation WholeKeyAt(RegRoot root, const std::string& key) {
  return {root, key, "", true, true};
}

struct ComputedTweak {
  TweakInfo info;
  Getter get;
  Setter set;  // none for the one-shot buttons, whose actions run apart
};

// Sliders, colours, search options and providers, templates and the other computed tweaks.
std::vector<ComputedTweak> SpecialTweaks();
// The one-shot buttons: Messenger, Google search, add-ons, Windows Update; the getter is the
// button's test.
std::vector<ComputedTweak> ActionTweaks();
// Both, built once.
const std::vector<ComputedTweak>& ComputedTweaks();

}  // namespace tw
