// The floor that the program's start-up is measured against: one empty window of the main
// window's size (at the screen's DPI), common controls initialised, with the program's manifest.
// It runs its message loop until it is closed or ended.

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

namespace {

constexpr char kTitle[] = "Leeres Fenster";
constexpr int kClientWidth = 736;
constexpr int kClientHeight = 570;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_TAB_CLASSES |
                                           ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = "EmptyWindow";
  RegisterClassExA(&wc);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  RECT r{0, 0, MulDiv(kClientWidth, dpi, 96), MulDiv(kClientHeight, dpi, 96)};
  AdjustWindowRectEx(&r, style, FALSE, WS_EX_CONTEXTHELP);
  HWND hwnd = CreateWindowExA(WS_EX_CONTEXTHELP, wc.lpszClassName, kTitle, style, CW_USEDEFAULT,
                              CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              instance, nullptr);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
