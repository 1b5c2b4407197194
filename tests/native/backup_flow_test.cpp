// Apply runs that keep a backup, and its undo: back to the user's own previous values, one run
// at a time; a backup that cannot be saved asks first; a backup from elsewhere or one that
// names anything outside the catalogue is refused without writing.

#include "flows/backup_flow.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "flow_window.h"
#include "flows/export_selection.h"
#include "flows/restore_point.h"
#include "machine_snapshot.h"
#include "registry/codepage.h"
#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

const RunTime kFirst = {2026, 12, 8, 7, 5, 9};
const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const RunTime kSecond = {2026, 12, 8, 7, 6, 0};
const char kUndoHint[] =
    "Vorgang erfolgreich abgeschlossen!\rDie bisherigen Werte wurden gesichert. Im Systemmenü "
    "(Alt+Leertaste) stellt „Letzte Übernahme rückgängig machen“ sie wieder her.";

class BackupFlow : public FlowWindow {
 protected:
  void SetUp() override {
    FlowWindow::SetUp();
    // A context-menu entry with a subkey named outside cp1252, for a run to remove.
    RegKey verb(Machine());
    ASSERT_EQ(verb.Create(HKCR, std::u16string(u"Directory\\shell\\Command Prompt Here\\\u03a9"),
                          kKeyAllAccess),
              kErrorSuccess);
    MemoryMachine()->PutString(HKCR, "Directory\\shell\\Command Prompt Here\\command", "",
                               "cmd.exe /k cd %1");
    Load();
  }
  void Load() {
    ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::XP)));
    loaded = RememberLoaded(surface, Layout::XP);
  }
  StoreBackups Backups(const RunTime& time, const std::string& computer = "PC-1",
                       std::optional<RunTime> utc = std::nullopt) {
    return StoreBackups(store, [time, computer, utc] {
      BackupHeader h;
      h.time = time;
      h.utc = utc;
      h.computer = computer;
      h.windows = "Microsoft Windows XP Professional Service Pack 3 (Build 2600)";
      return h;
    });
  }
  void Undo(std::deque<MsgResult> answers, const std::string& computer = "PC-1") {
    FlowWindow::Undo(std::move(answers), computer);
  }
  // Boxes of several kinds: a value, a slider over unreadable text, the colours, the folder,
  // a context-menu entry removed with its subtree and one created.
  void ChangeSeveral(int delay) {
    surface.SetChecked("cboxShowFileext", !surface.Checked("cboxShowFileext"));
    surface.SetPosition("trackStartmenuDelay", delay);
    surface.SetItemIndex("combxTextColor", 10);
    surface.SetItemIndex("combxBackgroundColor", 1);
    surface.SetText("labProgramDir", "D:\\Programme");
    surface.SetChecked("cboxOpenConsole", false);
    surface.SetChecked("cboxRegEdit", true);
  }
};

TEST_F(BackupFlow, UndoGivesBackTheUsersOwnValuesByteForByte) {
  HostileValues hostile(Machine());
  Load();
  const Snapshot before = CatalogueSnapshot(Machine());
  StoreBackups backups = Backups(kFirst);
  ChangeSeveral(100);
  Apply(backups, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  ASSERT_EQ(messages.asked.size(), 3u);
  EXPECT_EQ(messages.asked[1].text, kUndoHint);
  EXPECT_EQ(store.Names(), std::vector<std::string>{"2026-12-08_07-05-09.reg"});
  EXPECT_FALSE(Differences(before, CatalogueSnapshot(Machine())).empty());
  ASSERT_TRUE(CanUndo(store, "PC-1"));

  // The header keeps each setting's line before and after the run.
  const std::vector<std::u16string> comments =
      ParseRegFile(store.files["2026-12-08_07-05-09.reg"]).comments;
  const std::vector<std::u16string> lines(comments.end() - 12, comments.end());
  EXPECT_EQ(lines,
            (std::vector<std::u16string>{
                u"Vorher: cboxShowFileext: aus", u"Nachher: cboxShowFileext: ein",
                u"Vorher: labStartmenuDelayCaption: 400 ms",
                u"Nachher: labStartmenuDelayCaption: 100 ms", u"Vorher: cboxRegEdit: aus",
                u"Nachher: cboxRegEdit: ein", u"Vorher: cboxOpenConsole: ein",
                u"Nachher: cboxOpenConsole: aus", u"Vorher: combxTextColor: Text 7, Hintergrund 0",
                u"Nachher: combxTextColor: Text A, Hintergrund 1", u"Vorher: Label1: C:\\Programme",
                u"Nachher: Label1: D:\\Programme"}));

  messages.asked.clear();
  progress = {};
  Undo({MsgResult::Yes, MsgResult::Ok});
  EXPECT_TRUE(Differences(before, CatalogueSnapshot(Machine())).empty());
  ASSERT_EQ(messages.asked.size(), 2u);
  // The question names the values the settings get back.
  EXPECT_EQ(messages.asked[0].text,
            "Die Übernahme vom 08.12.2026 um 07:05:09 Uhr hat folgende Einstellungen geändert. "
            "Sie erhalten ihre bisherigen Werte zurück:\rcboxShowFileext: aus\r"
            "labStartmenuDelayCaption: 400 ms\rcboxRegEdit: aus\rcboxOpenConsole: ein\r"
            "combxTextColor: Text 7, Hintergrund 0\rLabel1: C:\\Programme\r\r"
            "Möchten Sie die Übernahme rückgängig machen?");
  EXPECT_EQ(messages.asked[1].text, "Vorgang erfolgreich abgeschlossen!");
  // One step per setting of the backup.
  EXPECT_EQ(progress.maximum, 6);
  EXPECT_EQ(progress.steps, 6);
  EXPECT_EQ(progress.label, "Einstellung 6/6");
  EXPECT_EQ(store.Names(),
            std::vector<std::string>{"2026-12-08_07-05-09 (rückgängig gemacht).reg"});
  EXPECT_FALSE(CanUndo(store, "PC-1"));
  EXPECT_FALSE(surface.Checked("cboxRegEdit"));  // the controls show the machine again
}

TEST_F(BackupFlow, TwoRunsUndoneTwiceAreBackAtTheStart) {
  const Snapshot start = CatalogueSnapshot(Machine());
  StoreBackups first = Backups(kFirst);
  ChangeSeveral(100);
  Apply(first, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  const Snapshot afterFirst = CatalogueSnapshot(Machine());
  StoreBackups second = Backups(kSecond);
  surface.SetPosition("trackStartmenuDelay", 250);
  surface.SetChecked("cboxOpenConsole", true);
  surface.SetChecked("cboxBalloonTips", !surface.Checked("cboxBalloonTips"));
  Apply(second, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  ASSERT_EQ(store.Names().size(), 2u);

  Undo({MsgResult::Yes, MsgResult::Ok});
  EXPECT_TRUE(Differences(afterFirst, CatalogueSnapshot(Machine())).empty());
  Undo({MsgResult::Yes, MsgResult::Ok});
  EXPECT_TRUE(Differences(start, CatalogueSnapshot(Machine())).empty());
  EXPECT_FALSE(CanUndo(store, "PC-1"));
}

// A failed rewrite or mark is said; undo neither names nor writes what the run could not change,
// and once all is in place only marks. A key the run made that a policy wrote to since stays.
TEST_F(BackupFlow, UndoFinishesWhatItCanAndReportsWhatFailed) {
  const std::string name = "2026-12-08_07-05-09.reg", done = "Vorgang erfolgreich abgeschlossen!";
  const std::string update = "SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate";
  struct Case {
    const char* what;
    bool replaceFails, renameFails, policyWrote;
    std::string applyReport, undoReport;
  };
  const Case cases[] = {
      {"the rewrite fails for a standard user", true, false, false,
       // HKCR is the machine's classes: a standard user cannot write there either.
       "Folgende Einstellungen wurden nicht übernommen:\rcboxRegEdit\rcboxOpenConsole\rLabel1\r\r"
       "Systemweite Einstellungen "
       "erfordern Administratorrechte.\rDie Sicherung behält alle Werte von vor dem Übernehmen; "
       "„Letzte Übernahme rückgängig machen“ stellt sie wieder her.",
       done},
      {"the mark fails", false, true, false, kUndoHint,
       "Die Werte sind wiederhergestellt, aber die Sicherung „" + name +
           "“ konnte nicht als wiederhergestellt markiert werden."},
      {"a policy wrote to the key the run made", false, false, true, kUndoHint,
       done + "\r„HKEY_LOCAL_MACHINE\\" + update +
           "“ enthält inzwischen weitere Einträge und bleibt erhalten."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    store.files.clear();
    store.replaceFails = c.replaceFails;
    store.renameFails = c.renameFails;
    MemoryMachine()->PutKey(HKLM, "SOFTWARE\\Policies\\Microsoft\\Windows");
    MemoryMachine()->PutString(HKLM, kCurrentVersion, "ProgramFilesDir", "C:\\Programme");
    if (c.replaceFails) MemoryMachine()->DenyWrite(HKLM, "");
    const Snapshot before = CatalogueSnapshot(Machine());
    StoreBackups backups = Backups(kFirst);
    c.policyWrote ? surface.SetChecked("cboxDisableAutoUpdate", true) : ChangeSeveral(100);
    messages.asked.clear();
    Apply(backups, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
    EXPECT_EQ(messages.asked.at(1).text, c.applyReport);
    if (c.policyWrote) MemoryMachine()->PutString(HKLM, update, "WUServer", "http://wsus");
    messages.asked.clear();
    Undo({MsgResult::Yes, MsgResult::Ok});
    if (c.replaceFails) {
      EXPECT_EQ(messages.asked.at(0).text.find("Label1"), std::string::npos);
    }
    EXPECT_EQ(messages.asked.at(1).text, c.undoReport);
    EXPECT_TRUE(Differences(before, CatalogueSnapshot(Machine())).empty());
    EXPECT_EQ(c.policyWrote, MemoryMachine()->HasKey(HKLM, update));
    if (c.renameFails) {  // the values are in place: no question, nothing written, only the mark
      store.renameFails = false;
      Undo({MsgResult::Ok});
      EXPECT_EQ(messages.asked.at(2).text, "Die Werte der Sicherung „" + name +
                                               "“ sind bereits wiederhergestellt. Sie ist jetzt "
                                               "als wiederhergestellt markiert.");
    }
    EXPECT_EQ(store.Names(), std::vector<std::string>{RestoredName(name)});
  }
}

// The autumn clock change: 02:30 summer time (00:30 UTC), then 02:10 winter time (01:10 UTC).
TEST_F(BackupFlow, AcrossTheClockChangeTheLaterRunIsUndoneFirst) {
  const Snapshot start = CatalogueSnapshot(Machine());
  StoreBackups first = Backups({2026, 10, 25, 2, 30, 0}, "PC-1", RunTime{2026, 10, 25, 0, 30, 0});
  ChangeSeveral(100);
  Apply(first, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  const Snapshot afterFirst = CatalogueSnapshot(Machine());
  StoreBackups second = Backups({2026, 10, 25, 2, 10, 0}, "PC-1", RunTime{2026, 10, 25, 1, 10, 0});
  surface.SetPosition("trackStartmenuDelay", 250);
  surface.SetChecked("cboxBalloonTips", !surface.Checked("cboxBalloonTips"));
  Apply(second, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  ASSERT_EQ(store.Names(),
            (std::vector<std::string>{"2026-10-25_02-10-00.reg", "2026-10-25_02-30-00.reg"}));
  const RegFile written = ParseRegFile(*store.Read("2026-10-25_02-10-00.reg"));
  EXPECT_NE(
      std::find(written.comments.begin(), written.comments.end(), u"UTC: 2026-10-25T01:10:00Z"),
      written.comments.end());

  messages.asked.clear();
  Undo({MsgResult::Yes, MsgResult::Ok});
  ASSERT_FALSE(messages.asked.empty());
  EXPECT_EQ(messages.asked[0].text.rfind("Die Übernahme vom 25.10.2026 um 02:10:00 Uhr hat", 0), 0u)
      << messages.asked[0].text;
  EXPECT_TRUE(Differences(afterFirst, CatalogueSnapshot(Machine())).empty());
  Undo({MsgResult::Yes, MsgResult::Ok});
  EXPECT_TRUE(Differences(start, CatalogueSnapshot(Machine())).empty());
  EXPECT_FALSE(CanUndo(store, "PC-1"));
}

TEST_F(BackupFlow, WithoutABackupTheUserDecidesAndNoIsTheDefault) {
  store.unwritable = true;
  const Snapshot before = CatalogueSnapshot(Machine());
  StoreBackups backups = Backups(kFirst);
  ChangeSeveral(100);
  Apply(backups, {MsgResult::Yes, MsgResult::No});
  ASSERT_EQ(messages.asked.size(), 2u);
  EXPECT_EQ(messages.asked[1],
            (AskedMessage{"Die bisherigen Werte konnten nicht gesichert werden:\rZugriff "
                          "verweigert\r\rMöchten Sie die Einstellungen ohne Sicherung übernehmen?",
                          MsgType::Confirmation, kMbYes | kMbNo | kMbDefaultNo}));
  EXPECT_EQ(progress.created, 0);
  EXPECT_TRUE(Differences(before, CatalogueSnapshot(Machine())).empty());

  messages.asked.clear();
  Apply(backups, {MsgResult::Yes, MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  EXPECT_FALSE(Differences(before, CatalogueSnapshot(Machine())).empty());
  EXPECT_EQ(messages.asked.at(2).text, "Vorgang erfolgreich abgeschlossen!");
}

TEST_F(BackupFlow, AForeignOrEditedBackupIsRefusedAndNothingIsWritten) {
  // Keys where a setter writes one value among those of Windows and other programs.
  const std::string usb = "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies";
  MemoryMachine()->PutDword(HKLM, usb, "Fremd", 1);
  MemoryMachine()->PutDword(HKCU, "Console", "FontSize", 0x100000);
  MemoryMachine()->PutDword(HKCU,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                            "TaskbarSizeMove", 0);
  MemoryMachine()->PutKey(HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{Add-on}");
  StoreBackups backups = Backups(kFirst, "ANDERER-PC");
  ChangeSeveral(100);
  Apply(backups, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  const Snapshot after = CatalogueSnapshot(Machine());
  messages.asked.clear();
  Undo({});
  ASSERT_EQ(messages.asked.size(), 1u);  // another computer's backup is passed over
  EXPECT_EQ(messages.asked[0].text, "Es gibt keine Übernahme, die rückgängig gemacht werden kann.");

  // The same computer, with one line added: a value under the Run key beside ProgramFilesDir,
  // or the removal of a key that holds far more than the catalogue's value.
  const std::string name = "2026-12-08_07-05-09.reg";
  RegFile file = ParseRegFile(*store.Read(name));
  for (std::u16string& c : file.comments) {
    if (c == u"Computer: ANDERER-PC") c = u"Computer: PC-1";
  }
  const RegFileKey added[] = {
      {HKLM,
       u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
       false,
       {{u"Trojaner", false, kRegSz, Wide(std::u16string(u"x.exe", 6))}}},
      {HKCU, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", true, {}},
      {HKCU, u"Console", true, {}},
      {HKLM, AnsiToWide(usb), true, {}},  // only tested, never removed by a setter
      {HKLM, u"SOFTWARE\\Microsoft\\Internet Explorer\\Extensions", true, {}},  // a button's
  };
  const Snapshot untouched = CatalogueSnapshot(Machine());
  for (const RegFileKey& line : added) {
    SCOPED_TRACE(WideToAnsi(line.path));
    RegFile edited = file;
    edited.keys.push_back(line);
    store.files[name] = FormatRegFile(edited);
    const std::size_t at = ParseRegFile(store.files[name]).keys.back().line;
    messages.asked.clear();
    Undo({});
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_NE(messages.asked[0].text.find("in Zeile " + std::to_string(at) + " einen Eintrag"),
              std::string::npos)
        << messages.asked[0].text;
    EXPECT_TRUE(Differences(untouched, CatalogueSnapshot(Machine())).empty());
    EXPECT_FALSE(
        MemoryMachine()->HasKey(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"));
    EXPECT_TRUE(MemoryMachine()->HasKey(HKLM, usb));
    EXPECT_TRUE(MemoryMachine()->HasKey(HKCU, "Console"));
    EXPECT_TRUE(MemoryMachine()->HasKey(
        HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\{Add-on}"));
    EXPECT_EQ(store.Names(), std::vector<std::string>{name});
  }
}

TEST_F(BackupFlow, NothingChangedByTheRunLeavesNoBackup) {
  MemoryMachine()->DenyWrite(HKLM, "");
  StoreBackups backups = Backups(kFirst);
  surface.SetText("labProgramDir", "D:\\Programme");
  Apply(backups, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  EXPECT_TRUE(store.Names().empty());
  EXPECT_EQ(messages.asked.at(1).type, MsgType::Error);  // the report names the folder
}

// A key nobody may open below the entry the run made: that entry stays, the report names it,
// and the backup stays the newest; once the key opens again a second undo finishes the work.
TEST_F(BackupFlow, APartialUndoStaysTheNewestAndASecondOneFinishesIt) {
  const Snapshot before = CatalogueSnapshot(Machine());
  StoreBackups backups = Backups(kFirst);
  ChangeSeveral(100);
  Apply(backups, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  const std::string locked =
      "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit\\Gesperrt";
  MemoryMachine()->PutKey(HKCR, locked);
  MemoryMachine()->DenyAll(HKCR, locked);
  messages.asked.clear();
  Undo({MsgResult::Yes, MsgResult::Ok});
  ASSERT_EQ(messages.asked.size(), 2u);
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  // The entry and the key the run made for it belong to one setting.
  EXPECT_EQ(messages.asked[1].text,
            "Folgende Einstellungen wurden nicht wiederhergestellt:\rcboxRegEdit\r\r"
            "Systemweite Einstellungen erfordern Administratorrechte.");
  EXPECT_EQ(store.Names(), std::vector<std::string>{"2026-12-08_07-05-09.reg"});
  EXPECT_TRUE(CanUndo(store, "PC-1"));

  MemoryMachine()->Allow(HKCR, locked);
  messages.asked.clear();
  Undo({MsgResult::Yes, MsgResult::Ok});
  ASSERT_EQ(messages.asked.size(), 2u);
  EXPECT_EQ(messages.asked[1].text, "Vorgang erfolgreich abgeschlossen!");
  EXPECT_TRUE(Differences(before, CatalogueSnapshot(Machine())).empty());
  EXPECT_FALSE(CanUndo(store, "PC-1"));
}

// The newest backup cannot be used: one of another computer is passed over without a word; one
// that cannot be read, or that names a foreign place, is refused by its name with the advice to
// move it aside, and nothing else is touched. Once it is gone, the older backup comes back.
TEST_F(BackupFlow, AnUnusableNewestBackupDoesNotHideTheOlderOnes) {
  const std::string older = "2026-12-08_07-05-09.reg", newer = "2026-12-08_07-06-00.reg";
  struct Case {
    const char* what;
    std::function<void(Bytes&)> spoil;
    std::string refusal;  // "" when undo goes on to the older backup
  };
  const Case cases[] = {
      {"another computer's",
       [](Bytes& b) {
         RegFile f = ParseRegFile(b);
         for (std::u16string& c : f.comments) {
           if (c == u"Computer: PC-1") c = u"Computer: ANDERER-PC";
         }
         b = FormatRegFile(f);
       },
       ""},
      {"unreadable", [](Bytes& b) { b = {'k', 'a', 'p', 'u', 't', 't'}; },
       "Die Registrierungsdatei ist ungültig. Zeile"},
      {"with a foreign line",
       [](Bytes& b) {
         RegFile f = ParseRegFile(b);
         f.keys.push_back({HKLM,
                           u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                           false,
                           {{u"Trojaner", false, kRegSz, {'x', 0, 0, 0}}}});
         b = FormatRegFile(f);
       },
       "einen Eintrag, den keine Einstellung dieses Programms schreibt."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    store.files.clear();
    // Explorer's key holds more than the catalogue's values: undo takes back values, not keys.
    MemoryMachine()->PutDword(HKCU,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                              "TaskbarSizeMove", 0);
    const Snapshot start = CatalogueSnapshot(Machine());
    StoreBackups first = Backups(kFirst), second = Backups(kSecond);
    ChangeSeveral(100);
    Apply(first, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
    const Snapshot afterFirst = CatalogueSnapshot(Machine());
    surface.SetChecked("cboxBalloonTips", !surface.Checked("cboxBalloonTips"));
    Apply(second, {MsgResult::Yes, MsgResult::Ok, MsgResult::No});
    c.spoil(store.files[newer]);
    const Snapshot afterBoth = CatalogueSnapshot(Machine());
    const bool edited = !surface.Checked("cboxShowFileext");
    surface.SetChecked("cboxShowFileext", edited);  // not applied
    EXPECT_TRUE(CanUndo(store, "PC-1"));

    messages.asked.clear();
    if (!c.refusal.empty()) {
      Undo({MsgResult::Ok});
      ASSERT_EQ(messages.asked.size(), 1u);
      const std::string& text = messages.asked[0].text;
      EXPECT_EQ(
          text.rfind("Die Sicherung „" + newer + "“ kann nicht wiederhergestellt werden:\r", 0), 0u)
          << text;
      EXPECT_NE(text.find(c.refusal), std::string::npos) << text;
      EXPECT_NE(text.find("\rVerschieben oder löschen Sie die Datei"), std::string::npos) << text;
      EXPECT_TRUE(Differences(afterBoth, CatalogueSnapshot(Machine())).empty());
      EXPECT_EQ(store.files.size(), 2u);
      EXPECT_EQ(surface.Checked("cboxShowFileext"), edited) << "an unapplied edit is kept";
      store.files.erase(newer);
      messages.asked.clear();
    }
    Undo({MsgResult::Yes, MsgResult::Ok});
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[0].text.rfind("Die Übernahme vom 08.12.2026 um 07:05:09 Uhr", 0), 0u)
        << messages.asked[0].text;
    // Only the second run's changes are left.
    EXPECT_EQ(Differences(start, CatalogueSnapshot(Machine())), Differences(afterFirst, afterBoth));
    EXPECT_FALSE(CanUndo(store, "PC-1"));
  }
}

const char kBox[] = "Vorher einen Wiederherstellungspunkt erstellen";
const std::string kBegin = "begin Trimmwerk: Übernahme vom 08.12.2026 07:05|";

// A restore point: made first, ended or withdrawn on every way out, a failure asked about.
TEST_F(BackupFlow, RestorePointOutcomesCallInOrderAndSay) {
  enum Fault { kNone, kRefused, kError, kNoBackup };
  // failure: a failed begin's status; said: its cause, or the second box's end; wrote: a backup.
  // clang-format off
  struct Row { bool offered; std::optional<std::uint32_t> failure; Fault fault; std::deque<MsgResult> answers;
               std::string calls; std::string said; bool wrote; };
  const std::vector<Row> rows = {
      {true, {}, kNone, {MsgResult::Yes, MsgResult::Ok, MsgResult::No}, kBegin + "end 7|", "„Trimmwerk: Übernahme vom 08.12.2026 07:05“ wurde erstellt (Nummer 7).", true},
      {true, 1058, kNone, {MsgResult::Yes, MsgResult::Yes}, kBegin, "Die Systemwiederherstellung ist ausgeschaltet.", true},
      {true, 5, kNone, {MsgResult::Yes, MsgResult::Yes}, kBegin, "Dazu sind Administratorrechte nötig.", true},
      {false, {}, kNone, {MsgResult::Yes}, "", "sie wieder her.", true},
      {true, {}, kRefused, {MsgResult::Yes}, kBegin + "cancel 7|", "übernommen:\rcboxShowFileext", false},
      {true, {}, kError, {MsgResult::Yes}, kBegin + "cancel 7|", "", true},
      {true, {}, kNoBackup, {MsgResult::Yes, MsgResult::No}, kBegin + "cancel 7|", "ohne Sicherung übernehmen?", false},
      {true, 0, kNone, {MsgResult::Yes, MsgResult::No}, kBegin, "Windows nennt keinen Grund.", false},
  };
  // clang-format on
  messages.checks = {true};  // once: the later rows find the last choice kept
  for (const Row& r : rows) {
    SCOPED_TRACE(&r - rows.data());
    ResetMachine();
    store = {};
    progress = {};
    store.unwritable = r.fault == kNoBackup;
    Load();
    surface.SetChecked("cboxShowFileext", !surface.Checked("cboxShowFileext"));
    if (r.fault == kRefused) MemoryMachine()->DenyWrite(HKCU, "");
    if (r.fault == kError) progress.onAllowClose = [] { throw std::runtime_error("Absturz"); };
    system.restorePoints = r.offered;
    system.pointCalls = "";
    system.beginFailure = r.failure;
    bool early = false;  // before the backup and the first write
    system.onPointCall = [&] { early |= store.Names().empty() && Untouched(*MemoryMachine()); };
    messages.asked.clear();
    StoreBackups backups(store, [] { return BackupHeader{}; });
    if (r.fault == kError) {
      EXPECT_THROW(Apply(backups, r.answers), std::runtime_error);
    } else {
      Apply(backups, r.answers);
    }
    EXPECT_EQ(system.pointCalls, r.calls);
    EXPECT_EQ(early, r.offered);
    EXPECT_EQ(progress.stepTexts.size(), r.offered ? 1u : 0u);
    EXPECT_EQ(messages.asked.at(0).checkBox, r.offered ? kBox : "");
    if (r.failure) {  // the question, "&Nein" the default
      EXPECT_EQ(messages.asked[1],
                (AskedMessage{"Der Wiederherstellungspunkt konnte nicht erstellt werden:\r" +
                                  r.said + "\r\rOhne Wiederherstellungspunkt fortfahren?",
                              MsgType::Confirmation, kMbYes | kMbNo | kMbDefaultNo}));
    } else {
      const std::string second = messages.asked.size() > 1 ? messages.asked[1].text : "";
      EXPECT_EQ(second.substr(second.size() - std::min(second.size(), r.said.size())), r.said);
    }
    EXPECT_EQ(Untouched(*MemoryMachine()), !r.wrote);
    EXPECT_EQ(store.Names().empty(), !r.wrote);
  }
  EXPECT_EQ(RestorePointDescription(std::string(80, 'x')), "Trimmwerk: " + std::string(52, 'x'));
}

}  // namespace
}  // namespace tw::test
