#pragma once

// Loading the machine's current settings into the main window's controls: the read order of a
// layout (one getter call per control) and how each answer reaches its control.

#include <vector>

#include "catalogue/tweak_access.h"
#include "flows/bindings.h"
#include "flows/control_surface.h"
#include "flows/write_steps.h"

namespace tw {

struct ReadStep {
  ReadStep(const char* control, Put put, Getter get, int equals = 0,
           const char* background = nullptr, const char* preview = nullptr)
      : control(control),
        put(put),
        get(get),
        equals(equals),
        background(background),
        preview(preview) {}
  // The getter of the tweak named.
  ReadStep(const char* control, Put put, const TweakRef& tweak, int equals = 0,
           const char* background = nullptr, const char* preview = nullptr)
      : ReadStep(control, put, TweakGetter(tweak), equals, background, preview) {}

  const char* control;
  Put put;
  Getter get;
  int equals;              // CheckedIfEquals
  const char* background;  // ColourPair: the background list
  const char* preview;     // ColourPair: the preview box to repaint
};

// The read order of a layout, from its bindings: 95 getter calls on XP, 57 on Vista.
const std::vector<ReadStep>& ReadOrder(Layout layout);

// The toggle button that ends pressed after a reading.
inline constexpr char kCurrentSettingsButton[] = "sbutCurrentSettings";

struct ColourPair {
  int text;
  int background;
};
// The console colour byte as list indexes: 0, and any value whose two low nibbles are 0, is
// text 7 on background 0.
ColourPair ConsoleColourPair(int value);

// Runs a read order inside a registry batch. A getter that raises leaves its control as it
// was and the reading goes on with the next one; the batch is closed and the current-settings
// button pressed in every case. False when the batch could not be opened (nothing changes).
bool LoadSettings(ControlSurface& surface, const std::vector<ReadStep>& order);

// Reads the layout of the running Windows (XP or Vista); on any other version nothing.
void LoadCurrentSettings(ControlSurface& surface);

// Loads the layout of the running Windows (as LoadCurrentSettings) and remembers what the
// controls show afterwards; a reading that could not open the registry is not remembered (but
// the first one is, so there always is a state to compare with).
void LoadAndRemember(ControlSurface& controls, LoadedControls& loaded);

}  // namespace tw
