#include "ui/app.h"

namespace tw::ui {
namespace {

struct AppState {
  std::string title;
  ExceptionHook exceptionHook;
  HelpHandler helpHandler;
  KeyHandler keyHandler;
  bool terminated = false;
};

AppState& State() {
  static AppState state;
  return state;
}

// F1 goes to the root window as a help request for the focused control, the way the
// context-help button's click does.
bool HandleF1(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_F1) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (!root) return false;
  HELPINFO info{};
  info.cbSize = sizeof info;
  info.iContextType = HELPINFO_WINDOW;
  info.hItemHandle = msg.hwnd;
  info.iCtrlId = GetDlgCtrlID(msg.hwnd);
  info.dwContextId = GetWindowContextHelpId(msg.hwnd);
  GetCursorPos(&info.MousePos);
  SendMessageA(root, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
  return true;
}

}  // namespace

void SetApplicationTitle(const std::string& title) { State().title = title; }
const std::string& ApplicationTitle() { return State().title; }

void SetExceptionHook(ExceptionHook hook) { State().exceptionHook = std::move(hook); }

void HandleException() {
  const auto& hook = State().exceptionHook;
  if (!hook) return;
  try {
    hook(std::current_exception());
  } catch (...) {
    // The hook itself must not take the program down.
  }
}

void SetHelpHandler(HelpHandler handler) { State().helpHandler = std::move(handler); }

bool InvokeHelp(unsigned short command, long data) {
  bool callHelp = true;
  const auto& handler = State().helpHandler;
  return handler ? handler(command, data, callHelp) : false;
}

void SetKeyHandler(KeyHandler handler) { State().keyHandler = std::move(handler); }

void Terminate() {
  State().terminated = true;
  PostQuitMessage(0);
}

bool Terminated() { return State().terminated; }

void DispatchOne(MSG& msg) {
  const auto& keys = State().keyHandler;
  if (keys && msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
    try {
      if (keys(msg)) return;
    } catch (...) {
      HandleException();
      return;
    }
  }
  if (HandleF1(msg)) return;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  if (root && IsDialogMessageA(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
}

void Run() {
  MSG msg;
  while (!Terminated() && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchOne(msg);
}

void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      State().terminated = true;
      break;
    }
    DispatchOne(msg);
  }
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

}  // namespace tw::ui
