#include "flows/setting_names.h"

#include "catalogue/console_palette.h"
#include "flows/texts.h"
#include "registry/codepage.h"
#include "system/messages.h"
#include "system/system_helpers.h"

namespace tw {

using namespace text;

std::string MessageCaption(const std::function<std::string(const std::string&)>& caption,
                           const std::string& control) {
  // Without accelerator marks, line breaks or outer blanks.
  const std::string shown = caption(control);
  std::string out;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const char c = shown[i];
    if (c == '&' && i + 1 < shown.size() && shown[i + 1] != '&') continue;
    if (c == '&') ++i;
    out += (c == '\r' || c == '\n') ? ' ' : c;
  }
  const std::string plain = TrimBlanks(out);
  return plain.empty() ? control : plain;
}

std::string CaptionOfLocation(Layout layout,
                              const std::function<std::string(const std::string&)>& caption,
                              const TweakInfo& tweak, std::size_t location) {
  const RegLocation& at = tweak.locations[location];
  for (const WriteStep& step : WriteSequence(layout)) {
    if (tweak.name != step.tweak.name) continue;
    // A search provider's key ends in its name.
    if (step.arg == Arg::SearchProvider &&
        FoldName(AnsiToWide(at.key.substr(at.key.rfind('\\') + 1))) !=
            FoldName(AnsiToWide(step.tweak.argument)))
      continue;
    const std::vector<const char*> controls = StepControls(step);
    // The search options' locations are in the order of their boxes.
    const char* control = step.arg == Arg::SearchOptions && location < controls.size()
                              ? controls[location]
                          : step.reportAs ? step.reportAs
                                          : controls[0];
    return MessageCaption(caption, control);
  }
  return "";
}

std::string ShownValue(const WriteStep& step, const StepState& s, std::size_t control) {
  switch (step.arg) {
    case Arg::None:
      return "";
    case Arg::NegatedCheck:
    case Arg::SearchProvider:
    case Arg::SearchOptions:
      return s.numbers[control] != 0 ? kOn : kOff;
    case Arg::Position:
      return std::to_string(s.numbers[0]) + (step.unit ? step.unit : "");
    case Arg::LabelText:
      return s.text;
    case Arg::ColourPair:
      // As the colour lists show them.
      return "Text " + ColourDigit(s.numbers[0]) + ", Hintergrund " + ColourDigit(s.numbers[1]);
  }
  return "";
}

std::string NotAppliedReport(const std::string& heading, const std::vector<std::string>& captions,
                             bool adminHint) {
  const std::string text = heading + ListLines(captions);
  return adminHint ? text + "\r\r" + kAdminHint : text;
}

std::string NotAppliedReport(const std::vector<std::string>& captions, bool adminHint) {
  return NotAppliedReport(kNotApplied, captions, adminHint);
}

std::string ConfirmationText(const std::vector<std::string>& changes) {
  return kChanges + ListLines(changes) + "\r\r" + kConfirmApply;
}

}  // namespace tw
