#include "window_settings.h"

#include <gtest/gtest.h>

#include <vector>

#include "message_script.h"
#include "registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

// A 500 x 400 window on two monitors, the second left of the first.
class FakePlacement : public WindowPlacement {
 public:
  ScreenRect Frame() const override { return frame; }
  void MoveTo(int left, int top) override { frame = {left, top, left + 500, top + 400}; }
  int ClientWidth() const override { return collapsed ? 496 : 740; }
  int CollapsedClientWidth() const override { return 496; }
  void CollapseInfoPanel() override { collapsed = true; }
  bool OnAnyMonitor(const ScreenRect& r) const override {
    for (const ScreenRect& m : {ScreenRect{0, 0, 1024, 768}, ScreenRect{-1280, 0, 0, 1024}}) {
      if (r.left < m.right && m.left < r.right && r.top < m.bottom && m.top < r.bottom) return true;
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
    int number;  // -1: stored as the text "300"
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
      {"left as text", {{"left", -1}, {"top", 50}, {"collapsed", 1}}, 100, 50, true},
      {"collapsed as text", {{"collapsed", -1}}, 100, 100, false},
      {"monitor removed", {{"left", 3000}, {"top", 50}}, 100, 100, false},
  };
  MessageScript messages;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetMachine();
    for (const Value& v : c.stored) {
      if (v.number < 0) {
        MemoryMachine()->PutString(HKCU, kProgramKey, v.name, "300");
      } else {
        MemoryMachine()->PutDword(HKCU, kProgramKey, v.name, v.number);
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
