// The program's own settings across restarts: trimmwerk.exe is started as a child process, its
// window moved or its panel closed, and it is closed the way Windows asks a program to close.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ui_support.h"
#include "window_doubles.h"

namespace tw::ui::test {
namespace {

constexpr int kCollapseId = 101;  // bbCollapse

class Program {
 public:
  Program() {
    char exe[MAX_PATH] = {};
    GetFullPathNameA(TRIMMWERK_EXE, MAX_PATH, exe, nullptr);
    std::string line = std::string("\"") + exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    started_ = CreateProcessA(exe, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                              &pi_) != FALSE;
    if (started_ && PumpUntil([this] { return Find("TfrmMain").visible; }, 20000))
      main_ = Find("TfrmMain").hwnd;
  }
  ~Program() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  HWND main() const { return main_; }
  FoundWindow Find(const std::string& cls) const { return FindProcessWindow(pi_.dwProcessId, cls); }
  RECT Frame() const {
    RECT r{};
    GetWindowRect(main_, &r);
    return r;
  }
  int ClientWidth() const {
    RECT r{};
    GetClientRect(main_, &r);
    return r.right;
  }
  // Closes the window as Windows asks a program to; the exit code, or -1 when it stays.
  long Close() {
    PostMessageA(main_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
  HWND main_ = nullptr;
};

void ExpectSaved(const char* name, long number) {
  const StoredValue v = ReadValue(HKCU, kOwnKey, name);
  EXPECT_EQ(v.type, kRegDword) << name;
  EXPECT_EQ(v.number, number) << name;
}

TEST(OwnSettings, PositionAndPanelSurviveARestart) {
  DeleteKeyTree(HKCU, kOwnKey);
  {
    Program first;
    ASSERT_TRUE(first.main());
    EXPECT_EQ(first.ClientWidth(), 736) << "first run: the panel is open";
    SetWindowPos(first.main(), nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SendMessageA(GetDlgItem(first.main(), kCollapseId), BM_CLICK, 0, 0);
    EXPECT_EQ(first.ClientWidth(), 496);
    EXPECT_EQ(first.Close(), 0);
  }
  ExpectSaved("left", 123);
  ExpectSaved("top", 77);
  ExpectSaved("collapsed", 1);
  {
    Program second;
    ASSERT_TRUE(second.main());
    EXPECT_EQ(second.Frame().left, 123);
    EXPECT_EQ(second.Frame().top, 77);
    EXPECT_EQ(second.ClientWidth(), 496);
    SendMessageA(GetDlgItem(second.main(), kCollapseId), BM_CLICK, 0, 0);
    EXPECT_EQ(second.Close(), 0);
  }
  ExpectSaved("collapsed", 0);
}

// "collapsed" 5 counts as closed; a "left" of another type is skipped without a message and
// written as a number at the next close.
TEST(OwnSettings, OddValuesAreReadSoundly) {
  SetDword(HKCU, kOwnKey, "collapsed", 5);
  SetString(HKCU, kOwnKey, "left", "300");
  SetDword(HKCU, kOwnKey, "top", 90);
  Program p;
  ASSERT_TRUE(p.main());
  EXPECT_EQ(p.Frame().top, 90);
  EXPECT_NE(p.Frame().left, 300);
  EXPECT_EQ(p.ClientWidth(), 496);
  EXPECT_FALSE(p.Find("#32770").hwnd) << "no message box";
  const long left = p.Frame().left;
  EXPECT_EQ(p.Close(), 0);
  ExpectSaved("left", left);
  ExpectSaved("top", 90);
  ExpectSaved("collapsed", 1);
}

// A monitor was removed since: the saved place lies on none and is not used.
TEST(OwnSettings, APositionOnNoMonitorIsNotApplied) {
  SetDword(HKCU, kOwnKey, "left", static_cast<DWORD>(-5000));
  SetDword(HKCU, kOwnKey, "top", 4000);
  SetDword(HKCU, kOwnKey, "collapsed", 0);
  Program p;
  ASSERT_TRUE(p.main());
  const RECT r = p.Frame();
  EXPECT_NE(r.left, -5000);
  EXPECT_TRUE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL)) << r.left << "," << r.top;
  EXPECT_EQ(p.ClientWidth(), 736);
  EXPECT_EQ(p.Close(), 0);
}

}  // namespace
}  // namespace tw::ui::test
