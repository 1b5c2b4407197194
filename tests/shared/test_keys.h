#pragma once

// The Windows-side tests' own registry calls: each key is opened and created in the view the
// program uses (RegistryView), so that a 32-bit test on 64-bit Windows looks where the program
// writes and not into Wow6432Node. Keys are deleted through the program's RemoveRegKey. A native
// test (test_keys_guard_test.cpp) keeps every other test file from calling the API bare.

#include <sddl.h>
#include <windows.h>

#include <string>

#include "win32/win32_registry.h"

namespace tw::test {

// An open key, closed when it goes; false when the open or create failed.
class TestKey {
 public:
  explicit TestKey(HKEY key = nullptr) : key_(key) {}
  ~TestKey() {
    if (key_) RegCloseKey(key_);
  }
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;
  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_;
};

inline TestKey OpenTestKey(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  return TestKey(
      RegOpenKeyExA(root, path.c_str(), 0, access | RegistryView(), &key) == 0 ? key : nullptr);
}
inline TestKey OpenTestKey(HKEY root, const std::wstring& path, REGSAM access) {
  HKEY key = nullptr;
  return TestKey(
      RegOpenKeyExW(root, path.c_str(), 0, access | RegistryView(), &key) == 0 ? key : nullptr);
}
inline TestKey CreateTestKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  return TestKey(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | RegistryView(),
                                 nullptr, &key, nullptr) == 0
                     ? key
                     : nullptr);
}
inline TestKey CreateTestKey(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  return TestKey(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | RegistryView(),
                                 nullptr, &key, nullptr) == 0
                     ? key
                     : nullptr);
}

// "D:P" denies everyone, "D:P(A;;KA;;;WD)" allows everyone. False when it could not be set.
inline bool SetKeyDacl(HKEY root, const std::string& path, const char* sddl) {
  const TestKey key = OpenTestKey(root, path, WRITE_DAC);
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (!key ||
      !ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr))
    return false;
  const bool done = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd) == 0;
  LocalFree(sd);
  return done;
}

// A key whose DACL denies everyone; the DACL that allows everyone comes back when the object
// goes.
class DenyAllKey {
 public:
  explicit DenyAllKey(const std::string& path, HKEY root = HKEY_CURRENT_USER)
      : root_(root), path_(path), locked_(SetKeyDacl(root, path, "D:P")) {}
  ~DenyAllKey() { SetKeyDacl(root_, path_, "D:P(A;;KA;;;WD)"); }
  DenyAllKey(const DenyAllKey&) = delete;
  DenyAllKey& operator=(const DenyAllKey&) = delete;
  bool locked() const { return locked_; }

 private:
  HKEY root_;
  std::string path_;
  bool locked_;
};

}  // namespace tw::test
