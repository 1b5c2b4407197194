#pragma once

// Applying: the two fixed write sequences (one setter call per write) and the apply run that
// writes every control of the visible layout, re-reads the machine and reports what took effect.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control_surface.h"
#include "settings_load.h"
#include "unittweak.h"

namespace tw {

// How the controls of a write become the setter's arguments.
enum class Arg {
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

// One setter; the pointer that Arg calls for is set.
struct Setter {
  bool (*flag)(bool) = nullptr;
  bool (*number)(int) = nullptr;
  bool (*pair)(int, int) = nullptr;
  bool (*options)(int, int, int, int, int) = nullptr;
  bool (*text)(const std::string&) = nullptr;
  bool (*provider)(bool, const std::string&, const std::string&) = nullptr;
};

struct WriteStep {
  Arg arg;
  std::array<const char*, 5> controls;  // the controls read, unused places null
  Setter set;
  const SearchProvider* provider = nullptr;  // SearchProvider
  const char* reportAs = nullptr;  // a control whose caption names this setting, if not its own
};

// The write sequence of a layout: 85 writes on XP, 56 on Vista.
const std::vector<WriteStep>& WriteSequence(Layout layout);
// The controls of a write that are in use.
std::vector<const char*> StepControls(const WriteStep& step);

// The progress window of a run. Created shown-less with the bar at 0 of its maximum; destroying
// the object destroys the window (never through its close query).
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Show() = 0;
  // One bar step; the label then reads ProgressText(position, maximum).
  virtual void StepProgress() = 0;
  // From now on the user may close the window (ProgressCanClose).
  virtual void AllowClose() = 0;
  // Sets the bar to its maximum.
  virtual void Fill() = 0;
};

// "Einstellung 12/85".
std::string ProgressText(int position, int maximum);

// The error text of a run whose settings did not all take effect: the settings' captions, one
// a line, cut short with "und n weitere" after 15 lines, and the hint on administrator rights.
std::string NotAppliedReport(const std::vector<std::string>& captions);

// What an apply run needs from the main window.
struct ApplyWindow {
  ControlSurface& controls;
  bool& standardViewShown;
  // Creates the progress window with the bar's maximum.
  std::function<std::unique_ptr<Progress>(int maximum)> createProgress;
  // The caption that names a control to the user: its own, or its group's when it has none.
  std::function<std::string(const std::string& control)> caption;
};

// Asks, writes the sequence inside a registry batch with one progress step per write, reloads
// the controls and reports. When a control does not show afterwards what it asked for, the
// report names those settings instead of claiming success. A setter that raises ends the run
// at that write with an error box; the controls are reloaded first.
void ApplySettings(ApplyWindow& window, Layout layout);
void ApplySettingsXP(ApplyWindow& window);
void ApplySettingsVista(ApplyWindow& window);
// The apply button: the layout of the running Windows; on any other version nothing.
void butApplyClick(ApplyWindow& window);

}  // namespace tw
