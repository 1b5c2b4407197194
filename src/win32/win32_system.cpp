#include "win32/win32_system.h"

#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <srrestoreptapi.h>
#include <windows.h>

#include <vector>

#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "system/messages.h"
#include "win32/win32_registry.h"

namespace tw {
namespace {

// Windows of this thread that a modal shell dialog disables and enables again.
class ThreadWindowsDisabled {
 public:
  ThreadWindowsDisabled() {
    EnumThreadWindows(GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(&windows_));
  }
  ~ThreadWindowsDisabled() {
    for (HWND w : windows_) EnableWindow(w, TRUE);
  }
  ThreadWindowsDisabled(const ThreadWindowsDisabled&) = delete;
  ThreadWindowsDisabled& operator=(const ThreadWindowsDisabled&) = delete;

 private:
  static BOOL CALLBACK Disable(HWND w, LPARAM list) {
    if (IsWindowVisible(w) && IsWindowEnabled(w)) {
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
      EnableWindow(w, FALSE);
    }
    return TRUE;
  }
  std::vector<HWND> windows_;
};

// Selects the start folder once the dialog is up.
int CALLBACK PreselectFolder(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, data);
  return 0;
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      // Keep the quit request for the message loop that owns it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

using SetRestorePointFn = BOOL(WINAPI*)(PRESTOREPOINTINFOW, PSTATEMGRSTATUS);

// SRSetRestorePointW of srclient.dll, loaded once by its full path in the system folder (never
// through the search path, which a planted DLL could answer); nullptr where it is missing.
SetRestorePointFn RestorePointEntry() {
  static const SetRestorePointFn entry = []() -> SetRestorePointFn {
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(folder, n) + L"\\srclient.dll";
    HMODULE dll = LoadLibraryW(path.c_str());  // kept for the program's lifetime
    if (!dll) return nullptr;
    return reinterpret_cast<SetRestorePointFn>(
        reinterpret_cast<void*>(GetProcAddress(dll, "SRSetRestorePointW")));
  }();
  return entry;
}

// A well-known SID, freed on every path.
class WellKnownSid {
 public:
  WellKnownSid(DWORD first, DWORD second) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    if (!AllocateAndInitializeSid(&nt, second ? 2 : 1, first, second, 0, 0, 0, 0, 0, 0, &sid_))
      sid_ = nullptr;
  }
  ~WellKnownSid() {
    if (sid_) FreeSid(sid_);
  }
  WellKnownSid(const WellKnownSid&) = delete;
  WellKnownSid& operator=(const WellKnownSid&) = delete;
  PSID get() const { return sid_; }

 private:
  PSID sid_ = nullptr;
};

// Whether the process's token holds the Administrators group enabled: false for a standard user
// and, on Vista, for an administrator who is not elevated.
bool RunsAsAdministrator() {
  WellKnownSid admins(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  BOOL member = FALSE;
  return admins.get() && CheckTokenMembership(nullptr, admins.get(), &member) && member;
}

}  // namespace

bool InitializeComSecurity() {
  // Calls in the process are allowed to Administrators, SYSTEM and Network Service only, as
  // System Restore needs for its callbacks.
  WellKnownSid admins(SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS);
  WellKnownSid system(SECURITY_LOCAL_SYSTEM_RID, 0);
  WellKnownSid network(SECURITY_NETWORK_SERVICE_RID, 0);
  if (!admins.get() || !system.get() || !network.get()) return false;
  const DWORD rights = COM_RIGHTS_EXECUTE | COM_RIGHTS_EXECUTE_LOCAL;
  DWORD size = sizeof(ACL);
  for (PSID sid : {admins.get(), system.get(), network.get()})
    size += sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD) + GetLengthSid(sid);
  std::vector<DWORD> aclSpace((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  auto* acl = reinterpret_cast<ACL*>(aclSpace.data());
  SECURITY_DESCRIPTOR sd;
  if (!InitializeAcl(acl, size, ACL_REVISION) ||
      !AddAccessAllowedAce(acl, ACL_REVISION, rights, admins.get()) ||
      !AddAccessAllowedAce(acl, ACL_REVISION, rights, system.get()) ||
      !AddAccessAllowedAce(acl, ACL_REVISION, rights, network.get()) ||
      !InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) ||
      !SetSecurityDescriptorOwner(&sd, admins.get(), FALSE) ||
      !SetSecurityDescriptorGroup(&sd, admins.get(), FALSE) ||
      !SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE))
    return false;
  const HRESULT hr = CoInitializeSecurity(
      &sd, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY, RPC_C_IMP_LEVEL_IDENTIFY, nullptr,
      EOAC_DYNAMIC_CLOAKING | EOAC_DISABLE_AAA | EOAC_NO_CUSTOM_MARSHAL, nullptr);
  return SUCCEEDED(hr) || hr == RPC_E_TOO_LATE;
}

std::wstring U16ToWstring(const std::u16string& text) { return {text.begin(), text.end()}; }
std::u16string WstringToU16(const std::wstring& text) { return {text.begin(), text.end()}; }
std::wstring AnsiToWstring(const std::string& text) { return U16ToWstring(AnsiToWide(text)); }
std::string WstringToAnsi(const std::wstring& text) { return WideToAnsi(WstringToU16(text)); }

std::string SystemErrorText(unsigned long code) {
  char* text = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string out = n ? std::string(text, n) : "Fehler " + std::to_string(code);
  if (text) LocalFree(text);
  while (!out.empty() && (out.back() == '\r' || out.back() == '\n' || out.back() == ' '))
    out.pop_back();
  return out;
}

bool Win32System::QueryVersion(OsVersionInfo* info) {
  return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(info)) != FALSE;
}

bool Win32System::UserName(char* buffer, std::uint32_t* size) {
  DWORD s = *size;
  const BOOL ok = GetUserNameA(buffer, &s);
  *size = s;
  return ok != FALSE;
}

bool Win32System::ComputerName(char* buffer, std::uint32_t* size) {
  DWORD s = *size;
  const BOOL ok = GetComputerNameA(buffer, &s);
  *size = s;
  return ok != FALSE;
}

std::uint32_t Win32System::WindowsDirectory(char* buffer, std::uint32_t size) {
  return GetWindowsDirectoryA(buffer, size);
}

std::uint32_t Win32System::ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) {
  return ExpandEnvironmentStringsA(source, buffer, size);
}

bool Win32System::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32System::RunAndWait(const std::string& file, const std::string& parameters) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_DDEWAIT;
  info.hwnd = GetActiveWindow();
  info.lpVerb = "open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) {
    ShowMessage(SystemErrorText(GetLastError()));
    return false;
  }
  if (info.hProcess != nullptr) {
    while (WaitForSingleObject(info.hProcess, 50) == WAIT_TIMEOUT) PumpMessages();
    CloseHandle(info.hProcess);
  }
  return true;
}

bool Win32System::BrowseForFolder(const std::string& caption, const std::wstring& root,
                                  std::string& folder, std::uintptr_t owner, bool editBox,
                                  bool includeFiles, bool allowNewFolder) {
  if (!IsDirectory(folder)) folder.clear();
  IMalloc* malloc = nullptr;
  if (FAILED(SHGetMalloc(&malloc)) || malloc == nullptr) return false;
  auto* buffer = static_cast<char*>(malloc->Alloc(MAX_PATH));
  if (buffer == nullptr) {
    malloc->Release();
    return false;
  }
  buffer[0] = '\0';
  const HWND ownerWindow = reinterpret_cast<HWND>(owner);

  LPITEMIDLIST rootItem = nullptr;
  if (!root.empty()) {
    IShellFolder* desktop = nullptr;
    if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop != nullptr) {
      std::wstring name(root);
      ULONG eaten = 0;
      if (FAILED(desktop->ParseDisplayName(ownerWindow, nullptr, &name[0], &eaten, &rootItem,
                                           nullptr))) {
        rootItem = nullptr;
      }
      desktop->Release();
    }
  }
  const HRESULT ole = OleInitialize(nullptr);

  BROWSEINFOA info{};
  info.hwndOwner = ownerWindow;
  info.pidlRoot = rootItem;
  info.pszDisplayName = buffer;
  info.lpszTitle = caption.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | (editBox ? BIF_EDITBOX : 0) |
                 (includeFiles ? BIF_BROWSEINCLUDEFILES : 0) |
                 (allowNewFolder ? 0 : BIF_NONEWFOLDERBUTTON);
  info.lpfn = &PreselectFolder;
  info.lParam = folder.empty() ? 0 : reinterpret_cast<LPARAM>(folder.c_str());

  LPITEMIDLIST chosen = nullptr;
  {
    ThreadWindowsDisabled disabled;
    chosen = SHBrowseForFolderA(&info);
  }
  if (chosen != nullptr) {
    if (!SHGetPathFromIDListA(chosen, buffer)) buffer[0] = '\0';
    malloc->Free(chosen);
    folder = buffer;
  }
  if (rootItem != nullptr) malloc->Free(rootItem);
  malloc->Free(buffer);
  malloc->Release();
  if (SUCCEEDED(ole)) OleUninitialize();
  return chosen != nullptr;
}

bool Win32System::HotfixInstalled(const std::string& hotfix) {
  Win32Registry registry;
  RegKey key(registry);
  return key.Open(HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\" + hotfix,
                  kKeyQueryValue) == kErrorSuccess;
}

std::string Win32System::ProgramFileVersion() {
  char path[MAX_PATH];
  const DWORD len = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (len == 0 || len >= MAX_PATH) return "";
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (size == 0) return "";
  std::vector<char> block(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedLen = 0;
  if (!GetFileVersionInfoA(path, 0, size, block.data()) ||
      !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedLen) ||
      fixed == nullptr || fixedLen < sizeof(VS_FIXEDFILEINFO)) {
    return "";
  }
  return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionLS));
}

bool Win32System::RequestExitWindows(std::uint32_t flags) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
      TOKEN_PRIVILEGES wanted{};
      if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &wanted.Privileges[0].Luid)) {
        wanted.PrivilegeCount = 1;
        wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        TOKEN_PRIVILEGES previous{};
        DWORD previousSize = sizeof previous;
        AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &previousSize);
      }
      CloseHandle(token);
    }
  }
  return ExitWindowsEx(flags, 0) != FALSE;
}

bool Win32System::RestorePointAvailable() {
  return RestorePointEntry() != nullptr && RunsAsAdministrator();
}

bool Win32System::SetRestorePoint(const RestorePointRequest& request, RestorePointStatus& status) {
  status = {};
  const SetRestorePointFn entry = RestorePointEntry();
  if (!entry) return false;
  RESTOREPOINTINFOW info{};
  info.dwEventType = request.eventType;
  info.dwRestorePtType = request.pointType;
  info.llSequenceNumber = request.sequence;
  // The description comes cut to fit MAX_DESC with its zero.
  MultiByteToWideChar(CP_ACP, 0, request.description.c_str(), -1, info.szDescription, MAX_DESC);
  info.szDescription[MAX_DESC - 1] = L'\0';
  STATEMGRSTATUS result{};
  // The call can take a minute on XP, and the program takes no input meanwhile.
  const HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const bool ok = entry(&info, &result) != FALSE;
  SetCursor(previous);
  status.status = result.nStatus;
  status.sequence = result.llSequenceNumber;
  return ok;
}

LocalTime Win32System::Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}

}  // namespace tw
