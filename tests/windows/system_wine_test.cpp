// The version and system helpers against the real system of the prefix: the XP prefix is a
// Windows XP SP3, the Vista prefix a Vista SP2 (ctest says which in TRIMMWERK_WINDOWS).

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "message_script.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "system/system_helpers.h"
#include "system/winversion.h"
#include "test_machine.h"
#include "win32/win32_system.h"

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

TEST_F(WineSystem, AnExeWithoutVersionResourceHasNoVersion) { EXPECT_EQ("", GetProgramVersion()); }

// A hotfix counts as installed while its key is there.
TEST_F(WineSystem, AHotfixIsInstalledWhileItsKeyIsThere) {
  const std::string key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q999001";
  EXPECT_FALSE(system_.HotfixInstalled("Q999001"));
  {
    RegKey made(test::Machine());
    ASSERT_EQ(made.Create(HKLM, key, kKeyAllAccess), kErrorSuccess);
  }
  EXPECT_TRUE(system_.HotfixInstalled("Q999001"));
  EXPECT_TRUE(system_.HotfixInstalled("q999001")) << "key names ignore case";
  ASSERT_EQ(DeleteRegTree(test::Machine(), HKLM, AnsiToWide(key)), kErrorSuccess);
  EXPECT_FALSE(system_.HotfixInstalled("Q999001"));
}

// Answers the shell's own error box, which the shell shows on this thread before the call
// returns, from a second thread.
class ShellErrorBoxCloser {
 public:
  ShellErrorBoxCloser() : thread_(GetCurrentThreadId()) {
    watcher_ = std::thread([this] {
      while (!done_) {
        EnumThreadWindows(thread_, &Close, reinterpret_cast<LPARAM>(&closed_));
        Sleep(50);
      }
    });
  }
  ~ShellErrorBoxCloser() {
    done_ = true;
    watcher_.join();
  }
  int closed() const { return closed_; }

 private:
  static BOOL CALLBACK Close(HWND w, LPARAM counter) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(w)) {
      PostMessageA(w, WM_COMMAND, IDOK, 0);
      ++*reinterpret_cast<std::atomic<int>*>(counter);
    }
    return TRUE;
  }
  DWORD thread_;
  std::atomic<bool> done_{false};
  std::atomic<int> closed_{0};
  std::thread watcher_;
};

TEST_F(WineSystem, StartingAMissingProgramReportsTheSystemError) {
  test::MessageScript script;
  {
    ShellErrorBoxCloser closer;
    EXPECT_FALSE(ShellRunAndWait("C:\\nowhere\\missing.exe", ""));
  }
  ASSERT_EQ(1u, script.asked.size());
  EXPECT_EQ(MsgType::Plain, script.asked[0].type);
  EXPECT_FALSE(script.asked[0].text.empty()) << "the system's error text";
}

// The system's error text is one line for a message; a code the system has no text for is named.
TEST_F(WineSystem, ErrorTextsEndWithoutALineBreak) {
  const std::string notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
  ASSERT_FALSE(notFound.empty());
  EXPECT_NE('\n', notFound.back());
  EXPECT_NE('\r', notFound.back());
  EXPECT_EQ("Fehler 536870913", SystemErrorText(0x20000001));
}

TEST_F(WineSystem, StartAndWaitRunsAProgramToItsEnd) {
  const std::string cmd = GetWindowsFolder() + "system32\\cmd.exe";
  EXPECT_TRUE(ShellRunAndWait(cmd, "/c exit 3"));
}

}  // namespace
}  // namespace tw
