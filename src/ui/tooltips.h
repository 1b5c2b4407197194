#pragma once

// A tooltip window that names controls when the mouse rests on them (the image buttons, which
// show no text of their own). Owned by the window of its controls; destroyed with this object.

#include <windows.h>

namespace tw::ui {

class Tooltips {
 public:
  explicit Tooltips(HWND owner);
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // The control's tooltip says its window text.
  void Add(HWND control);
  HWND handle() const { return tip_; }

 private:
  HWND tip_;
};

}  // namespace tw::ui
