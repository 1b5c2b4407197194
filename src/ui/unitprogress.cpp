#include "ui/unitprogress.h"

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include "ui/app.h"

namespace tw::ui {

bool ProgressCanClose = false;
TfrmProgress* frmProgress = nullptr;

namespace {

constexpr char kCaption[] = "Optimierungsvorgang";
constexpr int kClientWidth = 480;
constexpr int kClientHeight = 48;
constexpr int kBarId = 100;
constexpr int kLabelId = 101;

}  // namespace

TfrmProgress::TfrmProgress(HWND parent, int maximum) : parent_(parent) {
  frmProgress = this;
  font_.Reset(CreateUiFont());
  CreateForm({"TfrmProgress", kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
              kClientWidth, kClientHeight, nullptr},
             parent);
  SendMessageA(pbarMain_, PBM_SETRANGE32, 0, maximum);
  SendMessageA(pbarMain_, PBM_SETPOS, 0, 0);
  SetWindowTextA(labProgress_, ProgressText(0, maximum).c_str());
  if (parent_) EnableWindow(parent_, FALSE);
}

TfrmProgress::~TfrmProgress() {
  // The parent first, so that it becomes the active window again when this one goes.
  if (parent_) EnableWindow(parent_, TRUE);
  if (handle()) DestroyWindow(handle());
  if (frmProgress == this) frmProgress = nullptr;
}

void TfrmProgress::BuildControls() {
  pbarMain_ =
      CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, Scale(8), Scale(8), Scale(464),
                      Scale(17), handle(), reinterpret_cast<HMENU>(kBarId), Instance(), nullptr);
  SendMessageA(pbarMain_, PBM_SETSTEP, 1, 0);
  labProgress_ = CreateWindowExA(0, "STATIC", "",
                                 WS_CHILD | WS_VISIBLE | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX,
                                 Scale(8), Scale(28), Scale(464), Scale(13), handle(),
                                 reinterpret_cast<HMENU>(kLabelId), Instance(), nullptr);
  SendMessageA(labProgress_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

void TfrmProgress::FormCreate() { ProgressCanClose = false; }

bool TfrmProgress::FormCloseQuery() const { return ProgressCanClose; }

void TfrmProgress::Show() {
  CentreOnScreen(handle());
  ShowWindow(handle(), SW_SHOW);
  PaintNow();
}

int TfrmProgress::Maximum() const {
  return static_cast<int>(SendMessageA(pbarMain_, PBM_GETRANGE, FALSE, 0));
}

void TfrmProgress::StepProgress() {
  SendMessageA(pbarMain_, PBM_STEPIT, 0, 0);
  const int position = static_cast<int>(SendMessageA(pbarMain_, PBM_GETPOS, 0, 0));
  SetWindowTextA(labProgress_, ProgressText(position, Maximum()).c_str());
  PaintNow();
}

void TfrmProgress::ShowStep(const std::string& text) {
  SetWindowTextA(labProgress_, text.c_str());
  PaintNow();
}

void TfrmProgress::AllowClose() { ProgressCanClose = true; }

void TfrmProgress::Fill() {
  SendMessageA(pbarMain_, PBM_SETPOS, static_cast<WPARAM>(Maximum()), 0);
  PaintNow();
}

void TfrmProgress::PaintNow() {
  if (!handle()) return;
  // Updates the children as well: the bar and the label.
  UpdateWindow(handle());
  // Wine hands a window's new pixels to the screen when the thread next looks at its queue. A
  // look that matches no message removes and dispatches nothing, so the run still takes no input.
  constexpr UINT kNoSuchMessage = WM_APP + 0x3FFF;
  MSG none;
  PeekMessageA(&none, handle(), kNoSuchMessage, kNoSuchMessage, PM_NOREMOVE);
}

LRESULT TfrmProgress::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      BuildControls();
      FormCreate();
      return 0;
    case WM_CLOSE:
      // Destroying the window by the run itself does not pass through here.
      if (FormCloseQuery()) {
        if (parent_) EnableWindow(parent_, TRUE);
        DestroyWindow(handle());
      }
      return 0;
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace tw::ui
