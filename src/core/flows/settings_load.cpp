#include "flows/settings_load.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "catalogue/computed_tweaks.h"
#include "registry/registry.h"

namespace tw {
namespace {

// Built on first use: the getters come from the catalogue.
std::vector<ReadStep> BuildReadOrder(Layout layout) {
  std::vector<ReadStep> steps;
  for (const char* control : BindingsOf(layout).readOrder) {
    const Binding& b = BindingOf(layout, control);
    if (b.arg == Arg::SearchOptions) {
      // Each box reads its own value of the tweak.
      const std::vector<const char*> boxes = StepControls(b);
      const auto at = std::find_if(boxes.begin(), boxes.end(),
                                   [&](const char* box) { return std::strcmp(box, control) == 0; });
      steps.emplace_back(control, b.put,
                         TweakRef(b.tweak.name, kSearchOptionNames[at - boxes.begin()]));
      continue;
    }
    const bool pair = b.put == Put::ColourPair;
    steps.emplace_back(control, b.put, b.tweak, b.equals, pair ? b.controls[1] : nullptr,
                       b.preview);
  }
  return steps;
}

struct Answer {
  int number = 0;
  std::string text;
};

Answer Ask(const Getter& getter) {
  return std::visit(
      Overloaded{[](std::monostate) { return Answer{}; },
                 [](const TweakRow* row) {
                   return Answer{row->numberGetter ? ReadTweakNumber(*row) : ReadTweak(*row), ""};
                 },
                 [](bool (*get)()) {
                   return Answer{get(), ""};
                 },
                 [](int (*get)()) {
                   return Answer{get(), ""};
                 },
                 [](std::string (*get)()) {
                   return Answer{0, get()};
                 },
                 [](const NamedGetter& named) {
                   return Answer{named.get(named.argument), ""};
                 }},
      getter);
}

void Deliver(ControlSurface& surface, const ReadStep& step, const Answer& a) {
  switch (step.put) {
    case Put::Checked:
      surface.SetChecked(step.control, a.number != 0);
      break;
    case Put::NotChecked:
      surface.SetChecked(step.control, a.number == 0);
      break;
    case Put::CheckedIfEquals:
      surface.SetChecked(step.control, a.number == step.equals);
      break;
    case Put::Position:
      surface.SetPosition(step.control, a.number);
      break;
    case Put::Enabled:
      surface.SetEnabled(step.control, a.number != 0);
      break;
    case Put::Text:
      surface.SetText(step.control, a.text);
      surface.Repaint(step.control);
      break;
    case Put::ColourPair: {
      const ColourPair pair = ConsoleColourPair(a.number);
      surface.SetItemIndex(step.control, pair.text);
      surface.Repaint(step.control);
      surface.SetItemIndex(step.background, pair.background);
      surface.Repaint(step.background);
      surface.Repaint(step.preview);
      break;
    }
  }
}

}  // namespace

const std::vector<ReadStep>& ReadOrder(Layout layout) {
  static const std::vector<ReadStep> orders[] = {BuildReadOrder(Layout::XP),
                                                 BuildReadOrder(Layout::Vista)};
  return orders[layout == Layout::XP ? 0 : 1];
}

ColourPair ConsoleColourPair(int value) {
  ColourPair pair{value & 15, (value >> 4) & 15};
  if (pair.text == 0 && pair.background == 0) pair = {7, 0};
  return pair;
}

bool LoadSettings(ControlSurface& surface, const std::vector<ReadStep>& order) {
  RegistryBatch batch;
  if (!batch.opened()) return false;
  for (const ReadStep& step : order) {
    Answer answer;
    try {
      answer = Ask(step.get);
    } catch (const std::exception&) {
      // Unreadable data (a number stored as text that is none): this control keeps what it
      // showed, and the rest of the window is still read.
      continue;
    }
    Deliver(surface, step, answer);
  }
  surface.SetChecked(kCurrentSettingsButton, true);
  return true;
}

void LoadCurrentSettings(ControlSurface& surface) {
  if (const std::optional<Layout> layout = RunningLayout())
    LoadSettings(surface, ReadOrder(*layout));
}

void LoadAndRemember(ControlSurface& controls, LoadedControls& loaded) {
  const std::optional<Layout> layout = RunningLayout();
  if (!layout) return;
  // A reading that could not open the registry changed no control: the user's changes since
  // the last load stay changes.
  if (LoadSettings(controls, ReadOrder(*layout)) || loaded.steps.empty())
    loaded = RememberLoaded(controls, *layout);
}

}  // namespace tw
