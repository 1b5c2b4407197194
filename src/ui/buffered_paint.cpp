#include "ui/buffered_paint.h"

#include "ui/gdi.h"

namespace tw::ui {

void PaintClientArea(HWND hwnd, bool buffered, const std::function<void(HDC)>& paint) {
  PaintDc dc(hwnd);
  RECT client;
  GetClientRect(hwnd, &client);
  if (buffered) {
    MemoryDc buffer(CreateCompatibleDC(dc.get()));
    Bitmap bitmap(CreateCompatibleBitmap(dc.get(), client.right, client.bottom));
    Selection canvas(buffer.get(), bitmap.get());
    FillRect(buffer.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    paint(buffer.get());
    BitBlt(dc.get(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
  } else {
    FillRect(dc.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
    paint(dc.get());
  }
}

}  // namespace tw::ui
