#include "ui/unitinfo.h"

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include "system/error.h"
#include "system/system_helpers.h"
#include "system/version.h"
#include "system/winversion.h"
#include "ui/app.h"
#include "ui/resources.h"

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

// The window's controls in tab order, at the design size.
struct InfoControl {
  const char* name;
  const char* className;
  const char* text;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
  int id;
  bool bold;
};
// clang-format off
const InfoControl kControls[] = {
    {"imgControlPanel", "STATIC", "", SS_ICON, 0, 24, 24, 32, 32, 100, false},
    {"labProgramName", "STATIC", TW_PROGRAM_TITLE, SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0,
     72, 32, 176, 13, 101, true},
    {"imgLogo", "STATIC", "", SS_BITMAP, 0, 300, 20, 100, 40, 102, false},
    {"lvSystemInfo", WC_LISTVIEWA, "", WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
     LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, WS_EX_CLIENTEDGE, 24, 72, 376, 150, 103, false},
    {"bbOK", "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 148, 239, 128, 25, IDOK, false},
};
// clang-format on

}  // namespace

const std::vector<InfoRow>& InfoRows() { return kRows; }

TfrmInfo::TfrmInfo() { frmInfo = this; }

TfrmInfo::~TfrmInfo() {
  if (handle()) DestroyWindow(handle());
  if (frmInfo == this) frmInfo = nullptr;
}

void TfrmInfo::Create(HWND owner) {
  font_.Reset(CreateUiFont());
  boldFont_.Reset(CreateUiFont(true));
  CreateForm({"TfrmInfo", "Informationen", WS_POPUP | WS_CAPTION | WS_SYSMENU,
              WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClientWidth, kClientHeight, nullptr},
             owner);
  CentreOnScreen(handle());
}

HWND TfrmInfo::Get(const std::string& name) {
  BuildControls();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (name == kControls[i].name) return controls_[i];
  }
  throw Error("Unbekanntes Steuerelement: " + name);
}

void TfrmInfo::BuildControls() {
  if (!controls_.empty()) return;
  for (const InfoControl& c : kControls) {
    HWND hwnd =
        CreateWindowExA(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, Scale(c.x),
                        Scale(c.y), Scale(c.width), Scale(c.height), handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Instance(), nullptr);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.bold ? boldFont_.get() : font_.get()),
                 FALSE);
    controls_.push_back(hwnd);
  }
  icon_.Reset(ProgramIcon(32));
  SendMessageA(Get("imgControlPanel"), STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
  logo_.Reset(LoadBitmapResource(kBmpLogo));
  SendMessageA(Get("imgLogo"), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo_.get()));
  FillList(Get("lvSystemInfo"));
  SetFocus(Get("bbOK"));
}

void TfrmInfo::FillList(HWND list) {
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  const char* headers[] = {"Eintrag", "Wert"};
  for (int i = 0; i < 2; ++i) {
    LVCOLUMNA col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH;
    col.pszText = const_cast<char*>(headers[i]);
    col.cx = Scale(100);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&col));
  }
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const InfoRow& row = kRows[i];
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(row.caption);
    const int index =
        static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string& value = values_[i];
    LVITEMA sub{};
    sub.iSubItem = 1;
    sub.pszText = const_cast<char*>(value.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&sub));
  }
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
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
