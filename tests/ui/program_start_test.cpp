// The program as a process: the command line, the refusal on other Windows versions, the
// start into the main window.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "registry/reg_key.h"
#include "ui_support.h"
#include "win32/win32_registry.h"

namespace tw::ui::test {
namespace {

struct Child {
  PROCESS_INFORMATION pi{};
  bool started = false;
  DWORD startTick = 0;

  explicit Child(const std::string& exe, const std::string& arguments = "") {
    std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    startTick = GetTickCount();
    started = CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &si, &pi) != FALSE;
  }
  ~Child() {
    if (!started) return;
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  // The exit code, or -1 when it does not end in time.
  long Wait(DWORD ms) {
    if (WaitForSingleObject(pi.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<long>(code);
  }
  FoundWindow Window(const std::string& cls) { return FindProcessWindow(pi.dwProcessId, cls); }
};

std::string ExePath() {
  char path[MAX_PATH] = {};
  GetFullPathNameA(TRIMMWERK_EXE, MAX_PATH, path, nullptr);
  return path;
}

TEST(ProgramStart, AnyArgumentEndsAtOnceWithoutAWindow) {
  for (const char* args : {"x", "a \"\" b", "/?"}) {
    Child child(ExePath(), args);
    ASSERT_TRUE(child.started);
    EXPECT_EQ(child.Wait(10000), 0) << args;
    EXPECT_FALSE(child.Window("TfrmMain").hwnd);
  }
}

// Started without arguments (an empty one counts as none) the main window opens; the
// information window is created hidden.
TEST(ProgramStart, OpensTheMainWindowAndEndsWithZero) {
  for (const char* args : {"", "\"\""}) {
    Child child(ExePath(), args);
    ASSERT_TRUE(child.started);
    ASSERT_TRUE(PumpUntil([&] { return child.Window("TfrmMain").visible; }, 20000)) << args;
    const DWORD startUp = GetTickCount() - child.startTick;
    RecordProperty("startup_ms", static_cast<int>(startUp));
    std::printf("start-up to a visible, loaded main window: %lu ms\n",
                static_cast<unsigned long>(startUp));
    HWND main = child.Window("TfrmMain").hwnd;
    EXPECT_EQ(WindowText(main), "Tavo Trimmwerk 3.0.1");
    const FoundWindow info = child.Window("TfrmInfo");
    EXPECT_TRUE(info.hwnd);
    EXPECT_FALSE(info.visible);
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(child.Wait(10000), 0);
  }
}

// On Windows 2000 the program explains itself and ends; no window of it stays.
TEST(ProgramStart, RefusesOtherWindowsVersions) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string copy = std::string(temp) + "trimmwerk_win2k.exe";
  ASSERT_TRUE(CopyFileA(ExePath().c_str(), copy.c_str(), FALSE));
  SetString(HKCU, "Software\\Wine\\AppDefaults\\trimmwerk_win2k.exe", "Version", "win2k");

  Child child(copy);
  ASSERT_TRUE(child.started);
  ASSERT_TRUE(PumpUntil([&] { return child.Window("#32770").visible; }, 20000));
  HWND box = child.Window("#32770").hwnd;
  EXPECT_EQ(WindowText(box), "Informationen");
  std::string text;
  for (HWND h : ChildrenOfClass(box, "Static")) text += WindowText(h);
  EXPECT_EQ(text,
            "Dieses Programm kann ausschließlich in Verbindung mit Windows XP oder Windows Vista "
            "genutzt werden.\rDas Programm wird jetzt beendet!");
  const auto buttons = ChildrenOfClass(box, "Button");
  ASSERT_EQ(buttons.size(), 1u);
  EXPECT_EQ(WindowText(buttons[0]), "OK");
  EXPECT_FALSE(child.Window("TfrmMain").visible);
  SendMessageA(buttons[0], BM_CLICK, 0, 0);
  EXPECT_EQ(child.Wait(10000), 0);

  Win32Registry registry;
  RegKey key(registry);
  if (key.Open(HKCU, "Software\\Wine\\AppDefaults", kKeyAllAccess) == kErrorSuccess) {
    RegKey app(registry);
    if (app.Open(key.get(), "trimmwerk_win2k.exe", kKeyAllAccess) == kErrorSuccess) {
      registry.DeleteValue(app.get(), "Version");
    }
    app.Close();
    registry.DeleteKey(key.get(), "trimmwerk_win2k.exe");
  }
  DeleteFileA(copy.c_str());
}

}  // namespace
}  // namespace tw::ui::test
