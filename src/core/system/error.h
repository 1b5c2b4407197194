#pragma once

#include <stdexcept>
#include <string>

namespace tw {

// The program's one exception type. what() is the German message in cp1252, ready to show.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Replaces the first "%s" of a message pattern by arg (the patterns carry exactly one).
std::string FormatMessage1(const std::string& pattern, const std::string& arg);

}  // namespace tw
