#pragma once

// The main window's pages as data, one flat table per layout. It reads like the window itself:
// a page row, then its group boxes in tab order, each followed by the controls inside it from
// top to bottom. The window is built from these rows in this order, so the order is also the
// tab order. Coordinates are relative to the parent (page or group) at 96 dots per inch.

#include <cstddef>

#include "flows/bindings.h"

namespace tw::ui {

enum class Kind {
  Page,
  Group,
  CheckBox,
  Button,
  Label,
  Slider,
  ImageCombo,
  PaintBox,
  // Only outside the page tables:
  PageSet,
  Toggle,
  BitmapButton,
  RichText,
};

// Caption and text style bits.
enum Style : unsigned {
  kWraps = 1,     // the caption may break onto a second line
  kBold = 2,      // bold label
  kCentred = 4,   // label text centred
  kVCentred = 8,  // label text centred vertically
};

struct Bounds {
  int left, top, width, height;
};
// Bounds at the design size in pixels on this screen (see Scale).
Bounds Scaled(const Bounds& b);

struct SliderRange {
  int min, max, pageStep, tick;
};

struct ControlDef {
  const char* name;
  Kind kind;
  const char* caption;  // nullptr: none
  int tweakId = 0;      // help context; 0: none
  Bounds bounds = {};
  unsigned style = 0;
  SliderRange slider = {};
};

// Whether a control of this kind draws its caption. A slider's or a colour list's caption is not
// shown: it is the control's name for screen readers.
inline bool ShowsCaption(Kind kind) { return kind != Kind::Slider && kind != Kind::ImageCombo; }

// The page set of one layout: its name and its rows.
struct PageTable {
  const char* pageSet;
  const ControlDef* rows;
  std::size_t count;
};

extern const PageTable kPagesXP;
extern const PageTable kPagesVista;
inline const PageTable& PagesOf(Layout l) { return l == Layout::XP ? kPagesXP : kPagesVista; }

}  // namespace tw::ui
