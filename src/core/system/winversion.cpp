#include "system/winversion.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <vector>

#include "system/system_helpers.h"

namespace tw {
namespace {

constexpr std::uint32_t kPlatformWin32s = 0;
constexpr std::uint32_t kPlatformWindows = 1;
constexpr std::uint32_t kPlatformNt = 2;
constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;
constexpr std::uint16_t kSuiteEnterprise = 0x0002;
constexpr std::uint16_t kSuiteDatacenter = 0x0080;
constexpr std::uint16_t kSuitePersonal = 0x0200;
constexpr std::uint16_t kSuiteBlade = 0x0400;

const char kHotfixSp6a[] = "Q246009";

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

std::string Csd(const OsVersionInfo& v) {
  return std::string(v.servicePack, strnlen(v.servicePack, sizeof v.servicePack));
}

std::string Windows9xName(const OsVersionInfo& v) {
  const std::string csd = Csd(v);
  const char second = csd.size() > 1 ? csd[1] : '\0';
  if (v.major == 4 && v.minor == 0) {
    return std::string("Microsoft Windows 95") + (second == 'B' || second == 'C' ? " OSR2" : "");
  }
  if (v.major == 4 && v.minor == 10) {
    return std::string("Microsoft Windows 98") + (second == 'A' ? " SE" : "");
  }
  if (v.major == 4 && v.minor == 90) return "Microsoft Windows Millennium Edition";
  return "";
}

std::string NtBaseName(const OsVersionInfo& v) {
  if (v.major == 6 && v.minor == 0) return "Microsoft Windows Vista";
  if (v.major == 5 && v.minor == 2) return "Microsoft Windows Server 2003";
  if (v.major == 5 && v.minor == 1) return "Microsoft Windows XP";
  if (v.major == 5 && v.minor == 0) return "Microsoft Windows 2000";
  return "Microsoft Windows NT";
}

std::string NtEdition(const OsVersionInfo& v) {
  const std::uint16_t suite = v.suiteMask;
  if (v.productType == kWorkstation) {
    if (v.major == 4) return " Workstation 4.0";
    if (v.major == 5 && v.minor == 1) {
      return suite & kSuitePersonal ? " Home Edition" : " Professional";
    }
    return "";
  }
  if (v.productType != kServer) return "";
  if (v.major == 5 && v.minor == 2) {
    if (suite & kSuiteDatacenter) return " Datacenter Edition";
    if (suite & kSuiteEnterprise) return " Enterprise Edition";
    if (suite == kSuiteBlade) return " Web Edition";
    return " Standard Edition";
  }
  if (v.major == 5 && v.minor == 0) {
    if (suite & kSuiteDatacenter) return " Datacenter Server";
    if (suite & kSuiteEnterprise) return " Advanced Server";
    return " Server";
  }
  return " Server " + std::to_string(v.major) + "." + std::to_string(v.minor) +
         (suite & kSuiteEnterprise ? ", Enterprise Edition" : "");
}

bool HotfixSp6aInstalled() {
  SystemApi* sys = SystemBackend();
  return sys != nullptr && sys->HotfixInstalled(kHotfixSp6a);
}

std::string NtServicePack(const OsVersionInfo& v) {
  const std::string csd = Csd(v);
  if (v.major == 4 && SameText(csd, "Service Pack 6") && HotfixSp6aInstalled()) {
    return " Service Pack 6a";
  }
  return " " + csd;
}

// The name as the system reports it, with the user or computer name cut to the length that
// the call reports and trimmed.
template <class Call>
std::string AskName(Call call, bool lengthCountsZero) {
  std::vector<char> buffer(254, '\0');
  std::uint32_t size = 253;
  if (!call(buffer.data(), &size)) return "";
  std::size_t len = size;
  if (lengthCountsZero && len > 0) --len;
  len = std::min(len, strnlen(buffer.data(), 253));
  return TrimBlanks(std::string(buffer.data(), len));
}

}  // namespace

bool QueryWindowsVersion(OsVersionInfo& info) {
  SystemApi* sys = SystemBackend();
  for (std::uint32_t size : {kOsVersionInfoExSize, kOsVersionInfoSize}) {
    std::memset(&info, 0, sizeof info);
    info.size = size;
    if (sys != nullptr && sys->QueryVersion(&info)) return true;
  }
  std::memset(&info, 0, sizeof info);
  return false;
}

int GetWindowsMajorVersion() {
  OsVersionInfo v;
  return QueryWindowsVersion(v) ? static_cast<int>(v.major & 0xFF) : -1;
}

int GetWindowsMinorVersion() {
  OsVersionInfo v;
  return QueryWindowsVersion(v) ? static_cast<int>(v.minor & 0xFF) : -1;
}

bool IsWindowsXP() { return GetWindowsMajorVersion() == 5 && GetWindowsMinorVersion() == 1; }

bool IsWindowsVista() { return GetWindowsMajorVersion() == 6 && GetWindowsMinorVersion() == 0; }

bool IsWindowsXPOrVista() { return IsWindowsXP() || IsWindowsVista(); }

std::string GetWindowsVersionName() {
  OsVersionInfo v;
  if (!QueryWindowsVersion(v)) return "";
  switch (v.platform) {
    case kPlatformWin32s:
      return "Microsoft Win32s";
    case kPlatformWindows:
      return Windows9xName(v);
    case kPlatformNt:
      break;
    default:
      return "";
  }
  std::string name = NtBaseName(v);
  if (v.size >= kOsVersionInfoExSize) name += NtEdition(v);
  name += NtServicePack(v);
  return name + " (Build " + std::to_string(v.build & 0xFFFF) + ")";
}

std::string GetCurrentUserName() {
  SystemApi* sys = SystemBackend();
  if (sys == nullptr) return "";
  return AskName([sys](char* b, std::uint32_t* s) { return sys->UserName(b, s); }, true);
}

std::string GetLocalComputerName() {
  SystemApi* sys = SystemBackend();
  if (sys == nullptr) return "";
  return AskName([sys](char* b, std::uint32_t* s) { return sys->ComputerName(b, s); }, false);
}

}  // namespace tw
