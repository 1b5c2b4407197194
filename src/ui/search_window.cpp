#include "ui/search_window.h"

#include <algorithm>
#include <map>

#include "flows/settings_load.h"
#include "system/error.h"
#include "ui/app.h"
#include "ui/backup_menu.h"
#include "ui/navigation.h"
#include "ui/pages.h"
#include "ui/resources.h"

namespace tw::ui {
namespace {

constexpr char kFindEntry[] = "Einstellung &finden...\tStrg+F";
constexpr char kTitle[] = "Einstellung finden";
constexpr int kClientWidth = 440;
constexpr int kClientHeight = 292;
constexpr char kBetween[] = " › ";

// The window's controls in tab order, at the design size. Each label stands right before the
// control it names, which is how screen readers find a name for a field or a list.
struct SearchControl {
  const char* name;
  const char* className;
  const char* text;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
  int id;
};
// clang-format off
const SearchControl kControls[] = {
    {"labQuery", "STATIC", "&Suchen nach:", SS_LEFT, 0, 12, 14, 80, 13, 200},
    {"edQuery", "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 92, 10, 336, 21, 201},
    {"labCount", "STATIC", "", SS_LEFT | SS_NOPREFIX, 0, 12, 40, 416, 13, 202},
    {"lbMatches", "LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, 12, 56, 416, 170, 203},
    {"cbNonStandard", "BUTTON", "Nur Einstellungen, die vom Windows-Standard abweichen",
     WS_TABSTOP | BS_AUTOCHECKBOX, 0, 12, 232, 416, 17, 204},
    {"butShow", "BUTTON", "Anzeigen", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 260, 258, 80, 24, IDOK},
    {"butClose", "BUTTON", "Schließen", WS_TABSTOP | BS_PUSHBUTTON, 0, 348, 258, 80, 24, IDCANCEL},
};
// clang-format on

const SearchControl& ControlNamed(const std::string& name) {
  for (const SearchControl& c : kControls) {
    if (name == c.name) return c;
  }
  throw Error("Unbekanntes Steuerelement: " + name);
}

// The field hands the arrow and page keys on to the list, so that a match is chosen without
// leaving the field.
LRESULT CALLBACK QueryFieldProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (msg == WM_KEYDOWN &&
      (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_PRIOR || wParam == VK_NEXT)) {
    HWND list = GetDlgItem(GetParent(hwnd), ControlNamed("lbMatches").id);
    return SendMessageA(list, msg, wParam, lParam);
  }
  return CallWindowProcA(original, hwnd, msg, wParam, lParam);
}

// The control whose caption names a setting where its own does not (the program folder's
// button, a slider): the one the apply confirmation names it by.
const char* ReportedAs(Layout layout, const std::vector<std::string>& controls) {
  for (const Binding& b : BindingsOf(layout).bindings) {
    if (!b.reportAs) continue;
    for (const char* c : StepControls(b)) {
      if (std::find(controls.begin(), controls.end(), c) != controls.end()) return b.reportAs;
    }
  }
  return nullptr;
}

}  // namespace

SearchIndex BuildSearchIndex(Controls& controls) {
  const Layout layout = RunningLayout().value_or(Layout::Vista);
  const Control& pageSet = controls.Get(PagesOf(layout).pageSet);
  // The controls of each tweak ID in row order, and the rows without one that the standard view
  // sets (the program folder's label): they count for the next setting of their group.
  std::vector<int> order;
  std::map<int, std::vector<Control*>> byTweak;
  std::vector<Control*> waiting;
  for (const auto& owned : controls.All()) {
    Control& c = *owned;
    const Control* page = Controls::PageOf(c);
    if (!page || page == &c || page->parent != &pageSet || c.kind == Kind::Group) continue;
    if (c.tweakId == 0) {
      if (c.kind == Kind::Label) waiting.push_back(&c);
      continue;
    }
    auto& list = byTweak[c.tweakId];
    if (list.empty()) order.push_back(c.tweakId);
    for (Control* w : waiting) {
      if (w->parent == c.parent) list.push_back(w);
    }
    waiting.clear();
    list.push_back(&c);
  }
  SearchIndex index;
  for (int id : order) {
    const auto& list = byTweak[id];
    Control* first = nullptr;
    std::size_t withTweak = 0;
    SearchEntry entry;
    for (Control* c : list) {
      entry.controls.push_back(c->name);
      if (c->tweakId == 0) continue;
      if (!first) first = c;
      ++withTweak;
    }
    entry.control = first->name;
    entry.tweakId = id;
    entry.page = controls.Text(Controls::PageOf(*first)->name);
    const char* reported = ReportedAs(layout, entry.controls);
    entry.caption = withTweak > 1 && first->parent ? controls.Text(first->parent->name)
                    : reported                     ? controls.Text(reported)
                                                   : controls.Text(first->name);
    try {
      entry.text = RtfPlainText(LoadTweakText(id));
    } catch (const Error&) {
      // A setting without its text is still found by its caption.
    }
    index.Add(std::move(entry));
  }
  return index;
}

void InstallFindEntry(HWND window) {
  HMENU menu = GetSystemMenu(window, FALSE);
  InsertMenuA(menu, kCmdUndo, MF_BYCOMMAND | MF_STRING, kCmdFind, kFindEntry);
}

TfrmSearch::TfrmSearch(Form& main, Controls& controls) : main_(main), controls_(controls) {}

TfrmSearch::~TfrmSearch() {
  if (handle()) DestroyWindow(handle());
}

HWND TfrmSearch::Get(const std::string& name) const {
  return GetDlgItem(handle(), ControlNamed(name).id);
}

void TfrmSearch::Open() {
  if (!handle()) {
    index_ = BuildSearchIndex(controls_);
    font_.Reset(CreateUiFont());
    CreateForm({"TfrmSearch", kTitle, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kClientWidth, kClientHeight, nullptr},
               main_.handle());
    CentreOnScreen(handle());
    BuildControls();
    Refresh();
  } else if (SendMessageA(Get("cbNonStandard"), BM_GETCHECK, 0, 0) == BST_CHECKED) {
    // The boxes may have changed behind the window: the filter looks again, the choice stays.
    Refresh(true);
  }
  EnableWindow(handle(), IsWindowEnabled(main_.handle()));
  Show();
  SetForegroundWindow(handle());
  SetActiveWindow(handle());
  if (showedMatch_ && !listed_.empty()) {
    SetFocus(Get("lbMatches"));
  } else {
    SetFocus(Get("edQuery"));
    SendMessageA(Get("edQuery"), EM_SETSEL, 0, -1);
  }
  showedMatch_ = false;
}

void TfrmSearch::BuildControls() {
  for (const SearchControl& c : kControls) {
    HWND hwnd =
        CreateWindowExA(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, Scale(c.x),
                        Scale(c.y), Scale(c.width), Scale(c.height), handle(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Instance(), nullptr);
    if (!hwnd) throw Error(std::string("Steuerelement nicht erzeugt: ") + c.name);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  HWND field = Get("edQuery");
  SetWindowLongPtrA(field, GWLP_USERDATA, GetWindowLongPtrA(field, GWLP_WNDPROC));
  SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(QueryFieldProc));
}

void TfrmSearch::Refresh(bool keepSelection) {
  const auto selected = static_cast<int>(SendMessageA(Get("lbMatches"), LB_GETCURSEL, 0, 0));
  const std::size_t kept =
      keepSelection && selected >= 0 && static_cast<std::size_t>(selected) < listed_.size()
          ? listed_[static_cast<std::size_t>(selected)]
          : index_.entries().size();
  std::set<std::string> differing;
  const bool filtered = SendMessageA(Get("cbNonStandard"), BM_GETCHECK, 0, 0) == BST_CHECKED;
  if (filtered) {
    differing = DifferFromStandard(controls_, RunningLayout().value_or(Layout::Vista));
  }
  listed_ = index_.Find(WindowText(Get("edQuery")), filtered ? &differing : nullptr);
  HWND list = Get("lbMatches");
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& caption : ListedCaptions()) {
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
  }
  const auto at = std::find(listed_.begin(), listed_.end(), kept);
  const int select = listed_.empty()       ? -1
                     : at == listed_.end() ? 0
                                           : static_cast<int>(at - listed_.begin());
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(select), 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  const std::size_t n = listed_.size();
  SetWindowTextA(Get("labCount"),
                 n == 0 ? "Keine Treffer" : (std::to_string(n) + " Treffer").c_str());
  EnableWindow(Get("butShow"), n > 0);
}

std::vector<std::string> TfrmSearch::ListedCaptions() const {
  std::vector<std::string> captions;
  for (std::size_t i : listed_) {
    const SearchEntry& e = index_.entries()[i];
    captions.push_back(e.page + kBetween + e.caption);
  }
  return captions;
}

void TfrmSearch::ShowSelected() {
  const auto selected = static_cast<int>(SendMessageA(Get("lbMatches"), LB_GETCURSEL, 0, 0));
  if (selected < 0 || static_cast<std::size_t>(selected) >= listed_.size()) return;
  const SearchEntry& entry = index_.entries()[listed_[static_cast<std::size_t>(selected)]];
  showedMatch_ = true;
  // Hiding the owned window hands the activation back to the main window.
  Hide();
  ShowSetting(main_, controls_, entry.control);
}

LRESULT TfrmSearch::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      const int code = HIWORD(wParam);
      if (id == IDOK) {
        ShowSelected();
      } else if (id == IDCANCEL) {
        Hide();
      } else if ((id == ControlNamed("edQuery").id && code == EN_CHANGE) ||
                 (id == ControlNamed("cbNonStandard").id && code == BN_CLICKED)) {
        Refresh();
      } else if (id == ControlNamed("lbMatches").id && code == LBN_DBLCLK) {
        ShowSelected();
      }
      return 0;
    }
    case WM_CLOSE:
      // Closing only hides the window: the next Ctrl+F finds it as it was.
      Hide();
      return 0;
    default:
      return Default(msg, wParam, lParam);
  }
}

}  // namespace tw::ui
