#pragma once

// A registry that reads through to another one and keeps every write to itself: an apply run
// (or an export) made against it shows which keys and values it would touch, and nothing
// reaches the machine. The base is only ever read. The overlay keys its own records by the
// canonical name (reg_place.h), so a write through HKCR is seen through HKLM\SOFTWARE\Classes and
// through CurrentControlSet as the control set it links to; the base is read by the name asked.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "codepage.h"
#include "reg_place.h"
#include "registry.h"
#include "wide_registry.h"

namespace tw {

// Whether a key path is parent or a key below it, by folded names (FoldName).
bool KeyAtOrBelow(const std::u16string& folded, const std::u16string& foldedParent);

struct RegValueRef {
  RegPath key;
  std::u16string name;
};

struct StoredValue {
  std::uint32_t type = kRegNone;
  Bytes data;
  bool operator==(const StoredValue& o) const { return type == o.type && data == o.data; }
};

class OverlayRegistry : public WideRegistry {
 public:
  explicit OverlayRegistry(RegistryApi& base) : base_(base) {}
  OverlayRegistry(const OverlayRegistry&) = delete;
  OverlayRegistry& operator=(const OverlayRegistry&) = delete;

  TW_WIDE_REGISTRY_OVERRIDES;

  // What the writes touched, each once, in the order first touched.
  // Values set or deleted (outside keys that were created or deleted whole).
  const std::vector<RegValueRef>& TouchedValues() const { return values_; }
  // Keys that did not exist in the base and were created; a subkey of a created key is not
  // listed again.
  const std::vector<RegPath>& CreatedKeys() const { return created_; }
  // Keys of the base that were deleted with their subtree.
  const std::vector<RegPath>& DeletedKeys() const { return deleted_; }

  // The state after the writes: a value, or none when it is absent.
  std::optional<StoredValue> ValueNow(const RegValueRef& v);
  bool KeyExistsNow(const RegPath& key);

 private:
  struct KeyState {
    bool exists = true;
    bool hidesBase = false;  // deleted once: the base's subkeys and values are gone below it
    std::map<std::u16string, std::optional<StoredValue>> values;  // by folded name
    std::map<std::u16string, std::u16string> names;               // folded → as written
    std::u16string path;  // canonical, in the case first written
  };
  using StateKey = std::pair<RegRoot, std::u16string>;  // root, folded path

  long Resolve(RegHandle h, RegPath* out) const;
  // The canonical name, with the control set of the base.
  RegPath Canon(const RegPath& p);
  StateKey Folded(const RegPath& p);
  // p at or below parent, by their canonical names.
  bool Within(const RegPath& p, const RegPath& parent);
  RegPath Join(const RegPath& parent, const std::u16string& sub) const;
  bool BaseHidden(const RegPath& p);
  bool Exists(const RegPath& p);
  std::optional<StoredValue> Value(const RegPath& key, const std::u16string& name);
  std::vector<std::u16string> SubKeyNames(const RegPath& p);
  std::vector<std::pair<std::u16string, StoredValue>> Values(const RegPath& p);
  RegHandle NewHandle(const RegPath& p);
  // EnumKey and EnumKeyW, by the name's character type.
  template <typename Char>
  long EnumKeyAs(RegHandle key, std::uint32_t index, Char* name, std::uint32_t* nameLen);
  KeyState& State(const RegPath& p);
  bool UnderChangedKey(const RegPath& p);
  void TouchValue(const RegPath& key, const std::u16string& name);

  RegistryApi& base_;
  std::map<StateKey, KeyState> state_;
  std::map<RegHandle, RegPath> handles_;
  RegHandle next_ = 0x1000;
  unsigned controlSet_ = 0;  // read from the base when first needed
  std::vector<RegValueRef> values_;
  std::vector<RegPath> created_;
  std::vector<RegPath> deleted_;
};

// Reads a value of the base registry through the seam, with its exact type and bytes.
std::optional<StoredValue> ReadStoredValue(RegistryApi& api, const RegPath& key,
                                           const std::u16string& name);

}  // namespace tw
