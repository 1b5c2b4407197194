#pragma once

// What a run around its writes reports to: the progress window, and the backups that keep what
// it changes.

#include <functional>
#include <string>
#include <vector>

#include "flows/setting_names.h"
#include "flows/texts.h"

namespace tw {

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
inline std::string ProgressText(int position, int maximum) {
  return text::kProgressStep + std::to_string(position) + "/" + std::to_string(maximum);
}

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

}  // namespace tw
