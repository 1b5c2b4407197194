#pragma once

// The system seam: the calls outside the registry helpers that the tweak library and the
// information window make. Win32 implementation in the program, a fake in native tests (a version
// record for NT 4.0 or Server 2003 that Wine cannot produce, a recorded restart request, ...).

#include <cstdint>
#include <string>

namespace tw {

// OSVERSIONINFOEXA, byte for byte (156 bytes; the first 148 are OSVERSIONINFOA).
#pragma pack(push, 1)
struct OsVersionInfo {
  std::uint32_t size;
  std::uint32_t major;
  std::uint32_t minor;
  std::uint32_t build;
  std::uint32_t platform;
  char servicePack[128];
  std::uint16_t servicePackMajor;
  std::uint16_t servicePackMinor;
  std::uint16_t suiteMask;
  std::uint8_t productType;
  std::uint8_t reserved;
};
#pragma pack(pop)
static_assert(sizeof(OsVersionInfo) == 156, "OSVERSIONINFOEXA layout");
constexpr std::uint32_t kOsVersionInfoExSize = 156;
constexpr std::uint32_t kOsVersionInfoSize = 148;

// SRSetRestorePointW's request (RESTOREPOINTINFOW) and the constants the program uses.
constexpr std::uint32_t kBeginSystemChange = 100;
constexpr std::uint32_t kEndSystemChange = 101;
constexpr std::uint32_t kModifySettings = 12;
constexpr std::uint32_t kCancelledOperation = 13;
struct RestorePointRequest {
  std::uint32_t eventType;  // kBeginSystemChange or kEndSystemChange
  std::uint32_t pointType;  // kModifySettings, or kCancelledOperation to withdraw the point
  std::int64_t sequence;    // the point to end; 0 when beginning
  std::string description;  // in the program's code page
};
// SRSetRestorePointW's STATEMGRSTATUS: a Win32 error code and the point's sequence number.
struct RestorePointStatus {
  std::uint32_t status = 0;
  std::int64_t sequence = 0;
};

// The local date and time.
struct LocalTime {
  int year, month, day, hour, minute;
};

class SystemApi {
 public:
  virtual ~SystemApi() = default;

  // GetVersionExA: fills the record in the form its size field asks for.
  virtual bool QueryVersion(OsVersionInfo* info) = 0;
  // GetUserNameA: *size in is the capacity, out the length with the terminating zero.
  virtual bool UserName(char* buffer, std::uint32_t* size) = 0;
  // GetComputerNameA: *size in is the capacity, out the length without the zero.
  virtual bool ComputerName(char* buffer, std::uint32_t* size) = 0;
  // GetWindowsDirectoryA: the length copied, or the size needed when the buffer is too small.
  virtual std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) = 0;
  // ExpandEnvironmentStringsA: the size needed with the zero, 0 on failure.
  virtual std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) = 0;
  virtual bool FileExists(const std::string& path) = 0;
  // Starts file with parameters and waits for it while the program's windows stay painted.
  virtual bool RunAndWait(const std::string& file, const std::string& parameters) = 0;
  // The shell's folder picker; root names a shell namespace item ("Desktop").
  virtual bool BrowseForFolder(const std::string& caption, const std::wstring& root,
                               std::string& folder, std::uintptr_t owner, bool editBox,
                               bool includeFiles, bool allowNewFolder) = 0;
  // Whether the hotfix of that Knowledge Base number ("Q246009") is installed: its key under
  // HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\Hotfix opens.
  virtual bool HotfixInstalled(const std::string& hotfix) = 0;
  // The program file's own version, "a.b.c.d", or "" without a version resource.
  virtual std::string ProgramFileVersion() = 0;
  // Enables the shutdown privilege where there is one, then ExitWindowsEx(flags).
  virtual bool RequestExitWindows(std::uint32_t flags) = 0;
  // Whether a restore point can be asked for: srclient.dll in the system folder has
  // SRSetRestorePointW, and the program runs with administrator rights.
  virtual bool RestorePointAvailable() = 0;
  // SRSetRestorePointW: its result; status is filled in either way (0 when the DLL is missing).
  virtual bool SetRestorePoint(const RestorePointRequest& request, RestorePointStatus& status) = 0;
  virtual LocalTime Now() = 0;
};

// The backend of the system helpers. Not owned.
void SetSystemBackend(SystemApi* api);
SystemApi* SystemBackend();

}  // namespace tw
