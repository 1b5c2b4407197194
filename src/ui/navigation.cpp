#include "ui/navigation.h"

#include "ui/app.h"
#include "ui/pages.h"

namespace tw::ui {
namespace {

Control& ShownPageSet(Controls& controls) {
  return controls.Get(PagesOf(RunningLayout().value_or(Layout::Vista)).pageSet);
}

}  // namespace

void SwitchPage(Controls& controls, int step) {
  Control& pageSet = ShownPageSet(controls);
  const int count = static_cast<int>(controls.Pages(pageSet).size());
  if (count == 0) return;
  const int next = ((controls.SelectedPage(pageSet) + step) % count + count) % count;
  controls.SelectPage(pageSet, next);
  SetFocus(pageSet.hwnd);
}

void ShowSetting(Form& form, Controls& controls, const std::string& name) {
  Control& control = controls.Get(name);
  Control* page = Controls::PageOf(control);
  if (!page || !page->parent) return;
  Control& pageSet = *page->parent;
  const auto pages = controls.Pages(pageSet);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (pages[i] == page) controls.SelectPage(pageSet, static_cast<int>(i));
  }
  SetForegroundWindow(form.handle());
  SetActiveWindow(form.handle());
  const bool focusable = control.Made() && IsWindowEnabled(control.hwnd);
  SetFocus(focusable ? control.hwnd : pageSet.hwnd);
  InvokeHelp(kHelpContextPopup, control.tweakId);
}

bool HandleNavigationKey(Form& form, Controls& controls, const MSG& msg,
                         const std::function<void()>& openSearch) {
  if (msg.message != WM_KEYDOWN) return false;
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  HWND window = form.handle();
  if (!window || GetAncestor(msg.hwnd, GA_ROOT) != window || !IsWindowEnabled(window)) {
    return false;
  }
  switch (msg.wParam) {
    case 'F':
      openSearch();
      return true;
    case VK_TAB:
      SwitchPage(controls, GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
      return true;
    case VK_NEXT:
      SwitchPage(controls, 1);
      return true;
    case VK_PRIOR:
      SwitchPage(controls, -1);
      return true;
    default:
      return false;
  }
}

}  // namespace tw::ui
