#pragma once

// The tweak catalogue as a list: every tweak by its ID and name, with the registry places it
// reads and writes. A tweak's getter and setter are reached through its name (tweak_access.h):
// the plain tweaks are rows of registry data (catalogue_row.h), the others compute something
// (computed_tweaks.h).

#include <vector>

#include "catalogue/tweak_info.h"

namespace tw {

// Every tweak of the catalogue, by tweak ID.
const std::vector<TweakInfo>& CatalogueTweaks();

}  // namespace tw
