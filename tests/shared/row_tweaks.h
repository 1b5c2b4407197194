#pragma once

// The plain catalogue tweaks by their row's name, for tests that read or write one directly.

#include <stdexcept>
#include <string>

#include "catalogue/catalogue_row.h"

namespace tw::test {

inline const TweakRow& RowOf(const std::string& name) {
  const TweakRow* row = FindTweakRow(name);
  if (!row) throw std::logic_error("no catalogue row " + name);
  return *row;
}
inline bool GetRow(const std::string& name) { return ReadTweak(RowOf(name)); }
inline int GetRowNumber(const std::string& name) { return ReadTweakNumber(RowOf(name)); }
inline bool SetRow(const std::string& name, bool unchecked) {
  return WriteTweak(RowOf(name), unchecked);
}

}  // namespace tw::test
