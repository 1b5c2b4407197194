#include "system/command_line.h"

namespace tw {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads one argument starting at pos (not on a blank); returns its text without quotes.
std::string NextArgument(const std::string& line, std::size_t& pos) {
  std::string arg;
  bool quoted = false;
  for (; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (IsBlank(c) && !quoted) {
      break;
    } else {
      arg += c;
    }
  }
  return arg;
}

}  // namespace

int CountArguments(const std::string& commandLine) {
  std::size_t pos = 0;
  int count = -1;  // the program name comes first
  while (true) {
    while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
    if (pos >= commandLine.size()) break;
    if (NextArgument(commandLine, pos).empty() && count >= 0) break;
    ++count;
  }
  return count < 0 ? 0 : count;
}

}  // namespace tw
