// The version and system helpers against the real system of the prefix: the XP prefix is a
// Windows XP SP3, the Vista prefix a Vista SP2 (ctest says which in TRIMMWERK_WINDOWS).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "system_helpers.h"
#include "test_machine.h"
#include "win32_system.h"
#include "winversion.h"

namespace tw {
namespace {

class WineSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetMachine();
    SetSystemBackend(&system_);
    const char* windows = std::getenv("TRIMMWERK_WINDOWS");
    expected_ = windows ? windows : "";
  }
  void TearDown() override { SetSystemBackend(nullptr); }
  Win32System system_;
  std::string expected_;
};

TEST_F(WineSystem, ThePrefixReportsItsWindows) {
  if (expected_ == "xp") {
    EXPECT_TRUE(IsWindowsXP());
    EXPECT_FALSE(IsWindowsVista());
    EXPECT_EQ("Microsoft Windows XP Professional Service Pack 3 (Build 2600)",
              GetWindowsVersionName());
  } else if (expected_ == "vista") {
    EXPECT_TRUE(IsWindowsVista());
    EXPECT_FALSE(IsWindowsXP());
    EXPECT_EQ(0u, GetWindowsVersionName().rfind("Microsoft Windows Vista", 0));
    EXPECT_NE(std::string::npos, GetWindowsVersionName().find("Service Pack 2 (Build 6002)"));
  } else {
    GTEST_SKIP() << "TRIMMWERK_WINDOWS not set";
  }
  EXPECT_TRUE(IsWindowsXPOrVista());
}

TEST_F(WineSystem, FoldersNamesAndExpansion) {
  const std::string folder = GetWindowsFolder();
  ASSERT_GE(folder.size(), 3u);
  EXPECT_EQ('\\', folder.back());
  EXPECT_NE('\\', folder[folder.size() - 2]);
  EXPECT_EQ(folder, ExpandEnvVars(" %windir% ") + "\\");
  EXPECT_EQ("no references", ExpandEnvVars("no references\t"));
  EXPECT_FALSE(GetCurrentUserName().empty());
  EXPECT_FALSE(GetLocalComputerName().empty());
  EXPECT_TRUE(FileExists(folder + "system32\\kernel32.dll"));
  EXPECT_FALSE(FileExists(folder + "system32"));
}

TEST_F(WineSystem, AnExeWithoutVersionResourceHasNoVersion) {
  EXPECT_EQ("", GetProgramVersion());
}

TEST_F(WineSystem, StartingAMissingProgramReportsTheSystemError) {
  // The error text goes through the message seam; without a handler it is answered at once.
  EXPECT_FALSE(ShellRunAndWait("C:\\nowhere\\missing.exe", ""));
}

TEST_F(WineSystem, StartAndWaitRunsAProgramToItsEnd) {
  const std::string cmd = GetWindowsFolder() + "system32\\cmd.exe";
  EXPECT_TRUE(ShellRunAndWait(cmd, "/c exit 3"));
}

}  // namespace
}  // namespace tw
