#pragma once

// The main window's system-menu entries for backups: "Letzte Übernahme rückgängig machen...",
// "Auswahl als .reg-Datei exportieren..." and "Auswahl aus .reg-Datei importieren...", and the
// backups its apply runs keep.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "flows/backup_flow.h"
#include "win32/win32_backup_store.h"

namespace tw::ui {

// What the entries need from the main window.
struct BackupMenuWindow {
  HWND handle;
  ControlSurface& controls;
  LoadedControls& loaded;
  bool& standardViewShown;  // false once undo has read the machine again
  // The caption that names a control's setting to the user.
  std::function<std::string(const std::string& control)> caption;
};

// System-menu command IDs: below 0xF000, low four bits clear, as Windows requires.
constexpr UINT kCmdUndo = 0x0010;
constexpr UINT kCmdExport = 0x0020;
constexpr UINT kCmdImport = 0x0030;

class BackupMenu {
 public:
  explicit BackupMenu(BackupMenuWindow window);
  BackupMenu(const BackupMenu&) = delete;
  BackupMenu& operator=(const BackupMenu&) = delete;

  // Appends the entries to the window's system menu.
  void Install();
  // Before the system menu opens: undo is greyed while no backup is left to restore.
  void Refresh();
  // A WM_SYSCOMMAND; true when it was one of these entries.
  bool Command(WPARAM command);

  RunBackups& runBackups() { return backups_; }
  BackupStore& store() { return store_; }

  void Undo();
  void Export();
  void Import();

 private:
  // The open dialog (several files at once) or the save dialog for registry files, starting
  // with the name in path; the folder chosen is where the next one starts. The full paths
  // chosen, none when the user cancelled.
  std::vector<std::wstring> ChooseFiles(bool open, const wchar_t* title, std::wstring path);

  BackupMenuWindow window_;
  std::wstring lastFolder_;  // of the last export or import
  Win32BackupStore store_;
  StoreBackups backups_;
};

}  // namespace tw::ui
