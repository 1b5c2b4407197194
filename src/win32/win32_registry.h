#pragma once

// The registry seam over advapi32. Handles are HKEYs; the three roots map to the predefined
// keys. Stateless: one instance serves the whole program. Under WOW64 (the 32-bit exe on 64-bit
// Windows) every key is opened, created and deleted in the 64-bit view.

#include "registry_api.h"

namespace tw {

class Win32Registry : public RegistryApi {
 public:
  long OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
               RegHandle* out) override;
  long CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                 RegHandle* out) override;
  long CloseKey(RegHandle key) override;
  long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override;
  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;
  long DeleteValue(RegHandle key, const std::string& name) override;
  long DeleteKey(RegHandle parent, const std::string& sub) override;
  long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                    std::uint32_t* values) override;
  long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameLen) override;

  long OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                RegHandle* out) override;
  long CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                  RegHandle* out) override;
  long DeleteKeyW(RegHandle parent, const std::u16string& sub) override;
  long QueryInfoKeyW(RegHandle key, RegKeyInfo* info) override;
  long EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                std::uint32_t* nameLen) override;
  long EnumValueW(RegHandle key, std::uint32_t index, char16_t* name, std::uint32_t* nameLen,
                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override;
  long QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* size) override;
  long SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                 const std::uint8_t* data, std::uint32_t size) override;
  long DeleteValueW(RegHandle key, const std::u16string& name) override;
};

}  // namespace tw
