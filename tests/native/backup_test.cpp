// Backups: the writes run once against an overlay (nothing reaches the machine), the backup
// written as a registry file, the real writes, then the restore gives back every byte.

#include <gtest/gtest.h>

#include <functional>

#include "catalogue/computed_tweaks.h"
#include "flows/backup_entries.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "row_tweaks.h"
#include "support/memory_registry.h"

namespace tw {
namespace {

Bytes Utf16(const std::u16string& s) {
  Bytes b;
  for (char16_t c : s) {
    b.push_back(static_cast<std::uint8_t>(c & 0xFF));
    b.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  b.insert(b.end(), {0, 0});
  return b;
}

const char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const char kUsb[] = "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies";
const char kPolicyExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kImdb[] = "Software\\Microsoft\\Internet Explorer\\SearchScopes\\IMDB";
const char16_t kCurrentVersion[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char16_t kCommandHere[] = u"Directory\\shell\\Command Prompt Here";
const std::u16string kMyComputer = u"{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
// A subkey named outside cp1252.
const std::u16string kOmega = std::u16string(kCommandHere) + u"\\Ω";

// A machine with values of every kind at catalogue places, and some that are not.
void Seed(MemoryRegistry& m) {
  m.PutDword(HKCU, kAdvanced, "HideFileExt", 1);
  m.PutDword(HKCU, kAdvanced, "Hidden", 2);
  m.PutString(HKCU, "Control Panel\\Desktop", "MenuShowDelay", "abc");
  m.PutString(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Tool", "tool.exe");
  // ProgramFilesDir as an expandable string holding text outside cp1252.
  RegKey k(m);
  ASSERT_EQ(k.Create(HKLM, std::u16string(kCurrentVersion), kKeyAllAccess), kErrorSuccess);
  const Bytes dir = Utf16(u"%SystemDrive%\\Программы");
  ASSERT_EQ(m.SetValueW(k.get(), u"ProgramFilesDir", kRegExpandSz, dir.data(),
                        static_cast<std::uint32_t>(dir.size())),
            kErrorSuccess);
  // A context-menu entry with a subkey named outside cp1252 and a multi-string.
  RegKey verb(m);
  ASSERT_EQ(verb.Create(HKCR, kOmega, kKeyAllAccess), kErrorSuccess);
  const Bytes multi = {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0};
  ASSERT_EQ(m.SetValueW(verb.get(), u"Liste", kRegMultiSz, multi.data(), 10), kErrorSuccess);
  m.PutString(HKCR, "Directory\\shell\\Command Prompt Here\\command", "", "cmd.exe /k cd %1");
  m.PutString(HKCR, "Directory\\shell\\Command Prompt Here", "", "Kommandozeile hier");
  m.Put(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams", "Settings",
        kRegBinary, {8, 0, 0, 0});
}

std::vector<RegFileKey> Everything(RegistryApi& api) {
  std::vector<RegFileKey> all;
  for (RegRoot root : {HKCR, HKCU, HKLM}) {
    std::vector<RegFileKey> keys = DumpSubtree(api, {root, u""});
    all.insert(all.end(), keys.begin(), keys.end());
  }
  return all;
}

bool Same(std::vector<RegFileKey> a, std::vector<RegFileKey> b) {
  // Restoring into the same machine: compare as a second backup would see them.
  auto text = [](const std::vector<RegFileKey>& keys) {
    std::vector<std::u16string> lines;
    for (const RegFileKey& k : keys) {
      lines.push_back(RootName(k.root) + u"\\" + FoldName(k.path));
      for (const RegFileValue& v : k.values) {
        std::u16string line = lines.back() + u"|" + FoldName(v.name) + u"|" +
                              static_cast<char16_t>(u'0' + v.type) + u"|";
        for (std::uint8_t byte : v.data) line += static_cast<char16_t>(byte);
        lines.push_back(line);
      }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
  };
  return text(a) == text(b);
}

// Runs the writes inside a batch against api.
void RunWrites(RegistryApi& api, const std::function<void()>& writes) {
  RegistryBackendScope onApi(api);
  RegistryBatch batch;
  ASSERT_TRUE(batch.opened());
  writes();
}

struct RoundTrip {
  const char* what;
  std::function<void()> writes;
};

const RoundTrip kRuns[] = {
    {"boxes that set values",
     [] { test::SetRow("ShowFileext", false), test::SetRow("ShowAllFiles", false); }},
    {"a slider over unreadable text", [] { SetStartmenuDelay(100); }},
    {"the program folder over an expandable string", [] { SetProgramDir("D:\\Programme"); }},
    {"a context-menu entry removed with its subtree", [] { test::SetRow("OpenConsole", true); }},
    {"a context-menu entry created",
     [] { test::SetRow("NotepadReg", false), test::SetRow("RegEdit", false); }},
    {"console colours", [] { SetConsoleColors(1, 2); }},
    {"a value removed that was there", [] { SetDetailView(true); }},
    {"a policy key created with its parents", [] { test::SetRow("DisableAutoUpdate", false); }},
    {"several kinds at once",
     [] {
       test::SetRow("ShowFileext", false), test::SetRow("OpenConsole", true),
           SetProgramDir("E:\\P"), test::SetRow("RegEdit", false);
       SetBitBucket(3), SetStartmenuDelay(5);
     }},
};

TEST(Backup, RestoringTheBackupOfARunGivesBackEveryByte) {
  for (const RoundTrip& r : kRuns) {
    SCOPED_TRACE(r.what);
    MemoryRegistry machine;
    Seed(machine);
    const std::vector<RegFileKey> before = Everything(machine);

    OverlayRegistry overlay(machine);
    RunWrites(overlay, r.writes);
    EXPECT_TRUE(Same(Everything(machine), before)) << "the overlay wrote to the machine";
    std::vector<RegFileKey> entries = BackupEntries(overlay, machine);
    EXPECT_FALSE(entries.empty());

    RunWrites(machine, r.writes);
    EXPECT_FALSE(Same(Everything(machine), before)) << "the run changed nothing";
    DropUnchanged(entries, machine);

    RegFile file;
    file.keys = entries;
    const RegFile back = ParseRegFile(FormatRegFile(file));
    EXPECT_EQ(FirstForeignLine(back, machine), 0u);
    EXPECT_TRUE(RestoreEntries(back.keys, machine).empty());
    EXPECT_TRUE(Same(Everything(machine), before));
  }
}

TEST(Backup, ARefusedWriteLeavesNothingToRestore) {
  MemoryRegistry machine;
  Seed(machine);
  machine.DenyWrite(HKLM, "");
  OverlayRegistry overlay(machine);
  RunWrites(overlay, [] {
    test::SetRow("DisableAutoUpdate", false), SetProgramDir("D:\\P"),
        test::SetRow("ShowFileext", false);
  });
  std::vector<RegFileKey> entries = BackupEntries(overlay, machine);
  ASSERT_EQ(entries.size(), 3u);  // the policy key, ProgramFilesDir, HideFileExt
  RunWrites(machine, [] {
    try {
      test::SetRow("DisableAutoUpdate", false);
    } catch (const std::exception&) {
    }
    SetProgramDir("D:\\P"), test::SetRow("ShowFileext", false);
  });
  DropUnchanged(entries, machine);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].root, HKCU);
  ASSERT_EQ(entries[0].values.size(), 1u);
  EXPECT_EQ(entries[0].values[0].name, u"HideFileExt");
}

TEST(Backup, OverlayNamesOnlyTheTopmostCreatedAndDeletedKeys) {
  MemoryRegistry machine;
  Seed(machine);
  OverlayRegistry overlay(machine);
  RunWrites(overlay,
            [] { test::SetRow("DisableAutoUpdate", false), test::SetRow("OpenConsole", true); });
  ASSERT_EQ(overlay.CreatedKeys().size(), 1u);
  EXPECT_EQ(overlay.CreatedKeys()[0].path, u"SOFTWARE\\Policies");
  ASSERT_EQ(overlay.DeletedKeys().size(), 1u);
  EXPECT_EQ(overlay.DeletedKeys()[0].path, kCommandHere);
  EXPECT_TRUE(overlay.TouchedValues().empty());
  EXPECT_FALSE(overlay.KeyExistsNow({HKCR, kOmega}));
  EXPECT_TRUE(machine.HasKeyW(HKCR, kOmega));
}

// Like the registry itself, the overlay refuses data that is not there instead of reading it.
TEST(Backup, OverlayRefusesASizeWithoutData) {
  MemoryRegistry machine;
  OverlayRegistry overlay(machine);
  RegHandle key = 0;
  ASSERT_EQ(overlay.CreateKey(HKCU, "Software\\Test", kKeyAllAccess, &key), kErrorSuccess);
  EXPECT_EQ(overlay.SetValue(key, "a", kRegSz, nullptr, 4), kErrorInvalidParameter);
  EXPECT_EQ(overlay.SetValueW(key, u"b", kRegBinary, nullptr, 4), kErrorInvalidParameter);
  EXPECT_EQ(overlay.SetValueW(key, u"c", kRegBinary, nullptr, 0), kErrorSuccess);
  std::uint32_t size = 0;
  for (const char16_t* refused : {u"a", u"b"})
    EXPECT_EQ(overlay.QueryValueW(key, refused, nullptr, nullptr, &size), kErrorFileNotFound);
  EXPECT_EQ(overlay.QueryValueW(key, u"c", nullptr, nullptr, &size), kErrorSuccess);
  overlay.CloseKey(key);
}

TEST(Backup, ABackupThatNamesAnythingOutsideTheCatalogueIsRefusedAtThatLine) {
  MemoryRegistry machine;
  Seed(machine);
  machine.PutString(HKLM, "SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate", "Fremd", "x");
  // A verb made through HKEY_CLASSES_ROOT, as the machine's classes show it.
  const std::string verb =
      "SOFTWARE\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit";
  machine.PutString(HKLM, verb, "", "Registry-Editor");
  machine.PutString(HKLM, verb + "\\command", "", "Regedit.exe");
  machine.PutString(HKLM, "SOFTWARE\\Classes\\txtfile", "", "Textdokument");
  machine.PutDword(HKCU, kAdvanced, "TaskbarSizeMove", 0);
  machine.PutDword(HKCU, "Console", "FontSize", 0x100000);
  machine.PutDword(HKCU, "Console", "QuickEdit", 0);
  machine.PutDword(HKLM, kUsb, "Fremd", 1);
  machine.PutKey(HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions");
  const std::u16string head = u"Windows Registry Editor Version 5.00\r\n\r\n";
  const std::u16string version =
      u"[-HKEY_LOCAL_MACHINE\\" + std::u16string(kCurrentVersion) + u"\\";
  struct Case {
    const char* what;
    std::u16string body;
    std::size_t line;
  };
  const Case cases[] = {
      {"a catalogue value",
       u"[HKEY_CURRENT_USER\\" + AnsiToWide(kAdvanced) + u"]\r\n\"HideFileExt\"=dword:00000001\r\n",
       0},
      {"a run key beside ProgramFilesDir",
       u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
       u"\"x\"=\"evil.exe\"\r\n",
       3},
      {"another value of a catalogue key",
       u"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion]\r\n"
       u"\"ProgramFilesDir\"=\"C:\\\\P\"\r\n\"CommonFilesDir\"=\"x\"\r\n",
       5},
      {"a removed catalogue entry and its content",
       u"[-HKEY_CLASSES_ROOT\\" + std::u16string(kCommandHere) + u"]\r\n\r\n[HKEY_CLASSES_ROOT\\" +
           kCommandHere + u"\\command]\r\n@=\"cmd\"\r\n",
       0},
      {"a removed parent of catalogue keys", u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft]\r\n", 3},
      {"a made policy key that holds a foreign value",
       u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate]\r\n", 0},
      // HKEY_CLASSES_ROOT shows the machine's Software\Classes: verbs made through either name.
      {"a made parent of verbs, named through the machine's classes",
       u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\CLSID\\" + kMyComputer + u"\\shell]\r\n", 0},
      {"the machine's classes whole", u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes]\r\n", 3},
      // Keys that hold one catalogue value among those of Windows and other programs.
      {"a shared key: Explorer's Advanced",
       u"[-HKEY_CURRENT_USER\\" + AnsiToWide(kAdvanced) + u"]\r\n", 3},
      {"a shared key: the console", u"[-HKEY_CURRENT_USER\\Console]\r\n", 3},
      {"a shared key: CurrentVersion, with ProgramFilesDir",
       u"[-HKEY_LOCAL_MACHINE\\" + std::u16string(kCurrentVersion) + u"]\r\n", 3},
      {"a key only tested, holding another value",
       u"[-HKEY_LOCAL_MACHINE\\" + AnsiToWide(kUsb) + u"]\r\n", 3},
      {"content below a key only tested",
       u"[HKEY_LOCAL_MACHINE\\" + AnsiToWide(kUsb) + u"\\Fremd]\r\n\"x\"=\"y\"\r\n", 3},
      {"a one-shot button's key, empty",
       u"[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions]\r\n", 3},
      {"a one-shot button's key", version + u"Explorer\\Browser Helper Objects]\r\n", 3},
      {"a one-shot button's marker", version + u"WindowsUpdate\\Auto Update\\RebootRequired]", 3},
      {"a value only a one-shot button writes",
       u"[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main]\r\n"
       u"\"Search Page\"=\"http://example.com/\"\r\n",
       4},
      {"a line after a refused removal",
       u"[-HKEY_CURRENT_USER\\Console]\r\n\r\n[HKEY_CURRENT_USER\\Console]\r\n"
       u"\"QuickEdit\"=dword:00000001\r\n",
       3},
      {"foreign content after the removal of a key the run made",
       u"[-HKEY_CURRENT_USER\\" + AnsiToWide(kPolicyExplorer) + u"]\r\n\r\n[HKEY_CURRENT_USER\\" +
           AnsiToWide(kPolicyExplorer) + u"\\Fremd]\r\n\"x\"=\"y\"\r\n",
       5},
      {"a key the run made, now empty",
       u"[-HKEY_CURRENT_USER\\" + AnsiToWide(kPolicyExplorer) + u"]\r\n", 0},
      {"a search provider with its content",
       u"[-HKEY_CURRENT_USER\\" + AnsiToWide(kImdb) + u"]\r\n\r\n[HKEY_CURRENT_USER\\" +
           AnsiToWide(kImdb) + u"]\r\n\"URL\"=\"x\"\r\n\"Fremd\"=\"y\"\r\n",
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = {0xFF, 0xFE};
    const Bytes body = Utf16(head + c.body);
    bytes.insert(bytes.end(), body.begin(), body.end() - 2);
    EXPECT_EQ(FirstForeignLine(ParseRegFile(bytes), machine), c.line);
  }
}

// A removed context-menu entry comes back command first, so that the menu never shows a caption
// without its command; a tree with a key that refuses to open is not removed at all.
TEST(Backup, RestoreWritesARemovedEntryDeepestFirstAndRemovesTreesWholeOrNotAtAll) {
  MemoryRegistry machine;
  Seed(machine);
  OverlayRegistry overlay(machine);
  RunWrites(overlay, [] { test::SetRow("OpenConsole", true); });
  const std::vector<RegFileKey> entries = BackupEntries(overlay, machine);
  std::vector<std::u16string> order;
  for (const RegFileKey& k : entries) order.push_back(k.path);
  const std::u16string here = kCommandHere;
  EXPECT_EQ(order, (std::vector<std::u16string>{here, here + u"\\command", kOmega, here}));

  // The run made a new entry; someone put a key below it that nobody may open.
  RunWrites(machine, [] { test::SetRow("RegEdit", false); });
  const std::string verb = "CLSID\\" + WideToAnsi(kMyComputer) + "\\shell\\regedit";
  ASSERT_TRUE(machine.HasKey(HKCR, verb + "\\command"));
  machine.PutKey(HKCR, verb + "\\Gesperrt\\Innen");
  machine.DenyAll(HKCR, verb + "\\Gesperrt");
  // The former content that follows the removal: a key and a value the machine lacks.
  const std::vector<RegFileKey> removal = {
      {HKCR, AnsiToWide(verb), true, {}},
      {HKCR, AnsiToWide(verb) + u"\\Alt", false, {{u"", false, kRegSz, Utf16(u"alt")}}}};
  const std::vector<RestoreFailure> failed = RestoreEntries(removal, machine);
  ASSERT_EQ(failed.size(), 1u);
  EXPECT_EQ(failed[0].Text(), u"HKEY_CLASSES_ROOT\\" + AnsiToWide(verb));
  EXPECT_EQ(failed[0].code, kErrorAccessDenied);
  EXPECT_TRUE(machine.HasKey(HKCR, verb + "\\command"));
  EXPECT_TRUE(machine.HasKey(HKCR, verb + "\\Gesperrt"));
  EXPECT_FALSE(machine.HasKey(HKCR, verb + "\\Alt")) << "content after a refused removal";
}

}  // namespace
}  // namespace tw
