#include "flows/window_settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "message_script.h"
#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

// A 500 x 400 window with a 30-pixel title bar on two monitors, the second left of the first;
// the first has a 30-pixel taskbar at its bottom.
class FakePlacement : public WindowPlacement {
 public:
  ScreenRect Frame() const override { return frame; }
  void MoveTo(int left, int top) override { frame = {left, top, left + 500, top + 400}; }
  int ClientWidth() const override { return collapsed ? 496 : 740; }
  int CollapsedClientWidth() const override { return 496; }
  void CollapseInfoPanel() override { collapsed = true; }
  int TitleBarHeight() const override { return 30; }
  bool OnOneWorkArea(const ScreenRect& r) const override {
    for (const ScreenRect& m : {ScreenRect{0, 0, 1024, 738}, ScreenRect{-1280, 0, 0, 1024}}) {
      if (r.left >= m.left && r.top >= m.top && r.right <= m.right && r.bottom <= m.bottom)
        return true;
    }
    return false;
  }
  ScreenRect frame{100, 100, 600, 500};
  bool collapsed = false;
};

TEST(WindowSettings, PositionAndPanelSurviveARestart) {
  for (bool collapsed : {true, false}) {
    ResetMachine();
    FakePlacement before;
    before.MoveTo(-900, 40);  // on the left monitor
    before.collapsed = collapsed;
    SaveWindowSettings(before);
    const auto stored = MemoryMachine()->Get(HKCU, kProgramKey, "collapsed");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, kRegDword);
    EXPECT_EQ(stored->data, std::vector<std::uint8_t>({collapsed, 0, 0, 0}));

    FakePlacement after;
    LoadWindowSettings(after);
    EXPECT_EQ(after.frame.left, -900);
    EXPECT_EQ(after.frame.top, 40);
    EXPECT_EQ(after.collapsed, collapsed);
    EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
  }
}

TEST(WindowSettings, EachUsableValueApplies) {
  struct Value {
    const char* name;
    std::int64_t number;  // as a DWORD
    bool asText = false;  // stored as the text "300"
  };
  struct Case {
    const char* what;
    std::vector<Value> stored;
    int left, top;
    bool collapsed;
  };
  const Case cases[] = {
      {"no key", {}, 100, 100, false},
      {"only left", {{"left", 300}}, 300, 100, false},
      {"collapsed 5", {{"collapsed", 5}}, 100, 100, true},
      {"left as text", {{"left", 0, true}, {"top", 50}, {"collapsed", 1}}, 100, 50, true},
      {"collapsed as text", {{"collapsed", 0, true}}, 100, 100, false},
      {"monitor removed", {{"left", 3000}, {"top", 50}}, 100, 100, false},
      // The whole title bar must lie on one monitor's work area.
      {"body off screen", {{"left", 500}, {"top", 700}}, 500, 700, false},
      {"title bar under the taskbar", {{"left", 500}, {"top", 709}}, 100, 100, false},
      {"title bar across two monitors", {{"left", -200}, {"top", 50}}, 100, 100, false},
      {"title bar above the screen", {{"left", 100}, {"top", -1}}, 100, 100, false},
      {"right edge of the work area", {{"left", 524}, {"top", 0}}, 524, 0, false},
      {"largest left", {{"left", 0x7FFFFFFF}, {"top", 50}}, 100, 100, false},
      {"largest top", {{"left", 50}, {"top", 0x7FFFFFFF}}, 100, 100, false},
      {"smallest left", {{"left", -2147483648LL}, {"top", 50}}, 100, 100, false},
  };
  MessageScript messages;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetMachine();
    for (const Value& v : c.stored) {
      if (v.asText) {
        MemoryMachine()->PutString(HKCU, kProgramKey, v.name, "300");
      } else {
        MemoryMachine()->PutDword(HKCU, kProgramKey, v.name, static_cast<std::uint32_t>(v.number));
      }
    }
    FakePlacement window;
    LoadWindowSettings(window);
    EXPECT_EQ(window.frame.left, c.left);
    EXPECT_EQ(window.frame.top, c.top);
    EXPECT_EQ(window.collapsed, c.collapsed);
  }
  EXPECT_TRUE(messages.asked.empty());
}

TEST(WindowSettings, ClosingAsksOnlyWhileTheStandardViewIsShown) {
  MessageScript messages;
  EXPECT_TRUE(FormCloseQuery(false));
  EXPECT_TRUE(messages.asked.empty());
  messages.answers = {MsgResult::No, MsgResult::Yes};
  EXPECT_FALSE(FormCloseQuery(true));
  EXPECT_TRUE(FormCloseQuery(true));
  ASSERT_EQ(messages.asked.size(), 2u);
  EXPECT_EQ(messages.asked[0].text,
            "Hiermit wird das Programm beendet.\rEinstellungen, die nicht übernommen wurden, "
            "gehen verloren.\r\rMöchten Sie dennoch schließen?");
  EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo);
}

}  // namespace
}  // namespace tw::test
