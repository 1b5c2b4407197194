// The search window over the real captions and explanation texts, the keys that switch pages,
// and the names that screen readers read for the main window's controls.

#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <oleacc.h>

#include <memory>
#include <set>

#include "system/winversion.h"
#include "ui/pages.h"
#include "ui/search_window.h"
#include "ui/unitmain.h"
#include "ui_support.h"

namespace tw::ui::test {
namespace {

using Captions = std::vector<std::string>;

class Search : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsWindowsXPOrVista());
    xp = IsWindowsXP();
    form = std::make_unique<TfrmMain>();
    form->MakePagesWhenIdle = false;
    form->Create();
    form->Show();
    SetForegroundWindow(form->handle());
    Pump(100);
  }
  void TearDown() override { form.reset(); }
  TfrmSearch& Window() {
    if (!form->searchWindow()) SendMessageA(form->handle(), WM_SYSCOMMAND, kCmdFind, 0);
    return *form->searchWindow();
  }
  Captions Query(const char* text, bool filtered = false) {
    SendMessageA(Window().Get("cbNonStandard"), BM_SETCHECK, filtered ? BST_CHECKED : 0, 0);
    SetWindowTextA(Window().Get("edQuery"), text);  // the field's change refreshes the list
    return Window().ListedCaptions();
  }
  Control& PageSet() { return form->controls().Get(xp ? kPagesXP.pageSet : kPagesVista.pageSet); }
  int Page() { return form->controls().SelectedPage(PageSet()); }
  static void Chord(std::vector<WORD> keys) {
    std::vector<INPUT> in(keys.size() * 2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      in[i].type = in[in.size() - 1 - i].type = INPUT_KEYBOARD;
      in[i].ki.wVk = in[in.size() - 1 - i].ki.wVk = keys[i];
      in[in.size() - 1 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
    Pump(100);
  }

  std::unique_ptr<TfrmMain> form;
  bool xp = true;
};

// Words of captions and of explanation texts, every word needed, case and umlaut spellings
// free; one entry per tweak ID, named by the group where several controls share it.
TEST_F(Search, QueriesListTheirSettingsInPageOrder) {
  const Captions fileExt = {"Windows Explorer › Dateiendungen einblenden"};
  struct Case {
    const char* query;
    Captions xp, vista;
  };
  const Case cases[] = {
      {"Dateiendungen einblenden", fileExt, fileExt},
      {"HIDEFILEEXT", fileExt, fileExt},  // only in the explanation
      {"Schutzmassnahmen", fileExt, fileExt},
      {"schutzmaßnahmen", fileExt, fileExt},
      {"Verknuepfungspfeile",
       {"Bedienoberfläche › Verknüpfungspfeile entfernen"},
       {"Bedienoberfläche › Verknüpfungspfeile entfernen"}},
      {"papierkorb",
       {"Windows Explorer › Größe des Papierkorbs", "Bedienoberfläche › Sofort löschen"},
       {}},
      {"vorschau",
       {"System › Bildervorschau deaktivieren", "System › Kommandozeile"},
       {"System › Kommandozeile"}},
      {"maulkorb usagetracking",
       {"Windows Media Player › Maulkorb anlegen"},
       {"Windows Media Player › Maulkorb anlegen"}},
      {"maulkorb papierkorb", {}, {}},
      {"installationspfad", {"Bedienoberfläche › Installationspfad für Programme"}, {}},
      {"wikipedia", {}, {"Internet Explorer › Suchdienste"}},
      {"google",
       {"Internet Explorer › Google-Suche voreinstellen"},
       {"Internet Explorer › Google-Suche voreinstellen"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.query);
    EXPECT_EQ(Query(k.query), xp ? k.xp : k.vista);
  }
  // The empty field: every tweak ID of the layout once, from the first page to the last.
  const PageTable& layout = xp ? kPagesXP : kPagesVista;
  std::set<int> ids;
  for (std::size_t i = 0; i < layout.count; ++i) {
    if (layout.rows[i].tweakId) ids.insert(layout.rows[i].tweakId);
  }
  const Captions all = Query("  ");
  ASSERT_EQ(all.size(), ids.size());
  EXPECT_EQ(all.front(), "System › Sprechblasen abschalten");
  EXPECT_EQ(all.back(), "Datenschutz › Windows-Authentifizierung deaktivieren");
  EXPECT_EQ(WindowText(Window().Get("labCount")), std::to_string(ids.size()) + " Treffer");
  // The filter: nothing differs from the standard view once it is shown, then one box.
  SendMessageA(form->controls().Get("sbutXPStandard").hwnd, BM_CLICK, 0, 0);
  EXPECT_EQ(Query("", true), Captions{});
  EXPECT_EQ(WindowText(Window().Get("labCount")), "Keine Treffer");
  form->controls().SetChecked(xp ? "cboxShowFileext" : "cb20060517", true);
  EXPECT_EQ(Query("", true), fileExt);
  EXPECT_EQ(Query("sprechblasen", true), Captions{});
  // Opened again, the filter looks at the boxes again.
  form->controls().SetChecked(xp ? "cboxBalloonTips" : "cb20060501", true);
  form->OpenSearch();
  EXPECT_EQ(Window().ListedCaptions(), Captions{"System › Sprechblasen abschalten"});
  form->StandardViewShown = false;
}

TEST_F(Search, CtrlFTypedWordsAndEnterShowTheSettingUnchanged) {
  if (!xp) GTEST_SKIP() << "the window's keys are tested on the XP layout";
  Controls& c = form->controls();
  c.MakePageOf(c.Get("cboxShowFileext"));
  const bool checked = c.Checked("cboxShowFileext");
  form->CollapseInfoPanel();
  SetFocus(c.Get("cboxBalloonTips").hwnd);
  Chord({VK_CONTROL, 'F'});
  ASSERT_TRUE(form->searchWindow());
  EXPECT_EQ(GetActiveWindow(), Window().handle());
  for (char key : std::string("DATEIENDUNG")) PressKey(static_cast<WORD>(key));
  EXPECT_EQ(WindowText(Window().Get("edQuery")), "dateiendung");
  PressKey(VK_RETURN);
  EXPECT_EQ(Page(), 1);
  EXPECT_EQ(GetFocus(), c.Get("cboxShowFileext").hwnd);
  EXPECT_EQ(c.Checked("cboxShowFileext"), checked);
  EXPECT_EQ(form->ShownTweakText(), 20060517);
  EXPECT_EQ(form->ClientWidth(), form->ExpandedClientWidth);
  EXPECT_FALSE(IsWindowVisible(Window().handle()));
  // Back with its text and its selection, the list focused: the next match is two keys away.
  Chord({VK_CONTROL, 'F'});
  EXPECT_TRUE(IsWindowVisible(Window().handle()));
  EXPECT_EQ(WindowText(Window().Get("edQuery")), "dateiendung");
  EXPECT_EQ(GetFocus(), Window().Get("lbMatches"));
  EXPECT_EQ(SendMessageA(Window().Get("lbMatches"), LB_GETCURSEL, 0, 0), 0);
  // While the main window waits (a message box), so does the search window.
  EnableWindow(form->handle(), FALSE);
  EXPECT_FALSE(IsWindowEnabled(Window().handle()));
  EnableWindow(form->handle(), TRUE);
  EXPECT_TRUE(IsWindowEnabled(Window().handle()));
}

TEST_F(Search, CtrlKeysSwitchPagesRoundAndFocusTheTabs) {
  if (!xp) GTEST_SKIP() << "the window's keys are tested on the XP layout";
  SetFocus(form->controls().Get("cboxBalloonTips").hwnd);
  struct Step {
    std::vector<WORD> keys;
    int page;
  };
  const Step steps[] = {{{VK_CONTROL, VK_NEXT}, 1},          {{VK_CONTROL, VK_TAB}, 2},
                        {{VK_CONTROL, VK_SHIFT, VK_TAB}, 1}, {{VK_CONTROL, VK_PRIOR}, 0},
                        {{VK_CONTROL, VK_PRIOR}, 8},         {{VK_CONTROL, VK_TAB}, 0}};
  for (const Step& s : steps) {
    Chord(s.keys);
    EXPECT_EQ(Page(), s.page);
    EXPECT_EQ(GetFocus(), PageSet().hwnd);
    EXPECT_TRUE(IsWindowVisible(form->controls().Pages(PageSet())[s.page]->hwnd));
  }
}

// Every enabled control that Tab reaches, on every page of either layout, has a name for
// screen readers.
TEST_F(Search, EveryEnabledControlHasAnAccessibleName) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  Controls& c = form->controls();
  int walked = 0;
  for (std::size_t page = 0; page < c.Pages(PageSet()).size(); ++page) {
    c.SelectPage(PageSet(), static_cast<int>(page));
    for (const auto& control : c.All()) {
      HWND hwnd = control->hwnd;
      if (!hwnd || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd) ||
          !(GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP)) {
        continue;
      }
      ++walked;
      IAccessible* accessible = nullptr;
      ASSERT_EQ(
          AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&accessible)),
          S_OK);
      VARIANT self{};  // CHILDID_SELF
      self.vt = VT_I4;
      BSTR name = nullptr;
      accessible->get_accName(self, &name);
      EXPECT_TRUE(name && SysStringLen(name) > 0) << control->name;
      SysFreeString(name);
      accessible->Release();
    }
  }
  EXPECT_GT(walked, 100);
  CoUninitialize();
}

}  // namespace
}  // namespace tw::ui::test
