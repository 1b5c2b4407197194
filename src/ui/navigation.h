#pragma once

// Moving about the main window from the keyboard and from the search window: the next or the
// previous page (Ctrl+Tab, Ctrl+PageDown, Ctrl+Shift+Tab, Ctrl+PageUp), the search window
// (Ctrl+F), and bringing one setting to the front.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/controls.h"
#include "ui/form.h"

namespace tw::ui {

// Shows the page step pages on from the selected one, round from the last to the first, and
// gives the tab strip the focus, as tabbed dialogs do.
void SwitchPage(Controls& controls, int step);

// Shows the control's page as a click on its tab does, gives the control the focus (a disabled
// one its page's tab strip) and shows its explanation in the panel as F1 does. Nothing is
// toggled.
void ShowSetting(Form& window, Controls& controls, const std::string& control);

// A key for the main window, taken in the message loop before the dialog navigation sees it;
// only while the window is enabled and the key is for one of its controls. True when taken;
// Ctrl+F calls openSearch.
bool HandleNavigationKey(Form& window, Controls& controls, const MSG& msg,
                         const std::function<void()>& openSearch);

}  // namespace tw::ui
