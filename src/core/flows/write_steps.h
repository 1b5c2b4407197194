#pragma once

// The write sequence of a layout (one setter call per write), what the controls of each write
// show, and what they showed after the last load: what apply compares with.

#include <string>
#include <vector>

#include "flows/bindings.h"
#include "flows/control_surface.h"
#include "flows/imported_files.h"

namespace tw {

// A binding in the write sequence.
using WriteStep = Binding;
// The write sequence of a layout, from its bindings: 85 writes on XP, 56 on Vista.
const std::vector<WriteStep>& WriteSequence(Layout layout);

// What the controls of one write show: box states (1 checked), a slider position or list
// indexes in numbers, a label's text in text.
struct StepState {
  std::vector<int> numbers;
  std::string text;
  bool operator==(const StepState& o) const { return numbers == o.numbers && text == o.text; }
  bool operator!=(const StepState& o) const { return !(*this == o); }
};

// What the controls of a write show now.
StepState StepShown(const ControlSurface& controls, const WriteStep& step);
// Calls the write's setter with what its controls showed. The setter's result: false when it
// reports failure (which counts only together with a refusal the registry layer recorded;
// removing what is not there also reports false).
bool MakeWrite(const WriteStep& step, const StepState& state);

// What every write's controls showed after the last load; empty before the first.
struct LoadedControls {
  Layout layout = Layout::XP;
  std::vector<StepState> steps;
  ImportedFiles imported;  // laid over this load; none after a new one
};
LoadedControls RememberLoaded(const ControlSurface& controls, Layout layout);

}  // namespace tw
