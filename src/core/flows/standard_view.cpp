#include "flows/standard_view.h"

#include <cstring>

#include "flows/write_steps.h"

namespace tw {
namespace {

// The checked shutdown box stands for "page file not cleared", which is Windows' standard.
const StandardTable kStandardXP = {
    {
        {"cboxFastWindowsShutdown", Standard::Checked},
        // The privacy boxes keep what they show: their standard is a matter of choice.
        {"cboxHidePlayerID", Standard::Untouched},
        {"cboxDeactivateWindowsAuth", Standard::Untouched},
        {"trackStartmenuDelay", Standard::Position, 400},
        {"combxTextColor", Standard::Item, 7},
        {"combxBackgroundColor", Standard::Item, 0},
        {"tbarBitBucket", Standard::Position, 10},
        {"labProgramDir", Standard::Text, 0, "C:\\Programme"},
    },
};

const StandardTable kStandardVista = {
    {
        {"cb20060515", Standard::Checked},
        {"cb20061019", Standard::Checked},
        {"tb20060528", Standard::Position, 400},
        {"combx20060817a", Standard::Item, 7},
        {"combx20060817b", Standard::Item, 0},
        {"but20060541", Standard::Enabled, 1},
    },
};

}  // namespace

const StandardTable& StandardValues(Layout layout) {
  return layout == Layout::XP ? kStandardXP : kStandardVista;
}

const StandardValue* StandardOf(Layout layout, const char* control) {
  for (const StandardValue& v : StandardValues(layout).values) {
    if (std::strcmp(v.control, control) == 0) return &v;
  }
  return nullptr;
}

void ShowStandard(ControlSurface& controls, Layout layout) {
  const WriteStep* colours = nullptr;
  for (const WriteStep& step : WriteSequence(layout)) {
    if (step.arg == Arg::ColourPair) colours = &step;
    if (!WritesBoxes(step.arg)) continue;
    for (const char* box : StepControls(step)) {
      if (!StandardOf(layout, box)) controls.SetChecked(box, false);
    }
  }
  for (const StandardValue& v : StandardValues(layout).values) {
    switch (v.what) {
      case Standard::Checked:
        controls.SetChecked(v.control, true);
        break;
      case Standard::Untouched:
        break;
      case Standard::Position:
        controls.SetPosition(v.control, v.value);
        break;
      case Standard::Item:
        controls.SetItemIndex(v.control, v.value);
        break;
      case Standard::Text:
        controls.SetText(v.control, v.text);
        controls.Repaint(v.control);
        break;
      case Standard::Enabled:
        controls.SetEnabled(v.control, v.value != 0);
        break;
    }
  }
  // Setting an item index runs no change handler, so the lists and the preview are redrawn here.
  if (colours) {
    controls.Repaint(colours->controls[0]);
    controls.Repaint(colours->controls[1]);
    controls.Repaint(colours->preview);
  }
}

void sbutXPStandardClick(ControlSurface& controls, bool& standardViewShown) {
  if (const std::optional<Layout> layout = RunningLayout()) ShowStandard(controls, *layout);
  standardViewShown = true;
}

}  // namespace tw
