// The catalogue list: every row and computed tweak by tweak ID.

#include "catalogue/catalogue.h"

#include <algorithm>

#include "catalogue/catalogue_row.h"
#include "catalogue/computed_tweaks.h"

namespace tw {

const std::vector<TweakInfo>& CatalogueTweaks() {
  static const std::vector<TweakInfo> list = [] {
    std::vector<TweakInfo> all;
    for (const TweakRow& row : TweakRows()) all.push_back({row.id, row.name, RowLocations(row)});
    for (const ComputedTweak& computed : ComputedTweaks()) all.push_back(computed.info);
    std::stable_sort(all.begin(), all.end(),
                     [](const TweakInfo& a, const TweakInfo& b) { return a.id < b.id; });
    return all;
  }();
  return list;
}

}  // namespace tw
