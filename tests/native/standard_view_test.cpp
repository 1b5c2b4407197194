#include "flows/standard_view.h"

#include <gtest/gtest.h>

#include <set>

#include "apply_fakes.h"
#include "fake_system.h"
#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

TEST(StandardView, SetsEveryControlOfItsLayoutAndWritesNothing) {
  struct Case {
    Layout layout;
    std::uint32_t major, minor;
    std::set<std::string> checked;  // boxes that end checked (the XP privacy boxes stay so)
    std::vector<std::pair<const char*, int>> positions, items;
    const char* preview;
  };
  const Case cases[] = {
      {Layout::XP,
       5,
       1,
       {"cboxFastWindowsShutdown", "cboxHidePlayerID", "cboxDeactivateWindowsAuth"},
       {{"trackStartmenuDelay", 400}, {"tbarBitBucket", 10}},
       {{"combxTextColor", 7}, {"combxBackgroundColor", 0}},
       "pboxCmdPreview"},
      {Layout::Vista,
       6,
       0,
       {"cb20060515", "cb20061019"},
       {{"tb20060528", 400}},
       {{"combx20060817a", 7}, {"combx20060817b", 0}},
       "pb20060817"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.preview);
    ResetMachine();
    FakeSystem system;
    system.SetVersion(c.major, c.minor, 2600, 2, "", 1, 0);
    SetSystemBackend(&system);
    FakeSurface surface;
    DeclareLayout(surface, c.layout);  // the other layout's controls do not exist
    // Every control away from its standard value.
    for (const WriteStep& w : WriteSequence(c.layout)) {
      for (const char* name : StepControls(w)) {
        surface.SetChecked(name, true);
        surface.SetPosition(name, 3);
        surface.SetItemIndex(name, 12);
        surface.SetText(name, "D:\\Software");
      }
    }
    const char* google = c.layout == Layout::XP ? "butUseGoogleSearch" : "but20060541";
    surface.SetEnabled(google, false);
    bool standardViewShown = false;
    sbutXPStandardClick(surface, standardViewShown);
    SetSystemBackend(nullptr);

    EXPECT_TRUE(standardViewShown);
    EXPECT_TRUE(Untouched(*MemoryMachine()));
    for (const WriteStep& w : WriteSequence(c.layout)) {
      if (!WritesBoxes(w.arg)) continue;
      for (const char* name : StepControls(w)) {
        EXPECT_EQ(surface.Checked(name), c.checked.count(name) > 0) << name;
      }
    }
    for (const auto& [slider, position] : c.positions)
      EXPECT_EQ(surface.Position(slider), position);
    for (const auto& [list, item] : c.items) {
      EXPECT_EQ(surface.ItemIndex(list), item) << list;
      EXPECT_EQ(surface[list].repaints, 1) << list;
    }
    EXPECT_EQ(surface[c.preview].repaints, 1);
    EXPECT_EQ(surface.Enabled(google), c.layout == Layout::Vista);
    if (c.layout == Layout::XP) {
      EXPECT_EQ(surface.Text("labProgramDir"), "C:\\Programme");
    }
  }
}

}  // namespace
}  // namespace tw::test
