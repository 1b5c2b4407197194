#pragma once

// The buttons that act at once, outside applying: removing Internet Explorer add-ons, repairing
// the Windows Update marker, uninstalling MSN Messenger, presetting Google search and choosing
// the program files folder.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "flows/control_surface.h"

namespace tw {

// A button that asks first, cannot be undone, reports the outcome and then shows through its
// enabled state whether there is anything left to do.
struct ConfirmedAction {
  const char* button;
  const char* question;  // the first line; the second says it cannot be undone
  bool (*action)();
  const char* done;     // information box
  const char* notDone;  // error box
  bool (*needed)();     // the button's enabled state afterwards
  bool restorePoint;    // the question offers a restore point
};

const std::array<ConfirmedAction, 4>& ConfirmedActions();

// The click on one of the ConfirmedActions buttons, named by sender (Error for another name). A
// restore point the user asks for is named by the button's caption.
void ConfirmedActionClick(ControlSurface& controls, const std::string& sender);

// Keeps the main window from taking input while it lives; the window still repaints.
class InputBlock {
 public:
  virtual ~InputBlock() = default;
};
using InputBlocker = std::function<std::unique_ptr<InputBlock>()>;

// Runs the messenger's uninstaller and waits for it with the main window blocked, so that no
// other handler can start a registry batch inside this one.
void butDeinstallMessengerClick(ControlSurface& controls, const InputBlocker& block);
// Both layouts' Google button; it stays enabled.
void butUseGoogleSearchClick();
// Lets the user pick the folder new programs install into and shows it in labProgramDir;
// nothing is written until the settings are applied.
void butSearchProgramDirClick(ControlSurface& controls, std::uintptr_t owner);

}  // namespace tw
