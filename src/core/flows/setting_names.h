#pragma once

// How the messages name settings: a caption as one line, what a write's controls show ("ein",
// "5 ms"), the setting of a tweak's registry place, and the lists of settings in the questions
// and reports of apply, undo and export.

#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "flows/write_steps.h"

namespace tw {

// A caption as one line of a message (no accelerator marks or line breaks); the control's name
// when it has none.
std::string MessageCaption(const std::function<std::string(const std::string&)>& caption,
                           const std::string& control);
// What the controls of a write show, as a message names it: "ein"/"aus" for the box at index
// control, a slider's number and unit, the folder, "Text E, Hintergrund 1".
std::string ShownValue(const WriteStep& step, const StepState& state, std::size_t control);

// The caption of the control of layout that shows a location of a tweak (a search option's box,
// a search provider's box), as the messages name it; "" when no write of the layout has it.
std::string CaptionOfLocation(Layout layout,
                              const std::function<std::string(const std::string&)>& caption,
                              const TweakInfo& tweak, std::size_t location);

// One setting a run changes, as the messages name it.
struct SettingChange {
  std::string caption;  // "Sprechblasen abschalten"
  std::string before;   // "Sprechblasen abschalten: aus"; "" when no load was remembered
  std::string after;    // "Sprechblasen abschalten: ein"
};

// A report of settings that did not take effect: the heading, the captions, and with adminHint
// the hint on administrator rights.
std::string NotAppliedReport(const std::string& heading, const std::vector<std::string>& captions,
                             bool adminHint);
// The error text of a run whose settings did not all take effect: the settings' captions, one
// a line, cut short with "und n weitere" after 15 lines, and with adminHint the hint on
// administrator rights.
std::string NotAppliedReport(const std::vector<std::string>& captions, bool adminHint);
// The question before a run: one line per change, at most 15, then "… und n weitere".
std::string ConfirmationText(const std::vector<std::string>& changes);

}  // namespace tw
