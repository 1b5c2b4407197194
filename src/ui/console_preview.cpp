#include "ui/console_preview.h"

#include <commctrl.h>

#include <cstring>

#include "ui/form.h"

namespace tw::ui {

const ColourGroup kColourGroups[2] = {
    {"combxTextColor", "combxBackgroundColor", "pboxCmdPreview"},
    {"combx20060817a", "combx20060817b", "pb20060817"},
};

namespace {

constexpr int kSwatchSize = 16;
constexpr int kColours = 16;
constexpr int kDefaultText = 7;  // light grey
constexpr int kDefaultBackground = 0;

struct PreviewLine {
  int x, y;
  const char* text;
};
const PreviewLine kPreviewText[] = {
    {3, 1, "C:\\WINDOWS>dir"},
    {3, 16, " Datenträger in Laufwerk C: ist Windows XP"},
    {3, 31, " Volumeseriennummer: F8F1-0671"},
};

}  // namespace

const ColourGroup* ColourGroupOfPreview(const std::string& name) {
  for (const ColourGroup& group : kColourGroups) {
    if (name == group.preview) return &group;
  }
  return nullptr;
}

ConsolePreview::ConsolePreview(const ConsolePalette& palette)
    : palette_(palette),
      font_(CreateFontA(-MulDiv(10, ScreenDpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        FIXED_PITCH | FF_MODERN, "Courier New")),
      ilColors_(ImageList_Create(kSwatchSize, kSwatchSize, ILC_COLOR24, kColours, 0)) {}

void ConsolePreview::BuildSwatches(Controls& controls) {
  {
    // The swatches side by side on one strip, which the image list cuts into its images. The
    // strip must be out of the DC before the image list takes it.
    WindowDc screen(nullptr);
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    Bitmap strip(CreateCompatibleBitmap(screen.get(), kColours * kSwatchSize, kSwatchSize));
    {
      Selection onStrip(dc.get(), strip.get());
      Selection pen(dc.get(), GetStockObject(BLACK_PEN));
      for (int n = 0; n < kColours; ++n) {
        Brush brush(CreateSolidBrush(palette_[static_cast<std::size_t>(n)]));
        Selection fill(dc.get(), brush.get());
        Rectangle(dc.get(), kSwatchSize * n, 0, kSwatchSize * (n + 1), kSwatchSize);
      }
    }
    ImageList_Add(ilColors_.get(), strip.get(), nullptr);
    built_ = true;
  }
  for (const ColourGroup& group : kColourGroups) {
    for (const char* list : {group.textList, group.backgroundList}) {
      FillList(controls.Get(list));
    }
  }
}

void ConsolePreview::FillList(Control& list) const {
  if (!built_ || !list.Made() || SendMessageA(list.hwnd, CB_GETCOUNT, 0, 0) > 0) return;
  for (int n = 0; n < kColours; ++n) {
    std::string caption = ColourDigit(n);
    COMBOBOXEXITEMA item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
    item.iItem = -1;
    item.pszText = caption.data();
    item.iImage = n;
    item.iSelectedImage = n;
    SendMessageA(list.hwnd, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  }
}

void ConsolePreview::SelectDefaultColours(Controls& controls) const {
  for (const ColourGroup& group : kColourGroups) {
    controls.SetItemIndex(group.textList, kDefaultText);
    controls.Repaint(group.textList);
    controls.SetItemIndex(group.backgroundList, kDefaultBackground);
    controls.Repaint(group.backgroundList);
  }
}

void ConsolePreview::Paint(HDC dc, const Controls& controls, const ColourGroup& group) const {
  // An index outside the palette (no selection) shows colour 0.
  auto colour = [this](int index) {
    return index >= 0 && index < kColours ? palette_[static_cast<std::size_t>(index)] : 0u;
  };
  const COLORREF bg = colour(controls.ItemIndex(group.backgroundList));
  const COLORREF fg = colour(controls.ItemIndex(group.textList));
  RECT r;
  GetClientRect(controls.Get(group.preview).hwnd, &r);

  Pen pen(CreatePen(PS_SOLID, 1, bg));
  Brush brush(CreateSolidBrush(bg));
  Selection penSelected(dc, pen.get());
  Selection brushSelected(dc, brush.get());
  Rectangle(dc, 0, 0, r.right, r.bottom);

  SetTextColor(dc, fg);
  SetBkColor(dc, bg);
  SetBkMode(dc, OPAQUE);
  {
    Selection font(dc, font_.get());
    for (const PreviewLine& line : kPreviewText) {
      TextOutA(dc, Scale(line.x), Scale(line.y), line.text,
               static_cast<int>(std::strlen(line.text)));
    }
  }

  // The black frame around it.
  Selection framePen(dc, GetStockObject(BLACK_PEN));
  Selection hollow(dc, GetStockObject(HOLLOW_BRUSH));
  Rectangle(dc, 0, 0, r.right, r.bottom);
}

}  // namespace tw::ui
