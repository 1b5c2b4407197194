#pragma once

// The main window as the apply, undo and import flows see it, on the XP layout: controls, the
// remembered load, scripted answers, a progress log and a backup folder in memory.

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "apply_fakes.h"
#include "fake_system.h"
#include "flows/backup_flow.h"
#include "support/memory_backup_store.h"
#include "test_machine.h"

namespace tw::test {

class FlowWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachine();
    SetSystemBackend(&system);
    DeclareLayout(surface, Layout::XP);
  }
  void TearDown() override { SetSystemBackend(nullptr); }

  // Answers: the question, then what follows.
  void Apply(RunBackups& backups, std::deque<MsgResult> answers) {
    messages.answers = std::move(answers);
    ApplyWindow window{surface, standardViewShown, loaded, Progress(), Caption(), &backups};
    ApplySettings(window, Layout::XP);
  }
  void Undo(std::deque<MsgResult> answers, const std::string& computer) {
    messages.answers = std::move(answers);
    UndoWindow window{surface,  loaded,     store,      Machine(),
                      computer, Progress(), Layout::XP, Caption()};
    UndoLastApply(window);
  }
  std::function<std::unique_ptr<tw::Progress>(int)> Progress() {
    return [this](int max) { return std::make_unique<FakeProgress>(progress, max, messages); };
  }
  // Every control named by itself.
  static std::function<std::string(const std::string&)> Caption() {
    return [](const std::string& name) { return name; };
  }

  FakeSystem system;
  FakeSurface surface;
  MessageScript messages;
  ProgressLog progress;
  bool standardViewShown = false;
  LoadedControls loaded;
  MemoryBackupStore store;
};

}  // namespace tw::test
