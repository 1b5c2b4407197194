#include "backup_menu.h"

#include <commdlg.h>
#include <shlobj.h>

#include "codepage.h"
#include "export_selection.h"
#include "import_selection.h"
#include "messages.h"
#include "registry.h"
#include "unitprogress.h"
#include "winversion.h"

namespace tw::ui {
namespace {

const char kUndoEntry[] = "&Letzte Übernahme rückgängig machen...";
const char kExportEntry[] = "Auswahl als .reg-Datei &exportieren...";
const char kImportEntry[] = "Auswahl aus .reg-Datei &importieren...";
const wchar_t kFilter[] = L"Registrierungsdateien (*.reg)\0*.reg\0";
const wchar_t kDefaultName[] = L"Trimmwerk-Auswahl.reg";
const char kNothingToExport[] =
    "Es ist keine Einstellung eingeschaltet, die exportiert werden könnte.";
const char kExported[] = "Die Auswahl wurde gespeichert:";

Layout WindowLayout() { return IsWindowsVista() ? Layout::Vista : Layout::XP; }

std::wstring ToWide(const std::u16string& s) { return std::wstring(s.begin(), s.end()); }
std::u16string FromWide(const std::wstring& s) { return std::u16string(s.begin(), s.end()); }

}  // namespace

RunTime LocalRunTime() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

RunTime UtcRunTime() {
  SYSTEMTIME t;
  GetSystemTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

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
                  WindowLayout(),
                  window_.caption};
  // The controls show the machine again only when undo reloaded them.
  if (UndoLastApply(undo)) window_.standardViewShown = false;
}

void BackupMenu::Export() {
  RegistryApi* machine = RegistryBackend();
  const std::vector<ExportFile> files =
      machine ? ExportSelection(*machine, window_.controls, WindowLayout(), window_.caption,
                                LocalRunTime(), GetLocalComputerName())
              : std::vector<ExportFile>{};
  if (files.empty()) {
    MessageDlg(kNothingToExport, MsgType::Information, kMbOk);
    return;
  }
  wchar_t path[MAX_PATH] = {};
  wcscpy(path, kDefaultName);
  if (!ChooseFile(false, L"Auswahl als .reg-Datei exportieren", path)) return;

  std::vector<std::u16string> names, existing;
  for (const ExportFile& f : files) {
    names.push_back(ExportFileName(FromWide(path), f.suffix));
    if (GetFileAttributesW(ToWide(names.back()).c_str()) != INVALID_FILE_ATTRIBUTES)
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
  wchar_t path[MAX_PATH] = {};
  if (!ChooseFile(true, L"Auswahl aus .reg-Datei importieren", path)) return;
  ImportWindow import{window_.controls, window_.loaded, window_.standardViewShown, WindowLayout(),
                      window_.caption};
  ImportSelection(import, WideToAnsi(FromWide(path)), ReadWholeFile(path, kImportLimit + 1));
}

bool BackupMenu::ChooseFile(bool open, const wchar_t* title, wchar_t (&path)[MAX_PATH]) {
  // The folder of the last export or import; before the first one the user's documents.
  std::wstring start = lastFolder_;
  wchar_t documents[MAX_PATH] = {};
  if (start.empty() && SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, 0, documents)))
    start = documents;
  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = window_.handle;
  ofn.lpstrFilter = kFilter;
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrDefExt = L"reg";
  ofn.lpstrTitle = title;
  ofn.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
  // No overwrite prompt of the save dialog: it would ask for the chosen name, which a split
  // selection does not write. Export asks once for every file it would replace.
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (open) ofn.Flags |= OFN_FILEMUSTEXIST;
  if (!(open ? GetOpenFileNameW(&ofn) : GetSaveFileNameW(&ofn))) return false;
  const std::wstring chosen = path;
  const std::size_t slash = chosen.find_last_of(L"\\/");
  if (slash != std::wstring::npos) lastFolder_ = chosen.substr(0, slash);
  return true;
}

}  // namespace tw::ui
