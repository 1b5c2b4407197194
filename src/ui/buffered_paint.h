#pragma once

// Painting a window's client area for WM_PAINT on the button face. Through a buffer the picture
// reaches the screen in one copy, so that the background never shows alone between the fill and
// what is drawn on it.

#include <windows.h>

#include <functional>

namespace tw::ui {

// Fills the client area with the button face and lets paint draw on it: into a memory bitmap
// copied to the window at the end when buffered, otherwise straight into the window.
void PaintClientArea(HWND hwnd, bool buffered, const std::function<void(HDC)>& paint);

}  // namespace tw::ui
