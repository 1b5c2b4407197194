#include "system/system_helpers.h"

#include <vector>

#include "system/system_api.h"

namespace tw {
namespace {

SystemApi* g_system = nullptr;

}  // namespace

std::string TrimBlanks(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return s.substr(b, e - b);
}

void SetSystemBackend(SystemApi* api) { g_system = api; }
SystemApi* SystemBackend() { return g_system; }

std::string ExpandEnvVars(const std::string& text) {
  constexpr std::uint32_t kCapacity = 1024;
  if (g_system == nullptr) return text;
  std::vector<char> buffer(kCapacity + 1, '\0');
  const std::uint32_t needed = g_system->ExpandEnvironment(text.c_str(), buffer.data(), kCapacity);
  if (needed == 0 || needed > kCapacity) return text;
  return TrimBlanks(std::string(buffer.data()));
}

std::string GetWindowsFolder() {
  constexpr std::uint32_t kMaxPath = 260;
  std::string folder;
  if (g_system != nullptr) {
    std::vector<char> buffer(kMaxPath + 1, '\0');
    const std::uint32_t len = g_system->WindowsDirectory(buffer.data(), kMaxPath);
    if (len > 0 && len < kMaxPath) folder.assign(buffer.data(), len);
  }
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

bool FileExists(const std::string& path) {
  return g_system != nullptr && g_system->FileExists(path);
}

bool ShellRunAndWait(const std::string& file, const std::string& parameters) {
  return g_system != nullptr && g_system->RunAndWait(file, parameters);
}

bool SelectFolderDialog(const std::string& caption, const std::wstring& root, std::string& folder,
                        std::uintptr_t owner, bool editBox, bool includeFiles,
                        bool allowNewFolder) {
  return g_system != nullptr && g_system->BrowseForFolder(caption, root, folder, owner, editBox,
                                                          includeFiles, allowNewFolder);
}

std::string GetProgramVersion() {
  return g_system != nullptr ? g_system->ProgramFileVersion() : std::string();
}

bool ExitWindowsPrivileged(std::uint32_t flags) {
  return g_system != nullptr && g_system->RequestExitWindows(flags);
}

}  // namespace tw
