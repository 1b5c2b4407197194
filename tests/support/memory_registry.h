#pragma once

// A registry in memory with Windows semantics: names compare case-insensitively and keep their
// case, a key with subkeys cannot be deleted, the empty name is the default value, data is kept
// byte for byte (a REG_SZ may lack its terminator). Keys can be made unwritable, uncreatable or
// refuse value writes, to test what a user without administrator rights meets. HKEY_CLASSES_ROOT
// is the key HKLM\SOFTWARE\Classes, and HKLM\SYSTEM\CurrentControlSet leads to the control set
// that HKLM\SYSTEM\Select "Current" names (1 when absent), as on Windows.

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "registry/wide_registry.h"

namespace tw {

// A value's type and bytes; text as the ANSI calls see it (stored as UTF-16 inside).
struct RegValue {
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
};

class MemoryRegistry : public WideRegistry {
 public:
  MemoryRegistry();
  // A registry with the same keys, values and faults; no open handle is copied.
  MemoryRegistry(const MemoryRegistry& other);
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;
  ~MemoryRegistry() override;

  TW_WIDE_REGISTRY_OVERRIDES;

  // Faults, each for the key at path and everything below it (an empty path: the whole root).
  // Unwritable: opens for reading only; no key below it can be created or deleted.
  void DenyWrite(RegRoot root, const std::string& path);
  // Uncreatable: existing keys open as usual, missing ones cannot be created.
  void DenyCreate(RegRoot root, const std::string& path);
  // Deny-all: the key refuses every open, even for reading.
  void DenyAll(RegRoot root, const std::string& path);
  // The keys open for writing, but every value write is refused.
  void DenyValueWrite(RegRoot root, const std::string& path);
  // Lifts the faults set on that key.
  void Allow(RegRoot root, const std::string& path);

  // Direct access for tests, bypassing handles and faults. Names and text go through the ANSI
  // code page, as with the ANSI calls; the ...W forms take exact names.
  void Put(RegRoot root, const std::string& path, const std::string& name, std::uint32_t type,
           const std::vector<std::uint8_t>& data);
  void PutDword(RegRoot root, const std::string& path, const std::string& name,
                std::uint32_t value);
  // Stores the text with its terminating zero.
  void PutString(RegRoot root, const std::string& path, const std::string& name,
                 const std::string& text, std::uint32_t type = kRegSz);
  void PutKey(RegRoot root, const std::string& path);
  void PutKeyW(RegRoot root, const std::u16string& path);
  bool HasKey(RegRoot root, const std::string& path) const;
  bool HasKeyW(RegRoot root, const std::u16string& path) const;
  std::optional<RegValue> Get(RegRoot root, const std::string& path, const std::string& name) const;
  // Names of the subkeys and values of a key, in their stored case.
  std::vector<std::string> SubKeys(RegRoot root, const std::string& path) const;
  std::vector<std::string> ValueNames(RegRoot root, const std::string& path) const;
  // Handles handed out and not yet closed.
  std::size_t OpenHandles() const;

 private:
  struct Node;
  struct Handle;
  Node* Find(RegRoot root, const std::u16string& path) const;
  static std::shared_ptr<Node> Copy(const Node& from, Node* parent);
  Node* Resolve(RegHandle h) const;
  long Live(RegHandle h, Node** node) const;
  bool Granted(RegHandle h, std::uint32_t right) const;
  Node* Walk(Node* from, const std::u16string& sub, bool create, bool* denied);
  // The name of node's child that part leads to: the current control set for CurrentControlSet
  // below HKLM\SYSTEM, otherwise part itself.
  std::u16string Linked(const Node* node, const std::u16string& part) const;
  std::shared_ptr<Node> RootNode(const Node* node) const;  // nullptr for any other key
  // The HKCR root when parts from *i on name SOFTWARE\Classes below HKLM (or Classes below
  // HKLM\SOFTWARE), with *i moved past them; otherwise nullptr.
  Node* Classes(const Node* node, const std::vector<std::u16string>& parts, std::size_t* i) const;
  // The existing key sub below the open key parent (nullptr when there is none), or the error
  // for parent.
  long Below(RegHandle parent, const std::u16string& sub, Node** node);
  // The same for a call that hands out a handle to that key: also the error for a missing out.
  long Target(RegHandle parent, const std::u16string& sub, const RegHandle* out, Node** node);
  const RegValue* FindValue(RegHandle key, const std::u16string& name, long* rc) const;
  // EnumKey and EnumKeyW, by the name's character type.
  template <typename Char>
  long EnumKeyAs(RegHandle key, std::uint32_t index, Char* name, std::uint32_t* nameLen);
  void Mark(RegRoot root, const std::string& path, int fault);

  std::map<RegRoot, std::shared_ptr<Node>> roots_;
  std::map<RegHandle, Handle> handles_;
  RegHandle next_ = 0x1000;
};

}  // namespace tw
