#pragma once

// The program's own settings: where the main window was and whether the explanation panel was
// closed, kept as REG_DWORD "left", "top" and "collapsed" under HKCU "Software\Tavo
// Trimmwerk\3.0". Also the close question and the application-wide error hook.

#include <exception>

namespace tw {

inline constexpr char kProgramKey[] = "Software\\Tavo Trimmwerk\\3.0";

struct ScreenRect {
  int left, top, right, bottom;
};

// The main window as its own settings see it. Positions are the outer frame's, in screen pixels.
class WindowPlacement {
 public:
  virtual ~WindowPlacement() = default;
  virtual ScreenRect Frame() const = 0;
  virtual void MoveTo(int left, int top) = 0;
  virtual int ClientWidth() const = 0;
  virtual int CollapsedClientWidth() const = 0;
  virtual void CollapseInfoPanel() = 0;
  // From the frame's top to the client area's: the title bar with the border above it.
  virtual int TitleBarHeight() const = 0;
  // True when the rectangle lies wholly inside the work area of one monitor.
  virtual bool OnOneWorkArea(const ScreenRect& r) const = 0;
};

// At first show. Applies each value that is present as a REG_DWORD; a value of another type is
// skipped without a message. A position is applied only when the whole title bar would lie on
// one monitor's work area, so the window can always be grabbed and moved (a monitor removed
// since, a taskbar moved, values out of range). "collapsed" other than 0 closes the panel.
void LoadWindowSettings(WindowPlacement& window);
// At close. Creates the key when needed and writes the three values; a key that cannot be
// opened for writing is left alone (the window closes all the same).
void SaveWindowSettings(const WindowPlacement& window);
// Whether the main window may close: asks only while unapplied standard values are shown.
bool FormCloseQuery(bool standardViewShown);
// The hook for every error that no handler caught: dropped without a message, the program goes
// on with the next window message.
void appeventsException(std::exception_ptr error);

}  // namespace tw
