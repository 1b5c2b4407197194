#include "standard_view.h"

#include <gtest/gtest.h>

#include <set>

#include "apply_fakes.h"
#include "fake_system.h"
#include "registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

struct Case {
  Layout layout;
  std::uint32_t major, minor;
  std::set<std::string> checked;    // boxes that end checked
  std::set<std::string> untouched;  // boxes that keep what they showed
  std::vector<std::pair<const char*, int>> positions;
  std::vector<std::pair<const char*, int>> items;
  const char* preview;
};

const Case kCases[] = {
    {Layout::XP,
     5,
     1,
     {"cboxFastWindowsShutdown"},
     {"cboxHidePlayerID", "cboxDeactivateWindowsAuth"},
     {{"trackStartmenuDelay", 400}, {"tbarBitBucket", 10}},
     {{"combxTextColor", 7}, {"combxBackgroundColor", 0}},
     "pboxCmdPreview"},
    {Layout::Vista,
     6,
     0,
     {"cb20060515", "cb20061019"},
     {},
     {{"tb20060528", 400}},
     {{"combx20060817a", 7}, {"combx20060817b", 0}},
     "pb20060817"},
};

// Every box checked and every other control away from its standard: the view must set them all.
void Scatter(FakeSurface& surface, Layout layout) {
  for (const WriteStep& w : WriteSequence(layout)) {
    for (const char* name : StepControls(w)) {
      surface.SetChecked(name, true);
      surface.SetPosition(name, 3);
      surface.SetItemIndex(name, 12);
      surface.SetText(name, "D:\\Software");
    }
  }
  if (layout == Layout::Vista) surface.SetEnabled("but20060541", false);
}

TEST(StandardView, SetsEveryControlOfItsLayoutAndWritesNothing) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.preview);
    ResetMachine();
    CountingRegistry counting(*MemoryMachine());
    SetRegistryBackend(&counting);
    FakeSystem system;
    system.SetVersion(c.major, c.minor, 2600, 2, "", 1, 0);
    SystemApi* previous = SystemBackend();
    SetSystemBackend(&system);
    // Only this layout's controls exist: touching the other layout's fails.
    FakeSurface surface;
    DeclareLayout(surface, c.layout);
    Scatter(surface, c.layout);
    bool standardViewShown = false;

    sbutXPStandardClick(surface, standardViewShown);
    SetSystemBackend(previous);

    EXPECT_TRUE(standardViewShown);
    EXPECT_EQ(counting.calls, 0);
    EXPECT_FALSE(RegistryAccessOpen());
    int boxes = 0;
    for (const WriteStep& w : WriteSequence(c.layout)) {
      if (w.arg != Arg::NegatedCheck && w.arg != Arg::SearchOptions &&
          w.arg != Arg::SearchProvider) {
        continue;
      }
      for (const char* box : StepControls(w)) {
        ++boxes;
        EXPECT_EQ(surface.Checked(box), c.checked.count(box) + c.untouched.count(box) > 0) << box;
      }
    }
    EXPECT_EQ(boxes, c.layout == Layout::XP ? 85 : 54);
    for (const auto& [slider, position] : c.positions) {
      EXPECT_EQ(surface.Position(slider), position) << slider;
    }
    for (const auto& [list, item] : c.items) {
      EXPECT_EQ(surface.ItemIndex(list), item) << list;
      EXPECT_EQ(surface[list].repaints, 1) << list;
    }
    EXPECT_EQ(surface[c.preview].repaints, 1);
    if (c.layout == Layout::XP) {
      EXPECT_EQ(surface.Text("labProgramDir"), "C:\\Programme");
    } else {
      EXPECT_TRUE(surface.Enabled("but20060541"));
    }
  }
}

// On another Windows nothing is shown, yet the flag follows the click as the button does.
TEST(StandardView, OtherWindowsOnlySetsTheFlag) {
  FakeSystem system;
  system.SetVersion(6, 1, 7600, 2, "", 1, 0);
  SystemApi* previous = SystemBackend();
  SetSystemBackend(&system);
  FakeSurface surface;  // no controls at all: any touch would raise
  bool standardViewShown = false;
  EXPECT_NO_THROW(sbutXPStandardClick(surface, standardViewShown));
  SetSystemBackend(previous);
  EXPECT_TRUE(standardViewShown);
}

}  // namespace
}  // namespace tw::test
