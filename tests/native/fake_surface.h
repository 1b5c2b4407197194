#pragma once

// The main window's controls as plain state, for running the load sequence natively. Every
// control a sequence touches must be declared first; an unknown name fails the test through
// Error, as the real window does.

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "flows/control_surface.h"
#include "system/error.h"

namespace tw::test {

class FakeSurface : public ControlSurface {
 public:
  struct State {
    bool checked = false;
    int position = 0;
    int min = 0, max = 0;  // sliders
    int itemIndex = -1;
    std::string text;
    bool enabled = true;
    bool toggle = false;
    int repaints = 0;
    int changes = 0;  // slider change handler runs
  };

  State& Declare(const std::string& name) { return controls_[name]; }
  State& Slider(const std::string& name, int min, int max) {
    State& s = Declare(name);
    s.min = min;
    s.max = max;
    s.position = min;
    return s;
  }
  State& Toggle(const std::string& name) {
    State& s = Declare(name);
    s.toggle = true;
    return s;
  }
  const State& operator[](const std::string& name) const { return Get(name); }

  bool Checked(const std::string& name) const override { return Get(name).checked; }
  void SetChecked(const std::string& name, bool checked) override {
    State& s = Get(name);
    s.checked = checked;
    if (!s.toggle || !checked) return;
    for (auto& [other, state] : controls_) {
      if (state.toggle && other != name) state.checked = false;
    }
  }
  int Position(const std::string& name) const override { return Get(name).position; }
  void SetPosition(const std::string& name, int position) override {
    State& s = Get(name);
    const int clamped = std::clamp(position, s.min, s.max);
    if (clamped == s.position) return;
    s.position = clamped;
    ++s.changes;
  }
  int ItemIndex(const std::string& name) const override { return Get(name).itemIndex; }
  void SetItemIndex(const std::string& name, int index) override { Get(name).itemIndex = index; }
  std::string Text(const std::string& name) const override { return Get(name).text; }
  void SetText(const std::string& name, const std::string& text) override { Get(name).text = text; }
  bool Enabled(const std::string& name) const override { return Get(name).enabled; }
  void SetEnabled(const std::string& name, bool enabled) override { Get(name).enabled = enabled; }
  void Repaint(const std::string& name) override { ++Get(name).repaints; }

 private:
  State& Get(const std::string& name) {
    auto it = controls_.find(name);
    if (it == controls_.end()) throw Error("unknown control " + name);
    return it->second;
  }
  const State& Get(const std::string& name) const {
    auto it = controls_.find(name);
    if (it == controls_.end()) throw Error("unknown control " + name);
    return it->second;
  }

  std::map<std::string, State> controls_;
};

}  // namespace tw::test
