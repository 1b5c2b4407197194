#pragma once

#include <string>

namespace tw {

// The number of arguments after the program name in a Windows command line, counted up to the
// first empty one ("" ends the count). Blanks and tabs separate arguments; double quotes group
// blanks into one argument and are not part of it.
int CountArguments(const std::string& commandLine);

}  // namespace tw
