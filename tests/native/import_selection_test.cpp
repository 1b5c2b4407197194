// A selection read from a registry file: the window shows it over this machine, nothing is
// written until apply, and apply, backup and undo work as for any change in the window.

#include "flows/import_selection.h"

#include <gtest/gtest.h>

#include "flow_window.h"
#include "flows/export_selection.h"
#include "flows/standard_view.h"
#include "machine_snapshot.h"
#include "registry/registry.h"
#include "test_machine.h"
#include "tracing_registry.h"

namespace tw::test {
namespace {

const RunTime kNow = {2026, 12, 9, 8, 0, 0};

// Every key and value of the three roots, as one file's bytes.
Bytes Everything(RegistryApi& api) {
  RegFile f;
  for (RegRoot root : {HKCR, HKCU, HKLM}) {
    for (RegFileKey& k : DumpSubtree(api, {root, u""})) f.keys.push_back(std::move(k));
  }
  return FormatRegFile(f);
}

Bytes Ansi(const std::string& text) { return Bytes(text.begin(), text.end()); }

class Import : public FlowWindow {
 protected:
  void SetUp() override {
    FlowWindow::SetUp();
    // Machine B: a few settings of its own.
    MemoryMachine()->PutDword(HKCU, kAdvanced, "HideFileExt", 1);
    MemoryMachine()->PutDword(HKCU, kAdvanced, "TaskbarSizeMove", 0);
    MemoryMachine()->PutString(HKCU, "Control Panel\\Desktop", "MenuShowDelay", "300");
    LoadAndRemember(surface, loaded);
  }
  void Read(const std::optional<Bytes>& file) { ReadAll({{"Auswahl.reg", file}}); }
  void ReadAll(std::vector<ImportFile> files) {
    messages.answers = {MsgResult::Ok};
    ImportWindow window{surface, loaded, standardViewShown, Layout::XP, Caption()};
    ImportSelection(window, std::move(files));
  }
  void Apply(std::deque<MsgResult> answers) { FlowWindow::Apply(backups, std::move(answers)); }
  void Undo() { FlowWindow::Undo({MsgResult::Yes, MsgResult::Ok}, "PC-B"); }

  static constexpr char kAdvanced[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  StoreBackups backups{store, [] {
                         BackupHeader h;
                         h.time = kNow;
                         h.computer = "PC-B";
                         return h;
                       }};
};

// The program's own export of machine A, read on machine B part by part and applied: B's boxes
// then show A's selection, B's registry holds A's values there, and undo gives B back.
TEST_F(Import, AnExportOfOneMachineIsAppliedOnAnotherAndUndone) {
  MemoryRegistry a;
  const char* const chosen[] = {"cboxShowFileext", "cboxOpenConsole", "cbDenyUSBWriteAccess",
                                "cboxSearchHidden", "cboxDisableAutoUpdate"};
  std::vector<ExportFile> files;
  {
    // Machine A: the selection applied, then exported.
    RegistryBackendScope onA(a);
    FakeSurface there;
    DeclareLayout(there, Layout::XP);
    LoadedControls loadedA;
    LoadAndRemember(there, loadedA);
    for (const char* box : chosen) there.SetChecked(box, true);
    there.SetPosition("trackStartmenuDelay", 120);
    bool shownA = false;
    ApplyWindow applyA{there, shownA, loadedA, Progress(), Caption()};
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    ApplySettings(applyA, Layout::XP);
    files = ExportSelection(
        a, there, Layout::XP, [](const std::string& n) { return n; }, kNow, "PC-A");
  }
  ASSERT_EQ(files.size(), 2u);
  const Snapshot startB = CatalogueSnapshot(Machine());

  for (const ExportFile& f : files) {
    SCOPED_TRACE(f.suffix);
    messages.asked.clear();
    Read(f.data);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].type, MsgType::Information);
    EXPECT_TRUE(standardViewShown);
    EXPECT_FALSE(surface.Checked(kCurrentSettingsButton));
  }
  Apply({MsgResult::Yes, MsgResult::Ok, MsgResult::No});
  for (const char* box : chosen) EXPECT_TRUE(surface.Checked(box)) << box;
  EXPECT_EQ(surface.Position("trackStartmenuDelay"), 120);
  // A's values at the places of the chosen boxes, byte for byte.
  const Snapshot onA = CatalogueSnapshot(a), onB = CatalogueSnapshot(Machine());
  for (const char* tweak : {"ShowFileext", "OpenConsole", "DenyUSBWriteAccess", "DisableAutoUpdate",
                            "StartmenuDelay"}) {
    const auto& all = CatalogueTweaks();
    const auto t = std::find_if(all.begin(), all.end(), [&](auto& x) { return x.name == tweak; });
    ASSERT_NE(t, all.end());
    for (const auto& [entry, value] : onA) {
      if (!InTweak(WideToAnsi(entry), *t)) continue;
      ASSERT_TRUE(onB.count(entry)) << WideToAnsi(entry);
      EXPECT_EQ(onB.at(entry), value) << WideToAnsi(entry);
    }
  }
  Undo();
  EXPECT_EQ(Differences(startB, CatalogueSnapshot(Machine())), std::vector<std::string>{});
}

// Files from elsewhere: the boxes they turn on, the entries of no setting of this window
// counted, and nothing written anywhere.
TEST_F(Import, AFileFromElsewhereShowsItsBoxesCountsTheRestAndWritesNothing) {
  const std::string advanced = std::string("[HKEY_CURRENT_USER\\") + kAdvanced + "]";
  const char* const kPaging = "cboxIncreasePerformance";
  const auto paging = [](const std::string& set) {
    return Ansi("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SYSTEM\\ControlSet" + set +
                "\\Control\\Session Manager\\Memory "
                "Management]\r\n\"DisablePagingExecutive\"=dword:00000001\r\n");
  };
  struct Case {
    const char* what;
    Bytes file;
    std::vector<std::pair<const char*, bool>> boxes;
    std::size_t changed, ignored;
  };
  const Case cases[] = {
      {"REGEDIT4 in ANSI, a foreign key and a Vista tweak",
       Ansi("REGEDIT4\r\n\r\n" + advanced +
            "\r\n\"HideFileExt\"=dword:00000000\r\n\"TaskbarSizeMove\"=dword:00000001\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Fremd]\r\n\"a\"=\"\xE4\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows Mail]\r\n"
            "\"NoSplash\"=dword:00000001\r\n"),
       {{"cboxShowFileext", true}},
       1,
       3},
      {"5.00 with a removed value, a continued hex line and a context-menu entry",
       Ansi("Windows Registry Editor Version 5.00\r\n\r\n" + advanced +
            "\r\n\"HideFileExt\"=-\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Classes\\Directory\\shell\\Command Prompt Here]\r\n"
            "@=hex(2):43,00,6d,00,64,00,\\\r\n  00,00\r\n\r\n"
            "[HKEY_USERS\\.DEFAULT\\Control Panel\\Desktop]\r\n\"MenuShowDelay\"=\"0\"\r\n"),
       // Without the value the extensions stay hidden, as on this machine.
       {{"cboxShowFileext", false}, {"cboxOpenConsole", true}},
       1,
       1},
      {"Lines regedit skips: a comment, a bad value, an unknown root, a value after [-key]",
       Ansi("Windows Registry Editor Version 5.00\r\n# Kommentar\r\n" + advanced +
            "\r\n\"HideFileExt\"=dword:0\r\n\"Hidden\"=word:1\r\n[HKEY_CURRENT_ROOT\\T]\r\n"
            "\"a\"=dword:1\r\n[-HKEY_CURRENT_USER\\Software\\Fremd]\r\n\"b\"=\"c\"\r\n"
            "[-HKEY_LOCAL_MACHINE]\r\n"),
       {{"cboxShowFileext", true}, {"cboxShowAllFiles", false}},
       1,
       1},
      {"CurrentControlSet is ControlSet001 here", paging("001"), {{kPaging, true}}, 1, 0},
      {"another control set", paging("002"), {{kPaging, false}}, 0, 1},
  };
  const Bytes before = Everything(Machine());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadAndRemember(surface, loaded);  // a new load: each file alone
    messages.asked.clear();
    TracingRegistry traced(Machine());
    RegistryBackendScope onTraced(traced);
    Read(c.file);
    for (const auto& [box, on] : c.boxes) EXPECT_EQ(surface.Checked(box), on) << box;
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(
        PendingChanges(surface, loaded, Layout::XP, [](const std::string& n) { return n; }).size(),
        c.changed);
    EXPECT_EQ(IgnoredEntries(ParseRegFile(c.file, RegFileReading::Lenient), Layout::XP), c.ignored);
    EXPECT_EQ(Everything(Machine()), before) << "the import wrote";
    for (const char* call : {"SetValue", "DeleteValue", "DeleteKey", "CreateKey"})
      EXPECT_EQ(traced.log.find(call), std::string::npos) << "the import called " << call;
  }
}

// The box after an import, byte for byte; a file that does not parse changes nothing.
TEST_F(Import, TheReportSaysWhatHappenedAndABadFileChangesNothing) {
  Read(Ansi("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\" +
            std::string(kAdvanced) +
            "]\r\n\"HideFileExt\"=dword:00000000\r\n\"Hidden\"=dword:00000001\r\n"
            "\"Fremd\"=dword:00000001\r\n"));
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text,
            "Das Fenster zeigt die Auswahl aus „Auswahl.reg“.\r2 Einstellungen weichen von diesem "
            "Computer ab.\r1 Eintrag der Datei betrifft keine Einstellung dieses Fensters und "
            "bleibt unbeachtet.\r\rEs wurde noch nichts geschrieben. „Einstellungen "
            "übernehmen“ übernimmt die Auswahl.");
  // The confirmation lists exactly the two settings the file changed.
  Apply({MsgResult::No});
  EXPECT_EQ(messages.asked.back().text,
            "Folgende Einstellungen werden geändert:\rcboxShowFileext: ein\rcboxShowAllFiles: ein"
            "\r\rMöchten Sie die Einstellungen jetzt vornehmen?");

  // Two more files, laid over by name (A, then B); a box changed by hand shows them again.
  const std::string head = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\" +
                           std::string(kAdvanced) + "]\r\n\"HideFileExt\"=dword:";
  surface.SetChecked("cboxShowAllFiles", false);
  messages.asked.clear();
  ReadAll({{"B.reg", Ansi(head + "0\r\n\"x\"=y\r\n[HKEY_CURRENT_ROOT\\T]\r\n")},
           {"A.reg", Ansi(head + "1\r\n")}});
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text,
            "Das Fenster zeigt die Auswahl aus 3 Dateien.\r2 Einstellungen weichen von diesem "
            "Computer ab.\r1 Eintrag der Dateien betrifft keine Einstellung dieses Fensters und "
            "bleibt unbeachtet.\r2 Zeilen konnten nicht gelesen werden und bleiben unbeachtet "
            "(erste: Zeile 4 in „B.reg“).\r\rEs wurde noch nichts geschrieben. „Einstellungen "
            "übernehmen“ übernimmt die Auswahl.");

  const bool shown = surface.Checked("cboxShowFileext");
  const Bytes big(kImportLimit + 1, 'x');
  const std::pair<std::optional<Bytes>, std::string> bad[] = {
      {Ansi(std::string(200, 'x')),
       "Die Registrierungsdatei ist ungültig. Zeile 1: " + std::string(80, 'x') + "…\r"},
      {Ansi("[HKEY_CURRENT_USER\\T]\r\n"), "Die Registrierungsdatei ist ungültig. Zeile 1"},
      {big, "Sie ist größer als 4 MB."},
      {std::nullopt, "Die Datei kann nicht gelesen werden."},
  };
  for (const auto& [file, why] : bad) {
    SCOPED_TRACE(why);
    messages.asked.clear();
    Read(file);
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].type, MsgType::Error);
    EXPECT_EQ(messages.asked[0].text.rfind(
                  "Die Datei „Auswahl.reg“ kann nicht geladen werden:\r" + why, 0),
              0u)
        << messages.asked[0].text;
    EXPECT_EQ(surface.Checked("cboxShowFileext"), shown);
  }
}

}  // namespace
}  // namespace tw::test
