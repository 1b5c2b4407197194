#pragma once

// A registry that keeps its names in UTF-16, as Windows does: the ANSI calls that pass nothing
// but names reach the wide ones through the code page, as advapi32's ...A functions do.

#include <algorithm>
#include <string>

#include "registry/codepage.h"
#include "registry/registry_api.h"

namespace tw {

class WideRegistry : public RegistryApi {
 public:
  long OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
               RegHandle* out) final {
    return OpenKeyW(parent, AnsiToWide(sub), access, out);
  }
  long CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                 RegHandle* out) final {
    return CreateKeyW(parent, AnsiToWide(sub), access, out);
  }
  long DeleteKey(RegHandle parent, const std::string& sub) final {
    return DeleteKeyW(parent, AnsiToWide(sub));
  }
  long DeleteValue(RegHandle key, const std::string& name) final {
    return DeleteValueW(key, AnsiToWide(name));
  }
  // The counts of the wide call.
  long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                    std::uint32_t* values) final {
    RegKeyInfo info;
    const long rc = QueryInfoKeyW(key, &info);
    if (rc != kErrorSuccess) return rc;
    if (subKeys) *subKeys = info.subKeys;
    if (maxSubKeyLen) *maxSubKeyLen = info.maxSubKeyLen;
    if (values) *values = info.values;
    return kErrorSuccess;
  }

 protected:
  // Hands a name to EnumKey or EnumKeyW with RegEnumKeyEx's buffer rules: *len is the buffer's
  // size in characters (with the terminating zero) in, the name's length out. The ANSI call
  // gets the name through the code page.
  static long CopyName(const std::u16string& name, char* out, std::uint32_t* len) {
    return CopyName(WideToAnsi(name), out, len);
  }
  template <typename Char>
  static long CopyName(const std::basic_string<Char>& name, Char* out, std::uint32_t* len) {
    if (!out || !len) return kErrorInvalidParameter;
    if (*len <= name.size()) return kErrorMoreData;
    std::copy(name.begin(), name.end(), out);
    out[name.size()] = 0;
    *len = static_cast<std::uint32_t>(name.size());
    return kErrorSuccess;
  }
};

}  // namespace tw
