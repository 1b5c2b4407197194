// Every registry call of a whole session on a seeded machine, written down: the start-up load,
// an apply run that changes every write of the layout (with its backup), the reload, an export
// and the undo. With TRIMMWERK_REGISTRY_TRACE naming a file, the calls are written there, so
// that two builds of the program can be compared call for call.

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "apply_fakes.h"
#include "catalogue_machine.h"
#include "fake_system.h"
#include "flows/backup_flow.h"
#include "flows/export_selection.h"
#include "machine_snapshot.h"
#include "registry/registry.h"
#include "support/memory_backup_store.h"
#include "test_machine.h"
#include "tracing_registry.h"

namespace tw::test {
namespace {

const RunTime kRun = {2026, 12, 8, 7, 5, 9};

// The calls of each part of the log, by the part's name.
std::map<std::string, std::vector<std::string>> Parts(const std::string& log) {
  std::map<std::string, std::vector<std::string>> parts;
  std::vector<std::string>* part = nullptr;
  std::size_t at = 0;
  while (at < log.size()) {
    const std::size_t end = log.find('\n', at);
    const std::string line = log.substr(at, end - at);
    at = end + 1;
    if (line.rfind("== ", 0) == 0) {
      part = &parts[line.substr(3)];
    } else if (part) {
      part->push_back(line);
    }
  }
  return parts;
}

bool StartsWithAny(const std::string& line, std::initializer_list<const char*> calls) {
  for (const char* call : calls) {
    if (line.rfind(std::string(call) + " ", 0) == 0) return true;
  }
  return false;
}

bool Writes(const std::string& line) {
  return StartsWithAny(line, {"CreateKey", "CreateKeyW", "SetValue", "SetValueW", "DeleteValue",
                              "DeleteValueW", "DeleteKey", "DeleteKeyW"});
}

// Keys opened or created, less keys closed.
int OpenLeft(const std::vector<std::string>& calls) {
  int open = 0;
  for (const std::string& line : calls) {
    if (StartsWithAny(line, {"OpenKey", "OpenKeyW", "CreateKey", "CreateKeyW"}) &&
        line.find(" = 0 -> ") != std::string::npos)
      ++open;
    if (StartsWithAny(line, {"CloseKey"})) --open;
  }
  return open;
}

class RegistryTrace : public ::testing::Test {
 protected:
  // One session on a machine where every key of the catalogue exists and some values, hostile
  // ones among them, are set.
  std::string Session(Layout layout) {
    ResetMachine();
    FakeSystem system;
    if (layout == Layout::Vista) system.SetVersion(6, 0, 6002, 2, "Service Pack 2", 1, 0x100);
    SetSystemBackend(&system);
    fuzz::SeedCatalogueMachine(*MemoryMachine());
    HostileValues hostile(Machine());
    TracingRegistry trace(Machine());
    RegistryBackendScope onTrace(trace);
    FakeSurface surface;
    DeclareLayout(surface, layout);
    MessageScript messages;
    ProgressLog progress;
    LoadedControls loaded;
    MemoryBackupStore store;
    const auto createProgress = [&](int max) {
      return std::make_unique<FakeProgress>(progress, max, messages);
    };
    const auto caption = [](const std::string& name) { return name; };

    trace.Mark("load");
    LoadAndRemember(surface, loaded);
    const Snapshot before = CatalogueSnapshot(*MemoryMachine());

    // Every write of the layout changed: each box turned over, the sliders, colours and the
    // folder set to values of their own.
    for (const WriteStep& w : WriteSequence(layout)) {
      for (const char* name : StepControls(w)) {
        if (WritesBoxes(w.arg)) surface.SetChecked(name, !surface.Checked(name));
        if (w.arg == Arg::Position) surface.SetPosition(name, surface.Position(name) == 7 ? 8 : 7);
        if (w.arg == Arg::ColourPair) surface.SetItemIndex(name, name == w.controls[0] ? 14 : 1);
        if (w.arg == Arg::LabelText) surface.SetText(name, "D:\\Software");
      }
    }
    trace.Mark("apply");
    StoreBackups backups(store, [] {
      BackupHeader h;
      h.time = kRun;
      h.utc = kRun;
      h.computer = "PC-1";
      return h;
    });
    bool standardViewShown = false;
    ApplyWindow apply{surface, standardViewShown, loaded, createProgress, caption, &backups};
    messages.answers = {MsgResult::Yes, MsgResult::Ok, MsgResult::No};
    ApplySettings(apply, layout);
    EXPECT_EQ(messages.asked.size(), 3u);

    trace.Mark("reload");
    LoadAndRemember(surface, loaded);

    trace.Mark("export");
    EXPECT_FALSE(ExportSelection(trace, surface, layout, caption, kRun, "PC-1").empty());

    trace.Mark("undo");
    UndoWindow undo{surface, loaded, store, trace, "PC-1", createProgress, layout, caption};
    messages.answers = {MsgResult::Yes, MsgResult::Ok};
    EXPECT_TRUE(UndoLastApply(undo));
    EXPECT_EQ(messages.asked.back().text, "Vorgang erfolgreich abgeschlossen!");
    EXPECT_TRUE(Differences(before, CatalogueSnapshot(*MemoryMachine())).empty());

    SetSystemBackend(nullptr);
    return trace.log;
  }
};

TEST_F(RegistryTrace, LoadingAndExportingWriteNothingAndEveryPartClosesItsKeys) {
  std::string all;
  for (Layout layout : {Layout::XP, Layout::Vista}) {
    const std::string name = layout == Layout::XP ? "XP" : "Vista";
    SCOPED_TRACE(name);
    const std::string log = Session(layout);
    all += "=== " + name + "\n" + log;
    const auto parts = Parts(log);
    ASSERT_EQ(parts.size(), 5u);
    for (const auto& [part, calls] : parts) {
      EXPECT_FALSE(calls.empty()) << part;
      EXPECT_EQ(OpenLeft(calls), 0) << part;
      const bool writes = std::any_of(calls.begin(), calls.end(), Writes);
      EXPECT_EQ(writes, part == "apply" || part == "undo") << part;
    }
  }
  if (const char* file = std::getenv("TRIMMWERK_REGISTRY_TRACE")) {
    std::ofstream(file, std::ios::binary) << all;
  }
}

}  // namespace
}  // namespace tw::test
