#pragma once

// Applying: the apply run that writes what the user changed since the last load, re-reads the
// machine and reports what took effect.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "flows/control_surface.h"
#include "flows/run.h"
#include "flows/setting_names.h"
#include "flows/write_steps.h"

namespace tw {

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
