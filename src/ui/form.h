#pragma once

// A top-level window of the program. One window procedure thunk per form class stores `this`
// in the window's user data, dispatches to HandleMessage and catches every exception at the
// Win32 boundary, handing it to the application's error hook.

#include <windows.h>

#include <string>

namespace tw::ui {

class Form {
 public:
  Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form();

  HWND handle() const { return hwnd_; }
  void Show();
  void Hide();
  // Shows the form modally over the other windows of the program; returns the modal result
  // (IDOK, IDCANCEL) once the form is closed or hidden.
  int ShowModal();
  // Asks the form to close, as the title bar's close button does.
  void Close();
  bool ModalRunning() const { return modal_; }

  int ClientWidth() const;
  int ClientHeight() const;
  // Changes the client area's width, keeping the left edge.
  void SetClientWidth(int width);

 protected:
  struct FormStyle {
    const char* className;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    int clientWidth;  // at the design size
    int clientHeight;
    HICON icon;
  };
  // Creates the window; HandleMessage receives WM_CREATE already.
  void CreateForm(const FormStyle& style, HWND owner);
  // Ends a modal showing with the given result.
  void EndModal(int result);

  virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool modal_ = false;
  int modalResult_ = 0;
};

// The windows are laid out at 96 dots per inch and scaled by the screen's LOGPIXELSY / 96, as
// the design size of every position, size and font.
int ScreenDpi();
// A length at the design size in pixels on this screen.
int Scale(int designPixels);

// The font height in pixels of Tahoma 8 points at 96 dots per inch.
constexpr int kFontHeight = 11;
// Tahoma 8 points at the screen's DPI.
HFONT CreateUiFont(bool bold = false);
// Registers a window class on the button-face background once; later calls do nothing.
void RegisterWindowClass(const char* className, WNDPROC proc, HICON icon = nullptr);
// Moves a window, keeping its size, to the centre of the screen's work area.
void CentreOnScreen(HWND hwnd);

}  // namespace tw::ui
