#include "catalogue/place_owners.h"

#include "registry/codepage.h"

namespace tw {
namespace {

// The places a setter of the apply run writes, in wide text, folded: values, and keys created
// or removed whole. Places only tested and the one-shot buttons' places are not among them.
struct Place {
  RegRoot root;
  std::u16string key;
  std::u16string value;
  bool wholeKey;
  const TweakInfo* tweak;
  std::size_t location;  // its index in the tweak's locations
};

const std::vector<Place>& WrittenPlaces() {
  static const std::vector<Place> places = [] {
    std::vector<Place> all;
    for (const TweakInfo& t : CatalogueTweaks()) {
      for (std::size_t i = 0; i < t.locations.size(); ++i) {
        const RegLocation& l = t.locations[i];
        if (l.written)
          all.push_back({l.root, FoldName(AnsiToWide(l.key)), FoldName(AnsiToWide(l.value)),
                         l.wholeKey, &t, i});
      }
    }
    return all;
  }();
  return places;
}

}  // namespace

std::vector<PlaceOwner> OwnersBelow(const RegPath& key) {
  std::vector<PlaceOwner> owners;
  for (const Place& p : WrittenPlaces()) {
    if (Under({p.root, p.key}, key)) owners.push_back({p.tweak, p.location});
  }
  return owners;
}

std::optional<PlaceOwner> OwnerOf(const RegPath& key, const std::optional<std::u16string>& value) {
  const std::u16string folded = value ? FoldName(*value) : u"";
  for (const Place& p : WrittenPlaces()) {
    const bool owns = p.wholeKey ? Under(key, {p.root, p.key})
                                 : value && p.value == folded && SameKey(key, {p.root, p.key});
    if (owns) return PlaceOwner{p.tweak, p.location};
  }
  return std::nullopt;
}

bool IsWrittenKey(const RegPath& key) {
  for (const Place& p : WrittenPlaces()) {
    if (SameKey(key, {p.root, p.key})) return true;
  }
  return OwnerOf(key, std::nullopt).has_value();
}

}  // namespace tw
