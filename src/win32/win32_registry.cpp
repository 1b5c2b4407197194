#include "win32/win32_registry.h"

#include <windows.h>

namespace tw {
namespace {

HKEY ToHkey(RegHandle h) {
  switch (h) {
    case HKCR:
      return HKEY_CLASSES_ROOT;
    case HKCU:
      return HKEY_CURRENT_USER;
    case HKLM:
      return HKEY_LOCAL_MACHINE;
    default:
      return reinterpret_cast<HKEY>(h);
  }
}

RegHandle FromHkey(HKEY key) { return reinterpret_cast<RegHandle>(key); }

// RegDeleteKeyEx (XP x64 and later) deletes in the 64-bit view; RegDeleteKey would delete in the
// redirected one. Looked up at run time: 32-bit XP does not have it and needs no view.
template <typename Fn>
Fn DeleteKeyEx(const char* name) {
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), name)));
}

// wchar_t is UTF-16 on Windows.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
const wchar_t* W(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }

}  // namespace

// A 32-bit process on 64-bit Windows sees HKLM\Software and parts of HKCR redirected to
// Wow6432Node, where 64-bit Windows never reads the machine-wide settings: under WOW64 every key
// is opened in the 64-bit view. IsWow64Process is looked up, as older XP builds lack it.
std::uint32_t RegistryView() {
  static const REGSAM view = [] {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64 ? KEY_WOW64_64KEY : 0;
  }();
  return view;
}

long Win32Registry::OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                            RegHandle* out) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(ToHkey(parent), sub.c_str(), 0, access | RegistryView(), &key);
  if (rc == ERROR_SUCCESS) *out = FromHkey(key);
  return rc;
}

long Win32Registry::CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                              RegHandle* out) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExA(ToHkey(parent), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  access | RegistryView(), nullptr, &key, nullptr);
  if (rc == ERROR_SUCCESS) *out = FromHkey(key);
  return rc;
}

long Win32Registry::CloseKey(RegHandle key) { return RegCloseKey(ToHkey(key)); }

long Win32Registry::QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  const LONG rc =
      RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &t, data, size ? &s : nullptr);
  if (type != nullptr) *type = t;
  if (size != nullptr) *size = s;
  return rc;
}

long Win32Registry::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name.c_str(), 0, type, data, size);
}

long Win32Registry::DeleteValue(RegHandle key, const std::string& name) {
  return RegDeleteValueA(ToHkey(key), name.c_str());
}

long Win32Registry::DeleteKey(RegHandle parent, const std::string& sub) {
  using Fn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
  static const Fn deleteEx = RegistryView() ? DeleteKeyEx<Fn>("RegDeleteKeyExA") : nullptr;
  if (deleteEx) return deleteEx(ToHkey(parent), sub.c_str(), RegistryView(), 0);
  return RegDeleteKeyA(ToHkey(parent), sub.c_str());
}

long Win32Registry::QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                 std::uint32_t* values) {
  DWORD count = 0, longest = 0, valueCount = 0;
  const LONG rc = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &count, &longest,
                                   nullptr, &valueCount, nullptr, nullptr, nullptr, nullptr);
  if (rc == ERROR_SUCCESS) {
    if (subKeys != nullptr) *subKeys = count;
    if (maxSubKeyLen != nullptr) *maxSubKeyLen = longest;
    if (values != nullptr) *values = valueCount;
  }
  return rc;
}

long Win32Registry::EnumKey(RegHandle key, std::uint32_t index, char* name,
                            std::uint32_t* nameLen) {
  DWORD len = *nameLen;
  const LONG rc = RegEnumKeyExA(ToHkey(key), index, name, &len, nullptr, nullptr, nullptr, nullptr);
  if (rc == ERROR_SUCCESS) *nameLen = len;
  return rc;
}

long Win32Registry::OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                             RegHandle* out) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExW(ToHkey(parent), W(sub), 0, access | RegistryView(), &key);
  if (rc == ERROR_SUCCESS) *out = FromHkey(key);
  return rc;
}

long Win32Registry::CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                               RegHandle* out) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExW(ToHkey(parent), W(sub), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  access | RegistryView(), nullptr, &key, nullptr);
  if (rc == ERROR_SUCCESS) *out = FromHkey(key);
  return rc;
}

long Win32Registry::DeleteKeyW(RegHandle parent, const std::u16string& sub) {
  using Fn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  static const Fn deleteEx = RegistryView() ? DeleteKeyEx<Fn>("RegDeleteKeyExW") : nullptr;
  if (deleteEx) return deleteEx(ToHkey(parent), W(sub), RegistryView(), 0);
  return RegDeleteKeyW(ToHkey(parent), W(sub));
}

long Win32Registry::QueryInfoKeyW(RegHandle key, RegKeyInfo* info) {
  DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueNameLen = 0, maxValueLen = 0;
  const LONG rc =
      RegQueryInfoKeyW(ToHkey(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr,
                       &values, &maxValueNameLen, &maxValueLen, nullptr, nullptr);
  if (rc == ERROR_SUCCESS && info != nullptr) {
    *info = RegKeyInfo{subKeys, maxSubKeyLen, values, maxValueNameLen, maxValueLen};
  }
  return rc;
}

long Win32Registry::EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                             std::uint32_t* nameLen) {
  DWORD len = *nameLen;
  const LONG rc = RegEnumKeyExW(ToHkey(key), index, reinterpret_cast<wchar_t*>(name), &len, nullptr,
                                nullptr, nullptr, nullptr);
  if (rc == ERROR_SUCCESS) *nameLen = len;
  return rc;
}

long Win32Registry::EnumValueW(RegHandle key, std::uint32_t index, char16_t* name,
                               std::uint32_t* nameLen, std::uint32_t* type, std::uint8_t* data,
                               std::uint32_t* size) {
  DWORD len = *nameLen;
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  const LONG rc = RegEnumValueW(ToHkey(key), index, reinterpret_cast<wchar_t*>(name), &len, nullptr,
                                &t, data, size ? &s : nullptr);
  if (rc == ERROR_SUCCESS) *nameLen = len;
  if (type != nullptr) *type = t;
  if (size != nullptr) *size = s;
  return rc;
}

long Win32Registry::QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  const LONG rc = RegQueryValueExW(ToHkey(key), W(name), nullptr, &t, data, size ? &s : nullptr);
  if (type != nullptr) *type = t;
  if (size != nullptr) *size = s;
  return rc;
}

long Win32Registry::SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExW(ToHkey(key), W(name), 0, type, data, size);
}

long Win32Registry::DeleteValueW(RegHandle key, const std::u16string& name) {
  return RegDeleteValueW(ToHkey(key), W(name));
}

}  // namespace tw
