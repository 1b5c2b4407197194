#include "unitinfo.h"

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include "app.h"
#include "resources.h"
#include "system_helpers.h"
#include "winversion.h"

namespace tw::ui {

TfrmInfo* frmInfo = nullptr;

namespace {

constexpr int kClientWidth = 424;
constexpr int kClientHeight = 288;

const std::vector<InfoRow> kRows = {
    {"Entwickelt von:", [] { return std::string("Tavo Softwareentwicklung"); }},
    {"Copyright:", [] { return std::string("© 2007 Tavo. Alle Rechte vorbehalten."); }},
    {"Programmversion:", GetProgramVersion},
    {"Betriebssystem:", GetWindowsVersionName},
    {"Benutzername:", GetCurrentUserName},
    {"Computername:", GetLocalComputerName},
    {"WWW:", [] { return std::string("http://www.tavo.example/trimmwerk"); }},
};

HWND AddChild(HWND parent, DWORD exStyle, const char* cls, const char* text, DWORD style, int x,
              int y, int w, int h, int id, HFONT font) {
  HWND hwnd = CreateWindowExA(
      exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, Scale(x), Scale(y), Scale(w), Scale(h),
      parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return hwnd;
}

}  // namespace

const std::vector<InfoRow>& InfoRows() { return kRows; }

TfrmInfo::TfrmInfo() { frmInfo = this; }

TfrmInfo::~TfrmInfo() {
  if (handle()) DestroyWindow(handle());
  for (HGDIOBJ o : {static_cast<HGDIOBJ>(font_), static_cast<HGDIOBJ>(boldFont_),
                    static_cast<HGDIOBJ>(logo_)}) {
    if (o) DeleteObject(o);
  }
  if (icon_) DestroyIcon(icon_);
  if (frmInfo == this) frmInfo = nullptr;
}

void TfrmInfo::Create(HWND owner) {
  font_ = CreateUiFont();
  boldFont_ = CreateUiFont(true);
  CreateForm({"TfrmInfo", "Informationen", WS_POPUP | WS_CAPTION | WS_SYSMENU,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClientWidth, kClientHeight, nullptr},
             owner);
  CentreOnScreen(handle());
}

HWND TfrmInfo::list() {
  BuildControls();
  return list_;
}

void TfrmInfo::BuildControls() {
  if (list_) return;
  icon_ = ProgramIcon(32);
  HWND image = AddChild(handle(), 0, "STATIC", "", SS_ICON, 24, 24, 32, 32, 100, font_);
  SendMessageA(image, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  AddChild(handle(), 0, "STATIC", "Tavo Trimmwerk 3.0.1", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX,
           72, 32, 176, 13, 101, boldFont_);
  logo_ = LoadBitmapResource(kBmpLogo);
  HWND logo = AddChild(handle(), 0, "STATIC", "", SS_BITMAP, 300, 20, 100, 40, 102, font_);
  SendMessageA(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_));
  list_ = AddChild(handle(), WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                   WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                       LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
                   24, 72, 376, 150, 103, font_);
  SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const char* headers[] = {"Eintrag", "Wert"};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<char*>(headers[i]);
    col.cx = Scale(100);
    SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  HWND ok = AddChild(handle(), 0, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 148, 239, 128, 25,
                     IDOK, font_);
  SetFocus(ok);
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const InfoRow& row = kRows[i];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(row.caption);
    const int index =
        static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string& value = values_[i];
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(value.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&sub));
  }
  SendMessageA(list_, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
}

void TfrmInfo::FormCreate() {
  values_.clear();
  for (const InfoRow& row : kRows) values_.push_back(row.value());
}

LRESULT TfrmInfo::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) BuildControls();
      return Default(msg, wParam, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndModal(IDOK);
      return 0;
    case WM_CLOSE:
      // Closing only hides the window: it lives as long as the program.
      EndModal(IDCANCEL);
      return 0;
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace tw::ui
