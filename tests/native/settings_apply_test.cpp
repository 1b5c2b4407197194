#include "settings_apply.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "apply_fakes.h"
#include "fake_system.h"
#include "registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

// Every control that loads, the one-shot buttons aside, is written exactly once, in the way its
// loading calls for.
TEST(WriteSequence, WritesEveryLoadedControlOnce) {
  const std::map<Put, Arg> kinds = {{Put::Position, Arg::Position},
                                    {Put::ColourPair, Arg::ColourPair},
                                    {Put::Text, Arg::LabelText}};
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    std::map<std::string, Put> loaded;
    for (const ReadStep& step : ReadOrder(layout)) {
      loaded[step.control] = step.put;
      if (step.background) loaded[step.background] = step.put;
    }
    std::set<std::string> written;
    for (const WriteStep& w : WriteSequence(layout)) {
      for (const char* name : StepControls(w)) {
        EXPECT_TRUE(written.insert(name).second) << "written twice: " << name;
        ASSERT_TRUE(loaded.count(name)) << name << " has no getter";
        const auto kind = kinds.find(loaded[name]);
        EXPECT_TRUE(kind == kinds.end() ? WritesBoxes(w.arg) : kind->second == w.arg) << name;
      }
    }
    for (const auto& [name, put] : loaded) {
      EXPECT_EQ(written.count(name), put == Put::Enabled ? 0u : 1u) << name;
    }
  }
  EXPECT_EQ(WriteSequence(Layout::XP).size(), 85u);
  const std::vector<WriteStep>& vista = WriteSequence(Layout::Vista);
  ASSERT_EQ(vista.size(), 56u);
  EXPECT_STREQ(vista[53].provider->name, "IMDB");
  EXPECT_STREQ(vista[54].provider->name, "Sourceforge");
  EXPECT_STREQ(vista[55].provider->name, "Wikipedia");
}

TEST(NotAppliedReport, ListsAtMostFifteenLines) {
  for (std::size_t count : {15u, 16u}) {
    std::vector<std::string> captions;
    for (std::size_t i = 1; i <= count; ++i) captions.push_back("E" + std::to_string(i));
    const std::string text = NotAppliedReport(captions);
    const std::string tail = count == 15 ? "\rE14\rE15\r\r" : "\rE14\rund 2 weitere\r\r";
    EXPECT_EQ(text,
              "Folgende Einstellungen wurden nicht übernommen:\rE1\rE2\rE3\rE4\rE5\rE6\rE7\r"
              "E8\rE9\rE10\rE11\rE12\rE13" +
                  tail + "Systemweite Einstellungen erfordern Administratorrechte.");
  }
}

// --- Runs on an in-memory machine.

using Showing = std::map<std::string, std::string>;  // control -> what it shows

class ApplyRun : public ::testing::Test {
 protected:
  void Prepare(Layout layout) {
    ResetMachine();
    system = FakeSystem();
    if (layout == Layout::Vista) system.SetVersion(6, 0, 6002, 2, "Service Pack 2", 1, 0x100);
    SetSystemBackend(&system);
    layout_ = layout;
    surface = FakeSurface();
    DeclareLayout(surface, layout);
    progress = ProgressLog();
    messages.asked.clear();
    standardViewShown = true;
  }
  void TearDown() override { SetSystemBackend(nullptr); }

  void Apply() {
    ApplyWindow window{
        surface, standardViewShown,
        [this](int max) { return std::make_unique<FakeProgress>(progress, max, messages); },
        [this](const std::string& name) { return captions.count(name) ? captions[name] : name; }};
    ApplySettings(window, layout_);
  }

  // Boxes alternate along the sequence, so two setters swapped show up.
  void Request(bool firstChecked, int delay, int bitBucket, int text, int back,
               const char* folder) {
    int n = 0;
    for (const WriteStep& w : WriteSequence(layout_)) {
      for (const char* name : StepControls(w)) {
        if (WritesBoxes(w.arg)) surface.SetChecked(name, (n++ % 2 == 0) == firstChecked);
        if (w.arg == Arg::Position)
          surface.SetPosition(name, std::string(name) == "tbarBitBucket" ? bitBucket : delay);
        if (w.arg == Arg::ColourPair)
          surface.SetItemIndex(name, name == w.controls[0] ? text : back);
        if (w.arg == Arg::LabelText) surface.SetText(name, folder);
      }
    }
  }
  Showing Shown() const {
    Showing s;
    for (const WriteStep& w : WriteSequence(layout_)) {
      for (const char* name : StepControls(w)) {
        s[name] = WritesBoxes(w.arg)         ? std::to_string(surface.Checked(name))
                  : w.arg == Arg::Position   ? std::to_string(surface.Position(name))
                  : w.arg == Arg::ColourPair ? std::to_string(surface.ItemIndex(name))
                                             : surface.Text(name);
      }
    }
    return s;
  }

  FakeSystem system;
  FakeSurface surface;
  MessageScript messages;
  ProgressLog progress;
  bool standardViewShown = true;
  std::map<std::string, std::string> captions;
  Layout layout_ = Layout::XP;
};

TEST_F(ApplyRun, TheMachineHoldsWhatEveryControlShowed) {
  struct Case {
    Layout layout;
    bool firstChecked;
    int delay, bitBucket, text, back;
    const char* folder;
    MsgResult restart;
  };
  for (const Case& c : {Case{Layout::XP, true, 250, 37, 14, 1, "D:\\Software", MsgResult::Yes},
                        Case{Layout::XP, false, 1, 100, 0, 0, "C:\\Programme", MsgResult::No},
                        Case{Layout::Vista, true, 1, 0, 0, 0, "", MsgResult::Cancel},
                        Case{Layout::Vista, false, 400, 0, 10, 2, "", MsgResult::Yes}}) {
    const int writes = c.layout == Layout::XP ? 85 : 56;
    SCOPED_TRACE(std::to_string(writes) + (c.firstChecked ? " checked first" : ""));
    Prepare(c.layout);
    Request(c.firstChecked, c.delay, c.bitBucket, c.text, c.back, c.folder);
    Showing expected = Shown();
    if (c.text == 0 && c.back == 0)  // black on black is stored as 0, which reads as 7 on 0
      expected[c.layout == Layout::XP ? "combxTextColor" : "combx20060817a"] = "7";
    messages.answers = {MsgResult::Yes, MsgResult::Ok, c.restart};
    Apply();

    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[0].text, "Möchten Sie die Einstellungen jetzt vornehmen?");
    EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo);
    EXPECT_EQ(messages.asked[1].text, "Vorgang erfolgreich abgeschlossen!");
    EXPECT_EQ(messages.asked[1].type, MsgType::Information);
    EXPECT_EQ(messages.asked[2].text,
              "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows "
              "neu starten?");
    EXPECT_EQ(messages.asked[2].buttons, kMbYes | kMbNo | kMbCancel);
    const std::vector<std::uint32_t> restarts = {0x12};  // reboot, force if hung; no EWX_FORCE
    EXPECT_EQ(system.exitRequests, c.restart == MsgResult::Yes ? restarts : decltype(restarts){});

    EXPECT_EQ(progress.maximum, writes);
    EXPECT_EQ(progress.steps, writes);
    EXPECT_EQ(progress.label, ProgressText(writes, writes));
    EXPECT_TRUE(progress.shown && progress.mayClose && progress.destroyed);
    EXPECT_EQ(progress.messagesAtDestroy, 2u) << "gone after the report, before the restart";
    EXPECT_FALSE(standardViewShown);
    EXPECT_FALSE(RegistryAccessOpen());
    EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
    EXPECT_EQ(Shown(), expected) << "reloaded";
    Request(!c.firstChecked, 2, 2, 11, 11, "?");
    ASSERT_TRUE(LoadSettings(surface, ReadOrder(c.layout)));
    EXPECT_EQ(Shown(), expected) << "the machine holds it";
  }
}

TEST_F(ApplyRun, AnythingButYesDoesNothing) {
  for (MsgResult answer : {MsgResult::No, MsgResult::Cancel}) {
    Prepare(Layout::XP);
    messages.answers = {answer};
    Apply();
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(progress.created, 0);
    EXPECT_TRUE(standardViewShown);
    EXPECT_TRUE(Untouched(*MemoryMachine()));
  }
}

// A user without administrator rights: the HKLM keys exist but refuse writing.
TEST_F(ApplyRun, RefusedWritesAreNamedInsteadOfSuccess) {
  Prepare(Layout::XP);
  for (const TweakInfo& tweak : CatalogueTweaks()) {
    for (const RegLocation& at : tweak.locations) {
      if (at.root == HKLM && !at.wholeKey) MemoryMachine()->PutKey(HKLM, at.key);
    }
  }
  ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::XP)));
  MemoryMachine()->DenyWrite(HKLM, "");
  captions = {{"cboxDisableRemoteDesktop", "&Remotedesktop\rdeaktivieren"},
              {"tbarBitBucket", "Papierkorb"},
              {"Label1", "Installationspfad für Programme"}};
  const bool remote = surface.Checked("cboxDisableRemoteDesktop");
  const bool fileext = surface.Checked("cboxShowFileext");
  surface.SetChecked("cboxDisableRemoteDesktop", !remote);  // HKLM
  surface.SetPosition("tbarBitBucket", 50);                 // HKLM
  surface.SetText("labProgramDir", "D:\\Software");         // HKLM
  surface.SetChecked("cboxShowFileext", !fileext);          // HKCU
  surface.SetPosition("trackStartmenuDelay", 100);          // HKCU
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
  Apply();

  ASSERT_EQ(messages.asked.size(), 3u);
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Folgende Einstellungen wurden nicht übernommen:\rRemotedesktop deaktivieren\r"
            "Papierkorb\rInstallationspfad für Programme\r\r"
            "Systemweite Einstellungen erfordern Administratorrechte.");
  EXPECT_EQ(surface.Checked("cboxDisableRemoteDesktop"), remote);
  EXPECT_EQ(surface.Checked("cboxShowFileext"), !fileext);
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 100);
}

TEST_F(ApplyRun, WithoutRegistryNothingIsClaimed) {
  Prepare(Layout::Vista);
  SetRegistryBackend(nullptr);
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::Yes};
  Apply();
  ASSERT_EQ(messages.asked.size(), 2u) << "no restart question";
  EXPECT_EQ(messages.asked[1].text,
            "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht "
            "übernommen.");
  EXPECT_EQ(progress.steps, 0);
  EXPECT_TRUE(progress.destroyed);
}

// The console colour value cannot be written: the colour write (51 of 85) raises.
TEST_F(ApplyRun, ASetterThatRaisesEndsTheRunWithAnErrorBox) {
  Prepare(Layout::XP);
  MemoryMachine()->DenyValueWrite(HKCU, "Software\\Microsoft\\Command Processor");
  Request(true, 250, 37, 14, 1, "D:\\Software");
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::Yes};
  Apply();

  ASSERT_EQ(messages.asked.size(), 2u) << "no success message, no restart question";
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Die Einstellungen wurden nur teilweise übernommen:\rFehler beim Setzen der Daten "
            "für 'DefaultColor'");
  EXPECT_EQ(progress.steps, 50);
  EXPECT_EQ(progress.messagesAtDestroy, 1u) << "gone before the error box";
  EXPECT_FALSE(RegistryAccessOpen());
  EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
  // Reloaded: writes before the failure show, later ones show the machine as it was.
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 250);
  EXPECT_EQ(surface.Position("tbarBitBucket"), 10);
}

}  // namespace
}  // namespace tw::test
