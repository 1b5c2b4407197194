#pragma once

// The main window: two page layouts (XP and Vista) of tweak controls, the explanation panel
// beside them (InfoPanel: the window's panel operations hand on to it), and the buttons that
// switch views, apply and close.

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

#include "catalogue/console_palette.h"
#include "flows/write_steps.h"
#include "ui/console_preview.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/gdi.h"
#include "ui/info_panel.h"

namespace tw::ui {

class BackupMenu;
class TfrmSearch;
class Tooltips;

class TfrmMain : public Form {
 public:
  TfrmMain();
  ~TfrmMain() override;

  // Creates the window with all its controls; FormCreate runs inside.
  void Create();

  Controls& controls() { return *controls_; }
  LoadedControls& loadedControls() { return loaded_; }
  BackupMenu& backupMenu() { return *backupMenu_; }
  const Controls& controls() const { return *controls_; }

  // --- Window-wide state.
  int ExpandedClientWidth = 0;
  int CollapsedClientWidth = 0;
  ConsolePalette ConsoleColorTable{};
  bool StandardViewShown = false;
  // Whether the pages not shown yet are made while the window waits for input (after it was
  // shown); otherwise each is made when it is first shown.
  bool MakePagesWhenIdle = true;
  // The tweak ID whose text the panel shows; 0 before the first.
  int ShownTweakText() const { return panel_ ? panel_->ShownText() : 0; }

  // --- Operations.
  void LoadCurrentSettings();
  void ShowTweakText(int tweakId) { panel_->ShowText(tweakId); }
  void ExpandInfoPanel() { panel_->Expand(); }
  void CollapseInfoPanel() { panel_->Collapse(); }
  // The application's help handler: shows the text of a context pop-up request's tweak.
  bool ApplicationHelp(unsigned short command, long data, bool& callHelp) {
    return panel_->Help(command, data, callHelp);
  }
  // The search window "Einstellung finden" (Ctrl+F, the system menu): made when first opened,
  // then shown again as it was left.
  void OpenSearch();
  TfrmSearch* searchWindow() { return search_.get(); }
  void LoadWindowSettings();
  void SaveWindowSettings();
  // The caption that names a control's setting to the user: its own, or for a control without
  // one (slider, colour list) that of its group.
  std::string SettingCaption(const std::string& name) const;
  // The control a mouse press at the screen point counts for: labels, paint boxes and disabled
  // controls count as the group (page, page set) around them. nullptr outside the controls.
  Control* ClickTarget(POINT screen);

  // --- Event handlers.
  void FormCreate();
  void FormShow();
  void FormPaint(HDC dc);
  void FormMouseActivate(UINT mouseMessage);
  bool FormCloseQuery();
  void FormClose();
  void appeventsException(std::exception_ptr error);
  void butApplyClick(Control& sender);
  void sbutXPStandardClick(Control& sender);
  void butCancelClick(Control& sender);
  void bbInfoClick(Control& sender);
  void bbCollapseClick(Control&) { panel_->Toggle(); }
  void sbutCurrentSettingsClick(Control& sender);
  void combxTextColorChange(Control& sender);
  void pboxCmdPreviewPaint(Control& sender, HDC dc);
  void tbarBitBucketChange(Control& sender);
  void trackStartmenuDelayChange(Control& sender);
  // The buttons that act at once.
  void butDeinstallMessengerClick(Control& sender);
  void butDeleteBrowserextensionsClick(Control& sender);
  void butDeleteBHOClick(Control& sender);
  void butDeleteToolbarsClick(Control& sender);
  void butPatchWindowsUpdateClick(Control& sender);
  void butUseGoogleSearchClick(Control& sender);
  void butSearchProgramDirClick(Control& sender);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildControls();
  void PlacePageSets();
  // Makes the first page of the shown layout not made yet; false when there is none.
  bool MakeNextPage();
  // Shows the slider's position in its value label.
  void ShowSliderValue(const Control& slider);
  void OnCommand(Control& control, int code);
  void OnChange(Control& control);
  // A help request (F1, the "?" button) for a control: the text of its tweak or its group's.
  void OnHelp(const HELPINFO& info);
  // The messages of HandleMessage's parts, each with its return value: creation, the first
  // showing and the timer that makes the pages; the controls' notifications (WM_COMMAND,
  // WM_HSCROLL, WM_NOTIFY, WM_DRAWITEM); WM_CLOSE.
  LRESULT OnStartMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnControlMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnClose();

  // The fonts, pictures, swatches and the panel's rich-text library are used by the window's
  // controls: the destructor destroys the window (and with it the controls) before the members
  // go.
  Font font_;
  Font boldFont_;
  Bitmap header_;
  Bitmap infoImage_;
  std::unique_ptr<ConsolePreview> preview_;
  std::unique_ptr<Controls> controls_;
  // Made with the controls; owns the collapse button's arrows and the rich-text library.
  std::unique_ptr<InfoPanel> panel_;
  bool doubleBuffered_ = false;
  // What the controls showed after the last load: applying writes only what differs.
  LoadedControls loaded_;
  // The system menu's undo and export entries, and the backups of the apply runs.
  std::unique_ptr<BackupMenu> backupMenu_;
  std::unique_ptr<Tooltips> tooltips_;
  std::unique_ptr<TfrmSearch> search_;
};

extern TfrmMain* frmMain;

}  // namespace tw::ui
