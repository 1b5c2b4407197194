#include "ui/controls.h"

#include <algorithm>
#include <cstring>

#include "system/error.h"
#include "ui/app.h"
#include "ui/form.h"
#include "ui/gdi.h"

namespace tw::ui {
namespace {

constexpr char kPageClass[] = "TwTabSheet";
// The tab strip shows no text of its own: this names it for screen readers.
constexpr char kPageSetName[] = "Seiten";
constexpr int kColourListDropHeight = 16 * 18;
// Design pixels from a group box's edges to its inside, clear of frame and caption.
constexpr int kFrameMargin = 6;
constexpr int kCaptionMargin = 16;

HWND RootOf(HWND hwnd) { return GetAncestor(hwnd, GA_ROOT); }

// A number the control's window gives for message, or the one kept while it is not made.
int Number(const Control& c, UINT message, int Control::*kept) {
  return c.Made() ? static_cast<int>(SendMessageA(c.hwnd, message, 0, 0)) : c.*kept;
}

// Pages and group boxes hold controls, but the events of those controls belong to the window:
// pass the notifications on to it.
bool ForwardToForm(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      result = SendMessageA(RootOf(hwnd), msg, wParam, lParam);
      return true;
    default:
      return false;
  }
}

// The page shown on a page set, if any.
HWND ShownPage(HWND pageSet) {
  for (HWND child = FindWindowExA(pageSet, nullptr, kPageClass, nullptr); child;
       child = FindWindowExA(pageSet, child, kPageClass, nullptr)) {
    if (IsWindowVisible(child)) return child;
  }
  return nullptr;
}

// A shown page covers the page set's display area, so the page set paints only the strips
// around it: visual styles stretch the pane's picture over the whole area, pixels the page
// hides, and that stretch alone costs as much as the rest of the window's first paint.
LRESULT CALLBACK PageSetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg != WM_PAINT || wParam || !ShownPage(hwnd)) {
    return CallWindowProcA(original, hwnd, msg, wParam, lParam);
  }
  const PaintDc dc(hwnd);
  RECT c, area;
  GetClientRect(hwnd, &c);
  area = c;
  SendMessageA(hwnd, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  const RECT strips[] = {{c.left, c.top, c.right, area.top},
                         {c.left, area.top, area.left, area.bottom},
                         {area.right, area.top, c.right, area.bottom},
                         {c.left, area.bottom, c.right, c.bottom}};
  for (const RECT& strip : strips) {
    RECT part;
    if (!IntersectRect(&part, &strip, &dc.update())) continue;
    const int saved = SaveDC(dc.get());
    IntersectClipRect(dc.get(), part.left, part.top, part.right, part.bottom);
    CallWindowProcA(original, hwnd, WM_PAINT, reinterpret_cast<WPARAM>(dc.get()), 0);
    RestoreDC(dc.get(), saved);
  }
  return 0;
}

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ForwardToForm(hwnd, msg, wParam, lParam, result)) return result;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// Whether a rectangle of a group box lies inside its frame, clear of the frame and caption.
bool InsideFrame(HWND group, const RECT& r) {
  RECT inner;
  GetClientRect(group, &inner);
  inner.left += Scale(kFrameMargin);
  inner.right -= Scale(kFrameMargin);
  inner.top += Scale(kCaptionMargin);
  inner.bottom -= Scale(kFrameMargin);
  return r.left >= inner.left && r.right <= inner.right && r.top >= inner.top &&
         r.bottom <= inner.bottom;
}

LRESULT CALLBACK GroupProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  LRESULT result = 0;
  if (ForwardToForm(hwnd, msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_NCHITTEST:
      // A group box is a place to click on: its labels and preview resolve to it.
      return HTCLIENT;
    case WM_PRINTCLIENT: {
      // A styled check box draws its group's background behind itself. Inside the frame that
      // is the face colour; the whole styled group would stretch its frame picture over the
      // whole box once per check box, the bulk of the first paint under Wine.
      const auto dc = reinterpret_cast<HDC>(wParam);
      RECT clip;
      if (GetClipBox(dc, &clip) != NULLREGION && InsideFrame(hwnd, clip)) {
        FillRect(dc, &clip, GetSysColorBrush(COLOR_BTNFACE));
        return 0;
      }
      return CallWindowProcA(original, hwnd, msg, wParam, lParam);
    }
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(hwnd, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      return CallWindowProcA(original, hwnd, msg, wParam, lParam);
  }
}

constexpr char kNameProperty[] = "TwName";

// A colour list keeps no window text of its own (the list answers with its edit field's, and it
// has none): it answers with its name, which is how screen readers under Wine name a control.
LRESULT CALLBACK NamedListProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  const auto* name = static_cast<const char*>(GetPropA(hwnd, kNameProperty));
  switch (msg) {
    case WM_GETTEXTLENGTH:
      if (name) return static_cast<LRESULT>(std::strlen(name));
      break;
    case WM_GETTEXT:
      if (name && wParam > 0) {
        const std::size_t n = std::min<std::size_t>(std::strlen(name), wParam - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), name, n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return static_cast<LRESULT>(n);
      }
      break;
    case WM_NCDESTROY:
      RemovePropA(hwnd, kNameProperty);
      break;
    default:
      break;
  }
  return CallWindowProcA(original, hwnd, msg, wParam, lParam);
}

struct WindowKind {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

WindowKind KindOf(const ControlDef& def) {
  constexpr DWORD child = WS_CHILD | WS_VISIBLE;
  switch (def.kind) {
    case Kind::Group:
      return {"BUTTON", child | WS_CLIPCHILDREN | BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case Kind::CheckBox:
      return {"BUTTON",
              child | WS_TABSTOP | BS_AUTOCHECKBOX | ((def.style & kWraps) ? BS_MULTILINE : 0), 0};
    case Kind::Button:
      return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, 0};
    case Kind::Label: {
      DWORD style = child | SS_NOPREFIX;
      if (def.style & kCentred) style |= SS_CENTER;
      if (def.style & kVCentred) style |= SS_CENTERIMAGE;
      return {"STATIC", style, 0};
    }
    case Kind::Slider:
      return {TRACKBAR_CLASSA, child | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS, 0};
    case Kind::ImageCombo:
      return {WC_COMBOBOXEXA, child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case Kind::PaintBox:
      return {"STATIC", child | SS_OWNERDRAW, 0};
    case Kind::Toggle:
      return {"BUTTON", child | WS_TABSTOP | BS_CHECKBOX | BS_PUSHLIKE | BS_MULTILINE, 0};
    case Kind::BitmapButton:
      return {"BUTTON", child | WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, 0};
    case Kind::RichText:
      // An empty white field until the first text: the rich-text view is made for that.
      return {"STATIC", child | SS_WHITERECT, WS_EX_CLIENTEDGE};
    default:
      throw Error(std::string("Steuerelement ohne Fensterart: ") + def.name);
  }
}

// A control is as wide as its one-line caption needs (room: what the control keeps beside the
// text), at least as the table says: a font that runs wider than Tahoma (Wine's), or a scaled
// font that runs wider than its scale, must not cut the text off.
void GrowToText(HWND control, const Bounds& b, int room = 0) {
  const std::string text = WindowText(control);
  RECT size{0, 0, 0, 0};
  {
    WindowDc dc(control);
    Selection font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    DrawTextA(dc.get(), text.c_str(), -1, &size, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (size.right + room > b.width) {
    SetWindowPos(control, nullptr, 0, 0, size.right + room, b.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(got, 0)));
  return text;
}

Controls::Controls(HWND form, HFONT font, HFONT boldFont)
    : form_(form), font_(font), boldFont_(boldFont) {
  RegisterWindowClass(kPageClass, PageProc);
}

Control& Controls::Register(std::unique_ptr<Control> control) {
  if (byName_.count(control->name)) throw Error("Steuerelement doppelt: " + control->name);
  Control& c = *control;
  controls_.push_back(std::move(control));
  byName_[c.name] = &c;
  if (c.hwnd) RegisterHandle(c);
  return c;
}

void Controls::RegisterHandle(Control& c) {
  byHandle_[c.hwnd] = &c;
  if (c.tweakId) SetWindowContextHelpId(c.hwnd, static_cast<DWORD>(c.tweakId));
}

Control& Controls::Add(const std::string& name, Kind kind, HWND hwnd, int tweakId) {
  auto c = std::make_unique<Control>();
  c->name = name;
  c->kind = kind;
  c->hwnd = hwnd;
  c->id = GetDlgCtrlID(hwnd);
  c->tweakId = tweakId;
  return Register(std::move(c));
}

Control& Controls::Declare(const ControlDef& def, Control* parent, int id) {
  auto c = std::make_unique<Control>();
  c->name = def.name;
  c->kind = def.kind;
  c->id = id;
  c->tweakId = def.tweakId;
  c->parent = parent;
  c->def = &def;
  c->position = def.kind == Kind::Slider ? def.slider.min : 0;
  c->text = def.caption ? def.caption : "";
  return Register(std::move(c));
}

void Controls::MakeWindow(Control& c, HIMAGELIST colours) {
  const ControlDef& def = *c.def;
  const WindowKind wk = KindOf(def);
  const Bounds b = Scaled(def.bounds);
  const int height =
      def.kind == Kind::ImageCombo ? b.height + Scale(kColourListDropHeight) : b.height;
  const DWORD style = wk.style | (c.enabled ? 0 : WS_DISABLED);
  HWND hwnd =
      CreateWindowExA(wk.exStyle, wk.className, c.text.c_str(), style, b.left, b.top, b.width,
                      height, c.parent ? c.parent->hwnd : form_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Instance(), nullptr);
  if (!hwnd) throw Error(std::string("Steuerelement nicht erzeugt: ") + def.name);
  c.hwnd = hwnd;
  RegisterHandle(c);
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>((def.style & kBold) ? boldFont_ : font_),
               FALSE);
  switch (def.kind) {
    case Kind::Label:
      if (!(def.style & (kCentred | kVCentred))) GrowToText(hwnd, b);
      break;
    case Kind::CheckBox:
      // The table's widths fit the design font; beside the text sits the check mark.
      if (ScreenDpi() != 96 && !(def.style & kWraps)) GrowToText(hwnd, b, Scale(17));
      break;
    case Kind::Group:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupProc));
      break;
    case Kind::Slider:
      SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, def.slider.min);
      SendMessageA(hwnd, TBM_SETRANGEMAX, FALSE, def.slider.max);
      SendMessageA(hwnd, TBM_SETPAGESIZE, 0, def.slider.pageStep);
      SendMessageA(hwnd, TBM_SETTICFREQ, static_cast<WPARAM>(def.slider.tick), 0);
      SendMessageA(hwnd, TBM_SETPOS, TRUE, c.position);
      break;
    case Kind::ImageCombo:
      if (def.caption) {
        SetPropA(hwnd, kNameProperty, const_cast<char*>(def.caption));
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NamedListProc));
      }
      SendMessageA(hwnd, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(colours));
      // The closed list is as high as the table says.
      SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), b.height - Scale(6));
      break;
    default:
      break;
  }
  if (made_) made_(c);
  if (def.kind == Kind::CheckBox && c.checked) SendMessageA(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  if (def.kind == Kind::ImageCombo) {
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(c.itemIndex), 0);
  }
}

Control& Controls::CreateOutside(const ControlDef& def, int id) {
  Control& c = Declare(def, nullptr, id);
  MakeWindow(c, nullptr);
  return c;
}

Control& Controls::BuildPageSet(const PageTable& pages, const Bounds& bounds, int idBase,
                                HIMAGELIST colours) {
  colours_ = colours;
  const Bounds b = Scaled(bounds);
  HWND tabs =
      CreateWindowExA(WS_EX_CONTROLPARENT, WC_TABCONTROLA, kPageSetName,
                      WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP | TCS_MULTILINE,
                      b.left, b.top, b.width, b.height, form_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(idBase)), Instance(), nullptr);
  SendMessageA(tabs, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SetWindowLongPtrA(tabs, GWLP_USERDATA, GetWindowLongPtrA(tabs, GWLP_WNDPROC));
  SetWindowLongPtrA(tabs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PageSetProc));
  Control& pageSet = Add(pages.pageSet, Kind::PageSet, tabs, 0);

  int pageCount = 0;
  Control* page = nullptr;
  Control* group = nullptr;
  int row = 0;
  for (std::size_t i = 0; i < pages.count; ++i) {
    const ControlDef& def = pages.rows[i];
    if (def.kind == Kind::Page) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(def.caption);
      SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(pageCount),
                   reinterpret_cast<LPARAM>(&item));
      ++pageCount;
      row = 0;
      page = &Declare(def, &pageSet, idBase + 100 * pageCount);
      group = nullptr;
      continue;
    }
    if (!page) throw Error(std::string("Steuerelement ohne Seite: ") + def.name);
    Control* parent = def.kind == Kind::Group ? page : (group ? group : page);
    Control& c = Declare(def, parent, idBase + 100 * pageCount + ++row);
    if (def.kind == Kind::Group) group = &c;
  }
  return pageSet;
}

void Controls::MakePage(Control& page) {
  if (page.Made()) return;
  // The page area depends on how many rows the tabs take.
  HWND tabs = page.parent->hwnd;
  RECT area;
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  page.hwnd = CreateWindowExA(
      WS_EX_CONTROLPARENT, kPageClass, page.text.c_str(), WS_CHILD | WS_CLIPSIBLINGS, area.left,
      area.top, area.right - area.left, area.bottom - area.top, tabs,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(page.id)), Instance(), nullptr);
  if (!page.hwnd) throw Error("Seite nicht erzeugt: " + page.name);
  RegisterHandle(page);
  // Table order is tab order: the rows of a page follow it until the next page.
  auto it = std::find_if(controls_.begin(), controls_.end(),
                         [&](const std::unique_ptr<Control>& c) { return c.get() == &page; });
  for (++it; it != controls_.end() && PageOf(**it) == &page; ++it) MakeWindow(**it, colours_);
}

Control* Controls::PageOf(Control& control) {
  Control* page = &control;
  while (page && page->kind != Kind::Page) page = page->parent;
  return page;
}

void Controls::MakePageOf(Control& control) {
  if (Control* page = PageOf(control)) MakePage(*page);
}

void Controls::MakeAllPages() {
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->kind == Kind::Page) MakePage(*controls_[i]);
  }
}

void Controls::ShowPageSet(Control& pageSet, bool show) {
  ShowWindow(pageSet.hwnd, show ? SW_SHOW : SW_HIDE);
  if (show) ShowSelectedPage(pageSet);
}

void Controls::ReplaceWindow(Control& c, HWND hwnd) {
  HWND old = c.hwnd;
  SetWindowPos(hwnd, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  byHandle_.erase(old);
  c.hwnd = hwnd;
  RegisterHandle(c);
  DestroyWindow(old);
}

Control* Controls::Find(const std::string& name) {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

const Control* Controls::Find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

Control& Controls::Get(const std::string& name) {
  if (Control* c = Find(name)) return *c;
  throw Error("Unbekanntes Steuerelement: " + name);
}

const Control& Controls::Get(const std::string& name) const {
  if (const Control* c = Find(name)) return *c;
  throw Error("Unbekanntes Steuerelement: " + name);
}

Control* Controls::FromHandle(HWND hwnd) {
  auto it = byHandle_.find(hwnd);
  return it == byHandle_.end() ? nullptr : it->second;
}

Control* Controls::Owning(HWND hwnd) {
  for (; hwnd && hwnd != form_; hwnd = GetParent(hwnd)) {
    if (Control* c = FromHandle(hwnd)) return c;
  }
  return nullptr;
}

std::vector<Control*> Controls::Children(const Control& parent) {
  std::vector<Control*> result;
  for (auto& c : controls_) {
    if (c->parent == &parent) result.push_back(c.get());
  }
  return result;
}

std::vector<Control*> Controls::Pages(const Control& pageSet) {
  std::vector<Control*> pages;
  for (Control* c : Children(pageSet)) {
    if (c->kind == Kind::Page) pages.push_back(c);
  }
  return pages;
}

int Controls::SelectedPage(const Control& pageSet) const {
  return static_cast<int>(SendMessageA(pageSet.hwnd, TCM_GETCURSEL, 0, 0));
}

void Controls::ShowSelectedPage(Control& pageSet) {
  const int selected = SelectedPage(pageSet);
  const auto pages = Pages(pageSet);
  // A hidden page set makes no page: the other layout is never shown.
  const bool shown = (GetWindowLongA(pageSet.hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (static_cast<int>(i) != selected) continue;
    if (shown) MakePage(*pages[i]);
    if (pages[i]->Made()) {
      SetWindowPos(pages[i]->hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }
  }
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (static_cast<int>(i) != selected && pages[i]->Made()) ShowWindow(pages[i]->hwnd, SW_HIDE);
  }
}

void Controls::SelectPage(Control& pageSet, int index) {
  SendMessageA(pageSet.hwnd, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  ShowSelectedPage(pageSet);
}

void Controls::SliderScrolled(Control& slider) {
  const int now = static_cast<int>(SendMessageA(slider.hwnd, TBM_GETPOS, 0, 0));
  if (now == slider.position) return;
  slider.position = now;
  if (sliderChanged_) sliderChanged_(slider);
}

bool Controls::Checked(const std::string& name) const {
  const Control& c = Get(name);
  return c.Made() ? SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED : c.checked;
}

void Controls::SetChecked(const std::string& name, bool checked) {
  Control& c = Get(name);
  if (!c.Made()) {
    c.checked = checked;
    return;
  }
  SendMessageA(c.hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (c.kind != Kind::Toggle || !checked) return;
  for (auto& other : controls_) {
    if (other->kind == Kind::Toggle && other.get() != &c) {
      SendMessageA(other->hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
}

int Controls::Position(const std::string& name) const {
  return Number(Get(name), TBM_GETPOS, &Control::position);
}

void Controls::SetPosition(const std::string& name, int position) {
  Control& c = Get(name);
  if (!c.Made()) {
    const int now = c.def ? std::clamp(position, c.def->slider.min, c.def->slider.max) : position;
    if (now == c.position) return;
    c.position = now;
    if (sliderChanged_) sliderChanged_(c);
    return;
  }
  const int low = static_cast<int>(SendMessageA(c.hwnd, TBM_GETRANGEMIN, 0, 0));
  const int high = static_cast<int>(SendMessageA(c.hwnd, TBM_GETRANGEMAX, 0, 0));
  SendMessageA(c.hwnd, TBM_SETPOS, TRUE, std::clamp(position, low, high));
  SliderScrolled(c);
}

int Controls::ItemIndex(const std::string& name) const {
  return Number(Get(name), CB_GETCURSEL, &Control::itemIndex);
}

void Controls::SetItemIndex(const std::string& name, int index) {
  Control& c = Get(name);
  if (!c.Made()) {
    c.itemIndex = index;
    return;
  }
  SendMessageA(c.hwnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Controls::Text(const std::string& name) const {
  const Control& c = Get(name);
  return c.Made() ? WindowText(c.hwnd) : c.text;
}

void Controls::SetText(const std::string& name, const std::string& text) {
  Control& c = Get(name);
  if (c.Made()) {
    SetWindowTextA(c.hwnd, text.c_str());
  } else {
    c.text = text;
  }
}

bool Controls::Enabled(const std::string& name) const {
  const Control& c = Get(name);
  return c.Made() ? IsWindowEnabled(c.hwnd) != FALSE : c.enabled;
}

void Controls::SetEnabled(const std::string& name, bool enabled) {
  Control& c = Get(name);
  if (c.Made()) {
    EnableWindow(c.hwnd, enabled ? TRUE : FALSE);
  } else {
    c.enabled = enabled;
  }
}

void Controls::Repaint(const std::string& name) {
  HWND hwnd = Get(name).hwnd;
  if (!hwnd) return;
  InvalidateRect(hwnd, nullptr, TRUE);
  UpdateWindow(hwnd);
}

}  // namespace tw::ui
