#include "memory_registry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tw {
namespace {

constexpr long kErrorKeyDeleted = 1018;
// Rights beyond reading: asking for any of them on an unwritable key is refused.
constexpr std::uint32_t kReadRights = kKeyRead;
constexpr std::uint32_t kWow64Flags = 0x0300;

enum Fault { kFaultWrite = 1, kFaultCreate = 2, kFaultValueWrite = 4 };

std::string Fold(const std::string& s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  for (char c : path) {
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
  std::string name;
  Node* parent = nullptr;
  int faults = 0;
  bool deleted = false;
  std::map<std::string, std::shared_ptr<Node>> children;  // folded name -> key
  std::map<std::string, std::pair<std::string, RegValue>> values;

  int InheritedFaults() const {
    int f = 0;
    for (const Node* n = this; n != nullptr; n = n->parent) f |= n->faults;
    return f;
  }
};

struct MemoryRegistry::Handle {
  std::shared_ptr<Node> node;
  std::uint32_t access;
};

MemoryRegistry::MemoryRegistry() {
  for (RegRoot root : {HKCR, HKCU, HKLM}) roots_[root] = std::make_unique<Node>();
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Node* MemoryRegistry::Resolve(RegHandle h) const {
  auto root = roots_.find(h);
  if (root != roots_.end()) return root->second.get();
  auto it = handles_.find(h);
  return it == handles_.end() ? nullptr : it->second.node.get();
}

MemoryRegistry::Node* MemoryRegistry::Walk(Node* from, const std::string& sub, bool create,
                                           bool* denied) {
  *denied = false;
  Node* node = from;
  for (const std::string& part : SplitPath(sub)) {
    auto it = node->children.find(Fold(part));
    if (it != node->children.end()) {
      node = it->second.get();
      continue;
    }
    if (!create) return nullptr;
    if (node->InheritedFaults() & (kFaultWrite | kFaultCreate)) {
      *denied = true;
      return nullptr;
    }
    auto child = std::make_shared<Node>();
    child->name = part;
    child->parent = node;
    node = (node->children[Fold(part)] = child).get();
  }
  return node;
}

long MemoryRegistry::OpenKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                             RegHandle* out) {
  Node* from = Resolve(parent);
  if (from == nullptr || out == nullptr) return kErrorInvalidHandle;
  if (from->deleted) return kErrorKeyDeleted;
  bool denied = false;
  Node* node = Walk(from, sub, false, &denied);
  if (node == nullptr) return kErrorFileNotFound;
  access &= ~kWow64Flags;
  if ((access & ~kReadRights) && (node->InheritedFaults() & kFaultWrite)) {
    return kErrorAccessDenied;
  }
  std::shared_ptr<Node> shared =
      node->parent ? node->parent->children.at(Fold(node->name)) : nullptr;
  if (!shared) {
    // A root reopened: hand out the root itself, which needs no closing.
    *out = parent;
    return kErrorSuccess;
  }
  const RegHandle h = next_++;
  handles_[h] = Handle{shared, access};
  *out = h;
  return kErrorSuccess;
}

long MemoryRegistry::CreateKey(RegHandle parent, const std::string& sub, std::uint32_t access,
                               RegHandle* out) {
  Node* from = Resolve(parent);
  if (from == nullptr || out == nullptr) return kErrorInvalidHandle;
  if (from->deleted) return kErrorKeyDeleted;
  auto h = handles_.find(parent);
  bool denied = false;
  Node* existing = Walk(from, sub, false, &denied);
  if (existing == nullptr && h != handles_.end() && !(h->second.access & kKeyCreateSubKey)) {
    return kErrorAccessDenied;
  }
  if (Walk(from, sub, true, &denied) == nullptr)
    return denied ? kErrorAccessDenied : kErrorFileNotFound;
  return OpenKey(parent, sub, access, out);
}

long MemoryRegistry::CloseKey(RegHandle key) {
  if (roots_.count(key)) return kErrorSuccess;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

long MemoryRegistry::QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                                std::uint8_t* data, std::uint32_t* size) {
  Node* node = Resolve(key);
  if (node == nullptr) return kErrorInvalidHandle;
  if (node->deleted) return kErrorKeyDeleted;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kKeyQueryValue)) return kErrorAccessDenied;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  auto it = node->values.find(Fold(name));
  if (it == node->values.end()) return kErrorFileNotFound;
  const RegValue& v = it->second.second;
  const auto stored = static_cast<std::uint32_t>(v.data.size());
  if (type != nullptr) *type = v.type;
  if (data != nullptr) {
    if (*size < stored) {
      *size = stored;
      return kErrorMoreData;
    }
    if (stored) std::memcpy(data, v.data.data(), stored);
  }
  if (size != nullptr) *size = stored;
  return kErrorSuccess;
}

long MemoryRegistry::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                              const std::uint8_t* data, std::uint32_t size) {
  Node* node = Resolve(key);
  if (node == nullptr) return kErrorInvalidHandle;
  if (node->deleted) return kErrorKeyDeleted;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kKeySetValue)) return kErrorAccessDenied;
  if (node->InheritedFaults() & (kFaultWrite | kFaultValueWrite)) return kErrorAccessDenied;
  if (size != 0 && data == nullptr) return kErrorInvalidParameter;
  auto& slot = node->values[Fold(name)];
  if (slot.first.empty()) slot.first = name;
  slot.second.type = type;
  slot.second.data.assign(data, data + size);
  return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(RegHandle key, const std::string& name) {
  Node* node = Resolve(key);
  if (node == nullptr) return kErrorInvalidHandle;
  if (node->deleted) return kErrorKeyDeleted;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kKeySetValue)) return kErrorAccessDenied;
  if (node->InheritedFaults() & kFaultWrite) return kErrorAccessDenied;
  return node->values.erase(Fold(name)) ? kErrorSuccess : kErrorFileNotFound;
}

long MemoryRegistry::DeleteKey(RegHandle parent, const std::string& sub) {
  Node* from = Resolve(parent);
  if (from == nullptr) return kErrorInvalidHandle;
  if (from->deleted) return kErrorKeyDeleted;
  bool denied = false;
  Node* node = Walk(from, sub, false, &denied);
  if (node == nullptr) return kErrorFileNotFound;
  if (node->parent == nullptr) return kErrorAccessDenied;  // a root
  if (!node->children.empty() || (node->InheritedFaults() & kFaultWrite)) {
    return kErrorAccessDenied;
  }
  node->deleted = true;
  node->parent->children.erase(Fold(node->name));
  return kErrorSuccess;
}

long MemoryRegistry::QueryInfoKey(RegHandle key, std::uint32_t* subKeys,
                                  std::uint32_t* maxSubKeyLen, std::uint32_t* values) {
  Node* node = Resolve(key);
  if (node == nullptr) return kErrorInvalidHandle;
  if (node->deleted) return kErrorKeyDeleted;
  std::uint32_t longest = 0;
  for (const auto& child : node->children) {
    longest = std::max(longest, static_cast<std::uint32_t>(child.second->name.size()));
  }
  if (subKeys != nullptr) *subKeys = static_cast<std::uint32_t>(node->children.size());
  if (maxSubKeyLen != nullptr) *maxSubKeyLen = longest;
  if (values != nullptr) *values = static_cast<std::uint32_t>(node->values.size());
  return kErrorSuccess;
}

long MemoryRegistry::EnumKey(RegHandle key, std::uint32_t index, char* name,
                             std::uint32_t* nameLen) {
  Node* node = Resolve(key);
  if (node == nullptr) return kErrorInvalidHandle;
  if (node->deleted) return kErrorKeyDeleted;
  auto h = handles_.find(key);
  if (h != handles_.end() && !(h->second.access & kKeyEnumerateSubKeys)) {
    return kErrorAccessDenied;
  }
  if (name == nullptr || nameLen == nullptr) return kErrorInvalidParameter;
  if (index >= node->children.size()) return kErrorNoMoreItems;
  auto it = node->children.begin();
  std::advance(it, index);
  const std::string& found = it->second->name;
  if (*nameLen <= found.size()) return kErrorMoreData;
  std::memcpy(name, found.c_str(), found.size() + 1);
  *nameLen = static_cast<std::uint32_t>(found.size());
  return kErrorSuccess;
}

MemoryRegistry::Node* MemoryRegistry::Find(RegRoot root, const std::string& path) const {
  auto it = roots_.find(root);
  if (it == roots_.end()) return nullptr;
  Node* node = it->second.get();
  for (const std::string& part : SplitPath(path)) {
    auto child = node->children.find(Fold(part));
    if (child == node->children.end()) return nullptr;
    node = child->second.get();
  }
  return node;
}

void MemoryRegistry::Mark(RegRoot root, const std::string& path, int fault) {
  PutKey(root, path);
  Find(root, path)->faults |= fault;
}

void MemoryRegistry::DenyWrite(RegRoot root, const std::string& path) {
  Mark(root, path, kFaultWrite);
}
void MemoryRegistry::DenyCreate(RegRoot root, const std::string& path) {
  Mark(root, path, kFaultCreate);
}
void MemoryRegistry::DenyValueWrite(RegRoot root, const std::string& path) {
  Mark(root, path, kFaultValueWrite);
}

void MemoryRegistry::PutKey(RegRoot root, const std::string& path) {
  Node* node = roots_.at(root).get();
  for (const std::string& part : SplitPath(path)) {
    auto& child = node->children[Fold(part)];
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
  auto& slot = Find(root, path)->values[Fold(name)];
  if (slot.first.empty()) slot.first = name;
  slot.second = RegValue{type, data};
}

void MemoryRegistry::PutDword(RegRoot root, const std::string& path, const std::string& name,
                              std::uint32_t value) {
  Put(root, path, name, kRegDword,
      {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
       static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

void MemoryRegistry::PutString(RegRoot root, const std::string& path, const std::string& name,
                               const std::string& text, std::uint32_t type) {
  std::vector<std::uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Put(root, path, name, type, data);
}

bool MemoryRegistry::HasKey(RegRoot root, const std::string& path) const {
  return Find(root, path) != nullptr;
}

std::optional<RegValue> MemoryRegistry::Get(RegRoot root, const std::string& path,
                                            const std::string& name) const {
  const Node* node = Find(root, path);
  if (node == nullptr) return std::nullopt;
  auto it = node->values.find(Fold(name));
  if (it == node->values.end()) return std::nullopt;
  return it->second.second;
}

std::vector<std::string> MemoryRegistry::SubKeys(RegRoot root, const std::string& path) const {
  std::vector<std::string> names;
  if (const Node* node = Find(root, path)) {
    for (const auto& child : node->children) names.push_back(child.second->name);
  }
  return names;
}

std::vector<std::string> MemoryRegistry::ValueNames(RegRoot root, const std::string& path) const {
  std::vector<std::string> names;
  if (const Node* node = Find(root, path)) {
    for (const auto& value : node->values) names.push_back(value.second.first);
  }
  return names;
}

std::size_t MemoryRegistry::OpenHandles() const { return handles_.size(); }

}  // namespace tw
