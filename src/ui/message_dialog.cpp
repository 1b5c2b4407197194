#include "ui/message_dialog.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "ui/app.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace tw::ui {
namespace {

struct ButtonDef {
  unsigned bit;
  int id;
  const char* caption;
  MsgResult result;
};

const ButtonDef kButtons[] = {
    {kMbYes, IDYES, "&Ja", MsgResult::Yes},
    {kMbNo, IDNO, "&Nein", MsgResult::No},
    {kMbOk, IDOK, "OK", MsgResult::Ok},
    {kMbCancel, IDCANCEL, "Abbrechen", MsgResult::Cancel},
};

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kMaxTextWidth = 420;
constexpr int kCheckBoxHeight = 17;
constexpr int kCheckBoxId = 1000;

struct DialogData {
  const std::string* text;
  MsgType type;
  unsigned buttons;
  HFONT font;
  MsgCheckBox* check;  // nullptr without a check box
};

LPCSTR IconOf(MsgType type) {
  switch (type) {
    case MsgType::Confirmation:
      return IDI_QUESTION;
    case MsgType::Information:
      return IDI_ASTERISK;
    case MsgType::Error:
      return IDI_HAND;
    default:
      return nullptr;
  }
}

// What Escape and the close button answer.
int EscapeId(unsigned buttons) {
  if (buttons & kMbCancel) return IDCANCEL;
  if (buttons & kMbNo) return IDNO;
  return IDOK;
}

HWND AddChild(HWND dlg, const char* cls, const char* text, DWORD style, int x, int y, int w, int h,
              int id, HFONT font) {
  HWND hwnd =
      CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, dlg,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

void PlaceControls(HWND dlg, const DialogData& d) {
  // The sizes at the screen's DPI; the system's icons stay 32 pixels.
  const int margin = Scale(kMargin);
  const int buttonWidth = Scale(kButtonWidth);
  const int buttonHeight = Scale(kButtonHeight);
  const int buttonGap = Scale(kButtonGap);
  RECT text{0, 0, Scale(kMaxTextWidth), 0};
  RECT check{0, 0, 0, 0};
  {
    WindowDc dc(dlg);
    Selection font(dc.get(), d.font);
    DrawTextA(dc.get(), d.text->c_str(), -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    if (d.check) {
      DrawTextA(dc.get(), d.check->caption.c_str(), -1, &check, DT_CALCRECT | DT_SINGLELINE);
      // The box and the gap before its caption.
      check.right += GetSystemMetrics(SM_CXMENUCHECK) + Scale(8);
    }
  }

  LPCSTR icon = IconOf(d.type);
  const int textLeft = icon ? margin * 2 + kIconSize : margin * 2;
  const int textHeight = std::max<int>(text.bottom, icon ? kIconSize : 0);
  if (icon) {
    HWND image = AddChild(dlg, "STATIC", "", SS_ICON, margin * 2, margin * 2, kIconSize, kIconSize,
                          -1, d.font);
    SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, icon)), 0);
  }
  const int textTop = margin * 2 + (textHeight - text.bottom) / 2;
  AddChild(dlg, "STATIC", d.text->c_str(), SS_LEFT | SS_NOPREFIX, textLeft, textTop, text.right,
           text.bottom, -1, d.font);

  std::vector<const ButtonDef*> buttons;
  for (const ButtonDef& b : kButtons) {
    if (d.buttons & b.bit) buttons.push_back(&b);
  }
  const int count = static_cast<int>(buttons.size());
  const int rowWidth = count * buttonWidth + (count - 1) * buttonGap;
  const int contentWidth = std::max<int>(text.right, check.right);
  const int clientWidth = std::max(textLeft + contentWidth + margin * 2, rowWidth + margin * 4);
  int buttonTop = margin * 2 + textHeight + margin * 2;
  if (d.check) {
    // Below the text, where the text starts; the next Tab after the buttons.
    HWND box =
        AddChild(dlg, "BUTTON", d.check->caption.c_str(), BS_AUTOCHECKBOX | WS_TABSTOP, textLeft,
                 buttonTop - margin, check.right, Scale(kCheckBoxHeight), kCheckBoxId, d.font);
    SendMessageA(box, BM_SETCHECK, d.check->checked ? BST_CHECKED : BST_UNCHECKED, 0);
    buttonTop += Scale(kCheckBoxHeight) + margin;
  }
  int x = (clientWidth - rowWidth) / 2;
  // The first button is the default, or "&Nein" where a question asks for it.
  int defaultButton = 0;
  for (int i = 0; i < count; ++i) {
    if ((d.buttons & kMbDefaultNo) && buttons[i]->bit == kMbNo) defaultButton = i;
  }
  for (int i = 0; i < count; ++i) {
    const DWORD style = WS_TABSTOP | (i == defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button = AddChild(dlg, "BUTTON", buttons[i]->caption, style, x, buttonTop, buttonWidth,
                           buttonHeight, buttons[i]->id, d.font);
    if (i == defaultButton) SetFocus(button);
    x += buttonWidth + buttonGap;
  }
  const int clientHeight = buttonTop + buttonHeight + margin;

  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(dlg, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrA(dlg, GWL_EXSTYLE)));
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;
  // Centred over the owner, or the screen when there is none.
  RECT over;
  HWND owner = GetWindow(dlg, GW_OWNER);
  if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &over)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &over, 0);
  }
  SetWindowPos(dlg, HWND_TOP, over.left + (over.right - over.left - w) / 2,
               over.top + (over.bottom - over.top - h) / 2, w, h, 0);
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
  try {
    switch (msg) {
      case WM_INITDIALOG: {
        auto* d = reinterpret_cast<DialogData*>(lParam);
        SetWindowLongPtrA(dlg, DWLP_USER, lParam);
        SetWindowTextA(dlg, MessageCaption(d->type).c_str());
        PlaceControls(dlg, *d);
        return FALSE;  // focus is set
      }
      case WM_COMMAND: {
        auto* d = reinterpret_cast<DialogData*>(GetWindowLongPtrA(dlg, DWLP_USER));
        int id = LOWORD(wParam);
        if (id == IDCANCEL && !(d->buttons & kMbCancel)) id = EscapeId(d->buttons);
        for (const ButtonDef& b : kButtons) {
          if (b.id != id || !(d->buttons & b.bit)) continue;
          if (d->check) d->check->checked = IsDlgButtonChecked(dlg, kCheckBoxId) == BST_CHECKED;
          EndDialog(dlg, id);
        }
        return TRUE;
      }
      default:
        return FALSE;
    }
  } catch (...) {
    HandleException();
    return FALSE;
  }
}

}  // namespace

std::string MessageCaption(MsgType type) {
  switch (type) {
    case MsgType::Confirmation:
      return "Bestätigen";
    case MsgType::Information:
      return "Informationen";
    case MsgType::Error:
      return "Fehler";
    default:
      return ApplicationTitle();
  }
}

MsgResult ShowMessageDialog(const std::string& text, MsgType type, unsigned buttons,
                            MsgCheckBox* check) {
  if (!(buttons & (kMbYes | kMbNo | kMbOk | kMbCancel))) buttons = kMbOk;
  // An empty template; the controls are laid out to fit the text.
  struct {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
  } tmpl{};
  tmpl.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  tmpl.head.dwExtendedStyle = WS_EX_DLGMODALFRAME;
  // The dialog's controls are gone when DialogBoxIndirectParam returns, before the font.
  const Font font(CreateUiFont());
  DialogData data{&text, type, buttons, font.get(), check};
  HWND owner = GetActiveWindow();
  const INT_PTR id = DialogBoxIndirectParamA(Instance(), &tmpl.head, owner, DialogProc,
                                             reinterpret_cast<LPARAM>(&data));
  for (const ButtonDef& b : kButtons) {
    if (b.id == id) return b.result;
  }
  return MsgResult::Cancel;
}

}  // namespace tw::ui
