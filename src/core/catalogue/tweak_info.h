#pragma once

// A tweak as the catalogue lists it: its ID, its name and the registry places it reads and
// writes.

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry_api.h"

namespace tw {

// A registry place a tweak reads or writes: a whole key (tested, created or removed with its
// subtree) or one value of a key.
struct RegLocation {
  RegRoot root;
  std::string key;
  std::string value;  // "" is the default value; unused for a whole key
  bool wholeKey = false;
  // A setter of the apply run writes it: the value, or for a whole key, the key created or
  // removed with its subtree. False for places that are only tested, and for the one-shot
  // buttons' places. A backup may bring back only these.
  bool written = false;
};

struct TweakInfo {
  std::uint32_t id;
  std::string name;                    // as the read orders and write sequences name it
  std::vector<RegLocation> locations;  // the getter's (the button test's) location first
};

}  // namespace tw
