#include "ui/unitmain.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "flows/oneshot_flow.h"
#include "flows/settings_apply.h"
#include "flows/settings_load.h"
#include "flows/standard_view.h"
#include "flows/window_settings.h"
#include "registry/registry.h"
#include "system/error.h"
#include "system/messages.h"
#include "system/version.h"
#include "system/winversion.h"
#include "ui/app.h"
#include "ui/backup_menu.h"
#include "ui/buffered_paint.h"
#include "ui/navigation.h"
#include "ui/pages.h"
#include "ui/resources.h"
#include "ui/search_window.h"
#include "ui/tooltips.h"
#include "ui/unitinfo.h"
#include "ui/unitprogress.h"

namespace tw::ui {

TfrmMain* frmMain = nullptr;

namespace {

constexpr char kTitle[] = TW_PROGRAM_TITLE;
constexpr int kClientWidth = 736;
constexpr int kClientHeight = 570;
constexpr Bounds kPageSetBounds = {16, 80, 464, 418};

// IDs: the window's own controls from 100, the XP pages from 1000, the Vista pages from 2000.
constexpr int kOwnIdBase = 100;
constexpr int kXPIdBase = 1000;
constexpr int kVistaIdBase = 2000;

// The pages not shown yet are made one at a time while the window waits for input, so that
// the first switch to a page only shows it. The first one after the window has settled.
constexpr UINT_PTR kPageTimer = 1;
constexpr UINT kFirstPageDelayMs = 250;
constexpr UINT kNextPageDelayMs = 20;

constexpr char kRefusal[] =
    "Dieses Programm kann ausschließlich in Verbindung mit Windows XP oder Windows Vista "
    "genutzt werden.\rDas Programm wird jetzt beendet!";

// The window's own controls in tab order; the page sets are built from their page tables.
// clang-format off
const ControlDef kOwnControls[] = {
    {"bbInfo", Kind::BitmapButton, "Informationen", 0, {420, 18, 28, 28}},
    {"bbCollapse", Kind::BitmapButton, "Erklärungen ein- oder ausblenden", 0, {452, 18, 28, 28}},
    {"pcMain", Kind::PageSet, nullptr, 0, kPageSetBounds},
    {"pcMainVista", Kind::PageSet, nullptr, 0, kPageSetBounds},
    {"reTweakInfo", Kind::RichText, nullptr, 0, {496, 80, 224, 418}},
    {"sbutXPStandard", Kind::Toggle, "XP-Standard\ranzeigen", 0, {16, 508, 88, 48}},
    {"sbutCurrentSettings", Kind::Toggle, "Aktuelle\rEinstellungen\ranzeigen", 0, {110, 508, 88, 48}},
    {"butApply", Kind::Button, "Einstellungen\rübernehmen", 0, {258, 508, 128, 48}},
    {"butCancel", Kind::Button, "Schließen", 0, {392, 508, 88, 48}},
};
// clang-format on

using Handler = void (TfrmMain::*)(Control&);
struct Event {
  const char* control;
  Handler handler;
};

const Event kClickEvents[] = {
    {"bbInfo", &TfrmMain::bbInfoClick},
    {"bbCollapse", &TfrmMain::bbCollapseClick},
    {"sbutXPStandard", &TfrmMain::sbutXPStandardClick},
    {"sbutCurrentSettings", &TfrmMain::sbutCurrentSettingsClick},
    {"butApply", &TfrmMain::butApplyClick},
    {"butCancel", &TfrmMain::butCancelClick},
    {"butDeinstallMessenger", &TfrmMain::butDeinstallMessengerClick},
    {"butDeleteBrowserextensions", &TfrmMain::butDeleteBrowserextensionsClick},
    {"butDeleteBHO", &TfrmMain::butDeleteBHOClick},
    {"butDeleteToolbars", &TfrmMain::butDeleteToolbarsClick},
    {"butPatchWindowsUpdate", &TfrmMain::butPatchWindowsUpdateClick},
    {"butUseGoogleSearch", &TfrmMain::butUseGoogleSearchClick},
    {"but20060541", &TfrmMain::butUseGoogleSearchClick},
    {"butSearchProgramDir", &TfrmMain::butSearchProgramDirClick},
};

const Event kChangeEvents[] = {
    {"combxTextColor", &TfrmMain::combxTextColorChange},
    {"combxBackgroundColor", &TfrmMain::combxTextColorChange},
    {"combx20060817a", &TfrmMain::combxTextColorChange},
    {"combx20060817b", &TfrmMain::combxTextColorChange},
    {"tbarBitBucket", &TfrmMain::tbarBitBucketChange},
    {"trackStartmenuDelay", &TfrmMain::trackStartmenuDelayChange},
    {"tb20060528", &TfrmMain::trackStartmenuDelayChange},
};

template <std::size_t N>
Handler FindHandler(const Event (&events)[N], const std::string& name) {
  for (const Event& e : events) {
    if (name == e.control) return e.handler;
  }
  return nullptr;
}

// The two page sets: the XP layout's and its Vista twin, with the first ID of their controls.
struct PageSetDef {
  const PageTable* pages;
  int idBase;
};
const PageSetDef kPageSets[] = {{&kPagesXP, kXPIdBase}, {&kPagesVista, kVistaIdBase}};

const PageSetDef& PageSetNamed(const char* name) {
  for (const PageSetDef& set : kPageSets) {
    if (std::strcmp(set.pages->pageSet, name) == 0) return set;
  }
  throw Error(std::string("Unbekanntes Steuerelement: ") + name);
}

// The pages this Windows shows; nullptr on any other Windows.
const PageTable* ShownPages() {
  const std::optional<Layout> layout = RunningLayout();
  return layout ? &PagesOf(*layout) : nullptr;
}

// The labels that show a slider's position, with the unit of the slider's binding.
struct SliderValue {
  Layout layout;
  const char* slider;
  const char* label;
};
const SliderValue kSliderValues[] = {
    {Layout::XP, "tbarBitBucket", "labBitBucketSizeValue"},
    {Layout::XP, "trackStartmenuDelay", "labStartmenuDelayValue"},
    {Layout::Vista, "tb20060528", "lab20060528b"},
};

// The main window as its own settings see it.
class Placement : public WindowPlacement {
 public:
  explicit Placement(TfrmMain& form) : form_(form) {}
  ScreenRect Frame() const override {
    RECT r;
    GetWindowRect(form_.handle(), &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  void MoveTo(int left, int top) override {
    SetWindowPos(form_.handle(), nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  int ClientWidth() const override { return form_.ClientWidth(); }
  int CollapsedClientWidth() const override { return form_.CollapsedClientWidth; }
  void CollapseInfoPanel() override { form_.CollapseInfoPanel(); }
  int TitleBarHeight() const override {
    RECT frame;
    POINT client{0, 0};
    GetWindowRect(form_.handle(), &frame);
    ClientToScreen(form_.handle(), &client);
    return client.y - frame.top;
  }
  bool OnOneWorkArea(const ScreenRect& s) const override {
    const RECT r{s.left, s.top, s.right, s.bottom};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = MonitorFromRect(&r, MONITOR_DEFAULTTONULL);
    if (!monitor || !GetMonitorInfoA(monitor, &info)) return false;
    const RECT& w = info.rcWork;
    return r.left >= w.left && r.top >= w.top && r.right <= w.right && r.bottom <= w.bottom;
  }

 private:
  TfrmMain& form_;
};

// Keeps the window from taking input; it still repaints.
class WindowBlock : public InputBlock {
 public:
  explicit WindowBlock(HWND hwnd) : hwnd_(hwnd) { EnableWindow(hwnd_, FALSE); }
  ~WindowBlock() override { EnableWindow(hwnd_, TRUE); }
  WindowBlock(const WindowBlock&) = delete;
  WindowBlock& operator=(const WindowBlock&) = delete;

 private:
  HWND hwnd_;
};

bool HasCaption(Kind kind) {
  return kind == Kind::CheckBox || kind == Kind::Label || kind == Kind::Button ||
         kind == Kind::Group;
}

}  // namespace

TfrmMain::TfrmMain() { frmMain = this; }

TfrmMain::~TfrmMain() {
  SetKeyHandler(nullptr);
  // The window and its controls first: the members hold what they draw with.
  if (handle()) DestroyWindow(handle());
  if (frmMain == this) frmMain = nullptr;
}

void TfrmMain::Create() {
  SetExceptionHook([this](std::exception_ptr e) { appeventsException(e); });
  font_.Reset(CreateUiFont());
  boldFont_.Reset(CreateUiFont(true));
  preview_ = std::make_unique<ConsolePreview>(ConsoleColorTable);
  CreateForm({"TfrmMain", kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
              WS_EX_CONTEXTHELP | WS_EX_CONTROLPARENT, kClientWidth, kClientHeight, ProgramIcon()},
             nullptr);
}

void TfrmMain::BuildControls() {
  controls_ = std::make_unique<Controls>(handle(), font_.get(), boldFont_.get());
  panel_ = std::make_unique<InfoPanel>(*this, *controls_, font_.get(), ExpandedClientWidth,
                                       CollapsedClientWidth);
  controls_->SetSliderHandler([this](Control& c) { OnChange(c); });
  controls_->SetMadeHandler([this](Control& c) {
    if (c.kind == Kind::ImageCombo) preview_->FillList(c);
  });
  int id = kOwnIdBase;
  for (const ControlDef& def : kOwnControls) {
    if (def.kind == Kind::PageSet) {
      const PageSetDef& set = PageSetNamed(def.name);
      controls_->BuildPageSet(*set.pages, def.bounds, set.idBase, preview_->ilColors());
    } else {
      controls_->CreateOutside(def, id++);
    }
  }
}

void TfrmMain::PlacePageSets() {
  const Bounds b = Scaled(kPageSetBounds);
  for (const PageSetDef& set : kPageSets) {
    SetWindowPos(controls_->Get(set.pages->pageSet).hwnd, nullptr, b.left, b.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const PageTable* shown = ShownPages();
  if (!shown) return;
  Control& on = controls_->Get(shown->pageSet);
  controls_->ShowPageSet(on, true);
  SetWindowPos(on.hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (const PageSetDef& set : kPageSets) {
    if (set.pages != shown) controls_->ShowPageSet(controls_->Get(set.pages->pageSet), false);
  }
}

void TfrmMain::FormCreate() {
  PlacePageSets();
  for (const PageSetDef& set : kPageSets) {
    InvalidateRect(controls_->Get(set.pages->pageSet).hwnd, nullptr, TRUE);
  }

  // The buttons keep the captions they were made with, but on Vista the standard is Vista's.
  if (RunningLayout() == Layout::Vista)
    controls_->SetText("sbutXPStandard", "Vista-Standard\ranzeigen");

  SetHelpHandler([this](unsigned short command, long data, bool& callHelp) {
    return ApplicationHelp(command, data, callHelp);
  });

  if (const std::optional<Layout> layout = RunningLayout())
    header_.Reset(LoadBitmapResource(*layout == Layout::XP ? kBmpHeaderXP : kBmpHeaderVista));
  panel_->LoadArrows();
  infoImage_.Reset(LoadBitmapResource(kBmpInfo, true));
  SendMessageA(controls_->Get("bbInfo").hwnd, BM_SETIMAGE, IMAGE_BITMAP,
               reinterpret_cast<LPARAM>(infoImage_.get()));
  // Until the panel is first closed, the arrow points the way it would go.
  panel_->ShowCloseArrow();
  // The image buttons show no text: their tooltips say what their window texts tell screen
  // readers.
  tooltips_ = std::make_unique<Tooltips>(handle());
  tooltips_->Add(controls_->Get("bbInfo").hwnd);
  tooltips_->Add(controls_->Get("bbCollapse").hwnd);

  doubleBuffered_ = true;

  for (const PageSetDef& set : kPageSets) {
    controls_->SelectPage(controls_->Get(set.pages->pageSet), 0);
  }

  if (RegistryApi* registry = RegistryBackend()) ConsoleColorTable = ReadConsolePalette(*registry);
  preview_->BuildSwatches(*controls_);
  preview_->SelectDefaultColours(*controls_);

  LoadCurrentSettings();
  StandardViewShown = false;
  backupMenu_ = std::make_unique<BackupMenu>(
      BackupMenuWindow{handle(), *controls_, loaded_, StandardViewShown,
                       [this](const std::string& name) { return SettingCaption(name); }});
  backupMenu_->Install();
  InstallFindEntry(handle());
  SetKeyHandler([this](const MSG& msg) {
    return HandleNavigationKey(*this, controls(), msg, [this] { OpenSearch(); });
  });

  if (!IsWindowsXPOrVista()) {
    MessageDlg(kRefusal, MsgType::Information, kMbOk);
    Terminate();
  }
}

void TfrmMain::FormShow() {
  PlacePageSets();
  RECT panel;
  GetWindowRect(controls_->Get("reTweakInfo").hwnd, &panel);
  MapWindowPoints(nullptr, handle(), reinterpret_cast<POINT*>(&panel), 2);
  CollapsedClientWidth = panel.left;
  ExpandedClientWidth = ClientWidth();
  LoadWindowSettings();
}

bool TfrmMain::MakeNextPage() {
  const PageTable* shown = ShownPages();
  if (!shown) return false;
  Control& pageSet = controls_->Get(shown->pageSet);
  for (Control* page : controls_->Pages(pageSet)) {
    if (page->Made()) continue;
    controls_->MakePageOf(*page);
    return true;
  }
  return false;
}

void TfrmMain::FormPaint(HDC dc) {
  if (!header_ || ExpandedClientWidth <= 0) return;
  BITMAP bm{};
  GetObjectA(header_.get(), sizeof bm, &bm);
  if (bm.bmWidth <= 0) return;
  const int width = ExpandedClientWidth;
  // Rounded to nearest, halves to even.
  const int height = static_cast<int>(
      std::nearbyint(static_cast<double>(bm.bmHeight) * width / static_cast<double>(bm.bmWidth)));
  MemoryDc source(CreateCompatibleDC(dc));
  Selection picture(source.get(), header_.get());
  if (width == bm.bmWidth && height == bm.bmHeight) {
    BitBlt(dc, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, width, height, source.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  }
}

void TfrmMain::LoadCurrentSettings() { LoadAndRemember(*controls_, loaded_); }

void TfrmMain::sbutCurrentSettingsClick(Control&) {
  LoadCurrentSettings();
  StandardViewShown = false;
  if (!controls_->Checked("sbutXPStandard")) controls_->SetChecked("sbutCurrentSettings", true);
}

void TfrmMain::butCancelClick(Control&) { Close(); }

// --- Applying and the standard view.

void TfrmMain::butApplyClick(Control&) {
  ApplyWindow window{*controls_,
                     StandardViewShown,
                     loaded_,
                     [this](int maximum) -> std::unique_ptr<Progress> {
                       return std::make_unique<TfrmProgress>(handle(), maximum);
                     },
                     [this](const std::string& name) { return SettingCaption(name); },
                     backupMenu_ ? &backupMenu_->runBackups() : nullptr};
  tw::butApplyClick(window);
}

std::string TfrmMain::SettingCaption(const std::string& name) const {
  const Control* c = &controls_->Get(name);
  while (c && !(HasCaption(c->kind) && !controls_->Text(c->name).empty())) c = c->parent;
  return c ? controls_->Text(c->name) : name;
}

void TfrmMain::sbutXPStandardClick(Control&) {
  tw::sbutXPStandardClick(*controls_, StandardViewShown);
  // The window no longer shows the files imported: the next import starts over.
  loaded_.imported = {};
}

// --- The buttons that act at once.

void TfrmMain::butDeinstallMessengerClick(Control&) {
  HWND window = handle();
  tw::butDeinstallMessengerClick(*controls_,
                                 [window] { return std::make_unique<WindowBlock>(window); });
}

void TfrmMain::butDeleteBrowserextensionsClick(Control& sender) {
  ConfirmedActionClick(*controls_, sender.name);
}

void TfrmMain::butDeleteBHOClick(Control& sender) { ConfirmedActionClick(*controls_, sender.name); }

void TfrmMain::butDeleteToolbarsClick(Control& sender) {
  ConfirmedActionClick(*controls_, sender.name);
}

void TfrmMain::butPatchWindowsUpdateClick(Control& sender) {
  ConfirmedActionClick(*controls_, sender.name);
}

void TfrmMain::butUseGoogleSearchClick(Control&) { tw::butUseGoogleSearchClick(); }

void TfrmMain::butSearchProgramDirClick(Control&) {
  tw::butSearchProgramDirClick(*controls_, reinterpret_cast<std::uintptr_t>(handle()));
}

// --- Own settings and closing.

void TfrmMain::LoadWindowSettings() {
  Placement placement(*this);
  tw::LoadWindowSettings(placement);
}

void TfrmMain::SaveWindowSettings() {
  Placement placement(*this);
  tw::SaveWindowSettings(placement);
}

bool TfrmMain::FormCloseQuery() { return tw::FormCloseQuery(StandardViewShown); }

void TfrmMain::FormClose() { SaveWindowSettings(); }

void TfrmMain::OpenSearch() {
  if (!search_) search_ = std::make_unique<TfrmSearch>(*this, controls());
  search_->Open();
}

void TfrmMain::bbInfoClick(Control&) {
  if (frmInfo) frmInfo->ShowModal();
}

// --- Help requests: which tweak a click, F1 or the "?" button asks about; the panel shows it.

Control* TfrmMain::ClickTarget(POINT screen) {
  Control* c = controls_->Owning(WindowFromPoint(screen));
  while (c && (c->kind == Kind::Label || c->kind == Kind::PaintBox || !IsWindowEnabled(c->hwnd))) {
    c = c->parent;
  }
  return c;
}

void TfrmMain::FormMouseActivate(UINT mouseMessage) {
  const bool left = mouseMessage == WM_LBUTTONDOWN || mouseMessage == WM_LBUTTONDBLCLK;
  const bool right = mouseMessage == WM_RBUTTONDOWN || mouseMessage == WM_RBUTTONDBLCLK;
  if (!left && !right) return;
  POINT cursor;
  GetCursorPos(&cursor);
  const Control* target = ClickTarget(cursor);
  if (!target || target->tweakId == 0) return;
  InvokeHelp(kHelpContextPopup, target->tweakId);
  if (left) {
    controls_->SetChecked("sbutXPStandard", false);
    controls_->SetChecked("sbutCurrentSettings", false);
  }
}

void TfrmMain::OnHelp(const HELPINFO& info) {
  if (info.iContextType != HELPINFO_WINDOW) return;
  Control* c = controls_->Owning(static_cast<HWND>(info.hItemHandle));
  while (c && c->tweakId == 0) c = c->parent;
  if (!c) return;
  RECT r;
  GetWindowRect(c->hwnd, &r);
  InvokeHelp(kHelpSetPopupPos, MAKELONG(r.left, r.top));
  InvokeHelp(kHelpContextPopup, c->tweakId);
}

// --- Colour preview and slider labels.

void TfrmMain::combxTextColorChange(Control&) {
  for (const ColourGroup& group : kColourGroups) controls_->Repaint(group.preview);
}

void TfrmMain::pboxCmdPreviewPaint(Control& sender, HDC dc) {
  if (const ColourGroup* group = ColourGroupOfPreview(sender.name)) {
    preview_->Paint(dc, *controls_, *group);
  }
}

void TfrmMain::tbarBitBucketChange(Control& sender) { ShowSliderValue(sender); }

void TfrmMain::trackStartmenuDelayChange(Control& sender) { ShowSliderValue(sender); }

void TfrmMain::ShowSliderValue(const Control& slider) {
  for (const SliderValue& v : kSliderValues) {
    if (slider.name == v.slider) {
      const char* unit = BindingOf(v.layout, v.slider).unit;
      controls_->SetText(v.label, std::to_string(controls_->Position(slider.name)) + unit);
    }
  }
}

void TfrmMain::appeventsException(std::exception_ptr error) { tw::appeventsException(error); }

// --- Messages.

void TfrmMain::OnCommand(Control& c, int code) {
  if (c.kind == Kind::ImageCombo) {
    if (code == CBN_SELCHANGE) OnChange(c);
    return;
  }
  if (code != BN_CLICKED) return;
  if (c.kind == Kind::Toggle) {
    // Group 10: pressing a button releases the other; pressing the one that is down releases it.
    controls_->SetChecked(c.name, !controls_->Checked(c.name));
  }
  if (Handler h = FindHandler(kClickEvents, c.name)) (this->*h)(c);
}

void TfrmMain::OnChange(Control& c) {
  if (Handler h = FindHandler(kChangeEvents, c.name)) (this->*h)(c);
}

LRESULT TfrmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
    case WM_SHOWWINDOW:
    case WM_TIMER:
      return OnStartMessage(msg, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintClientArea(handle(), doubleBuffered_, [this](HDC dc) { FormPaint(dc); });
      return 0;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_NOTIFY:
    case WM_DRAWITEM:
      return OnControlMessage(msg, wParam, lParam);
    case WM_MOUSEACTIVATE:
      FormMouseActivate(HIWORD(lParam));
      break;
    case WM_INITMENUPOPUP:
      if (HIWORD(lParam) && backupMenu_) backupMenu_->Refresh();  // the system menu
      break;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kCmdFind) {
        OpenSearch();
        return 0;
      }
      if (backupMenu_ && backupMenu_->Command(wParam)) return 0;
      break;
    case WM_ENABLE:
      // The search window waits while the main window does (a message box, an apply run).
      if (search_ && search_->handle()) EnableWindow(search_->handle(), wParam ? TRUE : FALSE);
      break;
    case WM_HELP:
      OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
      return TRUE;
    case WM_CLOSE:
      return OnClose();
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return Default(msg, wParam, lParam);
}

LRESULT TfrmMain::OnStartMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      BuildControls();
      try {
        FormCreate();
      } catch (...) {
        HandleException();
      }
      return 0;
    case WM_SHOWWINDOW:
      if (wParam) {
        FormShow();
        if (MakePagesWhenIdle) SetTimer(handle(), kPageTimer, kFirstPageDelayMs, nullptr);
      }
      break;
    case WM_TIMER:
      if (wParam != kPageTimer) break;
      // A timer message comes only when no input waits.
      if (MakePagesWhenIdle && MakeNextPage()) {
        SetTimer(handle(), kPageTimer, kNextPageDelayMs, nullptr);
      } else {
        KillTimer(handle(), kPageTimer);
      }
      return 0;
    default:
      break;
  }
  return Default(msg, wParam, lParam);
}

LRESULT TfrmMain::OnControlMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (Control* c =
              controls_ ? controls_->FromHandle(reinterpret_cast<HWND>(lParam)) : nullptr) {
        OnCommand(*c, HIWORD(wParam));
      }
      return 0;
    case WM_HSCROLL:
      if (Control* c = controls_->FromHandle(reinterpret_cast<HWND>(lParam))) {
        if (c->kind == Kind::Slider) controls_->SliderScrolled(*c);
      }
      return 0;
    case WM_NOTIFY: {
      const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      Control* c = controls_->FromHandle(hdr->hwndFrom);
      if (c && c->kind == Kind::PageSet && hdr->code == TCN_SELCHANGE)
        controls_->ShowSelectedPage(*c);
      return 0;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      Control* c = controls_->FromHandle(item->hwndItem);
      if (!c || c->kind != Kind::PaintBox) return FALSE;
      pboxCmdPreviewPaint(*c, item->hDC);
      return TRUE;
    }
    default:
      return Default(msg, wParam, lParam);
  }
}

LRESULT TfrmMain::OnClose() {
  // A disabled window is inside a modal step (a message box, an apply run, the Messenger
  // uninstaller): closing it now would pull the window from under that handler.
  if (!IsWindowEnabled(handle()) || !FormCloseQuery()) return 0;
  try {
    FormClose();
  } catch (...) {
    HandleException();  // the window closes all the same
  }
  DestroyWindow(handle());
  return 0;
}

}  // namespace tw::ui
