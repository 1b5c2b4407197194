#pragma once

#include <utility>

#include "registry_api.h"

namespace tw {

// An open registry key that closes itself. Move-only: two copies would close one handle twice.
// A failed Open/Create leaves the object as it was.
class RegKey {
 public:
  explicit RegKey(RegistryApi& api) : api_(&api) {}
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  RegKey(RegKey&& other) noexcept : api_(other.api_), handle_(std::exchange(other.handle_, 0)) {}
  RegKey& operator=(RegKey&& other) noexcept {
    if (this != &other) {
      Close();
      api_ = other.api_;
      handle_ = std::exchange(other.handle_, 0);
    }
    return *this;
  }
  ~RegKey() { Close(); }

  [[nodiscard]] long Open(RegHandle parent, const std::string& sub, std::uint32_t access) {
    RegHandle h = 0;
    const long rc = api_->OpenKey(parent, sub, access, &h);
    if (rc == kErrorSuccess) Reset(h);
    return rc;
  }
  [[nodiscard]] long Create(RegHandle parent, const std::string& sub, std::uint32_t access) {
    RegHandle h = 0;
    const long rc = api_->CreateKey(parent, sub, access, &h);
    if (rc == kErrorSuccess) Reset(h);
    return rc;
  }
  [[nodiscard]] long Open(RegHandle parent, const std::u16string& sub, std::uint32_t access) {
    RegHandle h = 0;
    const long rc = api_->OpenKeyW(parent, sub, access, &h);
    if (rc == kErrorSuccess) Reset(h);
    return rc;
  }
  [[nodiscard]] long Create(RegHandle parent, const std::u16string& sub, std::uint32_t access) {
    RegHandle h = 0;
    const long rc = api_->CreateKeyW(parent, sub, access, &h);
    if (rc == kErrorSuccess) Reset(h);
    return rc;
  }
  void Close() {
    if (handle_ != 0) api_->CloseKey(std::exchange(handle_, 0));
  }

  bool valid() const { return handle_ != 0; }
  RegHandle get() const { return handle_; }
  RegistryApi& api() const { return *api_; }

 private:
  void Reset(RegHandle h) {
    Close();
    handle_ = h;
  }

  RegistryApi* api_;
  RegHandle handle_ = 0;
};

}  // namespace tw
