// The tweak catalogue against a machine: natively the in-memory registry, under Wine the test
// prefix, whose catalogue values are cleared before each test and put back afterwards.

#include "catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue/catalogue_row.h"
#include "catalogue/computed_tweaks.h"
#include "catalogue_boxes.h"
#include "catalogue_golden.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "registry/reg_place.h"
#include "system/error.h"
#include "test_machine.h"

namespace tw {
namespace {

using test::Dw;
using test::Entry;
using test::KeyOnly;
using test::kKeyOnly;
using test::kNoKey;
using test::kNoValue;
using test::Machine;
using test::NoKey;
using test::Sz;

void Store(const Entry& e) {
  RegKey key(Machine());
  ASSERT_EQ(kErrorSuccess, key.Create(e.root, e.key, kKeyAllAccess)) << e.key;
  if (e.type == kKeyOnly) return;
  ASSERT_EQ(kErrorSuccess, Machine().SetValue(key.get(), e.name, e.type, e.data.data(),
                                              static_cast<std::uint32_t>(e.data.size())));
}

bool KeyExists(RegRoot root, const std::string& path) {
  RegKey key(Machine());
  return key.Open(root, path, kKeyRead) == kErrorSuccess;
}

std::optional<RegValue> Peek(RegRoot root, const std::string& path, const std::string& name) {
  RegKey key(Machine());
  std::uint32_t type = 0, size = 0;
  if (key.Open(root, path, kKeyRead) != kErrorSuccess ||
      Machine().QueryValue(key.get(), name, &type, nullptr, &size) != kErrorSuccess) {
    return std::nullopt;
  }
  RegValue v{type, Bytes(size)};
  if (size > 0 && Machine().QueryValue(key.get(), name, &type, v.data.data(), &size) != 0) {
    return std::nullopt;
  }
  return v;
}

void ExpectEntry(const Entry& e) {
  SCOPED_TRACE(e.key + " : " + e.name);
  if (e.type == kKeyOnly || e.type == kNoKey) {
    EXPECT_EQ(e.type == kKeyOnly, KeyExists(e.root, e.key));
    return;
  }
  const auto v = Peek(e.root, e.key, e.name);
  if (e.type == kNoValue) {
    EXPECT_FALSE(v.has_value());
    return;
  }
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(e.type, v->type);
  EXPECT_EQ(e.data, v->data);
}

// The row tweaks by name, through the catalogue row.
const TweakRow& Row(const std::string& name) {
  const TweakRow* row = FindTweakRow(name);
  if (!row) throw std::logic_error("no catalogue row " + name);
  return *row;
}
bool Read(const std::string& name) { return ReadTweak(Row(name)); }
int ReadNumber(const std::string& name) { return ReadTweakNumber(Row(name)); }
bool Write(const std::string& name, bool unchecked) { return WriteTweak(Row(name), unchecked); }

class Catalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetMachine();
    batch_.emplace();
    ASSERT_TRUE(batch_->opened());
    for (const TweakInfo& t : CatalogueTweaks()) {
      for (const RegLocation& l : t.locations) {
        if (!l.wholeKey) saved_.push_back({l, Peek(l.root, l.key, l.value)});
      }
    }
    Clear();
  }
  void TearDown() override {
    Clear();
    for (const auto& [l, v] : saved_) {
      if (v) Store({l.root, l.key, l.value, v->type, v->data});
    }
    batch_.reset();
  }
  static void Clear() {
    for (const TweakInfo& t : CatalogueTweaks()) {
      for (const RegLocation& l : t.locations) {
        l.wholeKey ? RemoveRegKey(l.root, l.key) : RemoveRegValue(l.root, l.key, l.value);
      }
    }
  }

  std::optional<RegistryBatch> batch_;
  std::vector<std::pair<RegLocation, std::optional<RegValue>>> saved_;
};

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}
// The key `key` is `top` or lies below it.
bool Within(const std::string& key, const std::string& top) {
  const std::string k = Lower(key), t = Lower(top);
  return k == t || (k.size() > t.size() && k.compare(0, t.size(), t) == 0 && k[t.size()] == '\\');
}

// Natively: every key and value on the machine (root, key, whether a value, the value's name).
using Item = std::tuple<RegRoot, std::string, bool, std::string>;
std::set<Item> Contents() {
  std::set<Item> out;
  MemoryRegistry* memory = test::MemoryMachine();
  if (!memory) return out;
  std::function<void(RegRoot, const std::string&)> walk = [&](RegRoot root,
                                                              const std::string& key) {
    out.insert({root, key, false, ""});
    for (const std::string& value : memory->ValueNames(root, key))
      out.insert({root, key, true, value});
    for (const std::string& sub : memory->SubKeys(root, key)) {
      walk(root, key.empty() ? sub : key + "\\" + sub);
    }
  };
  for (RegRoot root : {HKCR, HKCU, HKLM}) walk(root, "");
  return out;
}

// Natively: the machine holds no value but the state's, and keys only on the way to them.
void ExpectNothingElse(const std::vector<Entry>& state) {
  // By canonical names: the in-memory registry keeps HKCR and CurrentControlSet where they lead.
  const auto canonical = [](RegRoot& root, std::string& key) {
    const RegPath c = CanonicalKey({root, AnsiToWide(key)});
    root = c.root;
    key = WideToAnsi(c.path);
  };
  for (Item item : Contents()) {
    RegRoot root = std::get<0>(item);
    std::string &key = std::get<1>(item), &value = std::get<3>(item);
    if (key.empty()) continue;  // the roots themselves
    canonical(root, key);
    EXPECT_TRUE(std::any_of(state.begin(), state.end(),
                            [&](Entry e) {
                              canonical(e.root, e.key);
                              if (!std::get<2>(item)) return e.root == root && Within(e.key, key);
                              return e.root == root && e.type < kKeyOnly &&
                                     Lower(e.key) == Lower(key) && Lower(e.name) == Lower(value);
                            }))
        << key << " : " << value;
  }
}

// --- Every check box against the hand-written golden table: the state on an empty machine, each
// setter on an empty machine and on the other state, what it left, and what the getter reads.

class CatalogueBox : public Catalogue, public ::testing::WithParamInterface<test::Box> {};

TEST_P(CatalogueBox, FollowsItsSetters) {
  const std::string name = GetParam().name;
  const auto rows = test::GoldenRows();
  const auto golden =
      std::find_if(rows.begin(), rows.end(), [&](auto& g) { return g.name == name; });
  ASSERT_NE(rows.end(), golden);
  // The row where the box has one; the computed tweaks through their own functions.
  std::function<bool()> read = GetParam().get;
  std::function<bool(bool)> write = GetParam().set;
  if (const TweakRow* row = FindTweakRow(name)) {
    const auto on = static_cast<std::int32_t>(golden->numberOn);
    read = [row, on] { return on ? ReadTweakNumber(*row) == on : ReadTweak(*row); };
    write = [row](bool unchecked) { return WriteTweak(*row, unchecked); };
  }
  const bool negated = test::kNegatedByWindow.count(name) > 0;
  auto state = [&](bool unchecked) { return unchecked ? golden->unchecked : golden->checked; };
  auto removes = [&](bool unchecked, bool only) {
    const auto s = state(unchecked);
    auto removal = [](const Entry& e) { return e.type == kNoKey || e.type == kNoValue; };
    return only ? std::all_of(s.begin(), s.end(), removal)
                : std::any_of(s.begin(), s.end(), removal);
  };
  auto expectState = [&](bool unchecked) {
    EXPECT_EQ(unchecked == negated, read());
    for (const Entry& e : state(unchecked)) ExpectEntry(e);
    ExpectNothingElse(state(unchecked));
  };

  for (const bool first : {false, true}) {
    SCOPED_TRACE(first ? "unchecked first" : "checked first");
    Clear();
    EXPECT_EQ(test::kTrueWhenEmpty.count(name) > 0, read());
    // On an empty machine a removal reports false, and a setter that only removes adds nothing.
    const auto before = Contents();
    EXPECT_EQ(!removes(first, false), write(first));
    if (removes(first, true)) {
      EXPECT_EQ(before, Contents());
    }
    expectState(first);
    EXPECT_TRUE(write(!first));
    expectState(!first);
    EXPECT_TRUE(write(first));
    expectState(first);
  }
}

INSTANTIATE_TEST_SUITE_P(All, CatalogueBox, ::testing::ValuesIn(test::CatalogueBoxes()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CatalogueList, CoversEveryTweakOnce) {
  // Every tweak ID that a control carries: the explanation texts' IDs without the three that
  // belong to no control (1, 20070421, 20070428).
  std::vector<std::uint32_t> expected = {
      20060501, 20060502, 20060503, 20060504, 20060505, 20060506, 20060507, 20060508, 20060510,
      20060512, 20060513, 20060514, 20060515, 20060517, 20060518, 20060520, 20060521, 20060523,
      20060525, 20060528, 20060530, 20060531, 20060532, 20060533, 20060534, 20060535, 20060537,
      20060539, 20060540, 20060541, 20060543, 20060546, 20060547, 20060548, 20060549, 20060550,
      20061019, 20061021, 20070402, 20070403, 20070406, 20070407, 20070408, 20070409, 20070410,
      20070412, 20070413, 20070414, 20070415, 20070419, 20070420, 20070422, 20070423, 20070424,
      20070425, 20070426, 20070427, 20070432, 20070434, 20070438, 20070439, 20070440};
  for (std::uint32_t id = 20060801; id <= 20060834; ++id) expected.push_back(id);
  std::sort(expected.begin(), expected.end());
  std::vector<std::uint32_t> ids;
  for (const TweakInfo& t : CatalogueTweaks()) {
    ids.push_back(t.id);
    for (const RegLocation& l : t.locations) {
      EXPECT_TRUE(l.root == HKCR || l.root == HKCU || l.root == HKLM) << t.name;
      EXPECT_FALSE(l.key.empty() || l.key.front() == '\\' || l.key.back() == '\\') << t.name;
    }
  }
  EXPECT_EQ(expected, ids);  // sorted, one entry per ID
  // The golden table names every check box once, and every row is one of them.
  std::vector<std::string> golden, boxes;
  for (const test::GoldenRow& g : test::GoldenRows()) golden.push_back(g.name);
  for (const test::Box& b : test::CatalogueBoxes()) boxes.push_back(b.name);
  std::sort(golden.begin(), golden.end());
  std::sort(boxes.begin(), boxes.end());
  EXPECT_EQ(boxes, golden);
  for (const TweakRow& row : TweakRows()) {
    EXPECT_TRUE(std::binary_search(boxes.begin(), boxes.end(), row.name)) << row.name;
  }
}

// --- Stored values and what the getters make of them.

std::string Str(bool b) { return b ? "true" : "false"; }
std::string Str(int n) { return std::to_string(n); }
std::string Str(const std::string& s) { return s; }
#define READ(expr) [] { return Str(expr); }

const std::string kSound = "Control Panel\\Sound", kDesktop = "Control Panel\\Desktop";
const std::string kWait = "SYSTEM\\ControlSet001\\Control",
                  kNtfs = "SYSTEM\\CurrentControlSet\\Control";
const std::string kVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kAdvanced = kExplorer + "\\Advanced", kStreams = kExplorer + "\\Streams";
const std::string kBitBucket = kVersion + "\\Explorer\\BitBucket";
const std::string kBho = kVersion + "\\Explorer\\Browser Helper Objects";
const std::string kZone3 =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
const std::string kCpl =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowCpl";
const std::string kPlayer = "Software\\Microsoft\\MediaPlayer\\Preferences";
const std::string kColor = "Software\\Microsoft\\Command Processor";
const std::string kIe = "Software\\Microsoft\\Internet Explorer", kIeMain = kIe + "\\Main";
const std::string kShellBrowser = kIe + "\\Toolbar\\ShellBrowser",
                  kScopes = kIe + "\\SearchScopes\\";
const std::string kUsb = "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies";
const std::string kLanman = "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
const std::string kPreview =
    "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview";
const std::string kReboot = kVersion + "\\WindowsUpdate\\Auto Update\\RebootRequired";
const std::string kVerb = "\"notepad.exe %1\"";

Bytes Prefix(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + n); }

struct ReadCase {
  const char* what;
  std::vector<Entry> stored;
  std::function<std::string()> read;
  std::string expected;
};

TEST_F(Catalogue, GettersReadStoredValues) {
  const Bytes detail = DetailViewTemplate(), layout = AddressBarBandsTemplate();
  Bytes detail41 = detail;
  detail41.push_back(0);
  const Entry statusOn{HKCU, kIeMain, "StatusBarOther", kRegDword, Dw(1)};
  // clang-format off
  const ReadCase cases[] = {
    {"Beep No", {{HKCU, kSound, "Beep", kRegSz, Sz("No")}}, READ(Read("MuteBeepTone")), "false"},
    {"6000", {{HKLM, kWait, "WaitToKillServiceTimeout", kRegSz, Sz("6000")}},
     READ(Read("KillProcess")), "true"},
    {"6001", {{HKLM, kWait, "WaitToKillServiceTimeout", kRegSz, Sz("6001")}},
     READ(Read("KillProcess")), "false"},
    {"DWORD as text", {{HKCU, kAdvanced, "EnableBalloonTips", kRegSz, Sz("0")}},
     READ(Read("BalloonTips")), "false"},
    {"text as DWORD", {{HKCU, kAdvanced, "IntelliMenus", kRegDword, Dw(0)}},
     READ(Read("DeactivatePersonalMenus")), "false"},
    {"icon cache as text", {{HKLM, kExplorer, "Max Cached Icons", kRegSz, Sz("2000")}},
     READ(Read("ExpandIconCache")), "false"},
    {"task switch 8x3", {{HKCU, kDesktop, "CoolSwitchColumns", kRegDword, Dw(8)},
                         {HKCU, kDesktop, "CoolSwitchRows", kRegDword, Dw(3)}},
     READ(Read("ExpandTaskSwitch")), "false"},
    {"task switch as text", {{HKCU, kDesktop, "CoolSwitchColumns", kRegSz, Sz("14")},
                             {HKCU, kDesktop, "CoolSwitchRows", kRegSz, Sz("6")}},
     READ(Read("ExpandTaskSwitch")), "false"},
    {"player ID 00 01", {{HKCU, kPlayer, "SendUserGUID", kRegBinary, {0, 1}}},
     READ(GetHidePlayerID()), "true"},
    {"player ID empty", {{HKCU, kPlayer, "SendUserGUID", kRegBinary, {}}},
     READ(GetHidePlayerID()), "false"},
    {"detail view 41 bytes", {{HKCU, kStreams, "Settings", kRegBinary, detail41}},
     READ(GetDetailView()), "false"},
    {"detail view 39 bytes", {{HKCU, kStreams, "Settings", kRegBinary, Prefix(detail, 39)}},
     READ(GetDetailView()), "false"},
    {"layout 65 bytes", {statusOn, {HKCU, kShellBrowser, "ITBarLayout", kRegBinary,
                                    Prefix(layout, 65)}},
     READ(GetStatusAndAddressbar()), "false"},
    {"layout 66 bytes", {statusOn, {HKCU, kShellBrowser, "ITBarLayout", kRegBinary,
                                    Prefix(layout, 66)}},
     READ(GetStatusAndAddressbar()), "true"},
    {"layout, status bar off", {{HKCU, kShellBrowser, "ITBarLayout", kRegBinary, layout}},
     READ(GetStatusAndAddressbar()), "false"},
    {"colour absent", {}, READ(GetConsoleColors()), "7"},
    {"colour 0", {{HKCU, kColor, "DefaultColor", kRegDword, Dw(0)}}, READ(GetConsoleColors()), "7"},
    {"colour 0x1E", {{HKCU, kColor, "DefaultColor", kRegDword, Dw(0x1E)}},
     READ(GetConsoleColors()), "30"},
    {"colour 0x100", {{HKCU, kColor, "DefaultColor", kRegDword, Dw(0x100)}},
     READ(GetConsoleColors()), "256"},
    {"recycle bin absent", {}, READ(GetBitBucket()), "10"},
    {"recycle bin 150", {{HKLM, kBitBucket, "Percent", kRegDword, Dw(150)}},
     READ(GetBitBucket()), "150"},
    {"program dir expandable", {{HKLM, kVersion, "ProgramFilesDir", kRegExpandSz, Sz("D:\\A")}},
     READ(GetProgramDir()), "C:\\Programme"},
    {"start menu delay absent", {}, READ(GetStartmenuDelay()), "400"},
    {"start menu delay -20", {{HKCU, kDesktop, "MenuShowDelay", kRegSz, Sz("-20")}},
     READ(GetStartmenuDelay()), "-20"},
    {"regfile edit", {{HKCR, "regfile\\shell", "", kRegSz, Sz("edit")}},
     READ(Read("NotepadReg")), "false"},
    {"nusrmgr in capitals", {{HKCU, kCpl, "1", kRegSz, Sz("NUSRMGR.CPL")}},
     READ(Read("DisallowNusrmgr")), "false"},
    {"NTFS 1 and 0", {{HKLM, kNtfs, "NtfsDisable 8dot3NameCreation", kRegDword, Dw(1)},
                      {HKLM, kNtfs, "NtfsDisable LastAccessUpdate", kRegDword, Dw(0)}},
     READ(Read("DisableNtfsTimestamps")), "false"},
    {"NTFS names without blank", {{HKLM, kNtfs, "NtfsDisable8dot3NameCreation", kRegDword, Dw(1)},
                                  {HKLM, kNtfs, "NtfsDisableLastAccessUpdate", kRegDword, Dw(1)}},
     READ(Read("DisableNtfsTimestamps")), "false"},
    {"ActiveX, 1201 absent", {{HKCU, kZone3, "1001", kRegDword, Dw(3)},
                              {HKCU, kZone3, "1004", kRegDword, Dw(3)},
                              {HKCU, kZone3, "1200", kRegDword, Dw(3)},
                              {HKCU, kZone3, "1405", kRegDword, Dw(3)}},
     READ(Read("DisableActiveX")), "false"},
    {"IsShortcut as DWORD", {{HKCR, "Lnkfile", "IsShortcut", kRegDword, Dw(0)}},
     READ(Read("HideShortCutArrow")), "false"},
    {"USB key without value", {KeyOnly(HKLM, kUsb)}, READ(Read("DenyUSBWriteAccess")), "false"},
    {"scope without values", {KeyOnly(HKCU, kScopes + "Wikipedia")},
     READ(GetSearchProvider("Wikipedia") ? 1 : 0), "1"},
    {"helper objects: values only", {{HKLM, kBho, "x", kRegSz, Sz("y")}},
     READ(HasBrowserHelperObjects()), "false"},
    {"helper objects: a subkey", {KeyOnly(HKLM, kBho + "\\{1}")},
     READ(HasBrowserHelperObjects()), "true"},
    {"net places 0", {{HKCU, kAdvanced, "Start_ShowNetPlaces", kRegDword, Dw(0)}},
     READ(ReadNumber("NetworkMenu")), "0"},
    {"media update No", {{HKCU, kPlayer, "UpgradeCheckFrequency", kRegDword, Dw(7)},
                         {HKCU, kPlayer, "AskMeAgain", kRegSz, Sz("No")}},
     READ(Read("StopAutoUpdate")), "false"},
    {"search option 2", {{HKCU, kExplorer, "CaseSensitive", kRegDword, Dw(2)}},
     READ(GetSearchOption("CaseSensitive")), "false"},
  };
  // clang-format on
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    for (const Entry& e : c.stored) Store(e);
    EXPECT_EQ(c.expected, c.read());
  }
  // Not catalogue locations, so the fixture would leave them behind.
  RemoveRegValue(HKLM, kNtfs, "NtfsDisable8dot3NameCreation");
  RemoveRegValue(HKLM, kNtfs, "NtfsDisableLastAccessUpdate");
}

TEST_F(Catalogue, NumericTextMustBeAnInteger) {
  struct Case {
    RegRoot root;
    std::string key;
    const char* value;
    const char* text;
    std::function<void()> read;
  };
  const Case cases[] = {
      {HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegDone", "",
       [] { Read("SavePrivacy"); }},
      {HKLM, kWait, "WaitToKillServiceTimeout", "abc", [] { Read("KillProcess"); }},
      {HKLM, kWait, "WaitToKillServiceTimeout", " 6000", [] { Read("KillProcess"); }},
      {HKLM, kWait, "WaitToKillServiceTimeout", "6000 ", [] { Read("KillProcess"); }},
      {HKCU, kDesktop, "MenuShowDelay", "$190", [] { GetStartmenuDelay(); }},
      {HKCU, kDesktop, "MenuShowDelay", "2147483648", [] { GetStartmenuDelay(); }},
      {HKCU, kDesktop, "MenuShowDelay", "-", [] { GetStartmenuDelay(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Clear();
    Store({c.root, c.key, c.value, kRegSz, Sz(c.text)});
    try {
      c.read();
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ("'" + std::string(c.text) + "' ist kein gültiger Integerwert", e.what());
    }
  }
  EXPECT_EQ(INT32_MIN, TextToInteger("-2147483648"));
  EXPECT_EQ(INT32_MAX, TextToInteger("+2147483647"));
  EXPECT_EQ(7, TextToInteger("007"));
}

// --- Setters and actions and exactly what they leave behind.

struct WriteCase {
  const char* what;
  std::vector<Entry> before;
  std::function<bool()> write;
  bool result;
  std::vector<Entry> after;
};

TEST_F(Catalogue, SettersAndActionsWriteExactly) {
  const std::string toolbars = kIe + "\\Toolbar",
                    search = "SOFTWARE\\Microsoft\\Internet Explorer\\Search";
  // clang-format off
  const WriteCase cases[] = {
    {"colours 14 on 1", {}, [] { return SetConsoleColors(14, 1); }, true,
     {{HKCU, kColor, "DefaultColor", kRegDword, Dw(30)}}},
    {"recycle bin 0", {}, [] { return SetBitBucket(0); }, true,
     {{HKLM, kBitBucket, "Percent", kRegDword, Dw(1)}}},
    {"recycle bin 250", {}, [] { return SetBitBucket(250); }, true,
     {{HKLM, kBitBucket, "Percent", kRegDword, Dw(100)}}},
    {"start menu delay 1", {}, [] { return SetStartmenuDelay(1); }, true,
     {{HKCU, kDesktop, "MenuShowDelay", kRegSz, Sz("1")}}},
    {"program dir over expandable", {{HKLM, kVersion, "ProgramFilesDir", kRegExpandSz, Sz("%x%")}},
     [] { return SetProgramDir("C:\\Programme"); }, true,
     {{HKLM, kVersion, "ProgramFilesDir", kRegSz, Sz("C:\\Programme")}}},
    {"search options", {}, [] { return SetSearchOptions(1, 0, 1, 0, 1); }, true,
     {{HKCU, kExplorer, "SearchSystemDirs", kRegDword, Dw(1)},
      {HKCU, kExplorer, "SearchHidden", kRegDword, Dw(0)},
      {HKCU, kExplorer, "IncludeSubFolders", kRegDword, Dw(1)},
      {HKCU, kExplorer, "CaseSensitive", kRegDword, Dw(0)},
      {HKCU, kExplorer, "SearchSlowFiles", kRegDword, Dw(1)}}},
    {"add IMDB", {}, [] { return SetSearchProvider(false, "IMDB", "http://i/?q"); }, true,
     {{HKCU, kScopes + "IMDB", "DisplayName", kRegSz, Sz("IMDB")},
      {HKCU, kScopes + "IMDB", "URL", kRegSz, Sz("http://i/?q")}}},
    {"remove Wikipedia", {KeyOnly(HKCU, kScopes + "Wikipedia\\x")},
     [] { return SetSearchProvider(true, "Wikipedia", ""); }, true,
     {NoKey(HKCU, kScopes + "Wikipedia")}},
    {"unknown files unchecked keeps other verbs",
     {{HKCR, "*\\shell", "", kRegSz, Sz(kVerb)}, KeyOnly(HKCR, "*\\shell\\open\\command"),
      KeyOnly(HKCR, "*\\shell\\edit\\command")},
     [] { return SetUnknownFiles(true) && !GetUnknownFiles(); }, true,
     {NoKey(HKCR, "*\\shell\\open"), {HKCR, "*\\shell", "", kNoValue},
      KeyOnly(HKCR, "*\\shell\\edit\\command")}},
    {"unknown files unchecked keeps another default verb",
     {{HKCR, "*\\shell", "", kRegSz, Sz("edit")}, KeyOnly(HKCR, "*\\shell\\open")},
     [] { return SetUnknownFiles(true); }, true,
     {NoKey(HKCR, "*\\shell\\open"), {HKCR, "*\\shell", "", kRegSz, Sz("edit")}}},
    {"Google", {}, [] { return UseGoogleSearch(); }, true,
     {{HKCU, kIeMain, "Use Search Asst", kRegSz, Sz("no")},
      {HKCU, kIeMain, "Search Page", kRegSz, Sz("http://www.google.de/")},
      {HKCU, kIeMain, "Search Bar", kRegSz, Sz("http://www.google.de/ie")},
      {HKCU, kIe + "\\SearchURL", "", kRegSz, Sz("http://www.google.de/keyword/%s")},
      {HKCU, kIe + "\\SearchURL", "provider", kRegSz, Sz("gogl")},
      {HKLM, search, "SearchAssistant", kRegSz, Sz("http://www.google.de/ie")}}},
    {"helper objects missing", {}, [] { return DeleteBrowserHelperObjects(); }, false,
     {NoKey(HKLM, kBho)}},
    {"helper objects", {{HKLM, kBho, "v", kRegSz, Sz("x")}, KeyOnly(HKLM, kBho + "\\{1}\\deep")},
     [] { return DeleteBrowserHelperObjects() && !HasBrowserHelperObjects(); }, true,
     {KeyOnly(HKLM, kBho), NoKey(HKLM, kBho + "\\{1}"), {HKLM, kBho, "v", kNoValue}}},
    {"extensions missing", {}, [] { return DeleteBrowserExtensions(); }, false,
     {NoKey(HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions")}},
    {"toolbars", {KeyOnly(HKLM, toolbars + "\\{2}")},
     [] { return HasToolbars() && DeleteToolbars() && !HasToolbars(); }, true,
     {KeyOnly(HKLM, toolbars)}},
    {"update marker missing", {}, [] { return PatchWindowsUpdate(); }, false,
     {NoKey(HKLM, kReboot)}},
    {"update marker", {KeyOnly(HKLM, kReboot + "\\x")},
     [] { return NeedsWindowsUpdatePatch() && PatchWindowsUpdate() && !NeedsWindowsUpdatePatch(); },
     true, {NoKey(HKLM, kReboot)}},
    {"media update over text", {{HKCU, kPlayer, "UpgradeCheckFrequency", kRegSz, Sz("3")}},
     [] { return Write("StopAutoUpdate", false); }, true,
     {{HKCU, kPlayer, "UpgradeCheckFrequency", kRegDword, Dw(7)},
      {HKCU, kPlayer, "AskMeAgain", kRegSz, Sz("no")}}},
    {"admin shares without Wks", {{HKLM, kLanman, "AutoShareServer", kRegDword, Dw(0)}},
     [] { return Write("DeleteAdminShare", true); }, false,
     {{HKLM, kLanman, "AutoShareServer", kRegDword, Dw(0)}}},
    {"USB write access off keeps the key", {{HKLM, kUsb, "WriteProtect", kRegDword, Dw(1)}},
     [] { return Write("DenyUSBWriteAccess", true); }, true,
     {KeyOnly(HKLM, kUsb), {HKLM, kUsb, "WriteProtect", kNoValue}}},
    {"preview removed with subtree", {KeyOnly(HKCR, kPreview + "\\a\\b")},
     [] { return Write("DeactivatePreview", false); }, true, {NoKey(HKCR, kPreview)}},
  };
  // clang-format on
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    Clear();
    for (const Entry& e : c.before) Store(e);
    EXPECT_EQ(c.result, c.write());
    for (const Entry& e : c.after) ExpectEntry(e);
  }
  RemoveRegKey(HKCR, "*\\shell\\edit");  // not a catalogue location
}

TEST(CatalogueData, SearchProviders) {
  const char* const tails[] = {"/find?s=all&q={SearchTerms}",
                               "/search/?type_of_search=soft&words={SearchTerms}",
                               "/wiki/Spezial:Suche?search={SearchTerms}&go=Artikel"};
  const char* const names[] = {"IMDB", "Sourceforge", "Wikipedia"};
  for (std::size_t i = 0; i < kSearchProviders.size(); ++i) {
    const std::string address = kSearchProviders[i].address, tail = tails[i];
    EXPECT_STREQ(names[i], kSearchProviders[i].name);
    EXPECT_EQ(0u, address.find("http://"));
    EXPECT_EQ(address.size() - tail.size(), address.find(tail));
  }
}

}  // namespace
}  // namespace tw
