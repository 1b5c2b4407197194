#pragma once

// Which tweak writes a registry place: the places a setter of the apply run writes (values, and
// keys created or removed whole), compared by their canonical names. Places only tested and the
// one-shot buttons' places have no owner.

#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "registry/reg_place.h"

namespace tw {

// The tweak of the catalogue that writes a place, and which of its locations that is.
struct PlaceOwner {
  const TweakInfo* tweak;
  std::size_t location;
};
// The tweak whose setter writes the value (or, with no value, the key), through a location of
// that value or a key it creates or removes whole; none for any other place.
std::optional<PlaceOwner> OwnerOf(const RegPath& key, const std::optional<std::u16string>& value);
// The tweaks that write at or below a key (a parent key that a run made for them).
std::vector<PlaceOwner> OwnersBelow(const RegPath& key);
// Whether a setter writes a value of the key, or the key lies in one a setter writes whole.
bool IsWrittenKey(const RegPath& key);

}  // namespace tw
