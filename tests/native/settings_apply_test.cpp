#include "flows/settings_apply.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "apply_fakes.h"
#include "catalogue_boxes.h"
#include "documented_counts.h"
#include "fake_system.h"
#include "flows/standard_view.h"
#include "machine_snapshot.h"
#include "registry/registry.h"
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
      EXPECT_NO_THROW(TweakSetter(w.tweak.name)) << w.tweak.name;
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
  EXPECT_EQ(WriteSequence(Layout::XP).size(), static_cast<std::size_t>(kWritesXP));
  const std::vector<WriteStep>& vista = WriteSequence(Layout::Vista);
  ASSERT_EQ(vista.size(), static_cast<std::size_t>(kWritesVista));
  const std::size_t providers = kWritesVista - 3;  // the last three writes
  for (std::size_t i = providers; i < vista.size(); ++i)
    EXPECT_STREQ(vista[i].tweak.name, "SearchProvider");
  EXPECT_STREQ(vista[providers].tweak.argument, "IMDB");
  EXPECT_STREQ(vista[providers + 1].tweak.argument, "Sourceforge");
  EXPECT_STREQ(vista[providers + 2].tweak.argument, "Wikipedia");
}

// Every list of a message: up to 15 lines; of a longer one 14 and "… und N weitere".
TEST(ApplyTexts, ReportAndQuestionListAtMostFifteenLines) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 17; ++i) lines.push_back("E" + std::to_string(i));
  const std::vector<std::string> fifteen(lines.begin(), lines.begin() + 15);
  const std::vector<std::string> sixteen(lines.begin(), lines.begin() + 16);
  const std::string first14 = "\rE1\rE2\rE3\rE4\rE5\rE6\rE7\rE8\rE9\rE10\rE11\rE12\rE13\rE14";
  const std::string hint = "\r\rSystemweite Einstellungen erfordern Administratorrechte.";
  const std::string report = "Folgende Einstellungen wurden nicht übernommen:";
  const std::string question = "Folgende Einstellungen werden geändert:";
  const std::string ask = "\r\rMöchten Sie die Einstellungen jetzt vornehmen?";
  const std::pair<std::string, std::string> cases[] = {
      {NotAppliedReport(fifteen, true), report + first14 + "\rE15" + hint},
      {NotAppliedReport(sixteen, true), report + first14 + "\r… und 2 weitere" + hint},
      {NotAppliedReport(fifteen, false), report + first14 + "\rE15"},
      {ConfirmationText(fifteen), question + first14 + "\rE15" + ask},
      {ConfirmationText(lines), question + first14 + "\r… und 3 weitere" + ask},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
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
  // The start-up reading, which the run compares against.
  void Load() {
    ASSERT_TRUE(LoadSettings(surface, ReadOrder(layout_)));
    loaded = RememberLoaded(surface, layout_);
  }
  void TearDown() override { SetSystemBackend(nullptr); }

  void Apply() {
    ApplyWindow window{
        surface, standardViewShown, loaded,
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
  LoadedControls loaded;
  std::map<std::string, std::string> captions;
  Layout layout_ = Layout::XP;
};

constexpr char kAsk[] = "\r\rMöchten Sie die Einstellungen jetzt vornehmen?";
constexpr char kChanges[] = "Folgende Einstellungen werden geändert:\r";

// The catalogue entry a write sets.
const TweakInfo& TweakOf(const WriteStep& w) {
  for (const TweakInfo& t : CatalogueTweaks()) {
    if (t.name == w.tweak.name) return t;
  }
  throw Error("no tweak for " + std::string(w.controls[0]));
}

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
    const int writes = c.layout == Layout::XP ? kWritesXP : kWritesVista;
    SCOPED_TRACE(std::to_string(writes) + (c.firstChecked ? " checked first" : ""));
    Prepare(c.layout);
    Load();
    Request(c.firstChecked, c.delay, c.bitBucket, c.text, c.back, c.folder);
    Showing expected = Shown();
    if (c.text == 0 && c.back == 0)  // black on black is stored as 0, which reads as 7 on 0
      expected[c.layout == Layout::XP ? "combxTextColor" : "combx20060817a"] = "7";
    messages.answers = {MsgResult::Yes, MsgResult::Ok, c.restart};
    Apply();

    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[0].text.rfind(kChanges, 0), 0u);
    EXPECT_NE(messages.asked[0].text.find(kAsk), std::string::npos);
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
    Load();
    surface.SetChecked("cboxBalloonTips", true);
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
  Load();
  MemoryMachine()->DenyWrite(HKLM, "");
  captions = {{"cboxDisableRemoteDesktop", "&Remotedesktop\rdeaktivieren"},
              {"cboxShowFileext", "Dateiendungen anzeigen"},
              {"labStartmenuDelayCaption", "Startmenüverzögerung"},
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
  // In the order of the sequence; sliders and the folder by their heading and shown value.
  EXPECT_EQ(messages.asked[0].text,
            std::string(kChanges) + "Dateiendungen anzeigen: " + (fileext ? "aus" : "ein") +
                "\rStartmenüverzögerung: 100 ms\rRemotedesktop deaktivieren: " +
                (remote ? "aus" : "ein") +
                "\rPapierkorb: 50 %\rInstallationspfad für Programme: D:\\Software" + kAsk);
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Folgende Einstellungen wurden nicht übernommen:\rRemotedesktop deaktivieren\r"
            "Papierkorb\rInstallationspfad für Programme\r\r"
            "Systemweite Einstellungen erfordern Administratorrechte.");
  EXPECT_EQ(surface.Checked("cboxDisableRemoteDesktop"), remote);
  EXPECT_EQ(surface.Checked("cboxShowFileext"), !fileext);
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 100);
}

// Without a registry nothing is claimed, and the changes stay changes for the next click.
TEST_F(ApplyRun, WithoutRegistryNothingIsClaimed) {
  Prepare(Layout::Vista);
  Load();
  captions = {{"cb20060501", "Sprechblasen abschalten"}};
  surface.SetChecked("cb20060501", true);
  SetRegistryBackend(nullptr);
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::Yes};
  Apply();
  ASSERT_EQ(messages.asked.size(), 2u) << "no restart question";
  EXPECT_EQ(messages.asked[1].text,
            "Die Registrierung konnte nicht geöffnet werden.\rDie Einstellungen wurden nicht "
            "übernommen.");
  EXPECT_EQ(progress.steps, 0);
  EXPECT_TRUE(progress.destroyed);

  SetRegistryBackend(MemoryMachine());
  messages.answers = {MsgResult::No};
  Apply();
  ASSERT_EQ(messages.asked.size(), 3u);
  EXPECT_EQ(messages.asked[2].text, std::string(kChanges) + "Sprechblasen abschalten: ein" + kAsk);

  // Written, but the registry is gone before the reload: the report says just that.
  progress.onAllowClose = [] { SetRegistryBackend(nullptr); };
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::Yes};
  Apply();
  SetRegistryBackend(MemoryMachine());
  ASSERT_EQ(messages.asked.size(), 5u) << "no restart question";
  EXPECT_EQ(messages.asked[4].text,
            "Die Einstellungen wurden geschrieben, konnten aber nicht neu gelesen werden.");
  EXPECT_EQ(progress.steps, kWritesVista);
}

// A deny-all key under HKCU with a changed box in it (the first write), and a changed box later
// in the sequence: the run gets past the refusal, writes the later one and names the first,
// without the hint on administrator rights.
TEST_F(ApplyRun, ARefusedWriteDoesNotEndTheRun) {
  Prepare(Layout::XP);
  // The address bar shown: turning it off writes the status bar, then removes the bar layout,
  // whose key refuses. The box reads as asked all the same; the refusal names it.
  const std::string shellBrowser = "Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser";
  MemoryMachine()->PutDword(HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "StatusBarOther",
                            1);
  MemoryMachine()->Put(HKCU, shellBrowser, "ITBarLayout", kRegBinary, AddressBarBandsTemplate());
  Load();
  ASSERT_TRUE(surface.Checked("cboxStatusAndAddressbar"));
  surface.SetChecked("cboxStatusAndAddressbar", false);
  MemoryMachine()->DenyWrite(HKCU, shellBrowser);
  MemoryMachine()->DenyAll(HKCU,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced");
  // The colour value refuses as well: its setter raises.
  MemoryMachine()->DenyValueWrite(HKCU, "Software\\Microsoft\\Command Processor");
  captions = {{"cboxBalloonTips", "Sprechblasen abschalten"},
              {"combxTextColor", "Kommandozeile"},
              {"cboxMuteBeepTone", "Warnton abschalten"},
              {"cboxStatusAndAddressbar", "Status- und Adressleiste zeigen"}};
  surface.SetChecked("cboxBalloonTips", !surface.Checked("cboxBalloonTips"));
  surface.SetItemIndex("combxTextColor", 14);
  const bool beep = !surface.Checked("cboxMuteBeepTone");
  surface.SetChecked("cboxMuteBeepTone", beep);
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
  Apply();

  ASSERT_EQ(messages.asked.size(), 3u);
  EXPECT_EQ(messages.asked[0].text, std::string(kChanges) + "Sprechblasen abschalten: " +
                                        (surface.Checked("cboxBalloonTips") ? "aus" : "ein") +
                                        "\rWarnton abschalten: " + (beep ? "ein" : "aus") +
                                        "\rKommandozeile: Text E, Hintergrund 0"
                                        "\rStatus- und Adressleiste zeigen: aus" +
                                        kAsk);
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Folgende Einstellungen wurden nicht übernommen:\rSprechblasen abschalten\r"
            "Kommandozeile\rStatus- und Adressleiste zeigen");
  EXPECT_FALSE(surface.Checked("cboxStatusAndAddressbar"));
  EXPECT_EQ(surface.Checked("cboxMuteBeepTone"), beep) << "written after both refusals";
  EXPECT_EQ(progress.steps, kWritesXP);
  EXPECT_FALSE(RegistryAccessOpen());
  EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
}

TEST_F(ApplyRun, NothingChangedSaysSoAndTouchesNothing) {
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    Prepare(layout);
    HostileValues hostile(*MemoryMachine());
    Load();
    SetRegistryBackend(nullptr);  // any registry call now fails the run
    messages.answers = {MsgResult::Ok};
    Apply();
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0],
              (AskedMessage{"Sie haben keine Einstellung geändert. Es gibt nichts zu übernehmen.",
                            MsgType::Information, kMbOk}));
    EXPECT_EQ(progress.created, 0);
    EXPECT_FALSE(standardViewShown);
  }
}

// On a machine seeded with a real XP's values and hostile ones, changing one box changes
// exactly that tweak's values, nothing else under any catalogue location.
TEST_F(ApplyRun, OneChangedBoxChangesOnlyItsTweak) {
  for (const auto& [layout, box] : {std::pair{Layout::XP, "cboxBalloonTips"},
                                    {Layout::XP, "cboxDeleteAdminShare"},
                                    {Layout::XP, "cboxDisableActiveX"},
                                    {Layout::Vista, "cb20060501"},
                                    {Layout::Vista, "cb20060533"}}) {
    SCOPED_TRACE(box);
    Prepare(layout);
    HostileValues hostile(*MemoryMachine());
    Load();
    const Snapshot before = CatalogueSnapshot(*MemoryMachine());
    surface.SetChecked(box, !surface.Checked(box));
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Apply();
    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[1].text, "Vorgang erfolgreich abgeschlossen!");
    EXPECT_EQ(progress.steps, layout == Layout::XP ? kWritesXP : kWritesVista);
    const TweakInfo* tweak = nullptr;
    for (const WriteStep& w : WriteSequence(layout)) {
      if (std::string(w.controls[0]) == box) tweak = &TweakOf(w);
    }
    ASSERT_NE(tweak, nullptr);
    const std::vector<std::string> changed =
        Differences(before, CatalogueSnapshot(*MemoryMachine()));
    EXPECT_FALSE(changed.empty());
    for (const std::string& entry : changed) EXPECT_TRUE(InTweak(entry, *tweak)) << entry;
  }
}

// After the standard view only the writes whose controls it changed are made.
TEST_F(ApplyRun, AfterTheStandardViewOnlyDifferingWritesAreMade) {
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    Prepare(layout);
    HostileValues hostile(*MemoryMachine());
    Load();
    const Showing loadedShown = Shown();
    const Snapshot before = CatalogueSnapshot(*MemoryMachine());
    ShowStandard(surface, layout);
    const Showing standard = Shown();
    std::vector<const TweakInfo*> written;
    for (const WriteStep& w : WriteSequence(layout)) {
      EXPECT_NO_THROW(TweakSetter(w.tweak.name)) << w.tweak.name;
      for (const char* name : StepControls(w)) {
        if (loadedShown.at(name) != standard.at(name)) written.push_back(&TweakOf(w));
      }
    }
    ASSERT_FALSE(written.empty());
    ASSERT_LT(written.size(), WriteSequence(layout).size());
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Apply();
    for (const std::string& entry : Differences(before, CatalogueSnapshot(*MemoryMachine()))) {
      EXPECT_TRUE(std::any_of(written.begin(), written.end(),
                              [&](const TweakInfo* t) { return InTweak(entry, *t); }))
          << entry << " written, though its controls showed the standard already";
    }
  }
}

// A context-menu entry the run removes, with a subkey named outside cp1252, goes completely.
// When a subkey refuses deleting, nothing of the entry goes and the setting is reported: the
// entry never keeps its caption without its command.
TEST_F(ApplyRun, RemovingAnEntryIsAllOrNothing) {
  const std::string entry = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit";
  const std::u16string wide = AnsiToWide(entry) + u"\\\u65e5\u672c\\ddeexec";
  for (bool locked : {false, true}) {
    SCOPED_TRACE(locked ? "locked command" : "all free");
    Prepare(Layout::XP);
    MemoryMachine()->PutString(HKCR, entry, "", "Registry-Editor");
    MemoryMachine()->PutString(HKCR, entry + "\\command", "", "regedit.exe");
    MemoryMachine()->PutKeyW(HKCR, wide);
    if (locked) MemoryMachine()->DenyWrite(HKCR, entry + "\\command");
    Load();
    ASSERT_TRUE(surface.Checked("cboxRegEdit"));
    surface.SetChecked("cboxRegEdit", false);
    captions = {{"cboxRegEdit", "Registry-Editor"}};
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Apply();
    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[0].text, std::string(kChanges) + "Registry-Editor: aus" + kAsk);
    if (!locked) {
      EXPECT_EQ(messages.asked[1].text, "Vorgang erfolgreich abgeschlossen!");
      EXPECT_FALSE(MemoryMachine()->HasKey(HKCR, entry));
      continue;
    }
    EXPECT_EQ(messages.asked[1].text,
              "Folgende Einstellungen wurden nicht übernommen:\rRegistry-Editor\r\r"
              "Systemweite Einstellungen erfordern Administratorrechte.");
    EXPECT_TRUE(MemoryMachine()->HasKeyW(HKCR, wide));
    EXPECT_TRUE(MemoryMachine()->Get(HKCR, entry, "").has_value());
    EXPECT_TRUE(MemoryMachine()->Get(HKCR, entry + "\\command", "").has_value());
    EXPECT_TRUE(surface.Checked("cboxRegEdit"));
  }
}

}  // namespace
}  // namespace tw::test
