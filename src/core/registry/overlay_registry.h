#pragma once

// A registry that reads through to another one and keeps every write to itself: an apply run
// (or an export) made against it shows which keys and values it would touch, and nothing
// reaches the machine. The base is only ever read. The overlay keys its own records by the
// canonical name (reg_place.h), so a write through HKCR is seen through HKLM\SOFTWARE\Classes and
// through CurrentControlSet as the control set it links to; the base is read by the name asked.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/codepage.h"
#include "registry/reg_place.h"
#include "registry/registry.h"
#include "registry/wide_registry.h"

namespace tw {

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
  std::vector<RegValueRef> TouchedValues() const { return Live(values_); }
  // Keys that did not exist in the base and were created; a subkey of a created key is not
  // listed again.
  std::vector<RegPath> CreatedKeys() const { return Live(created_); }
  // Keys of the base that were deleted with their subtree.
  std::vector<RegPath> DeletedKeys() const { return Live(deleted_); }

  // The state after the writes: a value, or none when it is absent.
  std::optional<StoredValue> ValueNow(const RegValueRef& v);
  bool KeyExistsNow(const RegPath& key);

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  // A key of the overlay's tree, by canonical name: every call finds its key by walking the
  // path once, so the work grows with the path, not with what the overlay holds.
  struct Node {
    std::u16string name;     // as first written
    bool recorded = false;   // the overlay holds the key's state
    bool exists = true;      // when recorded
    bool hidesBase = false;  // deleted once: the base's subkeys and values are gone below it
    std::map<std::u16string, std::optional<StoredValue>> values;  // by folded name
    std::map<std::u16string, std::u16string> names;               // folded → as written
    std::map<std::u16string, std::unique_ptr<Node>> children;     // by folded name
    std::size_t created = kNone, deleted = kNone;                 // its entry in created_, deleted_
    std::map<std::u16string, std::size_t> touched;  // folded value name → entry in values_
  };
  // A path walked: its node (nullptr past the tree's end) and what lies on the way.
  struct Trail {
    Node* node = nullptr;
    bool gone = false;     // a key above it is deleted
    bool hidden = false;   // the base is hidden at or above it
    bool changed = false;  // it is at or below a created or deleted key
  };
  template <typename T>
  static std::vector<T> Live(const std::vector<std::optional<T>>& records) {
    std::vector<T> out;
    for (const auto& r : records) {
      if (r) out.push_back(*r);
    }
    return out;
  }

  long Resolve(RegHandle h, RegPath* out) const;
  // The canonical name, with the control set of the base.
  RegPath Canon(const RegPath& p);
  Trail Follow(const RegPath& p, bool make);
  RegPath Join(const RegPath& parent, const std::u16string& sub) const;
  bool BaseKeyExists(const RegPath& p);
  bool Exists(const RegPath& p);
  std::optional<StoredValue> Value(const RegPath& key, const std::u16string& name);
  const std::vector<std::u16string>& SubKeyNames(const RegPath& p);
  const std::vector<std::pair<std::u16string, StoredValue>>& Values(const RegPath& p);
  RegHandle NewHandle(const RegPath& p);
  // EnumKey and EnumKeyW, by the name's character type.
  template <typename Char>
  long EnumKeyAs(RegHandle key, std::uint32_t index, Char* name, std::uint32_t* nameLen);
  Node& State(const RegPath& p);
  void TouchValue(const RegPath& key, const std::u16string& name);
  // Forgets the records at and below the node and the keys below it.
  void Drop(Node& node);

  RegistryApi& base_;
  std::map<RegRoot, Node> roots_;
  std::map<RegHandle, RegPath> handles_;
  RegHandle next_ = 0x1000;
  unsigned controlSet_ = 0;  // read from the base when first needed
  std::vector<std::optional<RegValueRef>> values_;
  std::vector<std::optional<RegPath>> created_;
  std::vector<std::optional<RegPath>> deleted_;
  // The listings of keys' subkeys and values made since the last write: enumerating a key by
  // index lists it once.
  struct Listing {
    std::optional<std::vector<std::u16string>> keys;
    std::optional<std::vector<std::pair<std::u16string, StoredValue>>> values;
  };
  Listing& ListingOf(const RegPath& p);
  std::uint64_t writes_ = 0, listedAt_ = 0;
  std::map<std::pair<RegRoot, std::u16string>, Listing> listings_;
};

// Reads a value of the base registry through the seam, with its exact type and bytes.
std::optional<StoredValue> ReadStoredValue(RegistryApi& api, const RegPath& key,
                                           const std::u16string& name);

}  // namespace tw
