#pragma once

// What the main window lends to applying and the standard view, as test doubles: the controls
// of one layout, and a progress window that records what the run did with it.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fake_surface.h"
#include "flows/settings_apply.h"
#include "flows/settings_load.h"
#include "message_script.h"
#include "support/memory_registry.h"

namespace tw::test {

// The controls of one layout as its read order names them; those of the other layout do not
// exist, so touching them fails through Error.
inline void DeclareLayout(FakeSurface& surface, Layout layout) {
  for (const ReadStep& step : ReadOrder(layout)) {
    for (const char* name : {step.control, step.background, step.preview}) {
      if (name) surface.Declare(name);
    }
  }
  surface.Slider(layout == Layout::XP ? "trackStartmenuDelay" : "tb20060528", 1, 400);
  if (layout == Layout::XP) surface.Slider("tbarBitBucket", 1, 100);
  surface.Toggle(kCurrentSettingsButton);
  surface.Toggle("sbutXPStandard");
}

// True while nothing at all has been written.
inline bool Untouched(const MemoryRegistry& machine) {
  for (RegRoot root : {HKCR, HKCU, HKLM}) {
    if (!machine.SubKeys(root, "").empty() || !machine.ValueNames(root, "").empty()) return false;
  }
  return true;
}

struct ProgressLog {
  int created = 0, maximum = 0, position = 0, steps = 0;
  bool shown = false, mayClose = false, destroyed = false;
  std::string label;
  std::vector<std::string> stepTexts;  // what ShowStep showed
  std::size_t messagesAtDestroy = 0;   // messages shown before the window went
  std::function<void()> onAllowClose;  // runs between the writes and the reload
};

class FakeProgress : public Progress {
 public:
  FakeProgress(ProgressLog& log, int maximum, const MessageScript& messages)
      : log_(log), messages_(messages) {
    ++log_.created;
    log_.maximum = maximum;
  }
  ~FakeProgress() override {
    log_.destroyed = true;
    log_.messagesAtDestroy = messages_.asked.size();
  }
  void Show() override { log_.shown = true; }
  void StepProgress() override {
    ++log_.steps;
    log_.position = std::min(log_.position + 1, log_.maximum);
    log_.label = ProgressText(log_.position, log_.maximum);
  }
  void ShowStep(const std::string& text) override { log_.stepTexts.push_back(text); }
  void AllowClose() override {
    log_.mayClose = true;
    if (log_.onAllowClose) log_.onAllowClose();
  }
  void Fill() override { log_.position = log_.maximum; }

 private:
  ProgressLog& log_;
  const MessageScript& messages_;
};

}  // namespace tw::test
