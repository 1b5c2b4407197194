#include "ui_support.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

#include "process_window.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "system/system_api.h"
#include "ui/app.h"
#include "ui/message_dialog.h"
#include "win32/win32_registry.h"
#include "win32/win32_system.h"

// Needs <windows.h> first.
#include <commctrl.h>

namespace tw::ui::test {
namespace {

Win32Registry registry;
Win32System systemApi;

// The program's set-up, as its entry makes it.
class UiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_TAB_CLASSES |
                                             ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    SetApplicationTitle("Tavo Trimmwerk 3.0.1");
    SetRegistryBackend(&registry);
    SetSystemBackend(&systemApi);
  }
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new UiEnvironment);

std::map<UINT_PTR, std::function<void()>>& Timers() {
  static std::map<UINT_PTR, std::function<void()>> timers;
  return timers;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto it = Timers().find(id);
  if (it == Timers().end()) return;
  auto action = std::move(it->second);
  Timers().erase(it);
  action();
}

}  // namespace

void Pump(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;  // the main window's end; tests go on
      DispatchOne(msg);
    }
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

bool PumpUntil(const std::function<bool()>& done, int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (!done() && static_cast<LONG>(end - GetTickCount()) > 0) Pump(10);
  return done();
}

void ClickAt(POINT p, int button) {
  static const DWORD down[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_MIDDLEDOWN};
  static const DWORD up[] = {MOUSEEVENTF_LEFTUP, MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_MIDDLEUP};
  SetCursorPos(p.x, p.y);
  Pump(20);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = down[button];
  in[1].mi.dwFlags = up[button];
  SendInput(2, in, sizeof(INPUT));
  Pump(80);
}

POINT CentreOf(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PressKey(WORD key) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = key;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  Pump(80);
}

RECT RectInParent(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RegistryApi& Machine() { return registry; }

void SetDword(RegRoot root, const std::string& key, const std::string& name, DWORD value) {
  RegKey k(registry);
  ASSERT_EQ(k.Create(root, key, kKeyAllAccess), kErrorSuccess) << key;
  ASSERT_EQ(registry.SetValue(k.get(), name, kRegDword, reinterpret_cast<const uint8_t*>(&value),
                              sizeof value),
            kErrorSuccess);
}

void SetString(RegRoot root, const std::string& key, const std::string& name,
               const std::string& value) {
  RegKey k(registry);
  ASSERT_EQ(k.Create(root, key, kKeyAllAccess), kErrorSuccess) << key;
  ASSERT_EQ(
      registry.SetValue(k.get(), name, kRegSz, reinterpret_cast<const uint8_t*>(value.c_str()),
                        static_cast<uint32_t>(value.size() + 1)),
      kErrorSuccess);
}

void DeleteValue(RegRoot root, const std::string& key, const std::string& name) {
  RegKey k(registry);
  if (k.Open(root, key, kKeyAllAccess) == kErrorSuccess) registry.DeleteValue(k.get(), name);
}

void After(int ms, std::function<void()> action) {
  const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(ms), OnTimer);
  Timers()[id] = std::move(action);
}

FoundWindow FindProcessWindow(DWORD processId, const std::string& className) {
  const HWND found = tw::test::FindProcessWindow(processId, [&](HWND hwnd) {
    char cls[64] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    return className == cls;
  });
  return {found, found && IsWindowVisible(found)};
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className) {
  std::vector<HWND> result;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (_stricmp(cls, className.c_str()) == 0) result.push_back(h);
  }
  return result;
}

}  // namespace tw::ui::test
