#pragma once

// System helpers of the registry unit: small free functions over the system seam. None raises;
// each falls back silently as its comment says.

#include <cstdint>
#include <string>

namespace tw {

constexpr std::uint32_t kEwxReboot = 0x02;
constexpr std::uint32_t kEwxForce = 0x04;
constexpr std::uint32_t kEwxForceIfHung = 0x10;

// Strips characters with codes 0..32 from both ends.
std::string TrimBlanks(const std::string& s);
// Expands %NAME% references and trims codes 0..32 at both ends; the input unchanged when the
// expansion fails or needs more than 1024 characters.
std::string ExpandEnvVars(const std::string& text);
// The Windows folder with exactly one trailing backslash.
std::string GetWindowsFolder();
bool FileExists(const std::string& path);
// True when the program was started and has ended; false after the system's error text.
bool ShellRunAndWait(const std::string& file, const std::string& parameters);
// True when the user chose a folder; folder then holds its path.
bool SelectFolderDialog(const std::string& caption, const std::wstring& root, std::string& folder,
                        std::uintptr_t owner, bool editBox, bool includeFiles, bool allowNewFolder);
// "3.0.1.608" from the program's version resource; "" without one.
std::string GetProgramVersion();
// True when Windows accepted the request.
bool ExitWindowsPrivileged(std::uint32_t flags);

}  // namespace tw
