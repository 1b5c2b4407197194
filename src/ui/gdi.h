#pragma once

// Owning handles of the windows' GDI objects, device contexts and loaded modules, so that every
// handle is freed on every path, also when a step between its creation and its end throws.
// Move-only: two copies would free one handle twice. A GDI object must not be deleted while it
// is selected into a DC (Selection puts the old one back first) nor while a window still uses
// it: declare an owner so that it goes after the windows and selections that use its object.

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>

#include <utility>

namespace tw::ui {

template <typename Handle, void (*Free)(Handle)>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~Owned() { Reset(); }

  // Frees the handle held and takes the new one.
  void Reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle) Free(handle_);
    handle_ = handle;
  }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Handle handle_ = nullptr;
};

namespace gdi_detail {
template <typename Object>
void DeleteGdiObject(Object object) {
  DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void FreeLibraryModule(HMODULE module) { FreeLibrary(module); }
}  // namespace gdi_detail

using Font = Owned<HFONT, gdi_detail::DeleteGdiObject<HFONT>>;
using Brush = Owned<HBRUSH, gdi_detail::DeleteGdiObject<HBRUSH>>;
using Pen = Owned<HPEN, gdi_detail::DeleteGdiObject<HPEN>>;
using Bitmap = Owned<HBITMAP, gdi_detail::DeleteGdiObject<HBITMAP>>;
using ImageList = Owned<HIMAGELIST, gdi_detail::DestroyImageList>;
using Icon = Owned<HICON, gdi_detail::DestroyIconHandle>;
// A DC of CreateCompatibleDC.
using MemoryDc = Owned<HDC, gdi_detail::DeleteMemoryDc>;
// A library of LoadLibrary.
using Module = Owned<HMODULE, gdi_detail::FreeLibraryModule>;

// The DC of a window (nullptr: the screen), released with the window it came from.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  WindowDc(WindowDc&& other) noexcept
      : hwnd_(other.hwnd_), dc_(std::exchange(other.dc_, nullptr)) {}
  WindowDc& operator=(WindowDc&&) = delete;
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }

  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// The DC of one WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(hwnd_, &paint_); }

  HDC get() const { return dc_; }
  // The part of the window to be painted.
  const RECT& update() const { return paint_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a DC for the scope; the one it replaced is selected again at the end.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace tw::ui
