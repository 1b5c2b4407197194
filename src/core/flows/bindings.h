#pragma once

// Which tweak each control of a layout shows, and how: one binding per tweak the window reads
// or writes. The read order and the write sequence of a layout are lists of control names that
// pick their bindings from this table, so a tweak is named once per layout.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/tweak_access.h"

namespace tw {

enum class Layout { XP, Vista };
// The layout of the running Windows (XP or Vista), asked anew on each call; none on any other.
std::optional<Layout> RunningLayout();

// How a getter's answer reaches its control.
enum class Put {
  Checked,          // checked = answer
  NotChecked,       // checked = not answer
  CheckedIfEquals,  // checked = (answer = equals)
  Position,         // slider position = answer (the slider clamps it)
  Enabled,          // enabled = answer
  Text,             // label text = answer, then the label is repainted
  ColourPair,       // the colour pair rule on control (text list) and background
};

// How the controls of a write become the setter's arguments.
enum class Arg {
  None,            // never written (a one-shot button)
  NegatedCheck,    // one box: not checked
  Position,        // one slider: its position
  ColourPair,      // text list, background list: their item indexes
  SearchOptions,   // five boxes: each 1 when checked, 0 when not
  LabelText,       // one label: its text
  SearchProvider,  // one box: not checked, with the provider's name and address
};

// Whether the controls of a write are check boxes.
inline bool WritesBoxes(Arg arg) {
  return arg == Arg::NegatedCheck || arg == Arg::SearchOptions || arg == Arg::SearchProvider;
}

// A tweak and the controls that show it. A tweak that several controls show together (the
// colour pair, the five search options) is one binding named by its first control; each of
// its controls is read on its own where the read order lists it.
struct Binding {
  Put put;                              // how a read reaches each control
  Arg arg;                              // how a write reads them
  std::array<const char*, 5> controls;  // unused places null
  TweakRef tweak;
  int equals = 0;                  // CheckedIfEquals
  const char* reportAs = nullptr;  // a control whose caption names this setting, if not its own
  const char* unit = nullptr;      // Position: what the page shows after the number (" ms")
  const char* preview = nullptr;   // ColourPair: the preview box repainted after a read
};

// The bindings of a layout and its two orders, by control name: the read order names every
// control read (each of a binding's controls), the write sequence each written binding once.
struct LayoutBindings {
  std::vector<Binding> bindings;
  std::vector<const char*> readOrder;
  std::vector<const char*> writeSequence;
};
const LayoutBindings& BindingsOf(Layout layout);

// The binding of a layout that holds control (as any of its controls); std::logic_error when
// none does.
const Binding& BindingOf(Layout layout, const std::string& control);

// The controls of a binding that are in use.
std::vector<const char*> StepControls(const Binding& binding);

}  // namespace tw
