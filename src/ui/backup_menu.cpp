#include "ui/backup_menu.h"

#include <cderr.h>
#include <commdlg.h>
#include <shlobj.h>

#include "flows/export_selection.h"
#include "flows/import_selection.h"
#include "flows/texts.h"
#include "registry/codepage.h"
#include "registry/registry.h"
#include "system/messages.h"
#include "system/winversion.h"
#include "ui/unitprogress.h"
#include "win32/win32_system.h"

namespace tw::ui {
namespace {

using namespace text;

// In characters: the open dialog's answer when several files are chosen.
constexpr std::size_t kOpenAnswerSize = 32768;

}  // namespace

BackupMenu::BackupMenu(BackupMenuWindow window)
    : window_(std::move(window)), backups_(store_, [] {
        BackupHeader h;
        h.time = LocalRunTime();
        h.utc = UtcRunTime();
        h.windows = GetWindowsVersionName();
        h.computer = GetLocalComputerName();
        return h;
      }) {}

void BackupMenu::Install() {
  HMENU menu = GetSystemMenu(window_.handle, FALSE);
  if (!menu) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, kCmdUndo, kUndoEntry);
  AppendMenuA(menu, MF_STRING, kCmdExport, kExportEntry);
  AppendMenuA(menu, MF_STRING, kCmdImport, kImportEntry);
}

void BackupMenu::Refresh() {
  HMENU menu = GetSystemMenu(window_.handle, FALSE);
  if (!menu) return;
  const bool can = CanUndo(store_, GetLocalComputerName());
  EnableMenuItem(menu, kCmdUndo, MF_BYCOMMAND | (can ? MF_ENABLED : MF_GRAYED));
}

bool BackupMenu::Command(WPARAM command) {
  switch (command & 0xFFF0) {
    case kCmdUndo:
      Undo();
      return true;
    case kCmdExport:
      Export();
      return true;
    case kCmdImport:
      Import();
      return true;
  }
  return false;
}

void BackupMenu::Undo() {
  RegistryApi* machine = RegistryBackend();
  if (!machine) return;
  UndoWindow undo{window_.controls,
                  window_.loaded,
                  store_,
                  *machine,
                  GetLocalComputerName(),
                  [this](int maximum) -> std::unique_ptr<Progress> {
                    return std::make_unique<TfrmProgress>(window_.handle, maximum);
                  },
                  RunningLayout().value_or(Layout::XP),
                  window_.caption};
  // The controls show the machine again only when undo reloaded them.
  if (UndoLastApply(undo)) window_.standardViewShown = false;
}

void BackupMenu::Export() {
  RegistryApi* machine = RegistryBackend();
  const std::vector<ExportFile> files =
      machine ? ExportSelection(*machine, window_.controls, RunningLayout().value_or(Layout::XP),
                                window_.caption, LocalRunTime(), GetLocalComputerName())
              : std::vector<ExportFile>{};
  if (files.empty()) {
    MessageDlg(kNothingToExport, MsgType::Information, kMbOk);
    return;
  }
  const std::vector<std::wstring> chosen =
      ChooseFiles(false, AnsiToWstring(kExportDialog).c_str(), AnsiToWstring(kDefaultExportName));
  if (chosen.empty()) return;

  std::vector<std::u16string> names, existing;
  for (const ExportFile& f : files) {
    names.push_back(ExportFileName(WstringToU16(chosen.front()), f.suffix));
    if (GetFileAttributesW(U16ToWstring(names.back()).c_str()) != INVALID_FILE_ATTRIBUTES)
      existing.push_back(names.back());
  }
  if (!existing.empty() && MessageDlg(ReplaceQuestion(existing), MsgType::Confirmation,
                                      kMbYes | kMbNo | kMbDefaultNo) != MsgResult::Yes)
    return;

  Win32ExportTarget target;
  const std::string failed = SaveExport(target, names, files);
  if (!failed.empty()) {
    MessageDlg(failed, MsgType::Error, kMbOk);
    return;
  }
  std::string written;
  for (const std::u16string& name : names) written += "\r" + WideToAnsi(name);
  MessageDlg(kExported + written, MsgType::Information, kMbOk);
}

void BackupMenu::Import() {
  std::vector<ImportFile> files;
  for (const std::wstring& path : ChooseFiles(true, AnsiToWstring(kImportDialog).c_str(), L""))
    files.push_back({WideToAnsi(WstringToU16(path)), ReadWholeFile(path, kImportLimit + 1)});
  if (files.empty()) return;
  ImportWindow import{window_.controls, window_.loaded, window_.standardViewShown,
                      RunningLayout().value_or(Layout::XP), window_.caption};
  ImportSelection(import, std::move(files));
}

std::vector<std::wstring> BackupMenu::ChooseFiles(bool open, const wchar_t* title,
                                                  std::wstring path) {
  // The folder of the last export or import; before the first one the user's documents.
  std::wstring start = lastFolder_;
  wchar_t documents[MAX_PATH] = {};
  if (start.empty() && SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)))
    start = documents;
  // Room for many names at once: the answer is the folder, then each name.
  path.resize(open ? kOpenAnswerSize : MAX_PATH, L'\0');
  // The filter's pairs of caption and pattern, each ended by a zero, the list by another.
  const std::wstring filter = AnsiToWstring(kRegFilter) + L'\0' + L"*.reg" + L'\0';
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_.handle;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = &path[0];
  ofn.nMaxFile = static_cast<DWORD>(path.size());
  ofn.lpstrDefExt = L"reg";
  ofn.lpstrTitle = title;
  ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  // No overwrite prompt of the save dialog: it would ask for the chosen name, which a split
  // selection does not write. Export asks once for every file it would replace.
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (open) ofn.Flags |= OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_EXPLORER;
  if (!(open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn))) {
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
      MessageDlg(kTooManyFiles, MsgType::Error, kMbOk);
    return {};
  }
  std::vector<std::wstring> chosen;
  for (const std::u16string& f : ChosenFiles(WstringToU16(path))) chosen.push_back(U16ToWstring(f));
  if (chosen.empty()) return chosen;
  const std::size_t slash = chosen.front().find_last_of(L"\\/");
  if (slash != std::wstring::npos) lastFolder_ = chosen.front().substr(0, slash);
  return chosen;
}

}  // namespace tw::ui
