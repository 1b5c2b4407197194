#include <memory>

#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {
std::unique_ptr<MemoryRegistry>& Current() {
  static auto registry = std::make_unique<MemoryRegistry>();
  return registry;
}
}  // namespace

RegistryApi& Machine() { return *Current(); }
MemoryRegistry* MemoryMachine() { return Current().get(); }

void ResetMachine() {
  CloseRegistryAccess();
  Current() = std::make_unique<MemoryRegistry>();
  SetRegistryBackend(Current().get());
}

bool RunningUnderWindows() { return false; }

}  // namespace tw::test
