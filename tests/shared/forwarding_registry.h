#pragma once

// A registry that passes every call on to another one, for the tests' registries that watch
// what the program does: they override the hooks below, and may refuse a change.

#include "registry/registry_api.h"

namespace tw::test {

class ForwardingRegistry : public RegistryApi {
 public:
  explicit ForwardingRegistry(RegistryApi& inner) : inner_(inner) {}
  ForwardingRegistry(const ForwardingRegistry&) = delete;
  ForwardingRegistry& operator=(const ForwardingRegistry&) = delete;

  long OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
               RegHandle* out) override {
    return Open(parent, out, access & kWriteRights,
                [&] { return inner_.OpenKey(parent, sub, access, out); });
  }
  long CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                 RegHandle* out) override {
    return Open(parent, out, true, [&] { return inner_.CreateKey(parent, sub, access, out); });
  }
  long CloseKey(RegHandle key) override {
    Closing(key);
    return inner_.CloseKey(key);
  }
  long QueryValue(RegHandle key, const std::string& name, std::uint32_t* type, std::uint8_t* data,
                  std::uint32_t* size) override {
    return Read([&] { return inner_.QueryValue(key, name, type, data, size); });
  }
  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override {
    return Change(key, [&] { return inner_.SetValue(key, name, type, data, size); });
  }
  long DeleteValue(RegHandle key, const std::string& name) override {
    return Change(key, [&] { return inner_.DeleteValue(key, name); });
  }
  long DeleteKey(RegHandle parent, const std::string& sub) override {
    return Change(parent, [&] { return inner_.DeleteKey(parent, sub); });
  }
  long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                    std::uint32_t* values) override {
    return Read([&] { return inner_.QueryInfoKey(key, subKeys, maxSubKeyLen, values); });
  }
  long EnumKey(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameLen) override {
    return Read([&] { return inner_.EnumKey(key, index, name, nameLen); });
  }
  long OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                RegHandle* out) override {
    return Open(parent, out, access & kWriteRights,
                [&] { return inner_.OpenKeyW(parent, sub, access, out); });
  }
  long CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                  RegHandle* out) override {
    return Open(parent, out, true, [&] { return inner_.CreateKeyW(parent, sub, access, out); });
  }
  long DeleteKeyW(RegHandle parent, const std::u16string& sub) override {
    return Change(parent, [&] { return inner_.DeleteKeyW(parent, sub); });
  }
  long QueryInfoKeyW(RegHandle key, RegKeyInfo* info) override {
    return Read([&] { return inner_.QueryInfoKeyW(key, info); });
  }
  long EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                std::uint32_t* nameLen) override {
    return Read([&] { return inner_.EnumKeyW(key, index, name, nameLen); });
  }
  long EnumValueW(RegHandle key, std::uint32_t index, char16_t* name, std::uint32_t* nameLen,
                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* size) override {
    return Read([&] { return inner_.EnumValueW(key, index, name, nameLen, type, data, size); });
  }
  long QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* size) override {
    return Read([&] { return inner_.QueryValueW(key, name, type, data, size); });
  }
  long SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                 const std::uint8_t* data, std::uint32_t size) override {
    return Change(key, [&] { return inner_.SetValueW(key, name, type, data, size); });
  }
  long DeleteValueW(RegHandle key, const std::u16string& name) override {
    return Change(key, [&] { return inner_.DeleteValueW(key, name); });
  }

 protected:
  // Before every call but CloseKey.
  virtual void Calling() {}
  // Before each change the program attempts: a key opened for writing or created, a value set
  // or deleted, a key deleted. key is the open key the call names a subkey or value of. Any
  // other result than kErrorSuccess refuses the call with that code.
  virtual long Changing(RegHandle /*key*/) { return kErrorSuccess; }
  // After a key below parent was opened or created.
  virtual void Opened(RegHandle /*parent*/, RegHandle /*key*/) {}
  // Before a key is closed.
  virtual void Closing(RegHandle /*key*/) {}

  RegistryApi& inner_;

 private:
  // KEY_SET_VALUE, KEY_CREATE_SUB_KEY, KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER.
  static constexpr std::uint32_t kWriteRights = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000;

  template <typename Call>
  long Read(Call call) {
    Calling();
    return call();
  }
  template <typename Call>
  long Change(RegHandle key, Call call) {
    Calling();
    if (const long rc = Changing(key)) return rc;
    return call();
  }
  template <typename Call>
  long Open(RegHandle parent, RegHandle* out, bool writes, Call call) {
    Calling();
    if (writes) {
      if (const long rc = Changing(parent)) return rc;
    }
    const long rc = call();
    if (rc == kErrorSuccess) Opened(parent, *out);
    return rc;
  }
};

}  // namespace tw::test
