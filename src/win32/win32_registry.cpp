#include "win32_registry.h"

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

}  // namespace

long Win32Registry::OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                            RegHandle* out) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(ToHkey(parent), sub.c_str(), 0, access, &key);
  if (rc == ERROR_SUCCESS) *out = FromHkey(key);
  return rc;
}

long Win32Registry::CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                              RegHandle* out) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExA(ToHkey(parent), sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  access, nullptr, &key, nullptr);
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

}  // namespace tw
