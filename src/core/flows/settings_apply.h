#pragma once

// Applying: the write sequence of a layout (one setter call per write) and the apply run that
// writes what the user changed since the last load, re-reads the machine and reports what took
// effect.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/computed_tweaks.h"
#include "catalogue/tweak_access.h"
#include "flows/control_surface.h"
#include "flows/imported_files.h"
#include "flows/settings_load.h"

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

// The progress window of a run. Created shown-less with the bar at 0 of its maximum; destroying
// the object destroys the window (never through its close query).
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Show() = 0;
  // One bar step; the label then reads ProgressText(position, maximum).
  virtual void StepProgress() = 0;
  // A step before the first write: the label reads text until the next bar step.
  virtual void ShowStep(const std::string& text) = 0;
  // From now on the user may close the window (ProgressCanClose).
  virtual void AllowClose() = 0;
  // Sets the bar to its maximum.
  virtual void Fill() = 0;
};

// "Einstellung 12/85".
std::string ProgressText(int position, int maximum);

// The error text of a run whose settings did not all take effect: the settings' captions, one
// a line, cut short with "und n weitere" after 15 lines, and with adminHint the hint on
// administrator rights.
std::string NotAppliedReport(const std::vector<std::string>& captions, bool adminHint);
// The question before a run: one line per change, at most 15, then "… und n weitere".
std::string ConfirmationText(const std::vector<std::string>& changes);

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

// A report of settings that did not take effect: the heading, the captions, and with adminHint
// the hint on administrator rights.
std::string NotAppliedReport(const std::string& heading, const std::vector<std::string>& captions,
                             bool adminHint);

// One setting a run changes, as the messages name it.
struct SettingChange {
  std::string caption;  // "Sprechblasen abschalten"
  std::string before;   // "Sprechblasen abschalten: aus"; "" when no load was remembered
  std::string after;    // "Sprechblasen abschalten: ein"
};

// What is kept of a run's backup once the run is over.
enum class KeptBackup {
  None,       // nothing to undo: none was written, or nothing the run wrote took effect
  Changed,    // the values from before the changes that took effect
  BeforeRun,  // cutting it down failed: it still holds every value from before the run
};

// Keeps a backup of what a run changes, so that it can be undone.
class RunBackups {
 public:
  virtual ~RunBackups() = default;
  // Before the first write: saves what writes() would change (it runs them against an overlay,
  // never against the machine). False when the run must not start: no backup could be saved
  // and the user chose not to go on without one.
  virtual bool Before(const std::function<void()>& writes,
                      const std::vector<SettingChange>& changes) = 0;
  // After the run and its reload, with the changes that took effect: what remains to undo.
  virtual KeptBackup After(const std::vector<SettingChange>& tookEffect) = 0;
};

// What an apply run needs from the main window.
struct ApplyWindow {
  ControlSurface& controls;
  bool& standardViewShown;
  // What the controls showed after the last load; the run replaces it after its reload.
  LoadedControls& loaded;
  // Creates the progress window with the bar's maximum.
  std::function<std::unique_ptr<Progress>(int maximum)> createProgress;
  // The caption that names a control to the user: its own, or its group's when it has none.
  std::function<std::string(const std::string& control)> caption;
  // Backups of the runs; none without.
  RunBackups* backups = nullptr;
};

// The settings whose controls differ from the last load: what the confirmation of a run would
// list.
std::vector<SettingChange> PendingChanges(
    const ControlSurface& controls, const LoadedControls& loaded, Layout layout,
    const std::function<std::string(const std::string&)>& caption);

// Writes only what differs from the last load. With nothing changed it says so and touches
// nothing. Otherwise it asks, naming the changes (where a restore point can be made, the user
// may ask for one: it is made first, in the progress window), and writes inside a registry batch
// with one progress step per write of the sequence (unchanged writes make no registry call),
// reloads the controls and reports. A setting counts as not applied when its setter raises, when
// its controls show something else after the reload, or when the setter fails with a refusal
// recorded by the registry layer; the run goes on after each. Errors other than tw::Error end
// the run (batch closed, progress window gone) and reach the caller.
void ApplySettings(ApplyWindow& window, Layout layout);
// The apply button: the layout of the running Windows; on any other version nothing.
void butApplyClick(ApplyWindow& window);

}  // namespace tw
