#include "ui/form.h"

#include "ui/app.h"
#include "ui/gdi.h"
#include "ui/pages.h"

namespace tw::ui {

Form::~Form() {
  if (hwnd_) {
    SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

void RegisterWindowClass(const char* className, WNDPROC proc, HICON icon) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(Instance(), className, &wc)) return;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.hIcon = icon;
  wc.hIconSm = icon;
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

void Form::CreateForm(const FormStyle& fs, HWND owner) {
  RegisterWindowClass(fs.className, Thunk, fs.icon);
  RECT r{0, 0, Scale(fs.clientWidth), Scale(fs.clientHeight)};
  AdjustWindowRectEx(&r, fs.style, FALSE, fs.exStyle);
  CreateWindowExA(fs.exStyle, fs.className, fs.caption, fs.style, CW_USEDEFAULT, CW_USEDEFAULT,
                  r.right - r.left, r.bottom - r.top, owner, nullptr, Instance(), this);
}

LRESULT CALLBACK Form::Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    auto* form = static_cast<Form*>(cs->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcA(hwnd, msg, wParam, lParam);
  try {
    const LRESULT result = form->HandleMessage(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      form->hwnd_ = nullptr;
    }
    return result;
  } catch (...) {
    HandleException();
    return 0;
  }
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return Default(msg, wParam, lParam);
}

LRESULT Form::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void Form::Show() {
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void Form::Close() { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }

int Form::ShowModal() {
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner) EnableWindow(owner, FALSE);
  modal_ = true;
  modalResult_ = 0;
  Show();
  SetForegroundWindow(hwnd_);
  MSG msg;
  while (modal_ && IsWindowVisible(hwnd_)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    DispatchOne(msg);
  }
  modal_ = false;
  if (owner) EnableWindow(owner, TRUE);
  Hide();
  if (owner) SetActiveWindow(owner);
  return modalResult_ ? modalResult_ : IDCANCEL;
}

void Form::EndModal(int result) {
  modalResult_ = result;
  modal_ = false;
  // Wakes the modal loop, which then returns.
  PostMessageA(hwnd_, WM_NULL, 0, 0);
}

int Form::ClientWidth() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.right;
}

int Form::ClientHeight() const {
  RECT r;
  GetClientRect(hwnd_, &r);
  return r.bottom;
}

void Form::SetClientWidth(int width) {
  RECT window;
  GetWindowRect(hwnd_, &window);
  const int frame = (window.right - window.left) - ClientWidth();
  SetWindowPos(hwnd_, nullptr, 0, 0, width + frame, window.bottom - window.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ScreenDpi() {
  static const int dpi = [] {
    const WindowDc dc(nullptr);
    const int d = dc.get() ? GetDeviceCaps(dc.get(), LOGPIXELSY) : 96;
    return d > 0 ? d : 96;
  }();
  return dpi;
}

int Scale(int designPixels) { return MulDiv(designPixels, ScreenDpi(), 96); }

Bounds Scaled(const Bounds& b) {
  // The edges are scaled, so that controls that touch or keep apart at the design size still do.
  const int left = Scale(b.left);
  const int top = Scale(b.top);
  return {left, top, Scale(b.left + b.width) - left, Scale(b.top + b.height) - top};
}

HFONT CreateUiFont(bool bold) {
  return CreateFontA(-Scale(kFontHeight), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

void CentreOnScreen(HWND hwnd) {
  RECT r, work;
  GetWindowRect(hwnd, &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  SetWindowPos(hwnd, nullptr, work.left + (work.right - work.left - w) / 2,
               work.top + (work.bottom - work.top - h) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tw::ui
