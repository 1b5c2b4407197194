#include "system/error.h"

namespace tw {

std::string FormatMessage1(const std::string& pattern, const std::string& arg) {
  const auto pos = pattern.find("%s");
  if (pos == std::string::npos) return pattern;
  return pattern.substr(0, pos) + arg + pattern.substr(pos + 2);
}

}  // namespace tw
