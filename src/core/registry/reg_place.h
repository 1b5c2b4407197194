#pragma once

// Keys that Windows shows under two names. HKEY_CLASSES_ROOT\X is
// HKEY_LOCAL_MACHINE\SOFTWARE\Classes\X (per-user classes under HKEY_CURRENT_USER\Software\Classes
// are a key of their own here, not merged in), and HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet is
// the control set that HKLM\SYSTEM\Select "Current" names. The canonical name is for comparing
// places only: files and records keep the names they were given.

#include <string>

#include "registry/registry_api.h"

namespace tw {

// A key: root and path.
struct RegPath {
  RegRoot root = 0;
  std::u16string path;
};

// HKLM\SYSTEM\Select "Current" of api: a REG_DWORD from 1 to 999, otherwise 1.
unsigned CurrentControlSetNumber(RegistryApi& api);

// Whether the key is HKLM\SYSTEM\CurrentControlSet or below it.
bool NamesCurrentControlSet(const RegPath& p);

// The key's one name: HKCR\X as HKLM\SOFTWARE\Classes\X (the HKCR root as that key itself),
// HKLM\SYSTEM\CurrentControlSet\X as HKLM\SYSTEM\ControlSet<controlSet, 3 digits>\X, any other
// as it is. The rest of the path keeps its case; leading and doubled backslashes are dropped.
RegPath CanonicalKey(const RegPath& p, unsigned controlSet = 1);

// Whether a key path is parent or a key below it, by folded names (FoldName).
bool KeyAtOrBelow(const std::u16string& folded, const std::u16string& foldedParent);
// Whether key p is parent or below it, and whether a and b are one key, by their canonical names
// (CurrentControlSet as ControlSet001; a canonical name stays as it is).
bool Under(const RegPath& p, const RegPath& parent);
bool SameKey(const RegPath& a, const RegPath& b);

}  // namespace tw
