#pragma once

// The registry seam over advapi32. Handles are HKEYs; the three roots map to the predefined
// keys. Stateless: one instance serves the whole program. Under WOW64 (the 32-bit exe on 64-bit
// Windows) every key is opened, created and deleted in the 64-bit view.

#include "registry/registry_api.h"

namespace tw {

// The view every key is opened, created and deleted in: KEY_WOW64_64KEY under WOW64, else 0.
std::uint32_t RegistryView();

class Win32Registry : public RegistryApi {
 public:
  TW_REGISTRY_API_OVERRIDES;
};

}  // namespace tw
