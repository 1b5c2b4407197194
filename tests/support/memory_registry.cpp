#include "support/memory_registry.h"

#include <algorithm>
#include <cstring>

#include "registry/codepage.h"

namespace tw {
namespace {

constexpr long kErrorKeyDeleted = 1018;
// Rights beyond reading: asking for any of them on an unwritable key is refused.
constexpr std::uint32_t kReadRights = kKeyRead;
constexpr std::uint32_t kWow64Flags = 0x0300;

enum Fault { kFaultWrite = 1, kFaultCreate = 2, kFaultValueWrite = 4, kFaultAll = 8 };

// Copies data of the stored size into a caller's buffer with the RegQueryValueEx rules. The
// wide calls end unterminated text with a zero unit when the buffer has room, as NT does; the
// size reported stays the stored one.
long CopyOut(const std::vector<std::uint8_t>& bytes, std::uint8_t* data, std::uint32_t* size,
             bool terminateWide = false) {
  const auto stored = static_cast<std::uint32_t>(bytes.size());
  if (data != nullptr) {
    if (*size < stored) {
      *size = stored;
      return kErrorMoreData;
    }
    if (stored) std::memcpy(data, bytes.data(), stored);
    if (terminateWide && stored >= 2 && *size - stored >= 2 &&
        (bytes[stored - 2] | bytes[stored - 1])) {
      data[stored] = data[stored + 1] = 0;
    }
  }
  if (size != nullptr) *size = stored;
  return kErrorSuccess;
}

std::vector<std::u16string> SplitPath(const std::u16string& path) {
  std::vector<std::u16string> parts;
  std::u16string part;
  for (char16_t c : path) {
    if (c == '\\') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

}  // namespace

struct MemoryRegistry::Node {
  std::u16string name;
  Node* parent = nullptr;
  Node* linkedUnder = nullptr;  // the HKCR root: HKLM, whose faults it shares
  int faults = 0;
  bool deleted = false;
  std::map<std::u16string, std::shared_ptr<Node>> children;  // folded name -> key
  // Folded name -> stored name and value (text as UTF-16).
  std::map<std::u16string, std::pair<std::u16string, RegValue>> values;

  // Where the last look-up by index stood, so that listing a key of many subkeys or values by
  // index is linear; a change of either map forgets it.
  template <typename Map>
  struct Cursor {
    bool valid = false;
    std::uint32_t index = 0;
    typename Map::const_iterator at;
    typename Map::const_iterator Seek(const Map& map, std::uint32_t i) {
      if (!valid || i < index) at = map.begin(), index = 0;
      for (; index < i; ++index) ++at;
      valid = true;
      return at;
    }
  };
  Cursor<decltype(children)> keyCursor;
  Cursor<decltype(values)> valueCursor;
  void Changed() { keyCursor.valid = valueCursor.valid = false; }

  int InheritedFaults() const {
    int f = 0;
    for (const Node* n = this; n != nullptr; n = n->parent ? n->parent : n->linkedUnder)
      f |= n->faults;
    return f;
  }
};

struct MemoryRegistry::Handle {
  std::shared_ptr<Node> node;
  std::uint32_t access;
};

MemoryRegistry::MemoryRegistry() {
  for (RegRoot root : {HKCR, HKCU, HKLM}) roots_[root] = std::make_shared<Node>();
  roots_[HKCR]->linkedUnder = roots_[HKLM].get();
}

MemoryRegistry::Node* MemoryRegistry::Classes(const Node* node,
                                              const std::vector<std::u16string>& parts,
                                              std::size_t* i) const {
  const Node* hklm = roots_.at(HKLM).get();
  const auto is = [&](std::size_t at, const char16_t* folded) {
    return at < parts.size() && FoldName(parts[at]) == folded;
  };
  std::size_t skip = 0;
  if (node == hklm && is(*i, u"SOFTWARE") && is(*i + 1, u"CLASSES")) skip = 2;
  if (node->parent == hklm && FoldName(node->name) == u"SOFTWARE" && is(*i, u"CLASSES")) skip = 1;
  if (!skip) return nullptr;
  *i += skip;
  return roots_.at(HKCR).get();
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::RootNode(const Node* node) const {
  for (const auto& [root, n] : roots_) {
    if (n.get() == node) return n;
  }
  return nullptr;
}

std::u16string MemoryRegistry::Linked(const Node* node, const std::u16string& part) const {
  if (node->parent != roots_.at(HKLM).get() || FoldName(node->name) != u"SYSTEM" ||
      FoldName(part) != u"CURRENTCONTROLSET")
    return part;
  std::uint32_t current = 1;
  const auto select = node->children.find(u"SELECT");
  if (select != node->children.end()) {
    const auto v = select->second->values.find(u"CURRENT");
    if (v != select->second->values.end() && v->second.second.type == kRegDword &&
        v->second.second.data.size() == 4)
      current = DwordValue(v->second.second.data.data());
  }
  if (current < 1 || current > 999) current = 1;
  std::u16string digits;
  for (std::uint32_t n = current, i = 0; i < 3; ++i, n /= 10)
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
  return u"ControlSet" + digits;
}

MemoryRegistry::MemoryRegistry(const MemoryRegistry& other) : WideRegistry() {
  for (const auto& [root, node] : other.roots_) roots_[root] = Copy(*node, nullptr);
  roots_[HKCR]->linkedUnder = roots_[HKLM].get();
}

std::shared_ptr<MemoryRegistry::Node> MemoryRegistry::Copy(const Node& from, Node* parent) {
  auto node = std::make_shared<Node>();
  node->name = from.name;
  node->parent = parent;
  node->faults = from.faults;
  node->values = from.values;
  for (const auto& [folded, child] : from.children)
    node->children[folded] = Copy(*child, node.get());
  return node;
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Resolve(RegHandle h) const {
  auto root = roots_.find(h);
  if (root != roots_.end()) return root->second.get();
  auto it = handles_.find(h);
  return it == handles_.end() ? nullptr : it->second.node.get();
}

// The node behind a handle that may still be used, or the error for it.
long MemoryRegistry::Live(RegHandle h, Node** node) const {
  *node = Resolve(h);
  if (*node == nullptr) return kErrorInvalidHandle;
  return (*node)->deleted ? kErrorKeyDeleted : kErrorSuccess;
}

bool MemoryRegistry::Granted(RegHandle h, std::uint32_t right) const {
  auto it = handles_.find(h);
  return it == handles_.end() || (it->second.access & right);
}

MemoryRegistry::Node* MemoryRegistry::Walk(Node* from, const std::u16string& sub, bool create,
                                           bool* denied) {
  *denied = false;
  Node* node = from;
  const std::vector<std::u16string> parts = SplitPath(sub);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (Node* classes = Classes(node, parts, &i)) {
      node = classes;
      --i;  // past the link's parts, less the loop's step
      continue;
    }
    const std::u16string part = Linked(node, parts[i]);
    auto it = node->children.find(FoldName(part));
    if (it != node->children.end()) {
      node = it->second.get();
      continue;
    }
    if (!create) return nullptr;
    if (node->InheritedFaults() & (kFaultWrite | kFaultCreate | kFaultAll)) {
      *denied = true;
      return nullptr;
    }
    auto child = std::make_shared<Node>();
    child->name = part;
    child->parent = node;
    node->Changed();
    node = (node->children[FoldName(part)] = child).get();
  }
  return node;
}

long MemoryRegistry::Below(RegHandle parent, const std::u16string& sub, Node** node) {
  Node* from = nullptr;
  if (const long rc = Live(parent, &from)) return rc;
  bool denied = false;
  *node = Walk(from, sub, false, &denied);
  return kErrorSuccess;
}

long MemoryRegistry::Target(RegHandle parent, const std::u16string& sub, const RegHandle* out,
                            Node** node) {
  if (const long rc = Below(parent, sub, node)) return rc;
  return out == nullptr ? kErrorInvalidHandle : kErrorSuccess;
}

long MemoryRegistry::OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                              RegHandle* out) {
  Node* node = nullptr;
  if (const long rc = Target(parent, sub, out, &node)) return rc;
  if (node == nullptr) return kErrorFileNotFound;
  access &= ~kWow64Flags;
  if (node->InheritedFaults() & kFaultAll) return kErrorAccessDenied;
  if ((access & ~kReadRights) && (node->InheritedFaults() & kFaultWrite)) {
    return kErrorAccessDenied;
  }
  const std::shared_ptr<Node> shared =
      node->parent ? node->parent->children.at(FoldName(node->name)) : RootNode(node);
  if (roots_.count(parent) && roots_.at(parent) == shared) {
    // A root reopened: hand out the root itself, which needs no closing.
    *out = parent;
    return kErrorSuccess;
  }
  const RegHandle h = next_++;
  handles_[h] = Handle{shared, access};
  *out = h;
  return kErrorSuccess;
}

long MemoryRegistry::CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t access,
                                RegHandle* out) {
  Node* existing = nullptr;
  if (const long rc = Target(parent, sub, out, &existing)) return rc;
  if (existing == nullptr) {
    if (!Granted(parent, kKeyCreateSubKey)) return kErrorAccessDenied;
    bool denied = false;
    if (Walk(Resolve(parent), sub, true, &denied) == nullptr)
      return denied ? kErrorAccessDenied : kErrorFileNotFound;
  }
  return OpenKeyW(parent, sub, access, out);
}

long MemoryRegistry::CloseKey(RegHandle key) {
  if (roots_.count(key)) return kErrorSuccess;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

const RegValue* MemoryRegistry::FindValue(RegHandle key, const std::u16string& name,
                                          long* rc) const {
  Node* node = nullptr;
  if ((*rc = Live(key, &node)) != kErrorSuccess) return nullptr;
  if (!Granted(key, kKeyQueryValue)) {
    *rc = kErrorAccessDenied;
    return nullptr;
  }
  auto it = node->values.find(FoldName(name));
  if (it == node->values.end()) {
    *rc = kErrorFileNotFound;
    return nullptr;
  }
  return &it->second.second;
}

long MemoryRegistry::QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  long rc = kErrorSuccess;
  const RegValue* v = FindValue(key, AnsiToWide(name), &rc);
  if (v == nullptr) return rc;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  if (type != nullptr) *type = v->type;
  return CopyOut(WideDataToAnsi(v->type, v->data), data, size);
}

long MemoryRegistry::QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  long rc = kErrorSuccess;
  const RegValue* v = FindValue(key, name, &rc);
  if (v == nullptr) return rc;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  if (type != nullptr) *type = v->type;
  return CopyOut(v->data, data, size, IsTextType(v->type));
}

long MemoryRegistry::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  if (size != 0 && data == nullptr) return kErrorInvalidParameter;
  const std::vector<std::uint8_t> stored = AnsiDataToWide(type, data, size);
  return SetValueW(key, AnsiToWide(name), type, stored.data(),
                   static_cast<std::uint32_t>(stored.size()));
}

long MemoryRegistry::SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  Node* node = nullptr;
  if (const long rc = Live(key, &node)) return rc;
  if (!Granted(key, kKeySetValue)) return kErrorAccessDenied;
  if (node->InheritedFaults() & (kFaultWrite | kFaultValueWrite)) return kErrorAccessDenied;
  if (size != 0 && data == nullptr) return kErrorInvalidParameter;
  node->Changed();
  auto& slot = node->values[FoldName(name)];
  if (slot.first.empty()) slot.first = name;
  slot.second.type = type;
  slot.second.data.assign(data, data + size);
  return kErrorSuccess;
}

long MemoryRegistry::DeleteValueW(RegHandle key, const std::u16string& name) {
  Node* node = nullptr;
  if (const long rc = Live(key, &node)) return rc;
  if (!Granted(key, kKeySetValue)) return kErrorAccessDenied;
  if (node->InheritedFaults() & kFaultWrite) return kErrorAccessDenied;
  node->Changed();
  return node->values.erase(FoldName(name)) ? kErrorSuccess : kErrorFileNotFound;
}

long MemoryRegistry::DeleteKeyW(RegHandle parent, const std::u16string& sub) {
  Node* node = nullptr;
  if (const long rc = Below(parent, sub, &node)) return rc;
  if (node == nullptr) return kErrorFileNotFound;
  if (RootNode(node)) return kErrorAccessDenied;
  if (!node->children.empty() || (node->InheritedFaults() & (kFaultWrite | kFaultAll))) {
    return kErrorAccessDenied;
  }
  node->deleted = true;
  node->parent->Changed();
  node->parent->children.erase(FoldName(node->name));
  return kErrorSuccess;
}

long MemoryRegistry::QueryInfoKeyW(RegHandle key, RegKeyInfo* info) {
  Node* node = nullptr;
  if (const long rc = Live(key, &node)) return rc;
  RegKeyInfo out;
  out.subKeys = static_cast<std::uint32_t>(node->children.size());
  out.values = static_cast<std::uint32_t>(node->values.size());
  for (const auto& child : node->children) {
    out.maxSubKeyLen =
        std::max(out.maxSubKeyLen, static_cast<std::uint32_t>(child.second->name.size()));
  }
  for (const auto& value : node->values) {
    out.maxValueNameLen =
        std::max(out.maxValueNameLen, static_cast<std::uint32_t>(value.second.first.size()));
    out.maxValueLen =
        std::max(out.maxValueLen, static_cast<std::uint32_t>(value.second.second.data.size()));
  }
  if (info != nullptr) *info = out;
  return kErrorSuccess;
}

template <typename Char>
long MemoryRegistry::EnumKeyAs(RegHandle key, std::uint32_t index, Char* name,
                               std::uint32_t* nameLen) {
  if (name == nullptr || nameLen == nullptr) return kErrorInvalidParameter;
  Node* node = nullptr;
  if (const long rc = Live(key, &node)) return rc;
  if (!Granted(key, kKeyEnumerateSubKeys)) return kErrorAccessDenied;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  return CopyName(node->keyCursor.Seek(node->children, index)->second->name, name, nameLen);
}

long MemoryRegistry::EnumKey(RegHandle key, std::uint32_t index, char* name,
                             std::uint32_t* nameLen) {
  return EnumKeyAs(key, index, name, nameLen);
}

long MemoryRegistry::EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                              std::uint32_t* nameLen) {
  return EnumKeyAs(key, index, name, nameLen);
}

long MemoryRegistry::EnumValueW(RegHandle key, std::uint32_t index, char16_t* name,
                                std::uint32_t* nameLen, std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* size) {
  Node* node = nullptr;
  if (const long rc = Live(key, &node)) return rc;
  if (!Granted(key, kKeyQueryValue)) return kErrorAccessDenied;
  if (name == nullptr || nameLen == nullptr) return kErrorInvalidParameter;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  if (index >= node->values.size()) return kErrorNoMoreItems;
  const auto it = node->valueCursor.Seek(node->values, index);
  const std::u16string& found = it->second.first;
  const RegValue& v = it->second.second;
  if (*nameLen <= found.size()) return kErrorMoreData;
  if (type != nullptr) *type = v.type;
  if (const long rc = CopyOut(v.data, data, size, IsTextType(v.type))) return rc;
  std::memcpy(name, found.c_str(), (found.size() + 1) * sizeof(char16_t));
  *nameLen = static_cast<std::uint32_t>(found.size());
  return kErrorSuccess;
}

MemoryRegistry::Node* MemoryRegistry::Find(RegRoot root, const std::u16string& path) const {
  auto it = roots_.find(root);
  if (it == roots_.end()) return nullptr;
  Node* node = it->second.get();
  const std::vector<std::u16string> parts = SplitPath(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (Node* classes = Classes(node, parts, &i)) {
      node = classes;
      --i;  // past the link's parts, less the loop's step
      continue;
    }
    auto child = node->children.find(FoldName(Linked(node, parts[i])));
    if (child == node->children.end()) return nullptr;
    node = child->second.get();
  }
  return node;
}

void MemoryRegistry::Mark(RegRoot root, const std::string& path, int fault) {
  PutKey(root, path);
  Find(root, AnsiToWide(path))->faults |= fault;
}

void MemoryRegistry::DenyWrite(RegRoot root, const std::string& path) {
  Mark(root, path, kFaultWrite);
}
void MemoryRegistry::DenyCreate(RegRoot root, const std::string& path) {
  Mark(root, path, kFaultCreate);
}
void MemoryRegistry::DenyAll(RegRoot root, const std::string& path) { Mark(root, path, kFaultAll); }
void MemoryRegistry::DenyValueWrite(RegRoot root, const std::string& path) {
  Mark(root, path, kFaultValueWrite);
}
void MemoryRegistry::Allow(RegRoot root, const std::string& path) {
  if (Node* n = Find(root, AnsiToWide(path))) n->faults = 0;
}

void MemoryRegistry::PutKey(RegRoot root, const std::string& path) {
  PutKeyW(root, AnsiToWide(path));
}

void MemoryRegistry::PutKeyW(RegRoot root, const std::u16string& path) {
  Node* node = roots_.at(root).get();
  const std::vector<std::u16string> parts = SplitPath(path);
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (Node* classes = Classes(node, parts, &i)) {
      node = classes;
      --i;  // past the link's parts, less the loop's step
      continue;
    }
    const std::u16string part = Linked(node, parts[i]);
    node->Changed();
    auto& child = node->children[FoldName(part)];
    if (!child) {
      child = std::make_shared<Node>();
      child->name = part;
      child->parent = node;
    }
    node = child.get();
  }
}

void MemoryRegistry::Put(RegRoot root, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::vector<std::uint8_t>& data) {
  PutKey(root, path);
  const std::u16string wide = AnsiToWide(name);
  Node* node = Find(root, AnsiToWide(path));
  node->Changed();
  auto& slot = node->values[FoldName(wide)];
  if (slot.first.empty()) slot.first = wide;
  slot.second =
      RegValue{type, AnsiDataToWide(type, data.data(), static_cast<std::uint32_t>(data.size()))};
}

void MemoryRegistry::PutDword(RegRoot root, const std::string& path, const std::string& name,
                              std::uint32_t value) {
  const DwordData data = DwordBytes(value);
  Put(root, path, name, kRegDword, {data.begin(), data.end()});
}

void MemoryRegistry::PutString(RegRoot root, const std::string& path, const std::string& name,
                               const std::string& text, std::uint32_t type) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Put(root, path, name, type, data);
}

bool MemoryRegistry::HasKey(RegRoot root, const std::string& path) const {
  return Find(root, AnsiToWide(path)) != nullptr;
}

bool MemoryRegistry::HasKeyW(RegRoot root, const std::u16string& path) const {
  return Find(root, path) != nullptr;
}

std::optional<RegValue> MemoryRegistry::Get(RegRoot root, const std::string& path,
                                            const std::string& name) const {
  const Node* node = Find(root, AnsiToWide(path));
  if (node == nullptr) return std::nullopt;
  auto it = node->values.find(FoldName(AnsiToWide(name)));
  if (it == node->values.end()) return std::nullopt;
  const RegValue& v = it->second.second;
  return RegValue{v.type, WideDataToAnsi(v.type, v.data)};
}

std::vector<std::string> MemoryRegistry::SubKeys(RegRoot root, const std::string& path) const {
  std::vector<std::string> names;
  if (const Node* node = Find(root, AnsiToWide(path))) {
    for (const auto& child : node->children) names.push_back(WideToAnsi(child.second->name));
  }
  return names;
}

std::vector<std::string> MemoryRegistry::ValueNames(RegRoot root, const std::string& path) const {
  std::vector<std::string> names;
  if (const Node* node = Find(root, AnsiToWide(path))) {
    for (const auto& value : node->values) names.push_back(WideToAnsi(value.second.first));
  }
  return names;
}

std::size_t MemoryRegistry::OpenHandles() const { return handles_.size(); }

}  // namespace tw
