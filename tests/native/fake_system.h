#pragma once

// A scriptable system for native tests: a version record of any Windows, names, folders,
// files, hotfixes, and a record of the programs started and the restart requested.

#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "system/system_api.h"

namespace tw::test {

class FakeSystem : public SystemApi {
 public:
  FakeSystem() { SetVersion(5, 1, 2600, 2, "Service Pack 2", 1, 0x0100); }

  void SetVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build,
                  std::uint32_t platform, const std::string& csd, std::uint8_t productType,
                  std::uint16_t suite) {
    std::memset(&version, 0, sizeof version);
    version.major = major;
    version.minor = minor;
    version.build = build;
    version.platform = platform;
    std::strncpy(version.servicePack, csd.c_str(), sizeof version.servicePack - 1);
    version.productType = productType;
    version.suiteMask = suite;
  }

  bool QueryVersion(OsVersionInfo* info) override {
    if (info->size == kOsVersionInfoExSize ? !extendedWorks : !basicWorks) return false;
    const std::uint32_t size = info->size;
    std::memcpy(info, &version, size);
    info->size = size;
    return true;
  }
  bool UserName(char* buffer, std::uint32_t* size) override {
    return CopyName(userName, buffer, size, true);
  }
  bool ComputerName(char* buffer, std::uint32_t* size) override {
    return CopyName(computerName, buffer, size, false);
  }
  std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) override {
    if (windowsDir.size() >= size) return static_cast<std::uint32_t>(windowsDir.size() + 1);
    std::memcpy(buffer, windowsDir.c_str(), windowsDir.size() + 1);
    return static_cast<std::uint32_t>(windowsDir.size());
  }
  // Replaces %NAME% from the environment map; unknown names stay as written, as in Windows.
  std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) override {
    if (expandFails) return 0;
    std::string in(source), out;
    for (std::size_t i = 0; i < in.size();) {
      const std::size_t end = in[i] == '%' ? in.find('%', i + 1) : std::string::npos;
      auto var = end == std::string::npos ? environment.end()
                                          : environment.find(in.substr(i + 1, end - i - 1));
      if (var != environment.end()) {
        out += var->second;
        i = end + 1;
      } else {
        out += in[i++];
      }
    }
    if (out.size() + 1 <= size) std::memcpy(buffer, out.c_str(), out.size() + 1);
    return static_cast<std::uint32_t>(out.size() + 1);
  }
  bool FileExists(const std::string& path) override { return files.count(path) > 0; }
  bool RunAndWait(const std::string& file, const std::string& parameters) override {
    runs.emplace_back(file, parameters);
    return runSucceeds;
  }
  bool BrowseForFolder(const std::string&, const std::wstring&, std::string& folder, std::uintptr_t,
                       bool, bool, bool) override {
    if (chosenFolder.empty()) return false;
    folder = chosenFolder;
    return true;
  }
  bool HotfixInstalled(const std::string& hotfix) override { return hotfixes.count(hotfix) > 0; }
  std::string ProgramFileVersion() override { return programVersion; }
  bool RequestExitWindows(std::uint32_t flags) override {
    exitRequests.push_back(flags);
    return true;
  }
  bool RestorePointAvailable() override { return restorePoints; }
  // Records "begin <description>|", "end <n>|" or "cancel <n>|".
  bool SetRestorePoint(const RestorePointRequest& r, RestorePointStatus& status) override {
    const bool begin = r.eventType == kBeginSystemChange;
    pointCalls += begin ? "begin " + r.description + "|"
                        : (r.pointType == kCancelledOperation ? "cancel " : "end ") +
                              std::to_string(r.sequence) + "|";
    if (onPointCall) onPointCall();
    status = {begin ? beginFailure.value_or(0) : 0, begin ? 7 : r.sequence};
    return !(begin && beginFailure);
  }
  LocalTime Now() override { return {2026, 12, 8, 7, 5}; }

  OsVersionInfo version{};
  bool extendedWorks = true;
  bool basicWorks = true;
  std::string userName = "Anwender";
  std::string computerName = "ARBEITSPLATZ";
  std::string windowsDir = "C:\\WINDOWS";
  std::map<std::string, std::string> environment = {{"programfiles", "C:\\Programme"},
                                                    {"windir", "C:\\WINDOWS"}};
  bool expandFails = false;
  std::set<std::string> files;
  std::vector<std::pair<std::string, std::string>> runs;
  bool runSucceeds = true;
  std::string chosenFolder;
  std::set<std::string> hotfixes;
  std::string programVersion = "3.0.1.608";
  std::vector<std::uint32_t> exitRequests;
  bool restorePoints = false;
  std::string pointCalls;
  std::optional<std::uint32_t> beginFailure;  // the status of a begin that fails
  std::function<void()> onPointCall;

 private:
  static bool CopyName(const std::string& name, char* buffer, std::uint32_t* size, bool countZero) {
    if (name.size() + 1 > *size) return false;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    *size = static_cast<std::uint32_t>(name.size() + (countZero ? 1 : 0));
    return true;
  }
};

}  // namespace tw::test
