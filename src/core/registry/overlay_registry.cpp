#include "overlay_registry.h"

#include <algorithm>

#include "codepage.h"
#include "reg_key.h"

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

// In the overlay a root's "" holds every key of the root.
bool Under(const std::u16string& folded, const std::u16string& folded_parent) {
  return folded_parent.empty() || KeyAtOrBelow(folded, folded_parent);
}

}  // namespace

bool KeyAtOrBelow(const std::u16string& folded, const std::u16string& foldedParent) {
  const std::size_t n = foldedParent.size();
  return folded == foldedParent ||
         (folded.size() > n && folded.compare(0, n, foldedParent) == 0 && folded[n] == u'\\');
}

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

OverlayRegistry::StateKey OverlayRegistry::Folded(const RegPath& p) {
  const RegPath c = Canon(p);
  return {c.root, FoldName(c.path)};
}

bool OverlayRegistry::Within(const RegPath& p, const RegPath& parent) {
  const StateKey a = Folded(p), b = Folded(parent);
  return a.first == b.first && Under(a.second, b.second);
}

RegPath OverlayRegistry::Join(const RegPath& parent, const std::u16string& sub) const {
  std::u16string s = sub;
  while (!s.empty() && s[0] == u'\\') s.erase(0, 1);
  while (!s.empty() && s.back() == u'\\') s.pop_back();
  if (s.empty()) return parent;
  if (parent.path.empty()) return {parent.root, s};
  return {parent.root, parent.path + u"\\" + s};
}

OverlayRegistry::KeyState& OverlayRegistry::State(const RegPath& p) {
  const RegPath c = Canon(p);
  KeyState& s = state_[{c.root, FoldName(c.path)}];
  if (s.path.empty()) s.path = c.path;
  return s;
}

bool OverlayRegistry::BaseHidden(const RegPath& p) {
  const auto [root, folded] = Folded(p);
  for (const auto& [key, s] : state_) {
    if (key.first == root && s.hidesBase && Under(folded, key.second)) return true;
  }
  return false;
}

bool OverlayRegistry::Exists(const RegPath& p) {
  if (p.path.empty()) return true;
  const StateKey folded = Folded(p);
  if (Permanent(folded)) return true;
  const auto it = state_.find(folded);
  if (it != state_.end()) return it->second.exists;
  for (const auto& [key, s] : state_) {
    if (key.first == folded.first && !s.exists && Under(folded.second, key.second)) return false;
  }
  if (BaseHidden(p)) return false;
  RegKey k(base_);
  const long rc = k.Open(p.root, p.path, kKeyProbe);
  return rc == kErrorSuccess || rc == kErrorAccessDenied;
}

std::optional<StoredValue> OverlayRegistry::Value(const RegPath& key, const std::u16string& name) {
  const auto it = state_.find(Folded(key));
  if (it != state_.end()) {
    const auto v = it->second.values.find(FoldName(name));
    if (v != it->second.values.end()) return v->second;
  }
  if (BaseHidden(key)) return std::nullopt;
  return ReadStoredValue(base_, key, name);
}

std::vector<std::u16string> OverlayRegistry::SubKeyNames(const RegPath& p) {
  std::vector<std::u16string> names;
  std::vector<std::u16string> folded;
  if (!BaseHidden(p)) {
    RegKey k(base_);
    RegKeyInfo info;
    if (k.Open(p.root, p.path, kKeyRead) == kErrorSuccess &&
        base_.QueryInfoKeyW(k.get(), &info) == kErrorSuccess) {
      EachSubKeyName(base_, k.get(), info, [&](const std::u16string& name) {
        const auto it = state_.find(Folded(Join(p, name)));
        if (it != state_.end() && !it->second.exists) return;
        names.push_back(name);
        folded.push_back(FoldName(name));
      });
    }
  }
  const auto [root, parent] = Folded(p);
  for (const auto& [key, s] : state_) {
    if (key.first != root || !s.exists || key.second == parent || !Under(key.second, parent))
      continue;
    const std::u16string rest = key.second.substr(parent.empty() ? 0 : parent.size() + 1);
    if (rest.find(u'\\') != std::u16string::npos) continue;
    if (std::find(folded.begin(), folded.end(), rest) != folded.end()) continue;
    const std::u16string& written = s.path;
    names.push_back(written.substr(written.size() - rest.size()));
    folded.push_back(rest);
  }
  return names;
}

std::vector<std::pair<std::u16string, StoredValue>> OverlayRegistry::Values(const RegPath& p) {
  std::vector<std::pair<std::u16string, StoredValue>> out;
  const auto it = state_.find(Folded(p));
  std::vector<std::u16string> seen;
  if (it != state_.end()) {
    for (const auto& [folded, v] : it->second.values) {
      seen.push_back(folded);
      if (v) out.push_back({it->second.names.at(folded), *v});
    }
  }
  if (BaseHidden(p)) return out;
  RegKey k(base_);
  RegKeyInfo info;
  if (k.Open(p.root, p.path, kKeyRead) != kErrorSuccess ||
      base_.QueryInfoKeyW(k.get(), &info) != kErrorSuccess)
    return out;
  EachValueName(base_, k.get(), info, [&](const std::u16string& name) {
    if (std::find(seen.begin(), seen.end(), FoldName(name)) != seen.end()) return;
    if (auto v = ReadStoredValue(base_, p, name)) out.push_back({name, *v});
  });
  return out;
}

RegHandle OverlayRegistry::NewHandle(const RegPath& p) {
  const RegHandle h = next_++;
  handles_[h] = p;
  return h;
}

bool OverlayRegistry::UnderChangedKey(const RegPath& p) {
  for (const RegPath& c : created_) {
    if (Within(p, c)) return true;
  }
  for (const RegPath& d : deleted_) {
    if (Within(p, d)) return true;
  }
  return false;
}

void OverlayRegistry::TouchValue(const RegPath& key, const std::u16string& name) {
  if (UnderChangedKey(key)) return;
  const StateKey folded = Folded(key);
  for (const RegValueRef& v : values_) {
    if (Folded(v.key) == folded && FoldName(v.name) == FoldName(name)) return;
  }
  values_.push_back({key, name});
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
  // Each missing level is made; the topmost of them is what a restore removes.
  std::size_t from = 0;
  while (true) {
    const std::size_t slash = target.path.find(u'\\', from);
    const RegPath level{target.root, target.path.substr(0, slash)};
    if (!level.path.empty() && !Exists(level)) {
      const bool inChanged = UnderChangedKey(level);
      KeyState& s = State(level);
      s.exists = true;
      s.hidesBase = true;
      if (!inChanged) created_.push_back(level);
    }
    if (slash == std::u16string::npos) break;
    from = slash + 1;
  }
  *out = NewHandle(target);
  return kErrorSuccess;
}

long OverlayRegistry::DeleteKeyW(RegHandle parent, const std::u16string& sub) {
  RegPath p;
  if (long rc = Resolve(parent, &p); rc != kErrorSuccess) return rc;
  p = Join(p, sub);
  if (p.path.empty() || !Exists(p)) return kErrorFileNotFound;
  if (Permanent(Folded(p))) return kErrorAccessDenied;
  if (!SubKeyNames(p).empty()) return kErrorAccessDenied;
  const bool fromBase = !UnderChangedKey(p);
  KeyState& s = State(p);
  s.exists = false;
  s.hidesBase = true;
  s.values.clear();
  const auto under = [&](const RegPath& x) { return Within(x, p); };
  created_.erase(std::remove_if(created_.begin(), created_.end(), under), created_.end());
  if (fromBase) {
    deleted_.erase(std::remove_if(deleted_.begin(), deleted_.end(), under), deleted_.end());
    values_.erase(std::remove_if(values_.begin(), values_.end(),
                                 [&](const RegValueRef& v) { return Within(v.key, p); }),
                  values_.end());
    deleted_.push_back(p);
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
  KeyState& s = State(p);
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
  KeyState& s = State(p);
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
  const std::vector<std::u16string> names = SubKeyNames(p);
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
  const auto values = Values(p);
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
