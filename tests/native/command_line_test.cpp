#include "system/command_line.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

TEST(CountArguments, CountsUpToTheFirstEmptyArgument) {
  struct Case {
    const char* line;
    int count;
  };
  const Case cases[] = {
      {"", 0},
      {"trimmwerk.exe", 0},
      {"\"C:\\Program Files\\Tavo\\trimmwerk.exe\"", 0},
      {"trimmwerk.exe   ", 0},
      {"trimmwerk.exe \"\"", 0},
      {"trimmwerk.exe x", 1},
      {"\"C:\\Program Files\\trimmwerk.exe\" /x y", 2},
      {"trimmwerk.exe \"a b\"\tc", 2},
      {"trimmwerk.exe a \"\" b", 1},
      {"trimmwerk.exe a\"\"b", 1},
      {"\"\" a", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(CountArguments(c.line), c.count) << c.line;
}

}  // namespace
}  // namespace tw
