#include "ui/buffered_paint.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "ui/app.h"
#include "ui/form.h"
#include "ui_support.h"

namespace tw::ui::test {
namespace {

constexpr COLORREF kInk = RGB(255, 0, 0);
constexpr COLORREF kStale = RGB(0, 0, 255);
constexpr int kWidth = 80;
constexpr int kHeight = 60;

// What the paint callback of the test window got.
struct PaintSeen {
  bool buffered = false;
  int calls = 0;
  DWORD dcType = 0;
};
PaintSeen* seen = nullptr;

// Paints a square at the top left and the last pixel of the client area in ink. The window
// erases nothing itself, as the main window does: the fill is the painting's own.
LRESULT CALLBACK TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wParam, lParam);
  PaintClientArea(hwnd, seen->buffered, [](HDC dc) {
    ++seen->calls;
    seen->dcType = GetObjectType(dc);
    const RECT square{0, 0, 10, 10};
    HBRUSH ink = CreateSolidBrush(kInk);
    FillRect(dc, &square, ink);
    DeleteObject(ink);
    SetPixel(dc, kWidth - 1, kHeight - 1, kInk);
  });
  return 0;
}

TEST(BufferedPaint, FillsTheButtonFaceAndShowsThePaintingBufferedOrNot) {
  RegisterWindowClass("TwBufferedPaintTest", TestProc);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (bool buffered : {false, true}) {
    PaintSeen run;
    run.buffered = buffered;
    seen = &run;
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TwBufferedPaintTest", "",
                                WS_POPUP | WS_VISIBLE, 40, 40, kWidth, kHeight, nullptr, nullptr,
                                Instance(), nullptr);
    ASSERT_TRUE(hwnd);
    Pump();
    // Stale content the next painting must cover everywhere.
    HDC dc = GetDC(hwnd);
    const RECT all{0, 0, kWidth, kHeight};
    HBRUSH stale = CreateSolidBrush(kStale);
    FillRect(dc, &all, stale);
    DeleteObject(stale);
    run.calls = 0;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
    EXPECT_EQ(run.calls, 1) << buffered;
    // Buffered, the painting goes to a memory DC and reaches the window in one copy.
    EXPECT_EQ(run.dcType, static_cast<DWORD>(buffered ? OBJ_MEMDC : OBJ_DC)) << buffered;
    EXPECT_EQ(GetPixel(dc, 5, 5), kInk) << buffered;
    EXPECT_EQ(GetPixel(dc, kWidth - 1, kHeight - 1), kInk) << buffered;
    for (POINT p : {POINT{kWidth / 2, kHeight / 2}, POINT{kWidth - 2, kHeight - 1},
                    POINT{0, kHeight - 1}, POINT{kWidth - 1, 0}}) {
      EXPECT_EQ(GetPixel(dc, p.x, p.y), face) << buffered << " " << p.x << "," << p.y;
    }
    ReleaseDC(hwnd, dc);
    DestroyWindow(hwnd);
    seen = nullptr;
  }
}

}  // namespace
}  // namespace tw::ui::test
