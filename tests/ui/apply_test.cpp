// Applying in the real window: every changed control reaches the machine and nothing else is
// written, the progress window counts the writes and cannot be closed while they run, refused
// writes are named and do not end the run.

#include <gtest/gtest.h>
#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "catalogue/catalogue.h"
#include "documented_counts.h"
#include "expect_loaded.h"
#include "flows/restore_point.h"
#include "flows/settings_apply.h"
#include "machine_snapshot.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "ui/app.h"
#include "ui/unitprogress.h"
#include "ui_support.h"
#include "window_doubles.h"

namespace tw::ui::test {
namespace {

constexpr char kChanges[] = "Folgende Einstellungen werden geändert:\r";
constexpr char kAsk[] = "\r\rMöchten Sie die Einstellungen jetzt vornehmen?";
constexpr char kDone[] = "Vorgang erfolgreich abgeschlossen!";
// The success text of a run whose previous values were saved.
constexpr char kDoneBackedUp[] =
    "Vorgang erfolgreich abgeschlossen!\rDie bisherigen Werte wurden gesichert. Im Systemmenü "
    "(Alt+Leertaste) stellt „Letzte Übernahme rückgängig machen“ sie wieder her.";
constexpr char kRestart[] =
    "Einige der Änderungen erfordern eventuell einen Neustart.\rMöchten Sie Windows neu starten?";
constexpr std::uint32_t kRebootForceIfHung = EWX_REBOOT | EWX_FORCEIFHUNG;

class Apply : public LiveWindow {
 protected:
  int Writes() const { return xp ? kWritesXP : kWritesVista; }
  std::string SliderOf(const char* xpName) const { return xp ? xpName : "tb20060528"; }

  // Boxes alternate along the sequence, so two setters swapped show up.
  void Request(bool firstChecked, int delay, int bitBucket, int text, int back,
               const char* folder) {
    int n = 0;
    for (const WriteStep& w : WriteSequence(layout)) {
      for (const char* name : StepControls(w)) {
        if (WritesBoxes(w.arg)) c().SetChecked(name, (n++ % 2 == 0) == firstChecked);
        if (w.arg == Arg::Position)
          c().SetPosition(name, std::string(name) == "tbarBitBucket" ? bitBucket : delay);
        if (w.arg == Arg::ColourPair) c().SetItemIndex(name, name == w.controls[0] ? text : back);
        if (w.arg == Arg::LabelText) c().SetText(name, folder);
      }
    }
  }
  // The controls show what the getters read from the machine now.
  void ExpectMachineShown() {
    tw::test::ExpectLoaded(
        c(), layout, [this](const std::string& slider) { return c().Get(slider).def->slider.max; });
  }
  // A run that asked three boxes: the question, the report of the settings not applied (the
  // lines after its heading), the restart question.
  void ExpectNotApplied(const std::string& settings) {
    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[1].type, MsgType::Error);
    EXPECT_EQ(messages.asked[1].text, "Folgende Einstellungen wurden nicht übernommen:" + settings);
  }
  void ExpectRunOver() {
    EXPECT_EQ(frmProgress, nullptr);
    EXPECT_EQ(ThreadWindow("TfrmProgress"), nullptr);
    EXPECT_TRUE(IsWindowEnabled(form->handle()));
    EXPECT_FALSE(RegistryAccessOpen());
    EXPECT_TRUE(errors.empty()) << errors.front();
  }
};

// Two runs with opposite boxes: every box is written checked once and unchecked once. The
// progress label is read at every change the run makes to the registry: the n-th write happens
// while it reads n-1, so exactly the writes whose controls changed reach the registry.
TEST_F(Apply, TheMachineHoldsWhatEveryControlShowed) {
  struct Case {
    bool firstChecked;
    int delay, bitBucket, text, back;
    const char* folder;
    MsgResult restart;
  };
  // The second run puts the machine's program folder back (XP).
  const std::string folder = xp ? c().Text("labProgramDir") : "";
  for (const Case& k : {Case{true, 250, 37, 14, 1, "D:\\Software", MsgResult::No},
                        Case{false, 1, 100, 0, 2, folder.c_str(), MsgResult::Yes}}) {
    SCOPED_TRACE(k.firstChecked ? "first box checked" : "first box unchecked");
    form->StandardViewShown = true;
    const auto loaded = Showing();
    Request(k.firstChecked, k.delay, k.bitBucket, k.text, k.back, k.folder);
    const auto requested = Showing();
    std::set<std::string> expectedLabels;
    {
      const std::map<std::string, std::string> was(loaded.begin(), loaded.end());
      const std::map<std::string, std::string> now(requested.begin(), requested.end());
      int n = 0;
      for (const WriteStep& w : WriteSequence(layout)) {
        for (const char* name : StepControls(w)) {
          if (was.at(name) != now.at(name)) expectedLabels.insert(ProgressText(n, Writes()));
        }
        ++n;
      }
    }

    RegistrySpy spy;
    SystemStub system;
    std::set<std::string> labels;
    bool triedClosing = false, stayed = false, mainBlocked = true;
    spy.onChange = [&] {
      if (!frmProgress) {
        labels.insert("no progress window");
        return;
      }
      labels.insert(WindowText(frmProgress->labProgress()));
      mainBlocked = mainBlocked && !IsWindowEnabled(form->handle());
      if (!triedClosing) {
        triedClosing = true;
        HWND w = frmProgress->handle();
        SendMessageA(w, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box, Alt+F4
        SendMessageA(w, WM_CLOSE, 0, 0);
        stayed = IsWindow(w) && IsWindowVisible(w);
      }
    };
    std::string reportLabel;
    int reportPosition = -1, reportMaximum = -1;
    bool closedAfterwards = false;
    messages.onAsk = [&](const Asked& a) {
      if (a.text.rfind(kDone, 0) != 0 || !frmProgress) return;
      reportLabel = WindowText(frmProgress->labProgress());
      reportPosition = static_cast<int>(SendMessageA(frmProgress->pbarMain(), PBM_GETPOS, 0, 0));
      reportMaximum =
          static_cast<int>(SendMessageA(frmProgress->pbarMain(), PBM_GETRANGE, FALSE, 0));
      if (!k.firstChecked) {
        HWND w = frmProgress->handle();
        SendMessageA(w, WM_CLOSE, 0, 0);
        closedAfterwards = !IsWindow(w);
      }
    };
    messages.asked.clear();
    messages.answers = {MsgResult::Yes, MsgResult::Ok, k.restart};
    Click("butApply");

    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[0].text.rfind(kChanges, 0), 0u);
    EXPECT_NE(messages.asked[0].text.find(kAsk), std::string::npos);
    EXPECT_EQ(messages.asked[1].text, kDoneBackedUp);
    EXPECT_EQ(messages.asked[1].type, MsgType::Information);
    EXPECT_EQ(messages.asked[2].text, kRestart);
    const std::vector<std::uint32_t> restarts = {kRebootForceIfHung};
    EXPECT_EQ(system.exitRequests, k.restart == MsgResult::Yes ? restarts : decltype(restarts){});

    EXPECT_GT(expectedLabels.size(), 20u);
    EXPECT_EQ(labels, expectedLabels);
    EXPECT_TRUE(triedClosing && stayed) << "a close request during the writes is refused";
    EXPECT_TRUE(mainBlocked);
    EXPECT_EQ(reportLabel, ProgressText(Writes(), Writes()));
    EXPECT_EQ(reportPosition, Writes());
    EXPECT_EQ(reportMaximum, Writes());
    if (!k.firstChecked) {
      EXPECT_TRUE(closedAfterwards) << "after the writes a close request closes it";
    }

    ExpectRunOver();
    EXPECT_FALSE(form->StandardViewShown);
    EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
    EXPECT_EQ(Showing(), requested) << "reloaded";
    ExpectMachineShown();
  }
}

TEST_F(Apply, NoToTheQuestionLeavesEverythingAlone) {
  form->StandardViewShown = true;
  const std::string box = xp ? "cboxBalloonTips" : "cb20060501";
  const bool on = !c().Checked(box);
  c().SetChecked(box, on);
  const auto before = Showing();
  RegistrySpy spy;
  messages.answers = {MsgResult::No};
  Click("butApply");
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text,
            std::string(kChanges) + "Sprechblasen abschalten: " + (on ? "ein" : "aus") + kAsk);
  EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo);
  EXPECT_EQ(spy.calls, 0) << "no registry access at all";
  EXPECT_TRUE(form->StandardViewShown);
  EXPECT_EQ(Showing(), before);
  ExpectRunOver();
}

TEST_F(Apply, NothingChangedMakesNoRegistryCall) {
  form->StandardViewShown = true;
  RegistrySpy spy;
  Click("butApply");
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0],
            (Asked{"Sie haben keine Einstellung geändert. Es gibt nichts zu übernehmen.",
                   MsgType::Information, kMbOk}));
  EXPECT_EQ(spy.calls, 0);
  EXPECT_FALSE(form->StandardViewShown) << "closing loses nothing";
  ExpectRunOver();
}

// After the standard view, the writes whose controls it changed reach the registry, no other.
TEST_F(Apply, AfterTheStandardViewOnlyDifferingWritesAreMade) {
  const auto loaded = Showing();
  Click("sbutXPStandard");
  const auto standard = Showing();
  std::set<std::string> expectedLabels;
  int n = 0;
  for (const WriteStep& w : WriteSequence(layout)) {
    for (const char* name : StepControls(w)) {
      const auto was = std::find_if(loaded.begin(), loaded.end(),
                                    [&](const auto& p) { return p.first == name; });
      const auto now = std::find_if(standard.begin(), standard.end(),
                                    [&](const auto& p) { return p.first == name; });
      if (was->second != now->second) expectedLabels.insert(ProgressText(n, Writes()));
    }
    ++n;
  }
  ASSERT_FALSE(expectedLabels.empty());
  RegistrySpy spy;
  SystemStub system;
  std::set<std::string> labels;
  spy.onChange = [&] {
    if (frmProgress) labels.insert(WindowText(frmProgress->labProgress()));
  };
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
  Click("butApply");
  EXPECT_EQ(labels, expectedLabels);
  ExpectRunOver();
}

// The report names a setting by its control's caption, or its group's for a control without
// one; the labels over the start menu slider and the program folder by their text.
TEST_F(Apply, SettingsAreNamedByTheirCaptionOrTheirGroups) {
  for (const auto& [control, caption] : {
           std::pair<const char*, const char*>{"cboxBalloonTips", "Sprechblasen abschalten"},
           {"cbHideCommonFiles", "Benutzerverzeichnisse im Arbeitsplatz ausblenden"},
           {"combxTextColor", "Kommandozeile"},
           {"combx20060817b", "Kommandozeile"},
           {"tbarBitBucket", "Papierkorb"},
           {"tb20060528", "Startmenüverzögerung"},
           {"labStartmenuDelayCaption", "Startmenüverzögerung"},
           {"Label1", "Installationspfad für Programme"},
           {"cb20070438a", "IMDB hinzufügen"},
       }) {
    EXPECT_EQ(form->SettingCaption(control), caption) << control;
  }
}

void SendAltF4() {
  INPUT in[4] = {};
  const WORD keys[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
  for (int i = 0; i < 4; ++i) {
    in[i].type = INPUT_KEYBOARD;
    in[i].ki.wVk = keys[i];
    in[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, in, sizeof(INPUT));
  Pump(150);
}

TEST_F(Apply, ProgressWindowCountsAndClosesOnlyWhenAllowed) {
  auto progress = std::make_unique<TfrmProgress>(form->handle(), 85);
  HWND w = progress->handle();
  EXPECT_EQ(frmProgress, progress.get());
  EXPECT_FALSE(ProgressCanClose);
  EXPECT_FALSE(IsWindowVisible(w)) << "shown by the run";
  EXPECT_EQ(GetWindow(w, GW_OWNER), form->handle());
  EXPECT_FALSE(IsWindowEnabled(form->handle()));
  EXPECT_EQ(WindowText(w), "Optimierungsvorgang");
  const LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_TRUE((style & WS_CAPTION) == WS_CAPTION && (style & WS_SYSMENU));
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_EQ(progress->ClientWidth(), 480);
  EXPECT_EQ(progress->ClientHeight(), 48);
  const RECT bar = RectInParent(progress->pbarMain());
  const RECT label = RectInParent(progress->labProgress());
  const RECT barWanted{8, 8, 472, 25}, labelWanted{8, 28, 472, 41};
  EXPECT_TRUE(EqualRect(&bar, &barWanted));
  EXPECT_TRUE(EqualRect(&label, &labelWanted));
  const LONG labelStyle = GetWindowLongA(progress->labProgress(), GWL_STYLE);
  EXPECT_EQ(labelStyle & SS_TYPEMASK, SS_CENTER);
  EXPECT_TRUE(labelStyle & SS_CENTERIMAGE);
  LOGFONTA font{};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(progress->labProgress(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, "Tahoma");
  EXPECT_EQ(std::abs(font.lfHeight), 11);
  EXPECT_EQ(WindowText(progress->labProgress()), "Einstellung 0/85");
  EXPECT_EQ(SendMessageA(progress->pbarMain(), PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(SendMessageA(progress->pbarMain(), PBM_GETPOS, 0, 0), 0);

  progress->Show();
  EXPECT_TRUE(IsWindowVisible(w));
  RECT r, work;
  GetWindowRect(w, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_NEAR(r.left + r.right, work.left + work.right, 1) << "centred";
  EXPECT_NEAR(r.top + r.bottom, work.top + work.bottom, 1);

  for (int i = 0; i < 12; ++i) progress->StepProgress();
  EXPECT_EQ(WindowText(progress->labProgress()), "Einstellung 12/85");
  EXPECT_EQ(SendMessageA(progress->pbarMain(), PBM_GETPOS, 0, 0), 12);

  SetForegroundWindow(w);
  Pump(50);
  SendAltF4();
  EXPECT_TRUE(IsWindow(w)) << "refused while the run writes";
  progress->AllowClose();
  EXPECT_TRUE(ProgressCanClose);
  progress->Fill();
  EXPECT_EQ(SendMessageA(progress->pbarMain(), PBM_GETPOS, 0, 0), 85);
  EXPECT_EQ(WindowText(progress->labProgress()), "Einstellung 12/85") << "the bar only";
  SetForegroundWindow(w);
  Pump(50);
  SendAltF4();
  EXPECT_FALSE(IsWindow(w));
  EXPECT_TRUE(IsWindowEnabled(form->handle()));
  progress.reset();
  EXPECT_EQ(frmProgress, nullptr);
  EXPECT_TRUE(IsWindow(form->handle())) << "Alt+F4 reached only the progress window";
}

// A user without administrator rights on a machine whose machine-wide keys exist: the HKLM
// settings the user changed are named, no success is claimed, the HKCU ones are written.
TEST_F(Apply, RefusedMachineSettingsAreNamedAndUserSettingsWritten) {
  for (const TweakInfo& tweak : CatalogueTweaks()) {
    for (const RegLocation& at : tweak.locations) {
      RegKey key(Machine());
      if (at.root == HKLM && !at.wholeKey) {
        ASSERT_EQ(key.Create(HKLM, at.key, kKeyAllAccess), kErrorSuccess) << at.key;
      }
    }
  }
  // Present means the box shows unchecked; applying it asks for a key that is already there.
  const std::string commonFiles =
      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\"
      "DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}";
  {
    RegKey key(Machine());
    ASSERT_EQ(key.Create(HKLM, commonFiles, kKeyAllAccess), kErrorSuccess);
  }
  form->LoadCurrentSettings();
  EXPECT_FALSE(c().Checked(xp ? "cbHideCommonFiles" : "cb20070408"));

  // Two plain boxes of each hive, by the catalogue's locations.
  auto onlyUnder = [](const Control& box, RegRoot root) {
    for (const TweakInfo& t : CatalogueTweaks()) {
      if (static_cast<int>(t.id) != box.tweakId) continue;
      return std::all_of(t.locations.begin(), t.locations.end(),
                         [root](const RegLocation& l) { return l.root == root; });
    }
    return false;
  };
  std::set<std::string> machineBoxes, userBoxes;
  for (const WriteStep& w : WriteSequence(layout)) {
    if (w.arg != Arg::NegatedCheck) continue;
    const Control& box = c().Get(w.controls[0]);
    if (machineBoxes.size() < 2 && onlyUnder(box, HKLM)) machineBoxes.insert(box.name);
    if (userBoxes.size() < 2 && onlyUnder(box, HKCU)) userBoxes.insert(box.name);
  }
  ASSERT_EQ(machineBoxes.size() + userBoxes.size(), 4u);
  for (const auto& names : {machineBoxes, userBoxes}) {
    for (const std::string& name : names) c().SetChecked(name, !c().Checked(name));
  }
  const std::string delay = SliderOf("trackStartmenuDelay");
  const int newDelay = c().Position(delay) == 100 ? 120 : 100;
  c().SetPosition(delay, newDelay);
  std::vector<std::string> named;
  for (const WriteStep& w : WriteSequence(layout)) {
    if (w.arg == Arg::NegatedCheck && machineBoxes.count(w.controls[0]))
      named.push_back(c().Get(w.controls[0]).def->caption);
  }
  if (xp) {
    c().SetPosition("tbarBitBucket", c().Position("tbarBitBucket") == 50 ? 60 : 50);
    c().SetText("labProgramDir", "D:\\Software");
    named.push_back("Papierkorb");
    named.push_back("Installationspfad für Programme");
  }
  const auto requested = Showing();

  {
    RegistrySpy spy;
    spy.refuseHklm = true;
    SystemStub system;
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Click("butApply");
  }
  std::string report;
  for (const std::string& caption : named) report += "\r" + caption;
  report += "\r\rSystemweite Einstellungen erfordern Administratorrechte.";
  ASSERT_NO_FATAL_FAILURE(ExpectNotApplied(report));
  EXPECT_EQ(messages.asked[2].text, kRestart);
  const std::map<std::string, std::string> asked(requested.begin(), requested.end());
  for (const std::string& name : machineBoxes)
    EXPECT_NE(c().Checked(name), asked.at(name) == "1") << name << " shows the machine again";
  for (const std::string& name : userBoxes)
    EXPECT_EQ(c().Checked(name), asked.at(name) == "1") << name;
  EXPECT_EQ(c().Position(delay), newDelay);
  ExpectMachineShown();
  ExpectRunOver();

  RegKey parent(Machine());
  ASSERT_EQ(parent.Open(HKLM,
                        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\"
                        "NameSpace\\DelegateFolders",
                        kKeyAllAccess),
            kErrorSuccess);
  EXPECT_EQ(Machine().DeleteKey(parent.get(), "{59031a47-3f72-44a7-89c5-5595fe6b30ee}"),
            kErrorSuccess);
}

// A machine holding hostile values: changing one box changes that tweak's values and nothing
// else under any catalogue location.
TEST_F(Apply, OneChangedBoxChangesOnlyItsTweak) {
  tw::test::HostileValues hostile(Machine());
  for (const char* box : xp ? std::vector<const char*>{"cboxBalloonTips", "cboxDisableActiveX"}
                            : std::vector<const char*>{"cb20060501", "cb20060540"}) {
    SCOPED_TRACE(box);
    form->LoadCurrentSettings();
    const tw::test::Snapshot before = tw::test::CatalogueSnapshot(Machine());
    c().SetChecked(box, !c().Checked(box));
    {
      SystemStub system;
      messages.asked.clear();
      messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
      Click("butApply");
    }
    ASSERT_EQ(messages.asked.size(), 3u);
    EXPECT_EQ(messages.asked[1].text, kDoneBackedUp);
    const auto tweak = std::find_if(
        CatalogueTweaks().begin(), CatalogueTweaks().end(),
        [&](const TweakInfo& t) { return static_cast<int>(t.id) == c().Get(box).tweakId; });
    ASSERT_NE(tweak, CatalogueTweaks().end());
    const auto changed = tw::test::Differences(before, tw::test::CatalogueSnapshot(Machine()));
    EXPECT_FALSE(changed.empty());
    for (const std::string& entry : changed) EXPECT_TRUE(tw::test::InTweak(entry, *tweak)) << entry;
    // Back as it was, for the next tests.
    c().SetChecked(box, !c().Checked(box));
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Click("butApply");
  }
  ExpectRunOver();
}

// A deny-all key with a changed box in it (the first write of the sequence) and a changed box
// later: the later one is written, the report names the first, without the hint on
// administrator rights.
TEST_F(Apply, ADenyAllKeyDoesNotEndTheRun) {
  const std::string first = xp ? "cboxBalloonTips" : "cb20060501";
  const std::string later = xp ? "cbLockNumlock" : "cb20070409";
  const bool laterOn = !c().Checked(later);
  c().SetChecked(first, !c().Checked(first));
  c().SetChecked(later, laterOn);
  {
    DenyAllKey advanced("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced");
    ASSERT_TRUE(advanced.locked());
    SystemStub system;
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Click("butApply");
  }
  ASSERT_NO_FATAL_FAILURE(ExpectNotApplied("\rSprechblasen abschalten"));
  EXPECT_EQ(c().Checked(later), laterOn) << "written after the refusal";
  ExpectRunOver();
}

// A fault that is no registry error ends the run: the batch is closed, the progress window
// gone, and the error reaches the program's hook.
TEST_F(Apply, AProgramFaultEndsTheRunAndReachesTheErrorHook) {
  const std::string box = xp ? "cboxBalloonTips" : "cb20060501";
  c().SetChecked(box, !c().Checked(box));
  {
    RegistrySpy spy;
    spy.onChange = [] { throw std::logic_error("Programmfehler"); };
    messages.answers = {MsgResult::Yes};
    Click("butApply");
  }
  EXPECT_EQ(messages.asked.size(), 1u) << "no report";
  EXPECT_EQ(errors, std::vector<std::string>{"Programmfehler"});
  EXPECT_EQ(frmProgress, nullptr);
  EXPECT_EQ(ThreadWindow("TfrmProgress"), nullptr);
  EXPECT_TRUE(IsWindowEnabled(form->handle()));
  EXPECT_FALSE(RegistryAccessOpen());
  errors.clear();
}

// The console colour value cannot be written: the run goes on past it and names it afterwards
// (without the hint on administrator rights: the refusal is under HKCU), once the registry batch
// is closed.
TEST_F(Apply, ARefusedWriteDoesNotEndTheRun) {
  RegistrySpy spy;
  spy.refuseValue = "DefaultColor";
  SystemStub system;
  const std::string text = xp ? "combxTextColor" : "combx20060817a";
  c().SetItemIndex(text, c().ItemIndex(text) == 14 ? 13 : 14);
  const std::string later = xp ? "cbLockNumlock" : "cb20070409";
  const bool on = !c().Checked(later);
  c().SetChecked(later, on);
  bool batchClosed = false, mainEnabled = false;
  messages.onAsk = [&](const Asked& a) {
    if (a.type != MsgType::Error) return;
    batchClosed = !RegistryAccessOpen();
    mainEnabled = IsWindowEnabled(form->handle()) != FALSE;
  };
  messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
  Click("butApply");
  ASSERT_NO_FATAL_FAILURE(ExpectNotApplied("\rKommandozeile"));
  EXPECT_EQ(messages.asked[2].text, kRestart);
  EXPECT_EQ(c().Checked(later), on) << "written after the refusal";
  EXPECT_TRUE(batchClosed);
  EXPECT_FALSE(mainEnabled) << "the progress window is still up during the report";
  EXPECT_TRUE(system.exitRequests.empty());
  ExpectRunOver();
  ExpectMachineShown();
}

// Ticked, on XP: Wine's System Restore fails without a cause; asked, the run goes on.
TEST_F(Apply, ARestorePointThatFailsIsAskedAbout) {
  if (!xp) GTEST_SKIP() << "System Restore on XP only";
  c().SetChecked("cboxShowFileext", !c().Checked("cboxShowFileext"));
  std::string label;  // the progress window's while the question is up
  messages.onAsk = [&](const Asked&) {
    if (frmProgress && label.empty()) label = WindowText(frmProgress->labProgress());
  };
  messages.checks = {true, false};  // the next test starts with the box off again
  messages.answers = {MsgResult::Yes, MsgResult::Yes, MsgResult::Ok, MsgResult::No};
  Click("butApply");
  ASSERT_EQ(messages.asked.size(), 4u);
  EXPECT_EQ(messages.asked[1].text,
            "Der Wiederherstellungspunkt konnte nicht erstellt werden:\rWindows nennt keinen "
            "Grund.\r\rOhne Wiederherstellungspunkt fortfahren?");
  EXPECT_EQ(label, "Wiederherstellungspunkt wird erstellt…");
  EXPECT_EQ(messages.asked[2].text, kDoneBackedUp);
  ExpectRunOver();
  bool wanted;
  AskBeforeChange("", kMbOk, wanted);
}

}  // namespace
}  // namespace tw::ui::test
