// The Windows-side tests reach the registry only through test_keys.h, which opens and creates
// every key in the program's view; a bare call in a 32-bit test on 64-bit Windows would look
// into Wow6432Node instead. Deleting goes through the program's RemoveRegKey, never the API.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

namespace {

// Asks for both views on purpose, to show the program's writes land in the 64-bit one.
const char kExempt[] = "TEST(Wow64View, MachineWideTweaksReachThe64BitView)";

TEST(TestKeys, NoTestReachesTheRegistryOutsideTheProgramsView) {
  const std::regex call(
      R"(\b(Reg(Open|Create|Delete)Key\w*|RegDeleteTree\w*|SHDelete\w*Key\w*)\s*\()");
  int helperCalls = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(TW_TESTS_DIR)) {
    const auto ext = entry.path().extension();
    if (ext != ".cpp" && ext != ".h") continue;
    std::ifstream in(entry.path());
    std::stringstream text;
    text << in.rdbuf();
    const std::string source = text.str();
    if (source.find(kExempt) != std::string::npos) continue;
    const bool helper = entry.path().filename() == "test_keys.h";
    for (std::sregex_iterator m(source.begin(), source.end(), call), end; m != end; ++m) {
      const std::string statement =
          source.substr(m->position(), source.find(';', m->position()) - m->position());
      const bool opens = m->str(2) == "Open" || m->str(2) == "Create";
      EXPECT_TRUE(helper && opens && statement.find("RegistryView()") != std::string::npos)
          << entry.path().string() << ": " << statement;
      helperCalls += helper;
    }
  }
  EXPECT_EQ(helperCalls, 4) << "the helper's open and create, each with a name of either type";
}

}  // namespace
