#pragma once

// The catalogue entries of the tweaks written as functions rather than rows: what each one
// reads and writes, for CatalogueTweaks.

#include <string>
#include <vector>

#include "unittweak.h"

namespace tw {

inline RegLocation ValueAt(RegRoot root, const std::string& key, const std::string& value) {
  return {root, key, value, false};
}
inline RegLocation KeyAt(RegRoot root, const std::string& key) { return {root, key, "", true}; }

// Sliders, colours, search options and providers, templates and the other computed tweaks.
std::vector<TweakInfo> SpecialTweaks();
// The one-shot buttons: Messenger, Google search, add-ons, Windows Update.
std::vector<TweakInfo> ActionTweaks();

}  // namespace tw
