#include "registry/overlay_registry.h"

#include <algorithm>
#include <set>

#include "registry/reg_key.h"

namespace tw {
namespace {

constexpr long kErrorKeyDeleted = 1018;

bool IsRoot(RegHandle h) { return h == HKCR || h == HKCU || h == HKLM; }

// HKLM\SOFTWARE\Classes and its parent are always there: the HKCR root is that key.
bool Permanent(const std::pair<RegRoot, std::u16string>& folded) {
  return folded.first == HKLM &&
         (folded.second == u"SOFTWARE" || folded.second == u"SOFTWARE\\CLASSES");
}

// RegQueryValueEx's buffer rules.
long CopyOut(const StoredValue& v, const Bytes& bytes, std::uint32_t* type, std::uint8_t* data,
             std::uint32_t* size) {
  if (type) *type = v.type;
  if (!size) return data ? kErrorInvalidParameter : kErrorSuccess;
  const auto needed = static_cast<std::uint32_t>(bytes.size());
  if (data && *size < needed) {
    *size = needed;
    return kErrorMoreData;
  }
  if (data) std::copy(bytes.begin(), bytes.end(), data);
  *size = needed;
  return kErrorSuccess;
}

// The parts of a path, without empty ones.
std::vector<std::u16string> Parts(const std::u16string& path) {
  std::vector<std::u16string> parts;
  std::size_t from = 0;
  while (from <= path.size()) {
    std::size_t slash = path.find(u'\\', from);
    if (slash == std::u16string::npos) slash = path.size();
    if (slash > from) parts.push_back(path.substr(from, slash - from));
    from = slash + 1;
  }
  return parts;
}

}  // namespace

std::optional<StoredValue> ReadStoredValue(RegistryApi& api, const RegPath& key,
                                           const std::u16string& name) {
  RegKey k(api);
  if (k.Open(key.root, key.path, kKeyQueryValue) != kErrorSuccess) return std::nullopt;
  StoredValue v;
  std::uint32_t size = 0;
  if (api.QueryValueW(k.get(), name, &v.type, nullptr, &size) != kErrorSuccess) return std::nullopt;
  v.data.resize(size);
  long rc = api.QueryValueW(k.get(), name, &v.type, v.data.data(), &size);
  if (rc != kErrorSuccess) return std::nullopt;
  v.data.resize(std::min<std::size_t>(size, v.data.size()));
  return v;
}

long OverlayRegistry::Resolve(RegHandle h, RegPath* out) const {
  if (IsRoot(h)) {
    *out = {h, u""};
    return kErrorSuccess;
  }
  const auto it = handles_.find(h);
  if (it == handles_.end()) return kErrorInvalidHandle;
  *out = it->second;
  return kErrorSuccess;
}

RegPath OverlayRegistry::Canon(const RegPath& p) {
  if (controlSet_ == 0 && NamesCurrentControlSet(p)) controlSet_ = CurrentControlSetNumber(base_);
  return CanonicalKey(p, controlSet_ ? controlSet_ : 1);
}

OverlayRegistry::Trail OverlayRegistry::Follow(const RegPath& p, bool make) {
  const RegPath c = Canon(p);
  Node* n = &roots_[c.root];
  Trail t;
  for (const std::u16string& part : Parts(c.path)) {
    t.gone = t.gone || (n->recorded && !n->exists);
    auto it = n->children.find(FoldName(part));
    if (it == n->children.end()) {
      if (!make) return t;
      it = n->children.emplace(FoldName(part), std::make_unique<Node>()).first;
      it->second->name = part;
    }
    n = it->second.get();
    t.hidden = t.hidden || n->hidesBase;
    t.changed = t.changed || n->created != kNone || n->deleted != kNone;
  }
  t.node = n;
  return t;
}

RegPath OverlayRegistry::Join(const RegPath& parent, const std::u16string& sub) const {
  std::u16string s = sub;
  while (!s.empty() && s[0] == u'\\') s.erase(0, 1);
  while (!s.empty() && s.back() == u'\\') s.pop_back();
  if (s.empty()) return parent;
  if (parent.path.empty()) return {parent.root, s};
  return {parent.root, parent.path + u"\\" + s};
}

OverlayRegistry::Node& OverlayRegistry::State(const RegPath& p) {
  Node& n = *Follow(p, true).node;
  n.recorded = true;
  ++writes_;
  return n;
}

bool OverlayRegistry::BaseKeyExists(const RegPath& p) {
  RegKey k(base_);
  const long rc = k.Open(p.root, p.path, kKeyProbe);
  return rc == kErrorSuccess || rc == kErrorAccessDenied;
}

bool OverlayRegistry::Exists(const RegPath& p) {
  if (p.path.empty()) return true;
  const RegPath c = Canon(p);
  if (Permanent({c.root, FoldName(c.path)})) return true;
  const Trail t = Follow(p, false);
  if (t.node && t.node->recorded) return t.node->exists;
  return !t.gone && !t.hidden && BaseKeyExists(p);
}

std::optional<StoredValue> OverlayRegistry::Value(const RegPath& key, const std::u16string& name) {
  const Trail t = Follow(key, false);
  if (t.node) {
    const auto v = t.node->values.find(FoldName(name));
    if (v != t.node->values.end()) return v->second;
  }
  if (t.hidden) return std::nullopt;
  return ReadStoredValue(base_, key, name);
}

OverlayRegistry::Listing& OverlayRegistry::ListingOf(const RegPath& p) {
  if (listedAt_ != writes_) {
    listings_.clear();
    listedAt_ = writes_;
  }
  const RegPath c = Canon(p);
  return listings_[{c.root, FoldName(c.path)}];
}

const std::vector<std::u16string>& OverlayRegistry::SubKeyNames(const RegPath& p) {
  Listing& listing = ListingOf(p);
  if (listing.keys) return *listing.keys;
  const Trail t = Follow(p, false);
  std::vector<std::u16string> names;
  std::set<std::u16string> folded;
  if (!t.hidden) {
    RegKey k(base_);
    RegKeyInfo info;
    if (k.Open(p.root, p.path, kKeyRead) == kErrorSuccess &&
        base_.QueryInfoKeyW(k.get(), &info) == kErrorSuccess) {
      EachSubKeyName(base_, k.get(), info, [&](const std::u16string& name) {
        if (t.node) {
          const auto it = t.node->children.find(FoldName(name));
          if (it != t.node->children.end() && it->second->recorded && !it->second->exists) return;
        }
        if (folded.insert(FoldName(name)).second) names.push_back(name);
      });
    }
  }
  if (t.node) {
    for (const auto& [key, child] : t.node->children) {
      if (child->recorded && child->exists && folded.insert(key).second)
        names.push_back(child->name);
    }
  }
  listing.keys = std::move(names);
  return *listing.keys;
}

const std::vector<std::pair<std::u16string, StoredValue>>& OverlayRegistry::Values(
    const RegPath& p) {
  Listing& listing = ListingOf(p);
  if (listing.values) return *listing.values;
  const Trail t = Follow(p, false);
  std::vector<std::pair<std::u16string, StoredValue>> out;
  std::set<std::u16string> seen;
  if (t.node) {
    for (const auto& [folded, v] : t.node->values) {
      seen.insert(folded);
      if (v) out.push_back({t.node->names.at(folded), *v});
    }
  }
  RegKey k(base_);
  RegKeyInfo info;
  if (!t.hidden && k.Open(p.root, p.path, kKeyRead) == kErrorSuccess &&
      base_.QueryInfoKeyW(k.get(), &info) == kErrorSuccess) {
    EachValueName(base_, k.get(), info, [&](const std::u16string& name) {
      if (seen.count(FoldName(name))) return;
      if (auto v = ReadStoredValue(base_, p, name)) out.push_back({name, *v});
    });
  }
  listing.values = std::move(out);
  return *listing.values;
}

RegHandle OverlayRegistry::NewHandle(const RegPath& p) {
  const RegHandle h = next_++;
  handles_[h] = p;
  return h;
}

void OverlayRegistry::TouchValue(const RegPath& key, const std::u16string& name) {
  const Trail t = Follow(key, true);
  if (t.changed) return;
  const auto [it, added] = t.node->touched.emplace(FoldName(name), values_.size());
  if (added) values_.push_back(RegValueRef{key, name});
}

void OverlayRegistry::Drop(Node& node) {
  if (node.created != kNone) created_[node.created].reset();
  if (node.deleted != kNone) deleted_[node.deleted].reset();
  node.created = node.deleted = kNone;
  for (const auto& [name, at] : node.touched) values_[at].reset();
  node.touched.clear();
  for (auto& [name, child] : node.children) Drop(*child);
  node.children.clear();
}

long OverlayRegistry::OpenKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t,
                               RegHandle* out) {
  RegPath p;
  if (long rc = Resolve(parent, &p); rc != kErrorSuccess) return rc;
  p = Join(p, sub);
  if (!Exists(p)) return kErrorFileNotFound;
  *out = NewHandle(p);
  return kErrorSuccess;
}

long OverlayRegistry::CreateKeyW(RegHandle parent, const std::u16string& sub, std::uint32_t,
                                 RegHandle* out) {
  RegPath p;
  if (long rc = Resolve(parent, &p); rc != kErrorSuccess) return rc;
  const RegPath target = Join(p, sub);
  const std::vector<std::u16string> asked = Parts(target.path);
  const RegPath c = Canon(target);
  const std::vector<std::u16string> parts = Parts(c.path);
  // The canonical name may begin with keys the name asked for does not name (HKCR's
  // SOFTWARE\Classes): those always exist.
  const std::size_t lead = parts.size() - asked.size();
  Node* n = &roots_[c.root];
  bool gone = false, hidden = false, changed = false, inBase = true;
  RegPath level{target.root, u""};
  for (std::size_t i = 0; i < parts.size(); ++i) {
    gone = gone || (n->recorded && !n->exists);
    auto it = n->children.find(FoldName(parts[i]));
    if (it == n->children.end()) {
      it = n->children.emplace(FoldName(parts[i]), std::make_unique<Node>()).first;
      it->second->name = parts[i];
    }
    n = it->second.get();
    hidden = hidden || n->hidesBase;
    changed = changed || n->created != kNone || n->deleted != kNone;
    if (i < lead) continue;
    level.path += (level.path.empty() ? u"" : u"\\") + asked[i - lead];
    // Each missing level is made; the topmost of them is what a restore removes.
    bool exists = false;
    if (n->recorded) {
      exists = n->exists;
    } else if (!gone && !hidden && inBase) {
      exists = Permanent({c.root, FoldName(Canon(level).path)}) || BaseKeyExists(level);
      inBase = exists;
    }
    if (exists) continue;
    n->recorded = n->exists = n->hidesBase = true;
    hidden = true;
    ++writes_;
    if (!changed) {
      n->created = created_.size();
      created_.push_back(level);
      changed = true;
    }
  }
  *out = NewHandle(target);
  return kErrorSuccess;
}

long OverlayRegistry::DeleteKeyW(RegHandle parent, const std::u16string& sub) {
  RegPath p;
  if (long rc = Resolve(parent, &p); rc != kErrorSuccess) return rc;
  p = Join(p, sub);
  if (p.path.empty() || !Exists(p)) return kErrorFileNotFound;
  const RegPath c = Canon(p);
  if (Permanent({c.root, FoldName(c.path)})) return kErrorAccessDenied;
  if (!SubKeyNames(p).empty()) return kErrorAccessDenied;
  const Trail t = Follow(p, true);
  Node& n = *t.node;
  // A key of the base: its removal is recorded. A key this overlay made or removed before keeps
  // the record it has.
  const bool fromBase = !t.changed;
  const std::size_t removedBefore = n.deleted;
  const std::optional<RegPath> removedAs =
      removedBefore != kNone ? deleted_[removedBefore] : std::nullopt;
  Drop(n);
  n.recorded = true;
  n.exists = false;
  n.hidesBase = true;
  n.values.clear();
  n.names.clear();
  ++writes_;
  if (fromBase) {
    n.deleted = deleted_.size();
    deleted_.push_back(p);
  } else if (removedBefore != kNone) {
    n.deleted = removedBefore;
    deleted_[removedBefore] = removedAs;
  }
  return kErrorSuccess;
}

long OverlayRegistry::CloseKey(RegHandle key) {
  if (IsRoot(key)) return kErrorSuccess;
  return handles_.erase(key) ? kErrorSuccess : kErrorInvalidHandle;
}

long OverlayRegistry::QueryValueW(RegHandle key, const std::u16string& name, std::uint32_t* type,
                                  std::uint8_t* data, std::uint32_t* size) {
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  const std::optional<StoredValue> v = Exists(p) ? Value(p, name) : std::nullopt;
  if (!v) return kErrorFileNotFound;
  return CopyOut(*v, v->data, type, data, size);
}

long OverlayRegistry::SetValueW(RegHandle key, const std::u16string& name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
  if (size != 0 && data == nullptr) return kErrorInvalidParameter;
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  if (!Exists(p)) return kErrorKeyDeleted;
  Node& s = State(p);
  const std::u16string folded = FoldName(name);
  s.values[folded] = StoredValue{type, Bytes(data, data + size)};
  s.names[folded] = name;
  TouchValue(p, name);
  return kErrorSuccess;
}

long OverlayRegistry::DeleteValueW(RegHandle key, const std::u16string& name) {
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  if (!Exists(p) || !Value(p, name)) return kErrorFileNotFound;
  Node& s = State(p);
  const std::u16string folded = FoldName(name);
  s.values[folded] = std::nullopt;
  s.names[folded] = name;
  TouchValue(p, name);
  return kErrorSuccess;
}

long OverlayRegistry::QueryInfoKeyW(RegHandle key, RegKeyInfo* info) {
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  if (!Exists(p)) return kErrorKeyDeleted;
  RegKeyInfo i;
  for (const std::u16string& n : SubKeyNames(p)) {
    ++i.subKeys;
    i.maxSubKeyLen = std::max<std::uint32_t>(i.maxSubKeyLen, n.size());
  }
  for (const auto& [n, v] : Values(p)) {
    ++i.values;
    i.maxValueNameLen = std::max<std::uint32_t>(i.maxValueNameLen, n.size());
    i.maxValueLen = std::max<std::uint32_t>(i.maxValueLen, v.data.size());
  }
  if (info) *info = i;
  return kErrorSuccess;
}

template <typename Char>
long OverlayRegistry::EnumKeyAs(RegHandle key, std::uint32_t index, Char* name,
                                std::uint32_t* nameLen) {
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  const std::vector<std::u16string>& names = SubKeyNames(p);
  if (index >= names.size()) return kErrorNoMoreItems;
  return CopyName(names[index], name, nameLen);
}

long OverlayRegistry::EnumKeyW(RegHandle key, std::uint32_t index, char16_t* name,
                               std::uint32_t* nameLen) {
  return EnumKeyAs(key, index, name, nameLen);
}

long OverlayRegistry::EnumValueW(RegHandle key, std::uint32_t index, char16_t* name,
                                 std::uint32_t* nameLen, std::uint32_t* type, std::uint8_t* data,
                                 std::uint32_t* size) {
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  const auto& values = Values(p);
  if (index >= values.size()) return kErrorNoMoreItems;
  if (long rc = CopyName(values[index].first, name, nameLen); rc != kErrorSuccess) return rc;
  if (!data && !size && !type) return kErrorSuccess;
  return CopyOut(values[index].second, values[index].second.data, type, data, size);
}

long OverlayRegistry::SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size) {
  if (size != 0 && data == nullptr) return kErrorInvalidParameter;
  const Bytes wide = AnsiDataToWide(type, data, size);
  return SetValueW(key, AnsiToWide(name), type, wide.data(),
                   static_cast<std::uint32_t>(wide.size()));
}
long OverlayRegistry::QueryValue(RegHandle key, const std::string& name, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* size) {
  RegPath p;
  if (long rc = Resolve(key, &p); rc != kErrorSuccess) return rc;
  const std::optional<StoredValue> v = Exists(p) ? Value(p, AnsiToWide(name)) : std::nullopt;
  if (!v) return kErrorFileNotFound;
  return CopyOut(*v, WideDataToAnsi(v->type, v->data), type, data, size);
}
long OverlayRegistry::EnumKey(RegHandle key, std::uint32_t index, char* name,
                              std::uint32_t* nameLen) {
  return EnumKeyAs(key, index, name, nameLen);
}

std::optional<StoredValue> OverlayRegistry::ValueNow(const RegValueRef& v) {
  if (!Exists(v.key)) return std::nullopt;
  return Value(v.key, v.name);
}

bool OverlayRegistry::KeyExistsNow(const RegPath& key) { return Exists(key); }

}  // namespace tw
