#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include <memory>

#include "message_script.h"
#include "system/error.h"
#include "system/system_helpers.h"
#include "system/winversion.h"
#include "ui/unitinfo.h"
#include "ui/unitmain.h"
#include "ui_support.h"

namespace tw::ui::test {
namespace {

std::string ItemText(HWND list, int item, int column) {
  char text[256] = {};
  LVITEMA lv{};
  lv.iSubItem = column;
  lv.pszText = text;
  lv.cchTextMax = sizeof text;
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  return text;
}

TEST(InfoWindow, ListsTheSevenRowsWithTheProvidersValues) {
  TfrmInfo info;
  info.Create(nullptr);
  EXPECT_FALSE(IsWindowVisible(info.handle()));
  EXPECT_EQ(WindowText(info.handle()), "Informationen");
  EXPECT_EQ(info.ClientWidth(), 424);
  EXPECT_EQ(info.ClientHeight(), 288);
  HWND list = info.list();
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 7);
  const char* captions[] = {
      "Entwickelt von:", "Copyright:", "Programmversion:", "Betriebssystem:", "Benutzername:",
      "Computername:",   "WWW:"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(ItemText(list, i, 0), captions[i]);
  EXPECT_EQ(ItemText(list, 2, 1), "3.0.1.608");
  EXPECT_EQ(ItemText(list, 2, 1), GetProgramVersion());
  EXPECT_EQ(ItemText(list, 3, 1), GetWindowsVersionName());
  EXPECT_EQ(ItemText(list, 3, 1)
                .rfind(IsWindowsXP() ? "Microsoft Windows XP" : "Microsoft Windows Vista", 0),
            0u);
  EXPECT_EQ(ItemText(list, 4, 1), GetCurrentUserName());
  EXPECT_EQ(ItemText(list, 5, 1), GetLocalComputerName());
  EXPECT_FALSE(ItemText(list, 4, 1).empty());
  for (int i : {0, 1, 6}) EXPECT_FALSE(ItemText(list, i, 1).empty()) << i;
  const LONG style = GetWindowLongA(list, GWL_STYLE);
  EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_TRUE(style & LVS_NOCOLUMNHEADER);
  EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), 100);
}

// Each named control at its place, with its text and look.
TEST(InfoWindow, ControlsCarryTheirNamesAndPlaces) {
  struct Case {
    const char* name;
    RECT place;  // left, top, right, bottom
    const char* text;
  };
  const Case cases[] = {
      {"imgControlPanel", {24, 24, 56, 56}, ""},
      {"labProgramName", {72, 32, 248, 45}, "Tavo Trimmwerk 3.0.1"},
      {"lvSystemInfo", {24, 72, 400, 222}, ""},
      {"bbOK", {148, 239, 276, 264}, "OK"},
  };
  TfrmInfo info;
  info.Create(nullptr);
  for (const Case& k : cases) {
    HWND hwnd = info.Get(k.name);
    ASSERT_TRUE(hwnd) << k.name;
    EXPECT_EQ(GetParent(hwnd), info.handle()) << k.name;
    const RECT r = RectInParent(hwnd);
    EXPECT_EQ(r.left, k.place.left) << k.name;
    EXPECT_EQ(r.top, k.place.top) << k.name;
    EXPECT_EQ(r.right, k.place.right) << k.name;
    EXPECT_EQ(r.bottom, k.place.bottom) << k.name;
    EXPECT_EQ(WindowText(hwnd), k.text) << k.name;
  }
  EXPECT_EQ(info.list(), info.Get("lvSystemInfo"));
  EXPECT_TRUE(SendMessageA(info.Get("imgControlPanel"), STM_GETICON, 0, 0));
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HGDIOBJ>(SendMessageA(info.Get("labProgramName"), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  HWND ok = info.Get("bbOK");
  EXPECT_EQ(GetDlgCtrlID(ok), IDOK);
  EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_THROW(info.Get("butOK"), tw::Error);
}

// The info button shows the window modally: the main window takes no input meanwhile, and
// "OK" (or Escape) closes it.
TEST(InfoWindow, InfoButtonShowsItModally) {
  tw::test::MessageScript script;
  TfrmMain main;
  main.Create();
  TfrmInfo info;
  info.Create(main.handle());
  main.Show();
  Pump(50);
  for (WPARAM close : {static_cast<WPARAM>(IDOK), static_cast<WPARAM>(IDCANCEL)}) {
    bool sawModal = false;
    After(150, [&] {
      sawModal = IsWindowVisible(info.handle()) && !IsWindowEnabled(main.handle());
      PostMessageA(info.handle(), WM_COMMAND, close, 0);
    });
    SendMessageA(main.controls().Get("bbInfo").hwnd, BM_CLICK, 0, 0);
    EXPECT_TRUE(sawModal);
    EXPECT_FALSE(IsWindowVisible(info.handle()));
    EXPECT_TRUE(IsWindowEnabled(main.handle()));
  }
  EXPECT_EQ(SendMessageA(info.list(), LVM_GETITEMCOUNT, 0, 0), 7);
}

}  // namespace
}  // namespace tw::ui::test
