// Tavo Trimmwerk: the program's entry.

#include <windows.h>
// Needs <windows.h> first.
#include <commctrl.h>
#include <ole2.h>

#include "registry/registry.h"
#include "system/command_line.h"
#include "system/system_api.h"
#include "system/version.h"
#include "system/winversion.h"
#include "ui/app.h"
#include "ui/message_dialog.h"
#include "ui/unitinfo.h"
#include "ui/unitmain.h"
#include "win32/win32_registry.h"
#include "win32/win32_system.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The user interface takes no arguments; any argument means: do nothing.
  if (tw::CountArguments(GetCommandLineA()) > 0) return 0;

  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_TAB_CLASSES |
                                           ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  OleInitialize(nullptr);

  tw::ui::SetApplicationTitle(TW_PROGRAM_TITLE);
  tw::Win32Registry registry;
  tw::Win32System system;
  tw::RegistryBackendScope onRegistry(registry);
  tw::SetSystemBackend(&system);
  // Vista's System Restore calls back into the process: its COM security is set once, first.
  if (tw::IsWindowsVista()) tw::InitializeComSecurity();
  tw::SetMessageHandler(tw::ui::ShowMessageDialog);

  tw::ui::TfrmMain mainForm;
  mainForm.Create();
  tw::ui::TfrmInfo infoForm;
  infoForm.Create(mainForm.handle());
  if (!tw::ui::Terminated()) mainForm.Show();
  tw::ui::Run();

  tw::SetMessageHandler(nullptr);
  OleUninitialize();
  return 0;
}
