// The main window at the screen's DPI (the test machines run at 96, 120 and 144): every
// position, size and font scales by LOGPIXELSY / 96 from the design size of the tables, and no
// caption is cut off or control overlaps another that does not at the design size.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "message_script.h"
#include "ui/app.h"
#include "ui/pages.h"
#include "ui/unitmain.h"
#include "ui_support.h"

namespace tw::ui::test {
namespace {

int Dpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return dpi;
}

// A design length at the screen's DPI, rounded to nearest.
int AtDpi(int designPixels) { return MulDiv(designPixels, Dpi(), 96); }

// The width of a one-line caption in a font.
int TextWidth(HFONT font, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return r.right;
}

HFONT Tahoma(int height, bool bold) {
  return CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
}

// Room a caption leaves inside its control: the check mark, a button's and a group's frame.
int CaptionRoom(const ControlDef& def, int width, int (*scale)(int)) {
  switch (def.kind) {
    case Kind::CheckBox:
      return width - scale(17);
    case Kind::Button:
      return width - scale(6);
    case Kind::Group:
      return width - scale(16);
    default:
      return width;
  }
}

int Same(int v) { return v; }

class DpiScaling : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* value : {"left", "top", "collapsed"}) {
      DeleteValue(HKCU, "Software\\Tavo Trimmwerk\\3.0", value);
    }
    form = std::make_unique<TfrmMain>();
    form->Create();
    form->Show();
    Pump(100);
    form->controls().MakeAllPages();
  }
  void TearDown() override {
    form.reset();
    Pump(20);
  }
  tw::test::MessageScript script;
  std::unique_ptr<TfrmMain> form;
};

TEST_F(DpiScaling, WindowAndFontsScale) {
  SCOPED_TRACE("DPI " + std::to_string(::tw::ui::test::Dpi()));
  EXPECT_EQ(form->ClientWidth(), AtDpi(736));
  EXPECT_EQ(form->ClientHeight(), AtDpi(570));
  EXPECT_EQ(form->ExpandedClientWidth, AtDpi(736));
  EXPECT_EQ(form->CollapsedClientWidth, AtDpi(496));
  for (const char* name : {"cboxBalloonTips", "cb20060501", "labConsoleText", "butApply"}) {
    HFONT font =
        reinterpret_cast<HFONT>(SendMessageA(form->controls().Get(name).hwnd, WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    EXPECT_EQ(-lf.lfHeight, AtDpi(11)) << name;
  }
  // The header fills the top of the window down to its scaled height.
  HDC dc = GetDC(form->handle());
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const int x = AtDpi(600);
  EXPECT_NE(GetPixel(dc, x, AtDpi(64) - 2), face);
  EXPECT_EQ(GetPixel(dc, x, AtDpi(64) + 2), face);
  ReleaseDC(form->handle(), dc);
}

// Each control sits where its table row says, scaled; captions that fit at the design size
// still fit, and controls that keep apart at the design size still do.
TEST_F(DpiScaling, BothLayoutsScaleWithoutCutsOrOverlaps) {
  SCOPED_TRACE("DPI " + std::to_string(::tw::ui::test::Dpi()));
  Controls& c = form->controls();
  HFONT design = Tahoma(11, false);
  HFONT designBold = Tahoma(11, true);
  for (const PageTable* l : {&kPagesXP, &kPagesVista}) {
    std::vector<const ControlDef*> siblings;  // of the current group or page
    for (std::size_t i = 0; i < l->count; ++i) {
      const ControlDef& def = l->rows[i];
      if (def.kind == Kind::Page) continue;
      SCOPED_TRACE(def.name);
      const Control& ctl = c.Get(def.name);
      ASSERT_TRUE(ctl.Made());
      const Bounds& b = def.bounds;
      const RECT r = RectInParent(ctl.hwnd);
      EXPECT_EQ(r.left, AtDpi(b.left));
      EXPECT_EQ(r.top, AtDpi(b.top));
      // Labels and check boxes grow with a font that runs wider than its scale.
      if (def.kind == Kind::Label || def.kind == Kind::CheckBox) {
        EXPECT_GE(r.right, AtDpi(b.left + b.width));
      } else {
        EXPECT_EQ(r.right, AtDpi(b.left + b.width));
      }
      if (def.kind != Kind::ImageCombo) {
        EXPECT_EQ(r.bottom, AtDpi(b.top + b.height));
      }

      if (def.caption && !(def.style & kWraps) && def.kind != Kind::Label &&
          ShowsCaption(def.kind)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(ctl.hwnd, WM_GETFONT, 0, 0));
        const bool fitsAtDesign = TextWidth((def.style & kBold) ? designBold : design,
                                            def.caption) <= CaptionRoom(def, b.width, Same);
        const bool fits = TextWidth(font, def.caption) <= CaptionRoom(def, r.right - r.left, AtDpi);
        if (fitsAtDesign) {
          EXPECT_TRUE(fits) << "caption cut off";
        }
      }
    }
    // Siblings: the children of each parent window, pairwise.
    for (const auto& owned : c.All()) {
      if (!owned->def || owned->kind != Kind::Group) continue;
      const auto children = c.Children(*owned);
      for (std::size_t a = 0; a < children.size(); ++a) {
        for (std::size_t z = a + 1; z < children.size(); ++z) {
          const Bounds& p = children[a]->def->bounds;
          const Bounds& q = children[z]->def->bounds;
          const bool apartAtDesign = p.left + p.width <= q.left || q.left + q.width <= p.left ||
                                     p.top + p.height <= q.top || q.top + q.height <= p.top;
          if (!apartAtDesign || children[a]->kind == Kind::ImageCombo ||
              children[z]->kind == Kind::ImageCombo) {
            continue;
          }
          RECT ra = RectInParent(children[a]->hwnd);
          RECT rz = RectInParent(children[z]->hwnd);
          RECT both;
          // Labels grow with their text; the design gives their place, not their text's end.
          if (children[a]->kind == Kind::Label) ra.right = ra.left + AtDpi(p.width);
          if (children[z]->kind == Kind::Label) rz.right = rz.left + AtDpi(q.width);
          EXPECT_FALSE(IntersectRect(&both, &ra, &rz))
              << children[a]->name << " overlaps " << children[z]->name;
        }
      }
    }
  }
  DeleteObject(design);
  DeleteObject(designBold);
}

}  // namespace
}  // namespace tw::ui::test
