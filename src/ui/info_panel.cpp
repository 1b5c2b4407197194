#include "ui/info_panel.h"

#include <windows.h>
// Needs <windows.h> first.
#include <richedit.h>

#include <algorithm>
#include <string>

#include "system/error.h"
#include "ui/app.h"
#include "ui/resources.h"

namespace tw::ui {
namespace {

DWORD CALLBACK StreamFromString(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
  auto* rest = reinterpret_cast<std::string*>(cookie);
  const auto n = std::min<std::size_t>(static_cast<std::size_t>(size), rest->size());
  rest->copy(reinterpret_cast<char*>(buffer), n);
  rest->erase(0, n);
  *read = static_cast<LONG>(n);
  return 0;
}

}  // namespace

void InfoPanel::LoadArrows() {
  arrowLeft_.Reset(LoadBitmapResource(kBmpArrowLeft, true));
  arrowRight_.Reset(LoadBitmapResource(kBmpArrowRight, true));
}

void InfoPanel::ShowArrow(const Bitmap& arrow) {
  SendMessageA(controls_.Get("bbCollapse").hwnd, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(arrow.get()));
}

HWND InfoPanel::RichView() {
  Control& view = controls_.Get("reTweakInfo");
  if (richEdit_) return view.hwnd;
  richEdit_.Reset(LoadLibraryA("riched20.dll"));
  if (!richEdit_) throw Error("riched20.dll wurde nicht gefunden");
  const Bounds b = Scaled(view.def->bounds);
  HWND hwnd = CreateWindowExA(
      WS_EX_CLIENTEDGE, "RichEdit20A", "",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
      b.left, b.top, b.width, b.height, window_.handle(),
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(view.id)), Instance(), nullptr);
  if (!hwnd) throw Error("Steuerelement nicht erzeugt: reTweakInfo");
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageA(hwnd, EM_SETTEXTMODE, TM_RICHTEXT, 0);
  controls_.ReplaceWindow(view, hwnd);
  return hwnd;
}

void InfoPanel::ShowText(int tweakId) {
  std::string rtf = LoadTweakText(tweakId);
  HWND view = RichView();
  EDITSTREAM stream{};
  stream.dwCookie = reinterpret_cast<DWORD_PTR>(&rtf);
  stream.pfnCallback = StreamFromString;
  SendMessageA(view, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  SendMessageA(view, EM_SETSEL, 0, 0);
  SendMessageA(view, WM_VSCROLL, SB_TOP, 0);
  shownText_ = tweakId;
  Expand();
}

void InfoPanel::Expand() {
  ShowArrow(arrowLeft_);
  window_.SetClientWidth(expandedWidth_);
}

void InfoPanel::Collapse() {
  ShowArrow(arrowRight_);
  window_.SetClientWidth(collapsedWidth_);
}

void InfoPanel::Toggle() {
  if (window_.ClientWidth() == collapsedWidth_) {
    Expand();
  } else {
    Collapse();
  }
}

bool InfoPanel::Help(unsigned short command, long data, bool& callHelp) {
  callHelp = true;
  if (command == kHelpContextPopup && data != 0) ShowText(static_cast<int>(data));
  return true;
}

}  // namespace tw::ui
