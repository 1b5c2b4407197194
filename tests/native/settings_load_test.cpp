#include "flows/settings_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <variant>

#include "catalogue/computed_tweaks.h"
#include "documented_counts.h"
#include "expect_loaded.h"
#include "fake_surface.h"
#include "fake_system.h"
#include "registry/registry.h"
#include "row_tweaks.h"
#include "system/error.h"
#include "test_machine.h"

namespace tw::test {
namespace {

// --- The read orders as data.

TEST(ReadOrder, HasOneStepPerGetterCall) {
  EXPECT_EQ(ReadOrder(Layout::XP).size(), static_cast<std::size_t>(kReadsXP));
  EXPECT_EQ(ReadOrder(Layout::Vista).size(), static_cast<std::size_t>(kReadsVista));
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    std::set<std::string> names;
    for (const ReadStep& step : ReadOrder(layout)) {
      EXPECT_TRUE(names.insert(step.control).second) << "read twice: " << step.control;
      const Getter& g = step.get;
      EXPECT_FALSE(std::holds_alternative<std::monostate>(g)) << step.control;
      if (const auto* named = std::get_if<NamedGetter>(&g)) {
        EXPECT_TRUE(named->argument) << step.control;
      }
      EXPECT_EQ(step.put == Put::ColourPair, step.background && step.preview) << step.control;
      if (step.put == Put::Position || step.put == Put::CheckedIfEquals ||
          step.put == Put::ColourPair) {
        const auto* row = std::get_if<const TweakRow*>(&g);
        EXPECT_TRUE(std::holds_alternative<int (*)()>(g) || (row && (*row)->numberGetter))
            << step.control;
      }
    }
  }
}

// A Vista control reads through the getter of its XP twin; only the Vista-only tweaks have
// getters of their own.
TEST(ReadOrder, VistaUsesTheGettersOfItsXPTwins) {
  std::vector<Getter> xp;
  for (const ReadStep& step : ReadOrder(Layout::XP)) xp.push_back(step.get);
  const std::vector<Getter> vistaOnly = {
      TweakGetter("DisableUAC"), TweakGetter("DisableNtfsTimestamps"),
      TweakGetter("DisableMailSplash"), TweakGetter("AeroSlowMotion")};
  auto in = [](const std::vector<Getter>& list, const Getter& g) {
    return std::find(list.begin(), list.end(), g) != list.end();
  };
  int own = 0;
  for (const ReadStep& step : ReadOrder(Layout::Vista)) {
    if (in(vistaOnly, step.get)) {
      ++own;
    } else if (const auto* named = std::get_if<NamedGetter>(&step.get)) {
      EXPECT_EQ(named->get, &GetSearchProvider) << step.control;
    } else {
      EXPECT_TRUE(in(xp, step.get)) << step.control;
    }
  }
  EXPECT_EQ(own, 4);
}

TEST(ConsoleColourPair, FollowsTheColourByte) {
  struct Case {
    int value, text, background;
  };
  for (const Case& c : {Case{0, 7, 0}, Case{256, 7, 0}, Case{0x1E, 14, 1}, Case{0x07, 7, 0},
                        Case{0x70, 0, 7}, Case{0xF0F, 15, 0}, Case{0x2A, 10, 2}}) {
    const ColourPair pair = ConsoleColourPair(c.value);
    EXPECT_EQ(pair.text, c.text) << c.value;
    EXPECT_EQ(pair.background, c.background) << c.value;
  }
}

// --- The load rules, on getters that answer what the test says.

struct Answers {
  bool flag = false;
  int number = 0;
  std::string text;
  bool raise = false;
};
Answers answers;

bool FakeFlag() { return answers.flag; }
int FakeNumber() { return answers.number; }
std::string FakeText() { return answers.text; }
bool Raising() {
  if (answers.raise) throw Error("'' ist kein gültiger Integerwert");
  return true;
}
bool NamedFlag(const std::string& name) { return name == "yes"; }

class LoadRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachine();
    answers = Answers{};
    surface.Declare("box");
    surface.Declare("button");
    surface.Declare("label");
    surface.Slider("slider", 1, 400);
    surface.Declare("text").itemIndex = 3;
    surface.Declare("background").itemIndex = 3;
    surface.Declare("preview");
    surface.Toggle(kCurrentSettingsButton);
    surface.Toggle("sbutXPStandard").checked = true;
  }
  bool Load(const std::vector<ReadStep>& order) { return LoadSettings(surface, order); }

  FakeSurface surface;
};

TEST_F(LoadRules, CheckBoxRows) {
  struct Case {
    Put put;
    int equals;
    bool flag;
    int number;
    bool checked;
  };
  const Case cases[] = {
      {Put::Checked, 0, true, 0, true},           {Put::Checked, 0, false, 0, false},
      {Put::NotChecked, 0, true, 0, false},       {Put::NotChecked, 0, false, 0, true},
      {Put::CheckedIfEquals, 1, false, 1, true},  {Put::CheckedIfEquals, 1, false, 2, false},
      {Put::CheckedIfEquals, 2, false, 1, false}, {Put::CheckedIfEquals, 2, false, 2, true},
  };
  for (const Case& c : cases) {
    answers.flag = c.flag;
    answers.number = c.number;
    surface.SetChecked("box", !c.checked);
    const Getter g = c.put == Put::CheckedIfEquals ? Getter{FakeNumber} : Getter{FakeFlag};
    ASSERT_TRUE(Load({{"box", c.put, g, c.equals}}));
    EXPECT_EQ(surface.Checked("box"), c.checked) << static_cast<int>(c.put) << " " << c.number;
  }
}

TEST_F(LoadRules, SliderIsClampedAndRunsItsChangeHandlerOnlyOnChange) {
  struct Case {
    int answer, position, changes;
  };
  // The slider starts at 1 (its design position).
  for (const Case& c :
       {Case{0, 1, 0}, Case{1000, 400, 1}, Case{400, 400, 1}, Case{10, 10, 2}, Case{-5, 1, 3}}) {
    answers.number = c.answer;
    ASSERT_TRUE(Load({{"slider", Put::Position, Getter{FakeNumber}}}));
    EXPECT_EQ(surface.Position("slider"), c.position) << c.answer;
    EXPECT_EQ(surface["slider"].changes, c.changes) << c.answer;
  }
}

TEST_F(LoadRules, ButtonsLabelsAndNamedGetters) {
  answers.text = "D:\\Programme";
  ASSERT_TRUE(Load({{"button", Put::Enabled, Getter{FakeFlag}},
                    {"label", Put::Text, Getter{FakeText}},
                    {"box", Put::Checked, NamedGetter{NamedFlag, "yes"}}}));
  EXPECT_FALSE(surface.Enabled("button"));
  EXPECT_EQ(surface.Text("label"), "D:\\Programme");
  EXPECT_GE(surface["label"].repaints, 1);
  EXPECT_TRUE(surface.Checked("box"));

  answers.flag = true;
  ASSERT_TRUE(Load({{"button", Put::Enabled, Getter{FakeFlag}},
                    {"box", Put::Checked, NamedGetter{NamedFlag, "no"}}}));
  EXPECT_TRUE(surface.Enabled("button"));
  EXPECT_FALSE(surface.Checked("box"));
}

TEST_F(LoadRules, ColourPairSelectsBothListsAndRepaintsThePreview) {
  const std::vector<ReadStep> order = {
      {"text", Put::ColourPair, Getter{FakeNumber}, 0, "background", "preview"}};
  answers.number = 0x1E;
  ASSERT_TRUE(Load(order));
  EXPECT_EQ(surface.ItemIndex("text"), 14);
  EXPECT_EQ(surface.ItemIndex("background"), 1);
  EXPECT_EQ(surface["preview"].repaints, 1);
  EXPECT_EQ(surface["text"].repaints, 1);
  EXPECT_EQ(surface["background"].repaints, 1);

  answers.number = 256;
  ASSERT_TRUE(Load(order));
  EXPECT_EQ(surface.ItemIndex("text"), 7);
  EXPECT_EQ(surface.ItemIndex("background"), 0);
}

TEST_F(LoadRules, EndsWithTheCurrentSettingsButtonDownAndTheBatchClosed) {
  ASSERT_TRUE(Load({{"box", Put::Checked, Getter{FakeFlag}}}));
  EXPECT_TRUE(surface.Checked(kCurrentSettingsButton));
  EXPECT_FALSE(surface.Checked("sbutXPStandard"));
  EXPECT_FALSE(RegistryAccessOpen());
}

// A getter that raises must not leave the rest of the window unloaded.
TEST_F(LoadRules, ARaisingGetterLeavesOnlyItsOwnControl) {
  surface.Declare("failing").checked = false;
  surface.SetChecked("box", false);
  answers.raise = true;
  answers.flag = true;
  answers.number = 1000;
  ASSERT_TRUE(Load({{"failing", Put::NotChecked, Getter{Raising}},
                    {"box", Put::Checked, Getter{FakeFlag}},
                    {"slider", Put::Position, Getter{FakeNumber}}}));
  EXPECT_FALSE(surface.Checked("failing"));
  EXPECT_TRUE(surface.Checked("box"));
  EXPECT_EQ(surface.Position("slider"), 400);
  EXPECT_TRUE(surface.Checked(kCurrentSettingsButton));
  EXPECT_FALSE(RegistryAccessOpen());
}

TEST_F(LoadRules, WithoutRegistryNothingChanges) {
  SetRegistryBackend(nullptr);
  answers.flag = true;
  EXPECT_FALSE(Load({{"box", Put::Checked, Getter{FakeFlag}}}));
  EXPECT_FALSE(surface.Checked("box"));
  EXPECT_FALSE(surface.Checked(kCurrentSettingsButton));
  EXPECT_TRUE(surface.Checked("sbutXPStandard"));
}

// --- The real read orders on an in-memory machine.

class LoadMachine : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachine();
    previousSystem_ = SystemBackend();
    SetSystemBackend(&system);
    for (Layout layout : {Layout::XP, Layout::Vista}) {
      for (const ReadStep& step : ReadOrder(layout)) {
        surface.Declare(step.control);
        if (step.background) surface.Declare(step.background);
        if (step.preview) surface.Declare(step.preview);
      }
    }
    surface.Slider("trackStartmenuDelay", 1, 400);
    surface.Slider("tb20060528", 1, 400);
    surface.Slider("tbarBitBucket", 1, 100);
    surface.Toggle(kCurrentSettingsButton);
    surface.Toggle("sbutXPStandard");
  }
  void TearDown() override { SetSystemBackend(previousSystem_); }

  // A machine that differs from an empty one in many places, with the edge values of the
  // conversion rows.
  void Seed() {
    RegistryBatch batch;
    ASSERT_TRUE(batch.opened());
    test::SetRow("BalloonTips", false);
    test::SetRow("SpeedupNetwork", false);
    test::SetRow("ShowFileext", false);
    test::SetRow("HideMyMusic", false);
    test::SetRow("DontLogPrograms", false);
    test::SetRow("ControlPanel", false);
    SetConsoleColors(14, 1);
    SetSearchOptions(1, 0, 1, 0, 1);
    SetProgramDir("D:\\Programme");
    SetSearchProvider(false, "IMDB", kSearchProviders[0].address);
    test::SetRow("DisableUAC", false);
    WriteRegString(HKCU, "Control Panel\\Desktop", "MenuShowDelay", "1000");
    WriteRegInteger(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket",
                    "Percent", 250);
    WriteRegInteger(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket",
                    "NukeOnDelete", 2);
  }

  void ExpectLoaded(Layout layout, const std::set<std::string>& skip = {}) {
    tw::test::ExpectLoaded(
        surface, layout, [this](const std::string& c) { return surface[c].max; }, skip);
  }

  FakeSystem system;
  FakeSurface surface;

 private:
  SystemApi* previousSystem_ = nullptr;
};

TEST_F(LoadMachine, XPOrderOnASeededMachine) {
  Seed();
  ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::XP)));
  ExpectLoaded(Layout::XP);
  EXPECT_TRUE(surface.Checked("cboxBalloonTips"));
  EXPECT_TRUE(surface.Checked("cboxSpeedupNetwork"));  // written as captioned
  EXPECT_FALSE(surface.Checked("cboxNukeOnDelete"));
  EXPECT_TRUE(surface.Checked("cbDontLogPrograms"));
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 400);
  EXPECT_EQ(surface.Position("tbarBitBucket"), 100);
  EXPECT_EQ(surface.ItemIndex("combxTextColor"), 14);
  EXPECT_EQ(surface.ItemIndex("combxBackgroundColor"), 1);
  EXPECT_EQ(surface.Text("labProgramDir"), "D:\\Programme");
  EXPECT_TRUE(surface.Checked("cboxSearchSystemDirs"));
  EXPECT_FALSE(surface.Checked("cboxSearchHidden"));
  EXPECT_TRUE(surface.Checked(kCurrentSettingsButton));
}

TEST_F(LoadMachine, VistaOrderOnASeededMachine) {
  Seed();
  ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::Vista)));
  ExpectLoaded(Layout::Vista);
  EXPECT_TRUE(surface.Checked("cb20070438a"));
  EXPECT_FALSE(surface.Checked("cb20070438b"));
  EXPECT_TRUE(surface.Checked("cb20070432"));
  EXPECT_EQ(surface.Position("tb20060528"), 400);
  EXPECT_EQ(surface.ItemIndex("combx20060817a"), 14);
}

// An empty "RegDone" cannot be read as a number: that box keeps its state, the rest loads.
TEST_F(LoadMachine, UnreadableNumberTextSkipsOnlyItsBox) {
  Seed();
  {
    RegistryBatch batch;
    WriteRegString(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegDone", "");
    RegistryBatch check;
    EXPECT_THROW(test::GetRow("SavePrivacy"), Error);
  }
  surface.SetChecked("cboxSavePrivacy", true);
  surface.SetChecked("sbutXPStandard", true);
  ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::XP)));
  EXPECT_TRUE(surface.Checked("cboxSavePrivacy"));
  ExpectLoaded(Layout::XP, {"cboxSavePrivacy"});
  EXPECT_TRUE(surface.Checked(kCurrentSettingsButton));
  EXPECT_FALSE(surface.Checked("sbutXPStandard"));
  EXPECT_FALSE(RegistryAccessOpen());
  EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
}

TEST_F(LoadMachine, CurrentSettingsReadOnlyTheRunningLayout) {
  Seed();
  struct Case {
    std::uint32_t major, minor;
    bool xp, vista;
  };
  for (const Case& c : {Case{5, 1, true, false}, Case{6, 0, false, true}, Case{5, 0, false, false},
                        Case{6, 1, false, false}}) {
    system.SetVersion(c.major, c.minor, 2600, 2, "", 1, 0);
    surface.SetChecked("cboxBalloonTips", false);
    surface.SetChecked("cb20060501", false);
    surface.SetChecked(kCurrentSettingsButton, false);
    LoadCurrentSettings(surface);
    EXPECT_EQ(surface.Checked("cboxBalloonTips"), c.xp) << c.major << "." << c.minor;
    EXPECT_EQ(surface.Checked("cb20060501"), c.vista) << c.major << "." << c.minor;
    EXPECT_EQ(surface.Checked(kCurrentSettingsButton), c.xp || c.vista);
  }
}

}  // namespace
}  // namespace tw::test
