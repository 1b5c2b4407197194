#pragma once

// The registry seam: the advapi32 calls the program makes, in their ANSI and wide forms, with
// their Win32 error codes. Implemented over advapi32 (Windows builds) and in memory (tests, any
// platform).

#include <array>
#include <cstdint>
#include <string>

namespace tw {

// An open key. Predefined roots use their 32-bit Win32 values; other values are whatever the
// backend hands out and mean nothing outside it.
using RegHandle = std::uintptr_t;
using RegRoot = RegHandle;

constexpr RegRoot HKCR = 0x80000000u;
constexpr RegRoot HKCU = 0x80000001u;
constexpr RegRoot HKLM = 0x80000002u;
// Read from imported files only; the program never opens them.
constexpr RegRoot HKU = 0x80000003u;
constexpr RegRoot HKCC = 0x80000005u;

// Access masks (winnt.h values).
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyProbe = 0x20009;  // STANDARD_RIGHTS_READ|QUERY_VALUE|ENUMERATE
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// Value types.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// The data of a REG_DWORD: its four bytes, least significant first.
using DwordData = std::array<std::uint8_t, 4>;
inline DwordData DwordBytes(std::uint32_t value) {
  return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
          static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}
// The number in four bytes of REG_DWORD data.
inline std::uint32_t DwordValue(const std::uint8_t* data) {
  return std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 | std::uint32_t{data[2]} << 16 |
         std::uint32_t{data[3]} << 24;
}

// Win32 error codes the program looks at.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;

// RegQueryInfoKeyW: lengths in UTF-16 units without the terminating zero, data size in bytes.
struct RegKeyInfo {
  std::uint32_t subKeys = 0;
  std::uint32_t maxSubKeyLen = 0;
  std::uint32_t values = 0;
  std::uint32_t maxValueNameLen = 0;
  std::uint32_t maxValueLen = 0;
};

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // RegOpenKeyExA. An empty sub opens parent again.
  virtual long OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                       RegHandle* out) = 0;
  // RegCreateKeyExA with REG_OPTION_NON_VOLATILE; opens the key when it exists.
  virtual long CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                         RegHandle* out) = 0;
  virtual long CloseKey(RegHandle key) = 0;
  // RegQueryValueExA: type and data may be null; *size is the buffer size in, the stored size
  // out; a buffer that is too small gives kErrorMoreData and leaves data alone.
  virtual long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                          std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long DeleteValue(RegHandle key, const std::string& name) = 0;
  // RegDeleteKeyA: refuses a key that still has subkeys.
  virtual long DeleteKey(RegHandle parent, const std::string& sub) = 0;
  // RegQueryInfoKeyA, the counts the program uses; any pointer may be null.
  virtual long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                            std::uint32_t* values) = 0;
  // RegEnumKeyExA: *nameLen is the buffer size in characters (with the zero) in, the name's
  // length without the zero out.
  virtual long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameLen) = 0;

  // The wide (...W) calls: names are exact UTF-16, whatever their characters, and data is the
  // stored bytes (strings as UTF-16). Name lengths count UTF-16 units, sizes count bytes; the
  // rules for buffers are those of the ANSI calls above.
  virtual long OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                        RegHandle* out) = 0;
  virtual long CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                          RegHandle* out) = 0;
  virtual long DeleteKeyW(RegHandle parent, const std::u16string& sub) = 0;
  virtual long QueryInfoKeyW(RegHandle key, RegKeyInfo* info) = 0;
  virtual long EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                        std::uint32_t* nameLen) = 0;
  // RegEnumValueW: the name as in EnumKeyW; type, data and size as in QueryValueW (type and
  // data may be null). A name or data buffer that is too small gives kErrorMoreData.
  virtual long EnumValueW(RegHandle key, std::uint32_t index, char16_t* name,
                          std::uint32_t* nameLen, std::uint32_t* type, std::uint8_t* data,
                          std::uint32_t* size) = 0;
  virtual long QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                           std::uint8_t* data, std::uint32_t* size) = 0;
  virtual long SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                         const std::uint8_t* data, std::uint32_t size) = 0;
  virtual long DeleteValueW(RegHandle key, const std::u16string& name) = 0;
};

// Declares calls of RegistryApi as overrides, for a class that implements them out of line: one
// list to keep in step with the interface above. TW_REGISTRY_API_OVERRIDES: every call;
// TW_WIDE_REGISTRY_OVERRIDES: those a WideRegistry (wide_registry.h) leaves to its class.
#define TW_WIDE_REGISTRY_OVERRIDES                                                                 \
  long CloseKey(RegHandle key) override;                                                           \
  long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data, \
                  std::uint32_t* size) override;                                                   \
  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,                        \
                const std::uint8_t* data, std::uint32_t size) override;                            \
  long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameLen) override;   \
  long OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access, RegHandle* out) \
      override;                                                                                    \
  long CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,               \
                  RegHandle* out) override;                                                        \
  long DeleteKeyW(RegHandle parent, const std::u16string& sub) override;                           \
  long QueryInfoKeyW(RegHandle key, RegKeyInfo* info) override;                                    \
  long EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name, std::uint32_t* nameLen)        \
      override;                                                                                    \
  long EnumValueW(RegHandle key, std::uint32_t index, char16_t* name, std::uint32_t* nameLen,      \
                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;          \
  long QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,                 \
                   std::uint8_t* data, std::uint32_t* size) override;                              \
  long SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,                    \
                 const std::uint8_t* data, std::uint32_t size) override;                           \
  long DeleteValueW(RegHandle key, const std::u16string& name) override
#define TW_REGISTRY_API_OVERRIDES                                                                \
  TW_WIDE_REGISTRY_OVERRIDES;                                                                    \
  long OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access, RegHandle* out)   \
      override;                                                                                  \
  long CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access, RegHandle* out) \
      override;                                                                                  \
  long DeleteKey(RegHandle parent, const std::string& sub) override;                             \
  long DeleteValue(RegHandle key, const std::string& name) override;                             \
  long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,          \
                    std::uint32_t* values) override

}  // namespace tw
