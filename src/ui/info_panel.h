#pragma once

// The explanation panel beside the main window's pages: a rich-text view that shows a tweak's
// text, and the arrow button that opens and closes it by changing the window's width. It is the
// receiver of the program's help requests; which control a click, F1 or the "?" button asks
// about is the window's business.

#include <windows.h>

#include "ui/controls.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace tw::ui {

class InfoPanel {
 public:
  // The widths are the window's client widths with the panel open and closed, read at each
  // change: they are measured once the window is first shown.
  InfoPanel(Form& window, Controls& controls, HFONT font, const int& expandedWidth,
            const int& collapsedWidth)
      : window_(window),
        controls_(controls),
        font_(font),
        expandedWidth_(expandedWidth),
        collapsedWidth_(collapsedWidth) {}

  // The arrows of the collapse button "bbCollapse".
  void LoadArrows();
  // Points the collapse button left, the way the open panel would go.
  void ShowCloseArrow() { ShowArrow(arrowLeft_); }

  // Shows the tweak's text from the top and opens the panel.
  void ShowText(int tweakId);
  int ShownText() const { return shownText_; }
  void Expand();
  void Collapse();
  // Closes the open panel, opens the closed one.
  void Toggle();
  // The application's help handler: a context pop-up request shows the tweak's text.
  bool Help(unsigned short command, long data, bool& callHelp);

 private:
  // The rich-text view, made (and riched20 loaded) on first use in the place of "reTweakInfo".
  HWND RichView();
  void ShowArrow(const Bitmap& arrow);

  Form& window_;
  Controls& controls_;
  HFONT font_;
  const int& expandedWidth_;
  const int& collapsedWidth_;
  // The button and the view use these: the window goes before its panel.
  Bitmap arrowLeft_;
  Bitmap arrowRight_;
  Module richEdit_;  // loaded with the first text shown
  int shownText_ = 0;
};

}  // namespace tw::ui
