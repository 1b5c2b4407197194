#include "flows/write_steps.h"

#include <stdexcept>

#include "catalogue/computed_tweaks.h"

namespace tw {
namespace {

const SearchProvider& ProviderNamed(const std::string& name) {
  for (const SearchProvider& p : kSearchProviders) {
    if (name == p.name) return p;
  }
  throw std::logic_error("no search provider " + name);
}

}  // namespace

StepState StepShown(const ControlSurface& c, const WriteStep& step) {
  StepState s;
  for (const char* name : StepControls(step)) {
    switch (step.arg) {
      case Arg::None:
        break;
      case Arg::NegatedCheck:
      case Arg::SearchOptions:
      case Arg::SearchProvider:
        s.numbers.push_back(c.Checked(name) ? 1 : 0);
        break;
      case Arg::Position:
        s.numbers.push_back(c.Position(name));
        break;
      case Arg::ColourPair:
        s.numbers.push_back(c.ItemIndex(name));
        break;
      case Arg::LabelText:
        s.text = c.Text(name);
        break;
    }
  }
  return s;
}

bool MakeWrite(const WriteStep& step, const StepState& s) {
  const std::vector<int>& n = s.numbers;
  return std::visit(Overloaded{[](std::monostate) { return false; },
                               [&](const TweakRow* row) { return WriteTweak(*row, n[0] == 0); },
                               [&](bool (*set)(bool)) { return set(n[0] == 0); },
                               [&](bool (*set)(int)) { return set(n[0]); },
                               [&](bool (*set)(int, int)) { return set(n[0], n[1]); },
                               [&](bool (*set)(int, int, int, int, int)) {
                                 return set(n[0], n[1], n[2], n[3], n[4]);
                               },
                               [&](bool (*set)(const std::string&)) { return set(s.text); },
                               [&](bool (*set)(bool, const std::string&, const std::string&)) {
                                 const SearchProvider& p = ProviderNamed(step.tweak.argument);
                                 return set(n[0] == 0, p.name, p.address);
                               }},
                    TweakSetter(step.tweak.name));
}

const std::vector<WriteStep>& WriteSequence(Layout layout) {
  const auto build = [](Layout l) {
    std::vector<WriteStep> steps;
    for (const char* control : BindingsOf(l).writeSequence) steps.push_back(BindingOf(l, control));
    return steps;
  };
  static const std::vector<WriteStep> sequences[] = {build(Layout::XP), build(Layout::Vista)};
  return sequences[layout == Layout::XP ? 0 : 1];
}

LoadedControls RememberLoaded(const ControlSurface& controls, Layout layout) {
  LoadedControls loaded{layout, {}, {}};
  for (const WriteStep& step : WriteSequence(layout))
    loaded.steps.push_back(StepShown(controls, step));
  return loaded;
}

}  // namespace tw
