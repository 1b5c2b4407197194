#include "window_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "message_script.h"
#include "registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

// A 500 x 400 window on a desktop of two monitors, the second left of the first.
class FakePlacement : public WindowPlacement {
 public:
  ScreenRect Frame() const override { return frame; }
  void MoveTo(int left, int top) override {
    frame = {left, top, left + frame.right - frame.left, top + frame.bottom - frame.top};
  }
  int ClientWidth() const override { return clientWidth; }
  int CollapsedClientWidth() const override { return 496; }
  void CollapseInfoPanel() override {
    collapsed = true;
    clientWidth = 496;
  }
  bool OnAnyMonitor(const ScreenRect& r) const override {
    for (const ScreenRect& m : monitors) {
      if (r.left < m.right && m.left < r.right && r.top < m.bottom && m.top < r.bottom) return true;
    }
    return false;
  }

  ScreenRect frame{100, 100, 600, 500};
  int clientWidth = 740;
  bool collapsed = false;
  std::vector<ScreenRect> monitors = {{0, 0, 1024, 768}, {-1280, 0, 0, 1024}};
};

class WindowSettings : public ::testing::Test {
 protected:
  void SetUp() override { ResetMachine(); }
  void TearDown() override { EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u); }
  std::optional<std::uint32_t> Dword(const char* name) const {
    auto v = MemoryMachine()->Get(HKCU, kProgramKey, name);
    if (!v || v->type != kRegDword || v->data.size() != 4) return std::nullopt;
    return v->data[0] | v->data[1] << 8 | v->data[2] << 16 | std::uint32_t(v->data[3]) << 24;
  }
  MessageScript messages;
};

TEST_F(WindowSettings, PositionAndPanelSurviveARestart) {
  for (bool collapsed : {true, false}) {
    ResetMachine();
    FakePlacement before;
    before.MoveTo(-900, 40);  // on the left monitor
    if (collapsed) before.CollapseInfoPanel();
    SaveWindowSettings(before);
    EXPECT_EQ(Dword("left"), std::uint32_t(-900));
    EXPECT_EQ(Dword("top"), 40u);
    EXPECT_EQ(Dword("collapsed"), collapsed ? 1u : 0u);

    FakePlacement after;
    LoadWindowSettings(after);
    EXPECT_EQ(after.frame.left, -900);
    EXPECT_EQ(after.frame.top, 40);
    EXPECT_EQ(after.frame.right, -400);
    EXPECT_EQ(after.collapsed, collapsed);
  }
}

TEST_F(WindowSettings, EachUsableValueApplies) {
  struct Value {
    const char* name;
    std::uint32_t type;
    std::uint32_t number;
  };
  struct Case {
    const char* what;
    std::vector<Value> stored;
    int left, top;
    bool collapsed;
  };
  const Case cases[] = {
      {"no key", {}, 100, 100, false},
      {"only left", {{"left", kRegDword, 300}}, 300, 100, false},
      {"collapsed 5", {{"collapsed", kRegDword, 5}}, 100, 100, true},
      {"collapsed 0", {{"collapsed", kRegDword, 0}}, 100, 100, false},
      {"left as text", {{"left", kRegSz, 0}, {"top", kRegDword, 50}}, 100, 50, false},
      {"collapsed as text", {{"collapsed", kRegSz, 0}}, 100, 100, false},
      {"monitor removed", {{"left", kRegDword, 3000}, {"top", kRegDword, 50}}, 100, 100, false},
      {"below the desktop", {{"top", kRegDword, 1100}}, 100, 100, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetMachine();
    for (const Value& v : c.stored) {
      if (v.type == kRegSz) {
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

TEST_F(WindowSettings, AKeyThatCannotBeWrittenIsLeftAlone) {
  MemoryMachine()->PutDword(HKCU, kProgramKey, "left", 7);
  MemoryMachine()->DenyWrite(HKCU, kProgramKey);
  EXPECT_NO_THROW(SaveWindowSettings(FakePlacement()));
  EXPECT_EQ(Dword("left"), 7u);
  EXPECT_FALSE(Dword("top"));

  ResetMachine();
  MemoryMachine()->DenyCreate(HKCU, "Software");
  EXPECT_NO_THROW(SaveWindowSettings(FakePlacement()));
  EXPECT_FALSE(MemoryMachine()->HasKey(HKCU, kProgramKey));
}

TEST_F(WindowSettings, ClosingAsksOnlyWhileTheStandardViewIsShown) {
  struct Case {
    bool standardViewShown;
    std::vector<MsgResult> answers;
    bool mayClose;
  };
  for (const Case& c : {Case{false, {}, true}, Case{true, {MsgResult::Yes}, true},
                        Case{true, {MsgResult::No}, false}, Case{true, {}, false}}) {
    messages.asked.clear();
    messages.answers.assign(c.answers.begin(), c.answers.end());
    EXPECT_EQ(FormCloseQuery(c.standardViewShown), c.mayClose);
    ASSERT_EQ(messages.asked.size(), c.standardViewShown ? 1u : 0u);
    if (!c.standardViewShown) continue;
    EXPECT_EQ(messages.asked[0].text,
              "Hiermit wird das Programm beendet.\rEinstellungen, die nicht übernommen wurden, "
              "gehen verloren.\r\rMöchten Sie dennoch schließen?");
    EXPECT_EQ(messages.asked[0].type, MsgType::Confirmation);
    EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo);
  }
}

}  // namespace
}  // namespace tw::test
