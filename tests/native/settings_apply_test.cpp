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

const char kConfirm[] = "Möchten Sie die Einstellungen jetzt vornehmen?";
const char kDone[] = "Vorgang erfolgreich abgeschlossen!";
const char kRestart[] =
    "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows neu starten?";

bool IsBox(Arg arg) {
  return arg == Arg::NegatedCheck || arg == Arg::SearchOptions || arg == Arg::SearchProvider;
}

// --- The write sequences as data.

TEST(WriteSequence, WritesEveryLoadedControlOnceThroughTheSetterItsKindCalls) {
  EXPECT_EQ(WriteSequence(Layout::XP).size(), 85u);
  EXPECT_EQ(WriteSequence(Layout::Vista).size(), 56u);
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    std::map<std::string, Put> loaded;
    for (const ReadStep& step : ReadOrder(layout)) {
      loaded[step.control] = step.put;
      if (step.background) loaded[step.background] = step.put;
    }
    std::set<std::string> written;
    for (const WriteStep& w : WriteSequence(layout)) {
      const Setter& s = w.set;
      EXPECT_EQ((s.flag != nullptr) + (s.number != nullptr) + (s.pair != nullptr) +
                    (s.options != nullptr) + (s.text != nullptr) + (s.provider != nullptr),
                1);
      const std::map<Arg, bool> fits = {
          {Arg::NegatedCheck, s.flag}, {Arg::Position, s.number},
          {Arg::ColourPair, s.pair},   {Arg::SearchOptions, s.options},
          {Arg::LabelText, s.text},    {Arg::SearchProvider, s.provider}};
      EXPECT_TRUE(fits.at(w.arg)) << w.controls[0];
      EXPECT_EQ(StepControls(w).size(), w.arg == Arg::SearchOptions ? 5u
                                        : w.arg == Arg::ColourPair  ? 2u
                                                                    : 1u);
      for (const char* name : StepControls(w)) {
        EXPECT_TRUE(written.insert(name).second) << "written twice: " << name;
        ASSERT_TRUE(loaded.count(name)) << name << " has no getter in the read order";
        const Put put = loaded[name];
        const bool box =
            put == Put::Checked || put == Put::NotChecked || put == Put::CheckedIfEquals;
        EXPECT_EQ(IsBox(w.arg), box) << name;
        EXPECT_EQ(w.arg == Arg::Position, put == Put::Position) << name;
        EXPECT_EQ(w.arg == Arg::ColourPair, put == Put::ColourPair) << name;
        EXPECT_EQ(w.arg == Arg::LabelText, put == Put::Text) << name;
      }
    }
    for (const auto& [name, put] : loaded) {
      if (put != Put::Enabled) {
        EXPECT_TRUE(written.count(name)) << name << " is never written";
      }
    }
  }
}

TEST(WriteSequence, VistaEndsWithTheThreeSearchProviders) {
  const std::vector<WriteStep>& vista = WriteSequence(Layout::Vista);
  const char* boxes[] = {"cb20070438a", "cb20070438b", "cb20070438c"};
  const char* names[] = {"IMDB", "Sourceforge", "Wikipedia"};
  for (std::size_t i = 0; i < 3; ++i) {
    const WriteStep& w = vista[53 + i];
    ASSERT_EQ(w.arg, Arg::SearchProvider);
    EXPECT_STREQ(w.controls[0], boxes[i]);
    EXPECT_STREQ(w.provider->name, names[i]);
  }
}

TEST(NotAppliedReport, ListsAtMostFifteenLines) {
  struct Case {
    std::size_t count, listed;
    const char* rest;
  };
  for (const Case& c : {Case{1, 1, nullptr}, Case{15, 15, nullptr}, Case{16, 14, "und 2 weitere"},
                        Case{40, 14, "und 26 weitere"}}) {
    std::vector<std::string> captions;
    for (std::size_t i = 0; i < c.count; ++i)
      captions.push_back("Einstellung " + std::to_string(i));
    const std::string text = NotAppliedReport(captions);
    EXPECT_EQ(text.rfind("Folgende Einstellungen wurden nicht übernommen:\r", 0), 0u);
    EXPECT_NE(text.find("\r" + captions[c.listed - 1] + "\r"), std::string::npos) << c.count;
    if (c.listed < c.count) {
      EXPECT_EQ(text.find(captions[c.listed] + "\r"), std::string::npos);
    }
    EXPECT_EQ(text.find("weitere") != std::string::npos, c.rest != nullptr) << c.count;
    if (c.rest) {
      EXPECT_NE(text.find(std::string("\r") + c.rest + "\r"), std::string::npos);
    }
    EXPECT_NE(text.find("\r\rSystemweite Einstellungen erfordern Administratorrechte."),
              std::string::npos);
  }
}

// --- Runs on an in-memory machine.

// What the controls of every write show, one entry a control.
using Showing = std::map<std::string, std::string>;

class ApplyRun : public ::testing::Test {
 protected:
  void TearDown() override { SetSystemBackend(previous_); }

  void Prepare(Layout layout) {
    ResetMachine();
    previous_ = SystemBackend();
    SetSystemBackend(&system);
    if (layout == Layout::Vista) system.SetVersion(6, 0, 6002, 2, "Service Pack 2", 1, 0x100);
    layout_ = layout;
    system = FakeSystem();
    surface = FakeSurface();
    DeclareLayout(surface, layout);
    progress = ProgressLog();
    messages.asked.clear();
    standardViewShown = true;
  }

  void Apply() {
    ApplyWindow window{
        surface, standardViewShown,
        [this](int maximum) { return std::make_unique<FakeProgress>(progress, maximum, messages); },
        [this](const std::string& name) {
          auto it = captions.find(name);
          return it == captions.end() ? name : it->second;
        }};
    ApplySettings(window, layout_);
  }

  // Boxes alternate along the sequence, starting checked or not.
  struct Values {
    bool firstChecked;
    int delay, bitBucket, text, background;
    const char* folder;
  };
  void Request(const Values& v) {
    int n = 0;
    for (const WriteStep& w : WriteSequence(layout_)) {
      for (const char* name : StepControls(w)) {
        if (IsBox(w.arg)) surface.SetChecked(name, (n++ % 2 == 0) == v.firstChecked);
        if (w.arg == Arg::Position)
          surface.SetPosition(name, std::string(name) == "tbarBitBucket" ? v.bitBucket : v.delay);
        if (w.arg == Arg::ColourPair)
          surface.SetItemIndex(name, name == w.controls[0] ? v.text : v.background);
        if (w.arg == Arg::LabelText) surface.SetText(name, v.folder);
      }
    }
  }
  Showing Shown() const {
    Showing s;
    for (const WriteStep& w : WriteSequence(layout_)) {
      for (const char* name : StepControls(w)) {
        s[name] = IsBox(w.arg)               ? std::to_string(surface.Checked(name))
                  : w.arg == Arg::Position   ? std::to_string(surface.Position(name))
                  : w.arg == Arg::ColourPair ? std::to_string(surface.ItemIndex(name))
                                             : surface.Text(name);
      }
    }
    return s;
  }
  // Every control shows something else, then the machine is read again.
  void Reload() {
    for (const WriteStep& w : WriteSequence(layout_)) {
      for (const char* name : StepControls(w)) {
        surface.SetChecked(name, !surface.Checked(name));
        surface.SetPosition(name, surface.Position(name) == 2 ? 3 : 2);
        surface.SetItemIndex(name, 11);
        surface.SetText(name, "?");
      }
    }
    ASSERT_TRUE(LoadSettings(surface, ReadOrder(layout_)));
  }

  FakeSystem system;
  FakeSurface surface;
  MessageScript messages;
  ProgressLog progress;
  bool standardViewShown = true;
  std::map<std::string, std::string> captions;

 private:
  SystemApi* previous_ = nullptr;
  Layout layout_ = Layout::XP;
};

TEST_F(ApplyRun, TheMachineHoldsWhatEveryControlShowed) {
  struct Case {
    Layout layout;
    Values values;
    MsgResult restart;
  };
  const Case cases[] = {
      {Layout::XP, {true, 250, 37, 14, 1, "D:\\Software"}, MsgResult::Yes},
      {Layout::XP, {false, 1, 100, 0, 0, "C:\\Programme"}, MsgResult::No},
      {Layout::Vista, {true, 1, 0, 0, 0, ""}, MsgResult::Cancel},
      {Layout::Vista, {false, 400, 0, 10, 2, ""}, MsgResult::Yes},
  };
  for (const Case& c : cases) {
    const int writes = c.layout == Layout::XP ? 85 : 56;
    SCOPED_TRACE(writes);
    SCOPED_TRACE(c.values.firstChecked);
    Prepare(c.layout);
    Request(c.values);
    Showing expected = Shown();
    if (c.values.text == 0 && c.values.background == 0) {
      // Black on black is stored as 0, which Windows reads as its default, 7 on 0.
      expected[c.layout == Layout::XP ? "combxTextColor" : "combx20060817a"] = "7";
    }
    messages.answers = {MsgResult::Yes, MsgResult::Ok, c.restart};
    Apply();

    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[0].text, kConfirm);
    EXPECT_EQ(messages.asked[0].type, MsgType::Confirmation);
    EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo);
    EXPECT_EQ(messages.asked[1].text, kDone);
    EXPECT_EQ(messages.asked[1].type, MsgType::Information);
    EXPECT_EQ(messages.asked[2].text, kRestart);
    EXPECT_EQ(messages.asked[2].buttons, kMbYes | kMbNo | kMbCancel);
    EXPECT_EQ(system.exitRequests, c.restart == MsgResult::Yes ? std::vector<std::uint32_t>{0x12}
                                                               : std::vector<std::uint32_t>{});

    EXPECT_EQ(progress.created, 1);
    EXPECT_EQ(progress.maximum, writes);
    EXPECT_EQ(progress.steps, writes);
    const std::string last = std::to_string(writes) + "/" + std::to_string(writes);
    EXPECT_EQ(progress.label, "Einstellung " + last);
    EXPECT_TRUE(progress.shown && progress.mayClose && progress.destroyed);
    EXPECT_EQ(progress.messagesAtDestroy, 2u) << "gone after the report, before the restart";
    EXPECT_FALSE(standardViewShown);
    EXPECT_TRUE(surface.Checked(kCurrentSettingsButton));
    EXPECT_FALSE(RegistryAccessOpen());
    EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);

    EXPECT_EQ(Shown(), expected) << "the reload shows what was asked for";
    Reload();
    EXPECT_EQ(Shown(), expected) << "the machine holds it";
  }
}

TEST_F(ApplyRun, AnythingButYesChangesNothing) {
  for (MsgResult answer : {MsgResult::No, MsgResult::Cancel}) {
    Prepare(Layout::XP);
    CountingRegistry counting(*MemoryMachine());
    SetRegistryBackend(&counting);
    Request({true, 250, 37, 14, 1, "D:\\Software"});
    const Showing before = Shown();
    messages.answers = {answer};
    Apply();
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(counting.calls, 0);
    EXPECT_EQ(progress.created, 0);
    EXPECT_TRUE(standardViewShown);
    EXPECT_EQ(Shown(), before);
  }
}

// A user without administrator rights: every HKLM write is refused (the keys exist, so the
// writes report failure rather than raising).
TEST_F(ApplyRun, RefusedWritesAreNamedInsteadOfReportingSuccess) {
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
              {"Label1", "Installationspfad für Programme"},
              {"cboxShowFileext", "Dateiendungen anzeigen"},
              {"labStartmenuDelayCaption", "Startmenüverzögerung"}};
  const bool remote = surface.Checked("cboxDisableRemoteDesktop");
  const bool fileext = surface.Checked("cboxShowFileext");
  surface.SetChecked("cboxDisableRemoteDesktop", !remote);
  surface.SetPosition("tbarBitBucket", 50);
  surface.SetText("labProgramDir", "D:\\Software");
  surface.SetChecked("cboxShowFileext", !fileext);
  surface.SetPosition("trackStartmenuDelay", 100);
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
  Apply();

  ASSERT_EQ(messages.asked.size(), 3u);
  const AskedMessage& report = messages.asked[1];
  EXPECT_EQ(report.type, MsgType::Error);
  EXPECT_EQ(report.text,
            "Folgende Einstellungen wurden nicht übernommen:\rRemotedesktop deaktivieren\r"
            "Papierkorb\rInstallationspfad für Programme\r\r"
            "Systemweite Einstellungen erfordern Administratorrechte.");
  EXPECT_EQ(surface.Checked("cboxDisableRemoteDesktop"), remote);
  EXPECT_EQ(surface.Position("tbarBitBucket"), 10);
  EXPECT_EQ(surface.Checked("cboxShowFileext"), !fileext);
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 100);
  EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
}

TEST_F(ApplyRun, WithoutRegistryNothingIsClaimed) {
  Prepare(Layout::Vista);
  SetRegistryBackend(nullptr);
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::Yes};
  Apply();
  ASSERT_EQ(messages.asked.size(), 2u) << "no restart question";
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht "
            "übernommen.");
  EXPECT_EQ(progress.steps, 0);
  EXPECT_TRUE(progress.destroyed);
  EXPECT_TRUE(system.exitRequests.empty());
}

// The console colour value cannot be written: the colour write (51 of 85) raises.
TEST_F(ApplyRun, ASetterThatRaisesEndsTheRunWithAnErrorBox) {
  Prepare(Layout::XP);
  MemoryMachine()->DenyValueWrite(HKCU, "Software\\Microsoft\\Command Processor");
  Request({true, 250, 37, 14, 1, "D:\\Software"});
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::Yes};
  Apply();

  ASSERT_EQ(messages.asked.size(), 2u) << "no success message, no restart question";
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Die Einstellungen wurden nur teilweise übernommen:\rFehler beim Setzen der Daten "
            "für 'DefaultColor'");
  EXPECT_EQ(progress.steps, 50);
  EXPECT_TRUE(progress.destroyed);
  EXPECT_EQ(progress.messagesAtDestroy, 1u) << "gone before the error box";
  EXPECT_FALSE(RegistryAccessOpen());
  EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
  EXPECT_TRUE(system.exitRequests.empty());
  // Reloaded: what was written before the failure shows, what came after shows the machine.
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 250);
  EXPECT_EQ(surface.Position("tbarBitBucket"), 10);
  EXPECT_EQ(surface.Text("labProgramDir"), "C:\\Programme");
}

}  // namespace
}  // namespace tw::test
