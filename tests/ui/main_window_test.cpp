#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "catalogue/computed_tweaks.h"
#include "expect_loaded.h"
#include "flows/settings_load.h"
#include "message_script.h"
#include "registry/registry.h"
#include "row_tweaks.h"
#include "system/error.h"
#include "system/winversion.h"
#include "ui/app.h"
#include "ui/pages.h"
#include "ui/unitmain.h"
#include "ui_support.h"

namespace tw::ui::test {
namespace {

// The controls the panel tests click on, per layout.
struct PanelNames {
  const char* box;  // a check box on the first page
  int boxId;
  const char* otherBox;  // another one on the first page
  int otherBoxId;
  const char* backgroundLabel;
  const char* preview;
  const char* oneShot;  // a one-shot button and its group's ID
  int oneShotGroupId;
  const char* numlock;  // on the third page
  const char* slider;   // and its ID
  int sliderId;
};
const PanelNames kXPNames = {"cboxBalloonTips",
                             20060501,
                             "cboxIncreasePerformance",
                             20060502,
                             "labConsoleBackground",
                             "pboxCmdPreview",
                             "butDeinstallMessenger",
                             20060504,
                             "cbLockNumlock",
                             "tbarBitBucket",
                             20060829};
const PanelNames kVistaNames = {"cb20060501",   20060501,     "cb20060502",  20060502,
                                "lab20060817b", "pb20060817", "but20060541", 20060541,
                                "cb20070409",   "tb20060528", 20060528};

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsWindowsXPOrVista()) << "the UI tests run on the XP and the Vista machine";
    xp = IsWindowsXP();
    layout = xp ? &kPagesXP : &kPagesVista;
    other = xp ? &kPagesVista : &kPagesXP;
    names = xp ? kXPNames : kVistaNames;
    // No saved position or panel state: the window opens as designed.
    for (const char* value : {"left", "top", "collapsed"}) {
      DeleteValue(HKCU, "Software\\Tavo Trimmwerk\\3.0", value);
    }
    form = std::make_unique<TfrmMain>();
    // Pages are made when shown, not while the tests wait (see PagesAreMadeWhileTheWindowIsIdle).
    form->MakePagesWhenIdle = false;
    form->Create();
    SetExceptionHook([this](std::exception_ptr e) { errors.push_back(e); });
    form->Show();
    SetForegroundWindow(form->handle());
    Pump(100);
  }
  void TearDown() override {
    form.reset();
    SetExceptionHook(nullptr);
    Pump(20);
  }

  Controls& c() { return form->controls(); }
  // The control's window; its page is made first if it has not been shown yet.
  HWND H(const std::string& name) {
    c().MakePageOf(c().Get(name));
    return c().Get(name).hwnd;
  }
  // Brings the page that holds the control to the front.
  void ShowPageOf(const std::string& name) {
    Control* p = &c().Get(name);
    while (p && p->kind != Kind::Page) p = p->parent;
    ASSERT_TRUE(p);
    const auto pages = c().Pages(*p->parent);
    for (std::size_t i = 0; i < pages.size(); ++i) {
      if (pages[i] == p) c().SelectPage(*p->parent, static_cast<int>(i));
    }
    Pump(30);
  }
  void Click(const std::string& name, int button = 0) {
    ShowPageOf(name);
    ClickAt(CentreOf(H(name)), button);
  }
  std::string PanelText() {
    HWND view = H("reTweakInfo");
    return WindowText(view);
  }

  tw::test::MessageScript script;
  std::unique_ptr<TfrmMain> form;
  std::vector<std::exception_ptr> errors;
  bool xp = true;
  const PageTable* layout = nullptr;
  const PageTable* other = nullptr;
  PanelNames names{};
};

// --- The window and its layouts.

TEST_F(MainWindow, WindowStyleSizeAndCaption) {
  HWND hwnd = form->handle();
  EXPECT_EQ(WindowText(hwnd), "Tavo Trimmwerk 3.0.1");
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  const LONG ex = GetWindowLongA(hwnd, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(ex & WS_EX_CONTEXTHELP);
  EXPECT_EQ(form->ClientWidth(), 736);
  EXPECT_EQ(form->ClientHeight(), 570);
  EXPECT_EQ(form->ExpandedClientWidth, 736);
  EXPECT_EQ(form->CollapsedClientWidth, 496);
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, OnlyTheLayoutOfThisWindowsIsShownOnItsFirstPage) {
  const std::string shown = layout->pageSet;
  const std::string hidden = other->pageSet;
  EXPECT_TRUE(IsWindowVisible(H(shown)));
  EXPECT_FALSE(IsWindowVisible(H(hidden)));
  for (const char* set : {"pcMain", "pcMainVista"}) {
    EXPECT_EQ(RectInParent(H(set)).left, 16);
    EXPECT_EQ(RectInParent(H(set)).top, 80);
    EXPECT_EQ(c().SelectedPage(c().Get(set)), 0);
  }
  EXPECT_TRUE(IsWindowVisible(H(xp ? "tsSystem" : "tsSystemVista")));
  EXPECT_EQ(c().Text("sbutXPStandard"), xp ? "XP-Standard\ranzeigen" : "Vista-Standard\ranzeigen");
  EXPECT_EQ(c().Text("sbutCurrentSettings"), "Aktuelle\rEinstellungen\ranzeigen");
  EXPECT_EQ(c().Text("butApply"), "Einstellungen\rübernehmen");
  EXPECT_EQ(c().Text("butCancel"), "Schließen");
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
  EXPECT_FALSE(c().Checked("sbutXPStandard"));
  EXPECT_FALSE(form->StandardViewShown);
}

TEST_F(MainWindow, OwnControlsSitWhereTheyBelong) {
  struct Place {
    const char* name;
    RECT r;
  };
  for (const Place& p :
       {Place{"bbInfo", {420, 18, 448, 46}}, Place{"bbCollapse", {452, 18, 480, 46}},
        Place{"pcMain", {16, 80, 480, 498}}, Place{"reTweakInfo", {496, 80, 720, 498}},
        Place{"sbutXPStandard", {16, 508, 104, 556}},
        Place{"sbutCurrentSettings", {110, 508, 198, 556}}, Place{"butApply", {258, 508, 386, 556}},
        Place{"butCancel", {392, 508, 480, 556}}}) {
    const RECT r = RectInParent(H(p.name));
    EXPECT_TRUE(EqualRect(&r, &p.r))
        << p.name << " " << r.left << "," << r.top << " " << r.right << "," << r.bottom;
  }
}

// Labels that show a slider's value or the loaded program folder.
bool ReadsInto(const std::string& label) {
  for (const char* name :
       {"labBitBucketSizeValue", "labStartmenuDelayValue", "lab20060528b", "labProgramDir"}) {
    if (label == name) return true;
  }
  return false;
}

// Every page, group box and control of both tables: kind, caption, tweak ID, place, size,
// parent and tab order. The hidden layout is built as well, so both are checked on each machine.
TEST_F(MainWindow, BothLayoutsFollowTheirTables) {
  c().MakeAllPages();
  std::set<int> ids;
  for (const PageTable* l : {&kPagesXP, &kPagesVista}) {
    Control& pageSet = c().Get(l->pageSet);
    int pageIndex = -1;
    const Control* page = nullptr;
    const Control* group = nullptr;
    std::map<HWND, std::vector<HWND>> order;  // parent -> children in table order
    for (std::size_t i = 0; i < l->count; ++i) {
      const ControlDef& def = l->rows[i];
      SCOPED_TRACE(def.name);
      const Control* ctl = c().Find(def.name);
      ASSERT_TRUE(ctl);
      EXPECT_EQ(ctl->kind, def.kind);
      EXPECT_TRUE(ids.insert(GetDlgCtrlID(ctl->hwnd)).second) << "ID used twice";
      EXPECT_EQ(static_cast<int>(GetWindowContextHelpId(ctl->hwnd)), def.tweakId);
      if (def.kind == Kind::Page) {
        ++pageIndex;
        page = ctl;
        group = nullptr;
        EXPECT_EQ(ctl->parent, &pageSet);
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(pageSet.hwnd, TCM_GETITEMA, static_cast<WPARAM>(pageIndex),
                     reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, def.caption);
        continue;
      }
      const Control* parent = def.kind == Kind::Group ? page : group;
      EXPECT_EQ(ctl->parent, parent);
      EXPECT_EQ(GetParent(ctl->hwnd), parent->hwnd);
      order[parent->hwnd].push_back(ctl->hwnd);
      if (def.kind == Kind::Group) group = ctl;
      const RECT r = RectInParent(ctl->hwnd);
      EXPECT_EQ(r.left, def.bounds.left);
      EXPECT_EQ(r.top, def.bounds.top);
      if (def.kind == Kind::Label && !(def.style & (kCentred | kVCentred))) {
        EXPECT_GE(r.right - r.left, def.bounds.width);  // grows with a wider font
      } else {
        EXPECT_EQ(r.right - r.left, def.bounds.width);
      }
      if (def.kind != Kind::ImageCombo) {
        EXPECT_EQ(r.bottom - r.top, def.bounds.height);
      } else {
        EXPECT_NEAR(r.bottom - r.top, def.bounds.height, 2);
      }
      // Value labels show what was loaded; their design text is in the slider tests.
      const bool valueLabel = def.kind == Kind::Label && ReadsInto(def.name);
      if (def.caption && !valueLabel) {
        EXPECT_EQ(WindowText(ctl->hwnd), def.caption);
      }
      const LONG style = GetWindowLongA(ctl->hwnd, GWL_STYLE);
      if (def.kind == Kind::CheckBox) {
        EXPECT_EQ((style & BS_MULTILINE) != 0, (def.style & kWraps) != 0);
        EXPECT_TRUE(style & WS_TABSTOP);
      }
      if (def.kind == Kind::Label) {
        EXPECT_EQ((style & SS_TYPEMASK) == SS_CENTER, (def.style & kCentred) != 0);
        EXPECT_EQ((style & SS_CENTERIMAGE) != 0, (def.style & kVCentred) != 0);
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(ctl->hwnd, WM_GETFONT, 0, 0));
        LOGFONTA lf{};
        GetObjectA(font, sizeof lf, &lf);
        EXPECT_EQ(lf.lfWeight >= FW_BOLD, (def.style & kBold) != 0);
        EXPECT_EQ(std::abs(lf.lfHeight), 11);
        EXPECT_STREQ(lf.lfFaceName, "Tahoma");
      }
      if (def.kind == Kind::Slider) {
        EXPECT_EQ(SendMessageA(ctl->hwnd, TBM_GETRANGEMIN, 0, 0), def.slider.min);
        EXPECT_EQ(SendMessageA(ctl->hwnd, TBM_GETRANGEMAX, 0, 0), def.slider.max);
        EXPECT_EQ(SendMessageA(ctl->hwnd, TBM_GETPAGESIZE, 0, 0), def.slider.pageStep);
        EXPECT_EQ(SendMessageA(ctl->hwnd, TBM_GETTIC, 0, 0), def.slider.min + def.slider.tick);
      }
    }
    EXPECT_EQ(pageIndex + 1, 9);
    // Tab order is the order of the windows among their siblings.
    for (const auto& [parent, children] : order) {
      std::vector<HWND> actual;
      for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
        actual.push_back(h);
      }
      EXPECT_EQ(actual, children);
    }
  }
}

// Every control with a tweak ID is read by the load sequence of its layout, and only those
// (the folder button stays as it is; a colour pair is one read).
TEST_F(MainWindow, ReadOrdersCoverTheControlsOfTheirLayouts) {
  for (Layout which : {Layout::XP, Layout::Vista}) {
    const PageTable& l = which == Layout::XP ? kPagesXP : kPagesVista;
    std::set<std::string> read;
    for (const ReadStep& step : ReadOrder(which)) {
      read.insert(step.control);
      if (step.background) read.insert(step.background);
    }
    std::set<std::string> expected;
    for (std::size_t i = 0; i < l.count; ++i) {
      const ControlDef& def = l.rows[i];
      if (def.tweakId && def.kind != Kind::Group &&
          std::string(def.name) != "butSearchProgramDir") {
        expected.insert(def.name);
      }
      if (std::string(def.name) == "labProgramDir") expected.insert(def.name);
    }
    EXPECT_EQ(read, expected);
  }
}

TEST_F(MainWindow, ColourListsOfferTheSixteenConsoleColours) {
  for (const char* name :
       {"combxTextColor", "combxBackgroundColor", "combx20060817a", "combx20060817b"}) {
    HWND list = H(name);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 16) << name;
    for (int n = 0; n < 16; ++n) {
      char text[8] = {};
      COMBOBOXEXITEMA item{};
      item.mask = CBEIF_TEXT | CBEIF_IMAGE;
      item.iItem = n;
      item.pszText = text;
      item.cchTextMax = sizeof text;
      SendMessageA(list, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
      EXPECT_EQ(std::string(text), std::string(1, "0123456789ABCDEF"[n])) << name;
      EXPECT_EQ(item.iImage, n) << name;
    }
  }
  // The hidden layout was not loaded: it shows the design selection.
  EXPECT_EQ(c().ItemIndex(xp ? "combx20060817a" : "combxTextColor"), 7);
  EXPECT_EQ(c().ItemIndex(xp ? "combx20060817b" : "combxBackgroundColor"), 0);
}

// The swatches are the user's console palette; an unreadable entry is black and the window is
// still built and loaded.
TEST(MainWindowPalette, SwatchesShowTheConsolePalette) {
  tw::test::MessageScript script;
  for (DWORD n = 0; n < 16; ++n) {
    char name[16];
    wsprintfA(name, "ColorTable%02u", n);
    SetDword(HKCU, "Console", name, RGB(10 * n, 255 - 10 * n, 5 * n));
  }
  SetString(HKCU, "Console", "ColorTable05", "kaputt");
  DeleteValue(HKCU, "Console", "ColorTable09");
  TfrmMain form;
  form.Create();
  for (std::size_t n = 0; n < 16; ++n) {
    const COLORREF want = n == 5 || n == 9 ? 0 : RGB(10 * n, 255 - 10 * n, 5 * n);
    EXPECT_EQ(form.ConsoleColorTable[n], want) << n;
  }
  // Each swatch: its colour inside a black frame.
  form.controls().MakePageOf(form.controls().Get("combxTextColor"));
  HIMAGELIST images = reinterpret_cast<HIMAGELIST>(
      SendMessageA(form.controls().Get("combxTextColor").hwnd, CBEM_GETIMAGELIST, 0, 0));
  ASSERT_EQ(ImageList_GetImageCount(images), 16);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(dc, canvas);
  for (int n = 0; n < 16; ++n) {
    ImageList_Draw(images, n, dc, 0, 0, ILD_NORMAL);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0)) << n;
    EXPECT_EQ(GetPixel(dc, 15, 15), RGB(0, 0, 0)) << n;
    EXPECT_EQ(GetPixel(dc, 8, 8), form.ConsoleColorTable[static_cast<std::size_t>(n)]) << n;
  }
  SelectObject(dc, old);
  DeleteObject(canvas);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(form.controls().Checked("sbutCurrentSettings"));
  DeleteValue(HKCU, "Console", "ColorTable05");
}

// --- Loading the current settings.

// A machine that differs from a fresh one in many places, with the edge values of the
// conversion rows.
void SeedMachine() {
  RegistryBatch batch;
  ASSERT_TRUE(batch.opened());
  tw::test::SetRow("BalloonTips", false);
  tw::test::SetRow("SpeedupNetwork", true);
  tw::test::SetRow("ShowFileext", false);
  tw::test::SetRow("HideMyMusic", false);
  tw::test::SetRow("DontLogPrograms", false);
  tw::test::SetRow("ControlPanel", false);
  tw::test::SetRow("NetworkMenu", false);
  SetConsoleColors(14, 1);
  SetSearchOptions(1, 0, 1, 0, 1);
  SetProgramDir("D:\\Programme");
  SetSearchProvider(false, "Wikipedia", kSearchProviders[2].address);
  SetSearchProvider(true, "IMDB", kSearchProviders[0].address);
  tw::test::SetRow("DisableUAC", false);
  tw::test::SetRow("AeroSlowMotion", false);
  WriteRegString(HKCU, "Control Panel\\Desktop", "MenuShowDelay", "1000");
  WriteRegInteger(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket",
                  "Percent", 250);
  WriteRegInteger(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket",
                  "NukeOnDelete", 2);
}

void ExpectLoaded(Controls& c, Layout layout, const std::set<std::string>& skip = {}) {
  tw::test::ExpectLoaded(
      c, layout, [](const std::string& name) { return name == "tbarBitBucket" ? 100 : 400; }, skip);
}

TEST_F(MainWindow, LoadsASeededMachineIntoBothLayouts) {
  SeedMachine();
  c().SetChecked("sbutXPStandard", true);
  form->LoadCurrentSettings();
  ExpectLoaded(c(), xp ? Layout::XP : Layout::Vista);
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
  EXPECT_FALSE(c().Checked("sbutXPStandard"));
  EXPECT_FALSE(RegistryAccessOpen());
  // The other layout's order on its (hidden) controls.
  ASSERT_TRUE(LoadSettings(c(), ReadOrder(xp ? Layout::Vista : Layout::XP)));
  ExpectLoaded(c(), xp ? Layout::Vista : Layout::XP);

  // The conversion rows and the edges, as the window shows them.
  EXPECT_TRUE(c().Checked(xp ? "cboxBalloonTips" : "cb20060501"));
  EXPECT_FALSE(c().Checked("cboxSpeedupNetwork"));
  EXPECT_FALSE(c().Checked("cboxNukeOnDelete"));
  EXPECT_TRUE(c().Checked("cboxNetworkMenu"));
  EXPECT_EQ(c().Position("trackStartmenuDelay"), 400);
  EXPECT_EQ(c().Text("labStartmenuDelayValue"), "400 ms");
  EXPECT_EQ(c().Position("tb20060528"), 400);
  EXPECT_EQ(c().Text("lab20060528b"), "400 ms");
  EXPECT_EQ(c().Position("tbarBitBucket"), 100);
  EXPECT_EQ(c().Text("labBitBucketSizeValue"), "100 %");
  EXPECT_EQ(c().ItemIndex("combxTextColor"), 14);
  EXPECT_EQ(c().ItemIndex("combxBackgroundColor"), 1);
  EXPECT_EQ(c().ItemIndex("combx20060817a"), 14);
  EXPECT_EQ(c().ItemIndex("combx20060817b"), 1);
  EXPECT_EQ(c().Text("labProgramDir"), "D:\\Programme");
  EXPECT_FALSE(c().Checked("cb20070438a"));
  EXPECT_TRUE(c().Checked("cb20070438c"));
  EXPECT_TRUE(c().Checked("cb20070432"));
  EXPECT_TRUE(errors.empty());
}

// A page's windows are made when it is first shown. Until then what was loaded is kept as data,
// and the windows take it over when they are made; the other layout is never made.
TEST_F(MainWindow, PagesAreMadeWhenFirstShownWithTheLoadedState) {
  const auto shownPages = c().Pages(c().Get(layout->pageSet));
  ASSERT_EQ(shownPages.size(), 9u);
  EXPECT_TRUE(shownPages[0]->Made());
  for (std::size_t i = 1; i < shownPages.size(); ++i) {
    EXPECT_FALSE(shownPages[i]->Made()) << shownPages[i]->name;
  }
  for (const Control* page : c().Pages(c().Get(other->pageSet))) {
    EXPECT_FALSE(page->Made()) << page->name;
  }
  EXPECT_FALSE(c().Get(names.numlock).Made());

  SeedMachine();
  form->LoadCurrentSettings();
  ASSERT_TRUE(LoadSettings(c(), ReadOrder(xp ? Layout::Vista : Layout::XP)));
  for (Layout l : {Layout::XP, Layout::Vista}) ExpectLoaded(c(), l);

  // The controls outside the pages keep their windows, also when the last pages are made.
  std::vector<std::pair<HWND, std::string>> outside;
  for (const char* name : {"reTweakInfo", "sbutXPStandard", "sbutCurrentSettings", "butApply"}) {
    outside.emplace_back(H(name), WindowText(H(name)));
  }
  ShowPageOf(names.numlock);
  EXPECT_TRUE(c().Get(names.numlock).Made());
  EXPECT_TRUE(IsWindowVisible(c().Get(names.numlock).hwnd));
  c().MakeAllPages();
  for (Layout l : {Layout::XP, Layout::Vista}) ExpectLoaded(c(), l);
  for (const auto& [hwnd, text] : outside) {
    EXPECT_EQ(c().Owning(hwnd)->hwnd, hwnd);
    EXPECT_EQ(WindowText(hwnd), text);
  }
  EXPECT_EQ(FindWindowExA(form->handle(), nullptr, "Button", "XP-Standard\ranzeigen") != nullptr,
            xp);
  EXPECT_TRUE(errors.empty());
}

// While the window waits for input it makes the pages of its layout not shown yet, with the
// loaded state; the other layout stays unmade.
TEST(MainWindowIdle, PagesAreMadeWhileTheWindowIsIdle) {
  tw::test::MessageScript script;
  const PageTable& shown = IsWindowsXP() ? kPagesXP : kPagesVista;
  const PageTable& hidden = IsWindowsXP() ? kPagesVista : kPagesXP;
  TfrmMain form;
  form.Create();
  form.Show();
  Controls& c = form.controls();
  const auto pages = c.Pages(c.Get(shown.pageSet));
  EXPECT_FALSE(pages.back()->Made());
  EXPECT_TRUE(PumpUntil(
      [&] { return std::all_of(pages.begin(), pages.end(), [](auto* p) { return p->Made(); }); },
      10000));
  for (const Control* page : c.Pages(c.Get(hidden.pageSet))) EXPECT_FALSE(page->Made());
  for (std::size_t i = 1; i < pages.size(); ++i) EXPECT_FALSE(IsWindowVisible(pages[i]->hwnd));
  ExpectLoaded(c, IsWindowsXP() ? Layout::XP : Layout::Vista);
}

// The panel starts empty; its rich-text view is made in the same place for the first text.
TEST_F(MainWindow, ThePanelsRichTextViewIsMadeForTheFirstText) {
  HWND empty = H("reTweakInfo");
  char name[32] = {};
  GetClassNameA(empty, name, sizeof name);
  EXPECT_NE(lstrcmpiA(name, "RichEdit20A"), 0) << name;
  const RECT place = RectInParent(empty);
  const int id = GetDlgCtrlID(empty);

  form->ShowTweakText(names.boxId);
  HWND view = H("reTweakInfo");
  GetClassNameA(view, name, sizeof name);
  EXPECT_EQ(lstrcmpiA(name, "RichEdit20A"), 0) << name;
  EXPECT_FALSE(IsWindow(empty));
  const RECT now = RectInParent(view);
  EXPECT_TRUE(EqualRect(&now, &place));
  EXPECT_EQ(GetDlgCtrlID(view), id);
  EXPECT_EQ(c().Owning(view), &c().Get("reTweakInfo"));
  EXPECT_FALSE(PanelText().empty());
}

// An empty "RegDone" cannot be read as a number: that box keeps its state, everything else is
// read, and the reading ends as usual.
TEST_F(MainWindow, AnUnreadableValueLeavesOnlyItsControl) {
  SeedMachine();
  {
    RegistryBatch batch;
    WriteRegString(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegDone", "");
    WriteRegString(HKCU, "Control Panel\\Desktop", "MenuShowDelay", "");
  }
  c().SetChecked("cboxSavePrivacy", true);
  c().SetPosition("trackStartmenuDelay", 123);
  c().SetPosition("tb20060528", 123);
  c().SetChecked("sbutXPStandard", true);
  form->LoadCurrentSettings();
  ASSERT_TRUE(LoadSettings(c(), ReadOrder(xp ? Layout::Vista : Layout::XP)));
  EXPECT_TRUE(c().Checked("cboxSavePrivacy"));
  EXPECT_EQ(c().Position("trackStartmenuDelay"), 123);
  EXPECT_EQ(c().Position("tb20060528"), 123);
  const std::set<std::string> failing = {"cboxSavePrivacy", "trackStartmenuDelay", "tb20060528"};
  ExpectLoaded(c(), Layout::XP, failing);
  ExpectLoaded(c(), Layout::Vista, failing);
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
  EXPECT_FALSE(RegistryAccessOpen());
  RegistryBatch batch;
  WriteRegString(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegDone", "1");
  WriteRegString(HKCU, "Control Panel\\Desktop", "MenuShowDelay", "400");
}

TEST_F(MainWindow, CurrentSettingsButtonReloadsAndEndsPressed) {
  const char* box = names.box;
  const bool loaded = c().Checked(box);
  for (bool pressedBefore : {false, true}) {
    c().SetChecked(box, !loaded);
    c().SetChecked("sbutCurrentSettings", pressedBefore);
    form->StandardViewShown = true;
    SendMessageA(H("sbutCurrentSettings"), BM_CLICK, 0, 0);
    Pump(20);
    EXPECT_EQ(c().Checked(box), loaded);
    EXPECT_TRUE(c().Checked("sbutCurrentSettings")) << pressedBefore;
    EXPECT_FALSE(c().Checked("sbutXPStandard"));
    EXPECT_FALSE(form->StandardViewShown);
  }
}

TEST_F(MainWindow, ToggleButtonsFormAGroupWithAtMostOneDown) {
  HWND standard = H("sbutXPStandard");
  HWND current = H("sbutCurrentSettings");
  c().SetChecked("sbutCurrentSettings", false);
  SendMessageA(standard, BM_CLICK, 0, 0);  // the group rule, whatever the handler does
  EXPECT_TRUE(c().Checked("sbutXPStandard"));
  EXPECT_FALSE(c().Checked("sbutCurrentSettings"));
  SendMessageA(standard, BM_CLICK, 0, 0);
  EXPECT_FALSE(c().Checked("sbutXPStandard"));
  EXPECT_FALSE(c().Checked("sbutCurrentSettings"));
  SendMessageA(standard, BM_CLICK, 0, 0);
  SendMessageA(current, BM_CLICK, 0, 0);
  EXPECT_FALSE(c().Checked("sbutXPStandard"));
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
}

// --- The explanation panel.

TEST_F(MainWindow, LeftClickShowsTheTextTogglesTheBoxAndReleasesTheViewButtons) {
  form->CollapseInfoPanel();
  ASSERT_EQ(form->ClientWidth(), 496);
  const bool before = c().Checked(names.box);
  Click(names.box);
  EXPECT_EQ(form->ShownTweakText(), names.boxId);
  EXPECT_NE(c().Checked(names.box), before);
  EXPECT_EQ(form->ClientWidth(), 736);
  EXPECT_FALSE(c().Checked("sbutCurrentSettings"));
  EXPECT_FALSE(c().Checked("sbutXPStandard"));
  EXPECT_NE(PanelText().find(WindowText(H(names.box))), std::string::npos) << PanelText();
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, RightClickOnlyShowsTheText) {
  const bool before = c().Checked(names.otherBox);
  Click(names.otherBox, 1);
  EXPECT_EQ(form->ShownTweakText(), names.otherBoxId);
  EXPECT_EQ(c().Checked(names.otherBox), before);
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
  Click(names.box, 2);  // the middle button does nothing in the panel
  EXPECT_EQ(form->ShownTweakText(), names.otherBoxId);
}

TEST_F(MainWindow, LabelsPreviewAndDisabledButtonsCountAsTheirGroup) {
  Click(names.backgroundLabel);
  EXPECT_EQ(form->ShownTweakText(), 20060817);
  Click(names.box, 1);
  Click(names.preview);
  EXPECT_EQ(form->ShownTweakText(), 20060817);
  c().SetEnabled(names.oneShot, false);
  Click(names.oneShot);
  EXPECT_EQ(form->ShownTweakText(), names.oneShotGroupId);
}

TEST_F(MainWindow, ClicksWithoutATweakShowNothing) {
  Click(names.box, 1);
  const std::string text = PanelText();
  if (xp) {
    Click("Label1");  // its group has no ID
    EXPECT_EQ(form->ShownTweakText(), names.boxId);
  }
  // A tab, the panel itself, an empty part of a page.
  RECT tabs;
  TabCtrl_GetItemRect(H(layout->pageSet), 1, &tabs);
  MapWindowPoints(H(layout->pageSet), nullptr, reinterpret_cast<POINT*>(&tabs), 2);
  ClickAt({(tabs.left + tabs.right) / 2, (tabs.top + tabs.bottom) / 2});
  ClickAt(CentreOf(H("reTweakInfo")));
  RECT page;
  GetWindowRect(H(xp ? "tsSystem" : "tsSystemVista"), &page);
  c().SelectPage(c().Get(layout->pageSet), 0);
  ClickAt({page.right - 4, page.bottom - 4});
  EXPECT_EQ(form->ShownTweakText(), names.boxId);
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
}

TEST_F(MainWindow, F1OnTheFocusedBoxShowsItsText) {
  ShowPageOf(names.numlock);
  SetFocus(H(names.numlock));
  PressKey(VK_F1);
  EXPECT_EQ(form->ShownTweakText(), 20070409);
}

// What the system sends after the title bar's "?" and a click on a control.
TEST_F(MainWindow, ContextHelpOnTheSliderShowsItsText) {
  ShowPageOf(names.slider);
  HWND slider = H(names.slider);
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = slider;
  info.iCtrlId = GetDlgCtrlID(slider);
  info.dwContextId = GetWindowContextHelpId(slider);
  SendMessageA(slider, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(form->ShownTweakText(), names.sliderId);
  // A label goes up to its group; a label in a group without an ID finds nothing.
  const char* label = xp ? "labBitBucketSize" : "lab20060528a";
  info.hItemHandle = H(label);
  form->CollapseInfoPanel();
  SendMessageA(H(label), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(form->ClientWidth(), 736);
}

TEST_F(MainWindow, CollapseButtonClosesAndOpensThePanel) {
  HWND button = H("bbCollapse");
  const auto open = SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(form->ClientWidth(), 496);
  const auto closed = SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0);
  EXPECT_NE(open, closed);
  RECT window;
  GetWindowRect(form->handle(), &window);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(form->ClientWidth(), 736);
  EXPECT_EQ(SendMessageA(button, BM_GETIMAGE, IMAGE_BITMAP, 0), open);
  RECT after;
  GetWindowRect(form->handle(), &after);
  EXPECT_EQ(after.left, window.left);
  EXPECT_EQ(form->ClientHeight(), 570);
}

// An error inside a handler reaches the error hook and leaves the window as it was.
TEST_F(MainWindow, AMissingTextGoesToTheErrorHook) {
  Click(names.box, 1);
  form->CollapseInfoPanel();
  c().Get(names.otherBox).tweakId = 19990101;
  Click(names.otherBox, 1);
  ASSERT_EQ(errors.size(), 1u);
  try {
    std::rethrow_exception(errors[0]);
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Ressource TEXT_19990101 wurde nicht gefunden");
  }
  EXPECT_EQ(form->ShownTweakText(), names.boxId);
  EXPECT_EQ(form->ClientWidth(), 496);
  EXPECT_TRUE(IsWindow(form->handle()));
}

// --- Colour preview and slider labels.

TEST_F(MainWindow, PreviewShowsTheChosenColoursFramedInBlack) {
  for (std::size_t n = 0; n < 16; ++n) {
    form->ConsoleColorTable[n] = RGB(16 * n, 200, 255 - 16 * n);
  }
  const char* text = xp ? "combxTextColor" : "combx20060817a";
  const char* background = xp ? "combxBackgroundColor" : "combx20060817b";
  c().SetItemIndex(text, 14);
  c().SetItemIndex(background, 1);
  // The user's choice: the list tells its group box, which passes it on to the window.
  HWND list = H(text);
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  Pump(50);
  HWND box = H(names.preview);
  HDC dc = GetDC(box);
  RECT r;
  GetClientRect(box, &r);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, r.right - 1, r.bottom - 1), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 20), form->ConsoleColorTable[1]);
  int textPixels = 0;
  for (int y = 1; y < r.bottom - 1; ++y) {
    for (int x = 1; x < r.right - 1; ++x)
      textPixels += GetPixel(dc, x, y) == form->ConsoleColorTable[14];
  }
  ReleaseDC(box, dc);
  EXPECT_GT(textPixels, 100);
}

TEST_F(MainWindow, SliderLabelsFollowTheirSliders) {
  struct Case {
    const char* slider;
    const char* label;
    int position;
    const char* text;
  };
  for (const Case& k : {Case{"tbarBitBucket", "labBitBucketSizeValue", 10, "10 %"},
                        Case{"tbarBitBucket", "labBitBucketSizeValue", 250, "100 %"},
                        Case{"trackStartmenuDelay", "labStartmenuDelayValue", 0, "1 ms"},
                        Case{"tb20060528", "lab20060528b", 400, "400 ms"}}) {
    c().SetPosition(k.slider, k.position);
    EXPECT_EQ(c().Text(k.label), k.text) << k.slider << " " << k.position;
  }
  // The Vista slider changes only its own label.
  const std::string xpLabel = c().Text("labStartmenuDelayValue");
  c().SetPosition("tb20060528", 33);
  EXPECT_EQ(c().Text("lab20060528b"), "33 ms");
  EXPECT_EQ(c().Text("labStartmenuDelayValue"), xpLabel);
  // Moved by the user: the slider tells its group box, which passes it on.
  HWND slider = H("tbarBitBucket");
  c().SetPosition("tbarBitBucket", 50);
  const int before = c().Position("tbarBitBucket");
  SendMessageA(slider, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageA(slider, WM_KEYUP, VK_RIGHT, 0);
  EXPECT_EQ(c().Position("tbarBitBucket"), before + 1);
  EXPECT_EQ(c().Text("labBitBucketSizeValue"), std::to_string(before + 1) + " %");
}

TEST_F(MainWindow, HeaderIsDrawnUnscaledAtTheTop) {
  RECT r;
  GetClientRect(form->handle(), &r);
  HDC dc = GetDC(form->handle());
  // The header picture is not the button face; below it the window is.
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_NE(GetPixel(dc, 2, 2), face);
  EXPECT_NE(GetPixel(dc, 735, 63), face);
  EXPECT_EQ(GetPixel(dc, 2, 70), face);
  ReleaseDC(form->handle(), dc);
}

}  // namespace
}  // namespace tw::ui::test
