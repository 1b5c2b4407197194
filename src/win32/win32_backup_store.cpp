#include "win32/win32_backup_store.h"

#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "registry/codepage.h"
#include "win32/win32_system.h"

namespace tw {
namespace {

// A file or search handle that closes itself with close.
class Handle {
 public:
  Handle(HANDLE h, BOOL(WINAPI* close)(HANDLE)) : h_(h), close_(close) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) close_(h_);
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
  BOOL(WINAPI* close_)(HANDLE);
};

// Makes every missing folder of path.
bool MakeFolders(const std::wstring& path) {
  for (std::size_t at = path.find(L'\\', 3);; at = path.find(L'\\', at + 1)) {
    const std::wstring part = path.substr(0, at);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return false;
    if (at == std::wstring::npos) return true;
  }
}

// Writes the whole file and flushes it. A file this call created but could not fill is removed
// again, so no half-written backup is ever taken for a whole one.
bool WriteTo(const std::wstring& path, const Bytes& data, DWORD disposition, std::string* why) {
  bool ok = false;
  {
    const Handle f(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr),
                   CloseHandle);
    if (!f.valid()) {
      if (why) *why = SystemErrorText(GetLastError());
      return false;
    }
    DWORD written = 0;
    ok = WriteFile(f.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr) &&
         written == data.size() && FlushFileBuffers(f.get());
    if (!ok && why) *why = SystemErrorText(GetLastError());
  }
  if (!ok) DeleteFileW(path.c_str());
  return ok;
}

// Writes the file under a temporary name, flushed, and moves it into place (over the file there
// only when replace). When anything fails the temporary file is removed and a file already in
// place stays as it was.
bool WriteAndMove(const std::wstring& temp, const std::wstring& path, const Bytes& data,
                  bool replace, std::string* why) {
  if (!WriteTo(temp, data, CREATE_ALWAYS, why)) return false;
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExW(temp.c_str(), path.c_str(), flags)) return true;
  if (why) *why = SystemErrorText(GetLastError());
  DeleteFileW(temp.c_str());
  return false;
}

ULONGLONG Ticks(const FILETIME& t) {
  return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

// "~<backup name>.<process id>.tmp", as TempPath names them.
bool IsTemporaryName(const std::wstring& name) {
  const std::string n = WstringToAnsi(name);
  if (n.size() < 6 || n[0] != '~' || n.compare(n.size() - 4, 4, ".tmp") != 0) return false;
  const std::string stem = n.substr(1, n.size() - 5);
  const std::size_t dot = stem.rfind('.');
  if (dot == std::string::npos || dot + 1 == stem.size()) return false;
  for (std::size_t i = dot + 1; i < stem.size(); ++i) {
    if (stem[i] < '0' || stem[i] > '9') return false;
  }
  return IsBackupName(stem.substr(0, dot));
}

// Removes the temporary files of writes that never finished (a crash or a power cut between
// writing and moving), once they are a day old: a younger one may be another instance's write
// under way. Other files of the folder stay, whatever their names.
void RemoveStaleTemporaries(const std::wstring& folder) {
  constexpr ULONGLONG kDay = 24ULL * 60 * 60 * 10000000;  // in 100 ns
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  std::vector<std::wstring> stale;
  WIN32_FIND_DATAW found;
  const Handle search(FindFirstFileW((folder + L"\\~*.tmp").c_str(), &found), FindClose);
  for (bool more = search.valid(); more; more = FindNextFileW(search.get(), &found)) {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryName(found.cFileName) &&
        Ticks(found.ftLastWriteTime) + kDay < Ticks(now))
      stale.push_back(folder + L"\\" + found.cFileName);
  }
  for (const std::wstring& path : stale) DeleteFileW(path.c_str());
}

}  // namespace

Win32BackupStore::Win32BackupStore(std::wstring folder) : folder_(std::move(folder)) {
  if (!folder_.empty()) return;
  wchar_t base[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base) == S_OK)
    folder_ = std::wstring(base) + L"\\Tavo Trimmwerk\\Sicherungen";
}

std::wstring Win32BackupStore::Path(const std::string& name) const {
  return folder_ + L"\\" + AnsiToWstring(name);
}

// "~2026-12-08_07-05-09.reg.1234.tmp": never a backup's name, not listed as one (it does not end
// in ".reg"), and a name of its own for each process.
std::wstring Win32BackupStore::TempPath(const std::string& name) const {
  return Path("~" + name + "." + std::to_string(GetCurrentProcessId())) + L".tmp";
}

std::vector<std::string> Win32BackupStore::Names() {
  std::vector<std::string> names;
  if (folder_.empty()) return names;
  WIN32_FIND_DATAW found;
  const Handle search(FindFirstFileW((folder_ + L"\\*.reg").c_str(), &found), FindClose);
  for (bool more = search.valid(); more; more = FindNextFileW(search.get(), &found)) {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(WstringToAnsi(found.cFileName));
  }
  return names;
}

bool Win32BackupStore::Create(const std::string& name, const Bytes& data, std::string* why) {
  if (folder_.empty()) {
    if (why) *why = "Der Ordner für Anwendungsdaten ist unbekannt.";
    return false;
  }
  if (!MakeFolders(folder_)) {
    if (why) *why = SystemErrorText(GetLastError());
    return false;
  }
  RemoveStaleTemporaries(folder_);
  return WriteAndMove(TempPath(name), Path(name), data, false, why);
}

bool Win32BackupStore::Replace(const std::string& name, const Bytes& data) {
  if (folder_.empty()) return false;
  RemoveStaleTemporaries(folder_);
  return WriteAndMove(TempPath(name), Path(name), data, true, nullptr);
}

std::optional<Bytes> Win32BackupStore::Read(const std::string& name) {
  return ReadStart(name, INVALID_FILE_SIZE);
}

std::optional<Bytes> Win32BackupStore::ReadStart(const std::string& name, std::size_t most) {
  return ReadWholeFile(Path(name), most);
}

std::optional<Bytes> ReadWholeFile(const std::wstring& path, std::size_t most) {
  const Handle f(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr),
                 CloseHandle);
  if (!f.valid()) return std::nullopt;
  DWORD size = GetFileSize(f.get(), nullptr);
  if (size == INVALID_FILE_SIZE) return std::nullopt;
  if (size > most) size = static_cast<DWORD>(most);
  Bytes data(size);
  DWORD read = 0;
  if (size && (!ReadFile(f.get(), data.data(), size, &read, nullptr) || read != size))
    return std::nullopt;
  return data;
}

bool Win32BackupStore::Rename(const std::string& from, const std::string& to) {
  return MoveFileW(Path(from).c_str(), Path(to).c_str()) != 0;
}

bool Win32BackupStore::Remove(const std::string& name) {
  return DeleteFileW(Path(name).c_str()) != 0;
}

bool WriteWholeFile(const std::wstring& path, const Bytes& data, std::string* why) {
  return WriteTo(path, data, CREATE_ALWAYS, why);
}

// "C:\Ziel\~Auswahl.reg.1234.tmp": beside the file, so the move stays on its drive.
std::u16string Win32ExportTarget::TempFor(const std::u16string& path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  const std::size_t at = slash == std::u16string::npos ? 0 : slash + 1;
  return path.substr(0, at) + u"~" + path.substr(at) + u"." +
         AnsiToWide(std::to_string(GetCurrentProcessId())) + u".tmp";
}

bool Win32ExportTarget::Write(const std::u16string& path, const Bytes& data, std::string* why) {
  return WriteTo(U16ToWstring(path), data, CREATE_ALWAYS, why);
}

bool Win32ExportTarget::Move(const std::u16string& from, const std::u16string& to,
                             std::string* why) {
  if (MoveFileExW(U16ToWstring(from).c_str(), U16ToWstring(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  if (why) *why = SystemErrorText(GetLastError());
  return false;
}

void Win32ExportTarget::Remove(const std::u16string& path) {
  DeleteFileW(U16ToWstring(path).c_str());
}

bool Win32ExportTarget::Exists(const std::u16string& path) {
  return GetFileAttributesW(U16ToWstring(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<Bytes> Win32ExportTarget::Read(const std::u16string& path) {
  return ReadWholeFile(U16ToWstring(path), static_cast<std::size_t>(-1));
}

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

}  // namespace tw
