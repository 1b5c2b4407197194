#pragma once

// Locked registry keys for the Windows-side tests: a DACL set from SDDL, and a key that denies
// everyone for the life of an object.

#include <sddl.h>
#include <windows.h>

#include <string>

namespace tw::test {

// "D:P" denies everyone, "D:P(A;;KA;;;WD)" allows everyone. False when it could not be set.
inline bool SetKeyDacl(HKEY root, const std::string& path, const char* sddl) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC | KEY_WOW64_64KEY, &key) != 0) return false;
  PSECURITY_DESCRIPTOR sd = nullptr;
  bool done = false;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr)) {
    done = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == 0;
    LocalFree(sd);
  }
  RegCloseKey(key);
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
