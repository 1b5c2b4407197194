#pragma once

// The main window's controls: built from the page tables, found by name, handle or ID, and
// driven through the control surface that the load, apply and standard-view sequences use.
// A page's windows are made when the page is first shown, as property sheets do: until then
// its controls exist as plain data (check state, position, selection, text, enabled), which the
// control surface reads and writes and the windows take over when they are made.

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "flows/control_surface.h"
#include "ui/pages.h"

namespace tw::ui {

struct Control {
  std::string name;
  Kind kind;
  HWND hwnd = nullptr;
  int id = 0;
  int tweakId = 0;                  // help context; 0: none
  Control* parent = nullptr;        // group, page or page set; nullptr: the window itself
  const ControlDef* def = nullptr;  // the table row; nullptr: a page set
  int position = 0;                 // sliders: the position the change handler last saw
  // The state of a control whose window is not made yet.
  bool checked = false;
  bool enabled = true;
  int itemIndex = -1;
  std::string text;

  bool Made() const { return hwnd != nullptr; }
};

class Controls : public ControlSurface {
 public:
  using Handler = std::function<void(Control&)>;

  Controls(HWND form, HFONT font, HFONT boldFont);

  // Registers a control the window created itself.
  Control& Add(const std::string& name, Kind kind, HWND hwnd, int tweakId);
  // Creates a control of the window itself (outside the pages) from its row.
  Control& CreateOutside(const ControlDef& def, int id);
  // Creates a hidden page set with its tabs from a page table, at bounds in the window's
  // client area; its pages and their controls are data until a page is first shown. IDs are
  // idBase + 100 * page + row within the page. Colour lists get the image list.
  Control& BuildPageSet(const PageTable& pages, const Bounds& bounds, int idBase,
                        HIMAGELIST colours);
  // The page that holds the control; nullptr outside the pages.
  static Control* PageOf(Control& control);
  // Makes the windows of the page that holds the control (if not made yet), hidden.
  void MakePageOf(Control& control);
  // Makes the windows of every page of both page sets.
  void MakeAllPages();
  // Shows or hides a page set; a shown set shows its selected page, made if need be.
  void ShowPageSet(Control& pageSet, bool show);
  // Puts a new window in the place of the control's (the same ID and tab position); the old
  // one is destroyed.
  void ReplaceWindow(Control& control, HWND hwnd);
  // Runs for each control whose window has just been made, before it takes its stored state.
  void SetMadeHandler(Handler handler) { made_ = std::move(handler); }

  Control* Find(const std::string& name);
  const Control* Find(const std::string& name) const;
  Control& Get(const std::string& name);
  const Control& Get(const std::string& name) const;
  Control* FromHandle(HWND hwnd);
  // The program's control that is hwnd or holds it (a colour list's inner combo box).
  Control* Owning(HWND hwnd);
  std::vector<Control*> Pages(const Control& pageSet);
  std::vector<Control*> Children(const Control& parent);
  const std::vector<std::unique_ptr<Control>>& All() const { return controls_; }

  // The page set's visible page follows its selected tab.
  void ShowSelectedPage(Control& pageSet);
  void SelectPage(Control& pageSet, int index);
  int SelectedPage(const Control& pageSet) const;

  // Runs when a slider's position changes, by the user or through SetPosition.
  void SetSliderHandler(Handler handler) { sliderChanged_ = std::move(handler); }
  void SliderScrolled(Control& slider);

  // ControlSurface
  bool Checked(const std::string& name) const override;
  void SetChecked(const std::string& name, bool checked) override;
  int Position(const std::string& name) const override;
  void SetPosition(const std::string& name, int position) override;
  int ItemIndex(const std::string& name) const override;
  void SetItemIndex(const std::string& name, int index) override;
  std::string Text(const std::string& name) const override;
  void SetText(const std::string& name, const std::string& text) override;
  bool Enabled(const std::string& name) const override;
  void SetEnabled(const std::string& name, bool enabled) override;
  void Repaint(const std::string& name) override;

 private:
  Control& Declare(const ControlDef& def, Control* parent, int id);
  void MakeWindow(Control& control, HIMAGELIST colours);
  void MakePage(Control& page);
  Control& Register(std::unique_ptr<Control> control);
  void RegisterHandle(Control& control);

  HWND form_;
  HFONT font_;
  HFONT boldFont_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::map<std::string, Control*> byName_;
  std::map<HWND, Control*> byHandle_;
  Handler sliderChanged_;
  Handler made_;
  HIMAGELIST colours_ = nullptr;
};

// Window text as std::string.
std::string WindowText(HWND hwnd);

}  // namespace tw::ui
