#pragma once

#include <utility>

#include "registry/registry_api.h"

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
    return Take(&RegistryApi::OpenKey, parent, sub, access);
  }
  [[nodiscard]] long Create(RegHandle parent, const std::string& sub, std::uint32_t access) {
    return Take(&RegistryApi::CreateKey, parent, sub, access);
  }
  [[nodiscard]] long Open(RegHandle parent, const std::u16string& sub, std::uint32_t access) {
    return Take(&RegistryApi::OpenKeyW, parent, sub, access);
  }
  [[nodiscard]] long Create(RegHandle parent, const std::u16string& sub, std::uint32_t access) {
    return Take(&RegistryApi::CreateKeyW, parent, sub, access);
  }
  void Close() {
    if (handle_ != 0) api_->CloseKey(std::exchange(handle_, 0));
  }

  bool valid() const { return handle_ != 0; }
  RegHandle get() const { return handle_; }
  RegistryApi& api() const { return *api_; }

 private:
  // Opens or creates the key with call and holds it when that succeeds.
  template <typename Name>
  long Take(long (RegistryApi::*call)(RegHandle, const Name&, std::uint32_t, RegHandle*),
            RegHandle parent, const Name& sub, std::uint32_t access) {
    RegHandle h = 0;
    const long rc = (api_->*call)(parent, sub, access, &h);
    if (rc == kErrorSuccess) {
      Close();
      handle_ = h;
    }
    return rc;
  }

  RegistryApi* api_;
  RegHandle handle_ = 0;
};

}  // namespace tw
