#pragma once

// The main window's controls by name, as the fixed load, apply and standard-view sequences see
// them. The window implements it over its real controls; native tests use a fake. A name that
// is no control of the window raises Error.

#include <string>

namespace tw {

class ControlSurface {
 public:
  virtual ~ControlSurface() = default;

  // Check boxes and the toggle buttons. Setting the state runs no click handler; pressing a
  // toggle button down releases the other button of its group.
  virtual bool Checked(const std::string& name) const = 0;
  virtual void SetChecked(const std::string& name, bool checked) = 0;

  // Sliders. SetPosition clamps to the slider's range; when the position changes, the slider's
  // change handler runs (and updates its value label), otherwise nothing happens.
  virtual int Position(const std::string& name) const = 0;
  virtual void SetPosition(const std::string& name, int position) = 0;

  // The selected row of a colour list; setting it raises no change event.
  virtual int ItemIndex(const std::string& name) const = 0;
  virtual void SetItemIndex(const std::string& name, int index) = 0;

  // A label's text.
  virtual std::string Text(const std::string& name) const = 0;
  virtual void SetText(const std::string& name, const std::string& text) = 0;

  virtual bool Enabled(const std::string& name) const = 0;
  virtual void SetEnabled(const std::string& name, bool enabled) = 0;

  // Redraws the control at once (labels, colour lists, the console preview).
  virtual void Repaint(const std::string& name) = 0;
};

}  // namespace tw
