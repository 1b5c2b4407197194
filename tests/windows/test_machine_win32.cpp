#include "registry/registry.h"
#include "test_machine.h"
#include "win32/win32_registry.h"

namespace tw::test {
namespace {
Win32Registry& Registry() {
  static Win32Registry registry;
  return registry;
}
}  // namespace

RegistryApi& Machine() { return Registry(); }
MemoryRegistry* MemoryMachine() { return nullptr; }

void ResetMachine() {
  CloseRegistryAccess();
  SetRegistryBackend(&Registry());
}

bool RunningUnderWindows() { return true; }

}  // namespace tw::test
