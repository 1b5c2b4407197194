#pragma once

// The machine the shared tests run on. Each test executable provides it: natively a fresh
// in-memory registry per test, under Wine the prefix's real registry through advapi32.

#include "registry/registry_api.h"
#include "support/memory_registry.h"

namespace tw::test {

// The registry under test; also installed as the helpers' backend by ResetMachine.
RegistryApi& Machine();
// The in-memory registry, or nullptr under Wine (fault-injection tests skip there).
MemoryRegistry* MemoryMachine();
// Natively: a fresh empty registry. Under Wine: nothing to reset (fixtures clear the keys they
// use). Both: installs Machine() as the registry backend and closes any leftover accessor.
void ResetMachine();
bool RunningUnderWindows();

}  // namespace tw::test
