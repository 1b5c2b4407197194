#pragma once

// Stand-ins for what the main window lends to applying, the standard view and the one-shot
// buttons: the controls of one layout, a progress window that records, a registry that counts
// every call.

#include <algorithm>
#include <memory>
#include <string>

#include "fake_surface.h"
#include "memory_registry.h"
#include "message_script.h"
#include "settings_apply.h"
#include "settings_load.h"

namespace tw::test {

// The controls of one layout as its read order names them, with the sliders' ranges. Touching a
// control of the other layout fails through Error.
inline void DeclareLayout(FakeSurface& surface, Layout layout) {
  for (const ReadStep& step : ReadOrder(layout)) {
    surface.Declare(step.control);
    if (step.background) surface.Declare(step.background);
    if (step.preview) surface.Declare(step.preview);
  }
  if (layout == Layout::XP) {
    surface.Slider("trackStartmenuDelay", 1, 400);
    surface.Slider("tbarBitBucket", 1, 100);
  } else {
    surface.Slider("tb20060528", 1, 400);
  }
  surface.Toggle(kCurrentSettingsButton);
  surface.Toggle("sbutXPStandard");
}

struct ProgressLog {
  int created = 0;
  int maximum = 0;
  int position = 0;
  bool shown = false;
  bool mayClose = false;
  bool destroyed = false;
  std::string label;
  int steps = 0;
  // How many messages had been shown when the window went.
  std::size_t messagesAtDestroy = 0;
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
  void AllowClose() override { log_.mayClose = true; }
  void Fill() override { log_.position = log_.maximum; }

 private:
  ProgressLog& log_;
  const MessageScript& messages_;
};

// Forwards to a registry and counts the calls.
class CountingRegistry : public RegistryApi {
 public:
  explicit CountingRegistry(RegistryApi& inner) : inner_(inner) {}
  long OpenKey(RegHandle p, const std::string& s, std::uint32_t a, RegHandle* o) override {
    return Count(inner_.OpenKey(p, s, a, o));
  }
  long CreateKey(RegHandle p, const std::string& s, std::uint32_t a, RegHandle* o) override {
    return Count(inner_.CreateKey(p, s, a, o));
  }
  long CloseKey(RegHandle k) override { return Count(inner_.CloseKey(k)); }
  long QueryValue(RegHandle k, const std::string& n, std::uint32_t* t, std::uint8_t* d,
                  std::uint32_t* s) override {
    return Count(inner_.QueryValue(k, n, t, d, s));
  }
  long SetValue(RegHandle k, const std::string& n, std::uint32_t t, const std::uint8_t* d,
                std::uint32_t s) override {
    return Count(inner_.SetValue(k, n, t, d, s));
  }
  long DeleteValue(RegHandle k, const std::string& n) override {
    return Count(inner_.DeleteValue(k, n));
  }
  long DeleteKey(RegHandle p, const std::string& s) override {
    return Count(inner_.DeleteKey(p, s));
  }
  long QueryInfoKey(RegHandle k, std::uint32_t* a, std::uint32_t* b, std::uint32_t* c) override {
    return Count(inner_.QueryInfoKey(k, a, b, c));
  }
  long EnumKey(RegHandle k, std::uint32_t i, char* n, std::uint32_t* l) override {
    return Count(inner_.EnumKey(k, i, n, l));
  }
  int calls = 0;

 private:
  long Count(long rc) {
    ++calls;
    return rc;
  }
  RegistryApi& inner_;
};

}  // namespace tw::test
