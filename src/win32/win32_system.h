#pragma once

// The system seam over kernel32, advapi32, shell32 and version.dll.

#include <string>

#include "system/system_api.h"

namespace tw {

// The system's text for a Win32 error code, in the program's code page, without the line break
// at its end; "Fehler <code>" when the system has none.
std::string SystemErrorText(unsigned long code);

// Windows' wide strings and the program's UTF-16 and cp1252 texts.
std::wstring U16ToWstring(const std::u16string& text);
std::u16string WstringToU16(const std::wstring& text);
std::wstring AnsiToWstring(const std::string& text);
std::string WstringToAnsi(const std::wstring& text);

class Win32System : public SystemApi {
 public:
  bool QueryVersion(OsVersionInfo* info) override;
  bool UserName(char* buffer, std::uint32_t* size) override;
  bool ComputerName(char* buffer, std::uint32_t* size) override;
  std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) override;
  std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) override;
  bool FileExists(const std::string& path) override;
  bool RunAndWait(const std::string& file, const std::string& parameters) override;
  bool BrowseForFolder(const std::string& caption, const std::wstring& root, std::string& folder,
                       std::uintptr_t owner, bool editBox, bool includeFiles,
                       bool allowNewFolder) override;
  bool HotfixInstalled(const std::string& hotfix) override;
  std::string ProgramFileVersion() override;
  bool RequestExitWindows(std::uint32_t flags) override;
  bool RestorePointAvailable() override;
  bool SetRestorePoint(const RestorePointRequest& request, RestorePointStatus& status) override;
  LocalTime Now() override;
};

// Vista's System Restore answers COM calls only from a process whose COM security lets it call
// back: sets the process's security once, at start-up, after OleInitialize. True when it is
// set (or was already, RPC_E_TOO_LATE).
bool InitializeComSecurity();

}  // namespace tw
