// Backups in the real window against the prefix's registry: the system menu's entries, apply
// then undo back to every byte, the backup file read by Wine's own regedit with the same
// result, and an exported selection imported with regedit into a machine put back to the start.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <deque>

#include "flows/backup_flow.h"
#include "machine_snapshot.h"
#include "registry/codepage.h"
#include "registry/reg_file.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "ui/backup_menu.h"
#include "ui/unitmain.h"
#include "ui_support.h"
#include "window_doubles.h"

namespace tw::ui::test {
namespace {

using tw::test::CatalogueSnapshot;
using tw::test::Differences;
using tw::test::HostileValues;
using tw::test::Snapshot;

const char kCommandHere[] = "Directory\\shell\\Command Prompt Here";

// The menu entry's text and whether it is greyed.
std::pair<std::string, bool> Entry(HWND window, UINT id) {
  HMENU menu = GetSystemMenu(window, FALSE);
  char text[128] = {};
  GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
  return {text, (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0};
}

// Wine's regedit of the view the program writes: the 64-bit one in a 64-bit prefix, also for
// the 32-bit exe (it writes the 64-bit view), so the redirection of C:\windows\regedit.exe to
// the 32-bit copy is switched off around the start.
void RegeditImport(const std::wstring& file) {
  wchar_t windows[MAX_PATH];
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(windows) + L"\\regedit.exe\" /s \"" + file + L"\"";
  using Redirect = BOOL(WINAPI*)(PVOID*);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto disable = reinterpret_cast<Redirect>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
  auto revert = reinterpret_cast<Redirect>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
  PVOID old = nullptr;
  const bool disabled = disable && revert && disable(&old);
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  const BOOL started =
      CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi);
  if (disabled) revert(&old);
  ASSERT_TRUE(started);
  WaitForSingleObject(pi.hProcess, 30000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

class Backups : public LiveWindow {
 protected:
  void SetUp() override {
    LiveWindow::SetUp();
    for (const std::string& name : Store().Names()) Store().Remove(name);
    // A context-menu entry with a subkey named outside cp1252, for the run to remove.
    CreateKeyWith(HKCR, kCommandHere, {"command"});
    RegKey omega(Machine());
    ASSERT_EQ(omega.Create(HKCR, AnsiToWide(kCommandHere) + u"\\\u03a9", kKeyAllAccess),
              kErrorSuccess);
    SetString(HKCR, std::string(kCommandHere) + "\\command", "", "cmd.exe /k cd %1");
    DeleteKeyTree(HKCR, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit");
  }
  void TearDown() override {
    DeleteKeyTree(HKCR, kCommandHere);
    DeleteKeyTree(HKCR, "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit");
    LiveWindow::TearDown();
  }
  BackupStore& Store() { return form->backupMenu().store(); }
  std::wstring Folder() { return static_cast<Win32BackupStore&>(Store()).folder(); }

  // Boxes of several kinds: a value, the delay slider, the colours, a context-menu entry that
  // the run removes and one that it creates.
  void ChangeSeveral() {
    const char* shown = xp ? "cboxShowFileext" : "cb20060517";
    c().SetChecked(shown, !c().Checked(shown));
    c().SetPosition(xp ? "trackStartmenuDelay" : "tb20060528", 120);
    c().SetItemIndex(xp ? "combxTextColor" : "combx20060817a", 10);
    c().SetItemIndex(xp ? "combxBackgroundColor" : "combx20060817b", 1);
    c().SetChecked(xp ? "cboxOpenConsole" : "cb20060813", false);
    c().SetChecked(xp ? "cboxRegEdit" : "cb20060804", true);
  }
  // The export or import from the system menu, its file dialog answered with file.
  void ChooseFile(UINT command, const std::wstring& file, std::deque<MsgResult> answers) {
    bool answered = false;
    After(500, [&] {
      HWND dlg = GetActiveWindow();
      answered = SetDlgItemTextW(dlg, 0x47c, file.c_str()) != 0;  // cmb13, the file name
      PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    });
    messages.answers = std::move(answers);
    SendMessageA(form->handle(), WM_SYSCOMMAND, command, 0);
    ASSERT_TRUE(answered);
  }
  void ExportTo(const std::wstring& file, std::deque<MsgResult> answers) {
    ChooseFile(kCmdExport, file, std::move(answers));
  }
  void ImportFrom(const std::wstring& file, std::deque<MsgResult> answers) {
    ChooseFile(kCmdImport, file, std::move(answers));
  }
  void ApplyNow() {
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    Click("butApply");
  }
  void UndoNow() {
    messages.answers = {MsgResult::Yes, MsgResult::Ok};
    SendMessageA(form->handle(), WM_SYSCOMMAND, kCmdUndo, 0);
  }
};

TEST_F(Backups, TheSystemMenuOffersUndoOnlyWithABackupLeft) {
  SendMessageA(form->handle(), WM_INITMENUPOPUP,
               reinterpret_cast<WPARAM>(GetSystemMenu(form->handle(), FALSE)), MAKELPARAM(0, 1));
  EXPECT_EQ(Entry(form->handle(), kCmdUndo),
            std::make_pair(std::string("&Letzte Übernahme rückgängig machen..."), true));
  EXPECT_EQ(Entry(form->handle(), kCmdExport),
            std::make_pair(std::string("Auswahl als .reg-Datei &exportieren..."), false));
  ChangeSeveral();
  ApplyNow();
  SendMessageA(form->handle(), WM_INITMENUPOPUP,
               reinterpret_cast<WPARAM>(GetSystemMenu(form->handle(), FALSE)), MAKELPARAM(0, 1));
  EXPECT_FALSE(Entry(form->handle(), kCmdUndo).second);
  EXPECT_TRUE(errors.empty());
}

TEST_F(Backups, UndoAndRegeditGiveBackEveryByteOfTheMachine) {
  HostileValues hostile(Machine());
  form->LoadCurrentSettings();
  const Snapshot before = CatalogueSnapshot(Machine());

  ChangeSeveral();
  ApplyNow();
  ASSERT_EQ(Store().Names().size(), 1u);
  const std::string first = Store().Names()[0];
  EXPECT_FALSE(Differences(before, CatalogueSnapshot(Machine())).empty());
  UndoNow();
  EXPECT_EQ(Differences(before, CatalogueSnapshot(Machine())), std::vector<std::string>{});
  ASSERT_EQ(messages.asked.size(), 5u);
  EXPECT_EQ(messages.asked[3].text.rfind("Die Übernahme vom ", 0), 0u) << messages.asked[3].text;
  EXPECT_EQ(messages.asked[4].text, "Vorgang erfolgreich abgeschlossen!");
  EXPECT_EQ(Store().Names(), std::vector<std::string>{RestoredName(first)});

  // The same run again; this time Wine's regedit reads the backup.
  ChangeSeveral();
  ApplyNow();
  const std::string second = NewestUnrestored(Store().Names());
  ASSERT_FALSE(second.empty());
  RegeditImport(Folder() + L"\\" + std::wstring(second.begin(), second.end()));
  EXPECT_EQ(Differences(before, CatalogueSnapshot(Machine())), std::vector<std::string>{});
  EXPECT_TRUE(errors.empty());
}

TEST_F(Backups, AnExportedSelectionImportedWithRegeditShowsThoseBoxesOn) {
  const Snapshot before = CatalogueSnapshot(Machine());
  Click("sbutXPStandard");
  const std::vector<std::string> chosen =
      xp ? std::vector<std::string>{"cboxShowFileext", "cboxOpenConsole", "cbDenyUSBWriteAccess"}
         : std::vector<std::string>{"cb20060517", "cb20060813", "cb20070412"};
  for (const std::string& box : chosen) c().SetChecked(box, true);
  c().SetPosition(xp ? "trackStartmenuDelay" : "tb20060528", 120);

  ExportTo(Folder() + L"\\..\\Auswahl-Test.reg", {MsgResult::Ok});
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text.rfind("Die Auswahl wurde gespeichert:\r", 0), 0u)
      << messages.asked[0].text;
  EXPECT_EQ(Differences(before, CatalogueSnapshot(Machine())), std::vector<std::string>{})
      << "exporting wrote to the machine";

  const std::wstring stem = Folder() + L"\\..\\Auswahl-Test";
  // What the import will change, to put the machine back afterwards.
  std::vector<RegFileKey> undo = PlanBackup(*RegistryBackend(), [&] {
    for (const wchar_t* part : {L"-Computer.reg", L"-Benutzer.reg"}) {
      Win32BackupStore parent(Folder() + L"\\..");
      const std::string name = WideToAnsi(std::u16string(u"Auswahl-Test") +
                                          (part[1] == L'C' ? u"-Computer.reg" : u"-Benutzer.reg"));
      const std::optional<Bytes> bytes = parent.Read(name);
      ASSERT_TRUE(bytes) << name;
      RestoreEntries(ParseRegFile(*bytes).keys, *RegistryBackend());
    }
  });
  for (const wchar_t* part : {L"-Computer.reg", L"-Benutzer.reg"}) RegeditImport(stem + part);
  Click("sbutCurrentSettings");
  for (const std::string& box : chosen) EXPECT_TRUE(c().Checked(box)) << box;
  EXPECT_EQ(c().Position(xp ? "trackStartmenuDelay" : "tb20060528"), 120);
  for (const wchar_t* part : {L"-Computer.reg", L"-Benutzer.reg"})
    DeleteFileW((stem + part).c_str());
  EXPECT_TRUE(RestoreEntries(undo, Machine()).empty());
  EXPECT_EQ(Differences(before, CatalogueSnapshot(Machine())), std::vector<std::string>{});
  EXPECT_TRUE(errors.empty());
}

// An edited backup that removes a key which no setter removes whole is refused whole: the
// report names the line, and nothing of the file is written.
TEST_F(Backups, AnEditedBackupThatRemovesMoreThanARunChangedIsRefusedWhole) {
  const std::string advanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  const std::string usb = "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies";
  const std::string addOns = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
  SetDword(HKCU, advanced, "TaskbarSizeMove", 0);
  SetDword(HKCU, "Console", "FontSize", 0x100000);
  SetDword(HKLM, usb, "Fremd", 1);
  CreateKeyWith(HKLM, addOns, {"{Add-on}"});
  ChangeSeveral();
  ApplyNow();
  const std::string name = NewestUnrestored(Store().Names());
  ASSERT_FALSE(name.empty());
  const RegFile file = ParseRegFile(*Store().Read(name));
  const Snapshot after = CatalogueSnapshot(Machine());
  // A shared key, a key only tested, a one-shot button's key.
  for (const auto& [root, path] :
       {std::pair{HKCU, advanced}, std::pair{HKCU, std::string("Console")}, std::pair{HKLM, usb},
        std::pair{HKLM, addOns}}) {
    SCOPED_TRACE(path);
    RegFile edited = file;
    edited.keys.push_back({root, AnsiToWide(path), true, {}});
    ASSERT_TRUE(Store().Replace(name, FormatRegFile(edited)));
    const std::size_t line = ParseRegFile(*Store().Read(name)).keys.back().line;
    messages.asked.clear();
    messages.answers = {MsgResult::Ok};
    SendMessageA(form->handle(), WM_SYSCOMMAND, kCmdUndo, 0);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_NE(messages.asked[0].text.find("in Zeile " + std::to_string(line) + " einen Eintrag"),
              std::string::npos)
        << messages.asked[0].text;
    EXPECT_EQ(Differences(after, CatalogueSnapshot(Machine())), std::vector<std::string>{});
    RegKey kept(Machine());
    EXPECT_EQ(kept.Open(root, path, kKeyRead), kErrorSuccess);
  }
  RegKey addOn(Machine());
  EXPECT_EQ(addOn.Open(HKLM, addOns + "\\{Add-on}", kKeyRead), kErrorSuccess);
  DeleteKeyTree(HKLM, addOns + "\\{Add-on}");
  DeleteValue(HKLM, usb, "Fremd");
  DeleteValue(HKCU, "Console", "FontSize");
  DeleteValue(HKCU, advanced, "TaskbarSizeMove");
  EXPECT_TRUE(errors.empty());
}

// Two boxes changed and applied: the undo question names the values they had before. The run
// made a context-menu entry; a key below it that nobody may open keeps undo from removing any
// of it, and the report names the setting, not a registry path.
TEST_F(Backups, UndoNamesThePreviousValuesAndTheSettingItCouldNotRestore) {
  const std::string verb = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit";
  const char* shown = xp ? "cboxShowFileext" : "cb20060517";
  const bool wasShown = c().Checked(shown);
  c().SetChecked(shown, !wasShown);
  c().SetChecked(xp ? "cboxRegEdit" : "cb20060804", true);
  ApplyNow();
  CreateKeyWith(HKCR, verb, {"Gesperrt"});
  {
    DenyAllKey locked((verb + "\\Gesperrt").c_str(), HKEY_CLASSES_ROOT);
    ASSERT_TRUE(locked.locked());
    messages.asked.clear();
    UndoNow();
  }
  ASSERT_EQ(messages.asked.size(), 2u);
  const std::string& question = messages.asked[0].text;
  EXPECT_NE(question.find(" hat folgende Einstellungen geändert. Sie erhalten ihre bisherigen "
                          "Werte zurück:\rDateiendungen einblenden: " +
                          std::string(wasShown ? "ein" : "aus") +
                          "\rRegistrierungseditor: aus\r\rMöchten Sie die Übernahme rückgängig "
                          "machen?"),
            std::string::npos)
      << question;
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_EQ(messages.asked[1].text,
            "Folgende Einstellungen wurden nicht wiederhergestellt:\rRegistrierungseditor\r\r"
            "Systemweite Einstellungen erfordern Administratorrechte.");
  RegKey command(Machine());
  EXPECT_EQ(command.Open(HKCR, verb + "\\command", kKeyRead), kErrorSuccess);
  EXPECT_EQ(c().Checked(shown), wasShown) << "the other setting came back";
  EXPECT_TRUE(errors.empty());
}

// The run made the update policy key and a policy wrote to it since: undo keeps the key with the
// policy's value, takes back the rest, says so, and the backup counts as restored.
TEST_F(Backups, UndoKeepsAPolicyKeyTheRunMadeThatAPolicyWroteTo) {
  if (!xp) GTEST_SKIP() << "the box is on the XP layout";
  const std::string update = "SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate";
  DeleteKeyTree(HKLM, update);
  CreateKeyWith(HKLM, "SOFTWARE\\Policies\\Microsoft", {"Windows"});
  form->LoadCurrentSettings();
  c().SetChecked("cboxDisableAutoUpdate", true);
  ApplyNow();
  SetString(HKLM, update, "WUServer", "http://wsus");
  UndoNow();
  EXPECT_EQ(messages.asked.back().text,
            "Vorgang erfolgreich abgeschlossen!\r„HKEY_LOCAL_MACHINE\\" + update +
                "“ enthält inzwischen weitere Einträge und bleibt erhalten.");
  EXPECT_EQ(NewestUnrestored(Store().Names()), "");
  DeleteKeyTree(HKLM, update);
  EXPECT_TRUE(errors.empty());
}

// "&Nein" to the undo question, or a backup refused for its content, leaves the window as it
// was: the standard view not yet applied keeps its question on closing.
TEST_F(Backups, NoOrARefusedBackupKeepsTheStandardView) {
  ChangeSeveral();
  ApplyNow();
  const std::string name = NewestUnrestored(Store().Names());
  ASSERT_FALSE(name.empty());
  const Bytes good = *Store().Read(name);
  RegFile foreign = ParseRegFile(good);
  foreign.keys.push_back({HKCU, u"Console", true, {}});
  const char* box = xp ? "cboxShowFileext" : "cb20060517";
  for (const bool refused : {false, true}) {
    SCOPED_TRACE(refused ? "refused" : "Nein");
    if (refused) {
      ASSERT_TRUE(Store().Replace(name, FormatRegFile(foreign)));
    }
    Click("sbutXPStandard");
    ASSERT_TRUE(form->StandardViewShown);
    const bool shown = c().Checked(box);
    messages.asked.clear();
    messages.answers = {refused ? MsgResult::Ok : MsgResult::No};
    SendMessageA(form->handle(), WM_SYSCOMMAND, kCmdUndo, 0);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].type, refused ? MsgType::Error : MsgType::Confirmation);
    EXPECT_TRUE(form->StandardViewShown);
    EXPECT_EQ(c().Checked(box), shown);
    EXPECT_EQ(Store().Names(), std::vector<std::string>{name});
  }
  ASSERT_TRUE(Store().Replace(name, good));
  UndoNow();
  form->StandardViewShown = false;
  EXPECT_TRUE(errors.empty());
}

// Both files of a split selection exist already: one question, "&Nein" by default, and "&Nein"
// writes nothing.
TEST_F(Backups, AnExportOverExistingFilesAsksOnceAndNoKeepsThem) {
  Click("sbutXPStandard");
  c().SetChecked(xp ? "cboxShowFileext" : "cb20060517", true);
  c().SetChecked(xp ? "cbDenyUSBWriteAccess" : "cb20070412", true);
  const std::wstring stem = Folder() + L"\\..\\Auswahl-Vorhanden";
  Win32BackupStore parent(Folder() + L"\\..");
  const Bytes old = {'a', 'l', 't'};
  for (const char* part : {"Auswahl-Vorhanden-Computer.reg", "Auswahl-Vorhanden-Benutzer.reg"}) {
    parent.Remove(part);
    std::string why;
    ASSERT_TRUE(parent.Create(part, old, &why)) << why;
  }
  ExportTo(stem + L".reg", {MsgResult::No});
  ASSERT_EQ(messages.asked.size(), 1u);
  const std::string& question = messages.asked[0].text;
  EXPECT_EQ(question.rfind("Folgende Dateien gibt es bereits:\r", 0), 0u) << question;
  EXPECT_NE(question.find("Auswahl-Vorhanden-Computer.reg\r"), std::string::npos) << question;
  EXPECT_NE(question.find("Auswahl-Vorhanden-Benutzer.reg\r\rMöchten Sie sie ersetzen?"),
            std::string::npos)
      << question;
  EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo | kMbDefaultNo);
  for (const char* part : {"Auswahl-Vorhanden-Computer.reg", "Auswahl-Vorhanden-Benutzer.reg"}) {
    EXPECT_EQ(parent.Read(part), std::optional<Bytes>(old)) << part;
    parent.Remove(part);
  }
  EXPECT_FALSE(parent.Read("Auswahl-Vorhanden.reg")) << "the chosen name itself is not written";
  form->StandardViewShown = false;
  EXPECT_TRUE(errors.empty());
}

// The selection of one state of the machine (A), exported, then read in another state (B): the
// window shows A's boxes, apply gives B A's values there, and undo gives B back.
TEST_F(Backups, AnExportReadBackInAnotherStateIsShownAppliedAndUndone) {
  const Snapshot b = CatalogueSnapshot(Machine());
  const std::vector<std::string> chosen =
      xp ? std::vector<std::string>{"cboxShowFileext", "cboxNotepadReg", "cboxRegEdit"}
         : std::vector<std::string>{"cb20060517", "cb20060808", "cb20060804"};
  for (const std::string& box : chosen) c().SetChecked(box, true);
  ApplyNow();
  const Snapshot a = CatalogueSnapshot(Machine());
  ExportTo(Folder() + L"\\..\\Auswahl-A.reg", {MsgResult::Ok});
  UndoNow();
  ASSERT_EQ(Differences(b, CatalogueSnapshot(Machine())), std::vector<std::string>{});

  Win32BackupStore parent(Folder() + L"\\..");
  std::vector<std::string> parts;
  for (const char* name : {"Auswahl-A.reg", "Auswahl-A-Computer.reg", "Auswahl-A-Benutzer.reg"}) {
    if (parent.Read(name)) parts.push_back(name);
  }
  ASSERT_EQ(parts.size(), 2u);
  messages.asked.clear();
  ImportFrom(L"\"" + std::wstring(parts[0].begin(), parts[0].end()) + L"\" \"" +
                 std::wstring(parts[1].begin(), parts[1].end()) + L"\"",
             {MsgResult::Ok});
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text.rfind("Das Fenster zeigt die Auswahl aus 2 Dateien.", 0), 0u)
      << messages.asked[0].text;
  EXPECT_TRUE(form->StandardViewShown);
  ApplyNow();
  for (const std::string& part : parts) parent.Remove(part);
  for (const std::string& box : chosen) EXPECT_TRUE(c().Checked(box)) << box;
  EXPECT_EQ(Differences(a, CatalogueSnapshot(Machine())), std::vector<std::string>{});
  UndoNow();
  EXPECT_EQ(Differences(b, CatalogueSnapshot(Machine())), std::vector<std::string>{});
  EXPECT_TRUE(errors.empty());
}

// Files from elsewhere and a broken one: the right boxes and counts, nothing written; the
// confirmation names only what differs; a line that does not parse leaves the window alone.
TEST_F(Backups, ImportedFilesShowTheirBoxesWriteNothingAndABadOneChangesNothing) {
  const std::string advanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  SetDword(HKCU, advanced, "HideFileExt", 1);
  Click("sbutCurrentSettings");
  const char* shown = xp ? "cboxShowFileext" : "cb20060517";
  const char* console = xp ? "cboxRegEdit" : "cb20060804";  // the fixture removed its entry
  ASSERT_FALSE(c().Checked(shown));
  const Snapshot before = CatalogueSnapshot(Machine());
  Win32BackupStore parent(Folder() + L"\\..");
  struct Case {
    const char* name;
    std::string text;
    bool shown, console;
    const char* report;
  };
  const std::string key = "[HKEY_CURRENT_USER\\" + advanced + "]\r\n";
  const Case cases[] = {
      {"ansi.reg",
       "REGEDIT4\r\n\r\n" + key + "\"HideFileExt\"=dword:00000000\r\n\"Fremd\"=\"\xE4\"\r\n", true,
       false,
       "\r1 Einstellung weicht von diesem Computer ab.\r1 Eintrag der Datei betrifft keine "
       "Einstellung dieses Fensters und bleibt unbeachtet.\r\r"},
      {"v5.reg",
       "Windows Registry Editor Version 5.00\r\n\r\n" + key +
           "\"HideFileExt\"=-\r\n\r\n"
           "[HKEY_CURRENT_USER\\Software\\Fremd]\r\n\"a\"=dword:00000001\r\n\r\n"
           "[HKEY_CLASSES_ROOT\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit\\"
           "command]\r\n"
           "@=hex(2):63,00,6d,00,64,00,\\\r\n  00,00\r\n",
       false, true,
       "\r1 Einstellung weicht von diesem Computer ab.\r1 Eintrag der Datei betrifft keine "
       "Einstellung dieses Fensters und bleibt unbeachtet.\r\r"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Click("sbutCurrentSettings");  // each file alone
    parent.Remove(k.name);
    std::string why;
    ASSERT_TRUE(parent.Create(k.name, Bytes(k.text.begin(), k.text.end()), &why)) << why;
    messages.asked.clear();
    ImportFrom(Folder() + L"\\..\\" + std::wstring(k.name, k.name + std::strlen(k.name)),
               {MsgResult::Ok});
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_NE(messages.asked[0].text.find(k.report), std::string::npos) << messages.asked[0].text;
    EXPECT_EQ(c().Checked(shown), k.shown);
    EXPECT_EQ(c().Checked(console), k.console);
    EXPECT_EQ(Differences(before, CatalogueSnapshot(Machine())), std::vector<std::string>{});
    parent.Remove(k.name);
  }
  // After the last file: the confirmation names the one setting that differs.
  messages.asked.clear();
  messages.answers = {MsgResult::No};
  Click("butApply");
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text,
            "Folgende Einstellungen werden geändert:\rRegistrierungseditor: ein\r\r"
            "Möchten Sie die Einstellungen jetzt vornehmen?");

  // A file without a header: the error names its line, the window stays as it was.
  const std::string broken = "Windows Registry Editor 5\r\n\r\n" + key;
  ASSERT_TRUE(parent.Replace("kaputt.reg", Bytes(broken.begin(), broken.end())) ||
              parent.Create("kaputt.reg", Bytes(broken.begin(), broken.end()), nullptr));
  messages.asked.clear();
  ImportFrom(Folder() + L"\\..\\kaputt.reg", {MsgResult::Ok});
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].type, MsgType::Error);
  EXPECT_NE(messages.asked[0].text.find("Zeile 1: Windows Registry Editor 5\r"), std::string::npos)
      << messages.asked[0].text;
  EXPECT_TRUE(c().Checked(console)) << "the window kept the import before";
  parent.Remove("kaputt.reg");
  form->StandardViewShown = false;
  EXPECT_TRUE(errors.empty());
}

}  // namespace
}  // namespace tw::ui::test
