#include "ui/tooltips.h"

// Needs <windows.h> first.
#include <commctrl.h>

#include <string>

#include "ui/app.h"
#include "ui/controls.h"

namespace tw::ui {

Tooltips::Tooltips(HWND owner)
    : tip_(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                           nullptr, Instance(), nullptr)) {}

Tooltips::~Tooltips() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

void Tooltips::Add(HWND control) {
  if (!tip_) return;
  std::string text = WindowText(control);
  TOOLINFOA tool{};
  // The size that comctl32 5.8 knows as well as 6.
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tw::ui
