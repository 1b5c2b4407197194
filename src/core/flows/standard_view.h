#pragma once

// The Windows standard view: fills the controls of the visible layout with the values Windows
// itself uses when no tweak is applied. Sets controls only; nothing is read or written.

#include <vector>

#include "flows/control_surface.h"
#include "flows/settings_load.h"

namespace tw {

enum class Standard { Checked, Untouched, Position, Item, Text, Enabled };

// A control whose standard differs from "unchecked". Every other check box of the layout's
// write sequence is unchecked in the standard view.
struct StandardValue {
  const char* control;
  Standard what;
  int value = 0;               // Position, Item
  const char* text = nullptr;  // Text
};

struct StandardTable {
  std::vector<StandardValue> values;
};

const StandardTable& StandardValues(Layout layout);
// The control's entry in the layout's table; none for an unchecked box.
const StandardValue* StandardOf(Layout layout, const char* control);

// Sets the layout's standard values and redraws the colour lists and the preview.
void ShowStandard(ControlSurface& controls, Layout layout);
// The standard-view button: the layout of the running Windows, then the view counts as shown
// (closing asks first) whether the button went down or up.
void sbutXPStandardClick(ControlSurface& controls, bool& standardViewShown);

}  // namespace tw
