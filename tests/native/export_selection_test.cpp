// Export of a selection: imported into a fresh machine, the program there shows exactly the
// exported boxes and values on; unchecked boxes contribute nothing; machine-wide and per-user
// settings go to two files.

#include "flows/export_selection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "apply_fakes.h"
#include "fake_system.h"
#include "flows/backup_entries.h"
#include "flows/export_files.h"
#include "flows/standard_view.h"
#include "registry/codepage.h"
#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

const RunTime kNow = {2026, 12, 8, 7, 5, 9};

// What regedit /s does with a file: its entries written in order.
void Import(RegistryApi& machine, const Bytes& file) {
  EXPECT_TRUE(RestoreEntries(ParseRegFile(file).keys, machine).empty());
}

class Export : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachine();
    SetSystemBackend(&system);
    DeclareLayout(surface, Layout::XP);
    ASSERT_TRUE(LoadSettings(surface, ReadOrder(Layout::XP)));
  }
  void TearDown() override {
    SetRegistryBackend(nullptr);
    SetSystemBackend(nullptr);
  }
  std::vector<ExportFile> Run() {
    return ExportSelection(
        Machine(), surface, Layout::XP, [](const std::string& n) { return n; }, kNow, "PC-1");
  }
  // The program on the other machine: its controls after loading.
  FakeSurface LoadedOn(MemoryRegistry& other) {
    RegistryBackendScope onOther(other);
    FakeSurface there;
    DeclareLayout(there, Layout::XP);
    EXPECT_TRUE(LoadSettings(there, ReadOrder(Layout::XP)));
    return there;
  }

  FakeSystem system;
  FakeSurface surface;
};

TEST_F(Export, AFreshMachineShowsExactlyTheExportedSelection) {
  // The standard view, then a selection of several kinds on top.
  ShowStandard(surface, Layout::XP);
  for (const char* box : {"cboxShowFileext", "cboxOpenConsole", "cbDenyUSBWriteAccess",
                          "cboxSearchHidden", "cboxDisableAutoUpdate"})
    surface.SetChecked(box, true);
  surface.SetPosition("trackStartmenuDelay", 120);
  surface.SetItemIndex("combxTextColor", 10);
  surface.SetText("labProgramDir", "D:\\Programme");
  const std::vector<ExportFile> files = Run();
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].suffix, "-Computer");
  EXPECT_EQ(files[1].suffix, "-Benutzer");
  for (const RegFileKey& k : ParseRegFile(files[0].data).keys) EXPECT_NE(k.root, HKCU);
  for (const RegFileKey& k : ParseRegFile(files[1].data).keys) EXPECT_EQ(k.root, HKCU);
  EXPECT_TRUE(MemoryMachine()->SubKeys(HKCR, "Directory").empty()) << "exporting wrote";
  // Each file's header names only the settings it holds.
  const std::pair<std::u16string, std::size_t> named[] = {
      {u"Einstellung: cboxShowFileext: ein", 1},
      {u"Einstellung: combxTextColor: Text A, Hintergrund 0", 1},
      {u"Einstellung: cbDenyUSBWriteAccess: ein", 0},
      {u"Einstellung: cboxOpenConsole: ein", 0},
      {u"Einstellung: Label1: D:\\Programme", 0},
  };
  for (const auto& [line, part] : named) {
    for (std::size_t i = 0; i < 2; ++i) {
      const std::vector<std::u16string> c = ParseRegFile(files[i].data).comments;
      EXPECT_EQ(std::count(c.begin(), c.end(), line), i == part ? 1 : 0) << WideToAnsi(line);
    }
  }

  MemoryRegistry empty, other;
  const FakeSurface untouched = LoadedOn(empty);
  for (const ExportFile& f : files) Import(other, f.data);
  const FakeSurface there = LoadedOn(other);
  // Every box of the selection is on there; every other box shows what it did before.
  for (const WriteStep& step : WriteSequence(Layout::XP)) {
    for (const char* name : StepControls(step)) {
      if (!WritesBoxes(step.arg)) continue;
      EXPECT_EQ(there.Checked(name), surface.Checked(name) || untouched.Checked(name)) << name;
    }
  }
  EXPECT_EQ(there.Position("trackStartmenuDelay"), 120);
  EXPECT_EQ(there.ItemIndex("combxTextColor"), 10);
  EXPECT_EQ(there.ItemIndex("combxBackgroundColor"), 0);
  EXPECT_EQ(there.Text("labProgramDir"), "D:\\Programme");
}

TEST_F(Export, UncheckedBoxesAndStandardValuesContributeNothing) {
  ShowStandard(surface, Layout::XP);
  surface.SetChecked("cboxFastWindowsShutdown", false);
  EXPECT_TRUE(Run().empty());

  surface.SetChecked("cboxSearchHidden", true);
  const std::vector<ExportFile> files = Run();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].suffix, "");
  const RegFile file = ParseRegFile(files[0].data);
  // On an empty machine the file makes the missing keys; its only value is the checked option.
  std::vector<std::u16string> values;
  for (const RegFileKey& k : file.keys) {
    EXPECT_FALSE(k.remove);
    for (const RegFileValue& v : k.values) values.push_back(v.name);
  }
  EXPECT_EQ(values, std::vector<std::u16string>{u"SearchHidden"});
  EXPECT_EQ(file.comments.back(), u"Einstellung: cboxSearchHidden: ein");
}

// The header names a setting as the apply run's messages do: without accelerator marks, line
// breaks or outer blanks.
TEST_F(Export, TheHeaderNamesSettingsAsTheMessagesDo) {
  ShowStandard(surface, Layout::XP);
  surface.SetChecked("cboxDisableRemoteDesktop", true);
  surface.SetChecked("cboxActivateMemSharing", true);
  const std::map<std::string, std::string> captions = {
      {"cboxDisableRemoteDesktop", "&Remotedesktop\rdeaktivieren"},
      {"cboxActivateMemSharing", "nutze getrennten Speicherbereich "}};
  const std::vector<ExportFile> files = ExportSelection(
      Machine(), surface, Layout::XP,
      [&](const std::string& n) { return captions.count(n) ? captions.at(n) : n; }, kNow, "PC-1");
  ASSERT_EQ(files.size(), 1u);  // both machine-wide
  const std::vector<std::u16string> comments = ParseRegFile(files[0].data).comments;
  for (const char16_t* line : {u"Einstellung: Remotedesktop deaktivieren: ein",
                               u"Einstellung: nutze getrennten Speicherbereich: ein"})
    EXPECT_EQ(std::count(comments.begin(), comments.end(), line), 1) << WideToAnsi(line);
}

TEST(ExportName, SuffixGoesBeforeTheExtension) {
  EXPECT_EQ(ExportFileName(u"C:\\A\\Trimmwerk-Auswahl.reg", "-Computer"),
            u"C:\\A\\Trimmwerk-Auswahl-Computer.reg");
  EXPECT_EQ(ExportFileName(u"C:\\A.b\\Auswahl", "-Benutzer"), u"C:\\A.b\\Auswahl-Benutzer.reg");
  EXPECT_EQ(ExportFileName(u"C:\\\u00dcber\\x.reg", ""), u"C:\\\u00dcber\\x.reg");
}

// A folder in memory whose writes or moves to one name fail.
struct FakeFolder : ExportTarget {
  std::map<std::u16string, Bytes> files;
  std::u16string failWrite, failMove;
  std::u16string TempFor(const std::u16string& p) override { return p + u".tmp"; }
  bool Write(const std::u16string& p, const Bytes& d, std::string* why) override {
    if (p == failWrite) *why = "voll";
    return p != failWrite && (files[p] = d, true);
  }
  bool Move(const std::u16string& from, const std::u16string& to, std::string* why) override {
    if (to == failMove) *why = "gesperrt";
    return to != failMove && (files[to] = files[from], files.erase(from), true);
  }
  void Remove(const std::u16string& p) override { files.erase(p); }
  bool Exists(const std::u16string& p) override { return files.count(p) > 0; }
  std::optional<Bytes> Read(const std::u16string& p) override { return files.at(p); }
};

TEST(ExportSave, AFailedWriteOrMoveKeepsEveryFormerFile) {
  const std::vector<std::u16string> names = {u"A-Computer.reg", u"A-Benutzer.reg"};
  const std::vector<ExportFile> data = {{"-Computer", {'n', '1'}}, {"-Benutzer", {'n', '2'}}};
  struct Case {
    bool firstExisted;
    std::u16string failWrite, failMove;
    const char* says;  // "" when all is in place
  } cases[] = {
      {true, u"", u"", ""},
      {true, u"A-Benutzer.reg.tmp", u"", "voll"},
      {true, u"", u"A-Benutzer.reg", "„A-Computer.reg“ hat wieder seinen bisherigen Inhalt."},
      {false, u"", u"A-Benutzer.reg", "„A-Computer.reg“ wurde wieder entfernt."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WideToAnsi(c.failWrite) + WideToAnsi(c.failMove));
    FakeFolder folder;
    folder.files = {{names[1], {'a', '2'}}};
    if (c.firstExisted) folder.files[names[0]] = {'a', '1'};
    std::tie(folder.failWrite, folder.failMove) = std::pair(c.failWrite, c.failMove);
    const auto before = folder.files;
    const std::string text = SaveExport(folder, names, data);
    const std::map<std::u16string, Bytes> saved = {{names[0], {'n', '1'}}, {names[1], {'n', '2'}}};
    EXPECT_TRUE(*c.says ? text.find(c.says) != std::string::npos : text.empty()) << text;
    EXPECT_EQ(folder.files, *c.says ? before : saved);
  }
}

}  // namespace
}  // namespace tw::test
