#include "flows/backup_entries.h"

#include <algorithm>
#include <map>

#include "catalogue/place_owners.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "registry/registry.h"

namespace tw {
namespace {

RegFileKey& KeyEntry(std::vector<RegFileKey>& entries, const RegPath& key) {
  for (RegFileKey& e : entries) {
    if (!e.remove && SameKey({e.root, e.path}, key)) return e;
  }
  entries.push_back({key.root, key.path, false, {}});
  return entries.back();
}

// A subtree in a form that compares equal whatever order the registry enumerates in.
std::vector<RegFileKey> Sorted(std::vector<RegFileKey> keys) {
  for (RegFileKey& k : keys) {
    k.line = 0;
    k.path = FoldName(k.path);
    for (RegFileValue& v : k.values) {
      v.line = 0;
      v.name = FoldName(v.name);
    }
    std::sort(k.values.begin(), k.values.end(),
              [](const RegFileValue& a, const RegFileValue& b) { return a.name < b.name; });
  }
  std::sort(keys.begin(), keys.end(),
            [](const RegFileKey& a, const RegFileKey& b) { return a.path < b.path; });
  return keys;
}

bool SameSubtrees(const std::vector<RegFileKey>& a, const std::vector<RegFileKey>& b) {
  const std::vector<RegFileKey> x = Sorted(a), y = Sorted(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i].path != y[i].path || x[i].values.size() != y[i].values.size()) return false;
    for (std::size_t j = 0; j < x[i].values.size(); ++j) {
      const RegFileValue &v = x[i].values[j], &w = y[i].values[j];
      if (v.name != w.name || v.type != w.type || v.data != w.data) return false;
    }
  }
  return true;
}

bool KeyExists(RegistryApi& api, const RegPath& key) {
  RegKey k(api);
  const long rc = k.Open(key.root, key.path, kKeyProbe);
  return rc == kErrorSuccess || rc == kErrorAccessDenied;
}

std::vector<std::u16string> SubKeys(RegistryApi& api, const RegPath& key, RegKeyInfo* info) {
  std::vector<std::u16string> names;
  RegKey k(api);
  if (k.Open(key.root, key.path, kKeyRead) != kErrorSuccess) return names;
  if (api.QueryInfoKeyW(k.get(), info) != kErrorSuccess) return names;
  EachSubKeyName(api, k.get(), *info, [&](const std::u16string& name) { names.push_back(name); });
  return names;
}

// At or below a key that a setter creates or removes with its subtree: anything may be there.
bool InWholeKey(const RegPath& key) { return OwnerOf(key, std::nullopt).has_value(); }

// The key itself or a key on the way to a written place: the policy key that a setter made
// for its AU subkey, say.
bool LeadsToWritten(const RegPath& key) { return !OwnersBelow(key).empty(); }

// Windows keeps a policy key only while a policy is set in it, so a run creates the policy keys
// its settings write; the other keys on the way to written places (Explorer's, the console's,
// CurrentVersion, SOFTWARE\Microsoft) are Windows' own and exist before any run.
bool IsPolicyKey(const RegPath& key) {
  const std::u16string folded = u"\\" + FoldName(CanonicalKey(key).path) + u"\\";
  return folded.find(u"\\POLICIES\\") != std::u16string::npos;
}

// A key that a run created may go whole again only while it holds nothing a setter does not
// write.
bool HoldsOnlyWritten(RegistryApi& machine, const RegPath& key) {
  for (const RegFileKey& k : DumpSubtree(machine, key)) {
    const RegPath p{k.root, k.path};
    if (!LeadsToWritten(p) && !InWholeKey(p)) return false;
    for (const RegFileValue& v : k.values) {
      if (!OwnerOf(p, v.name)) return false;
    }
  }
  return true;
}

// The parent of a key path ("" for a key at the root).
std::u16string ParentPath(const std::u16string& path) {
  const std::size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? u"" : path.substr(0, slash);
}

bool HoldsNothing(RegistryApi& machine, const RegPath& key) {
  RegKey k(machine);
  RegKeyInfo info;
  return k.Open(key.root, key.path, kKeyRead) == kErrorSuccess &&
         machine.QueryInfoKeyW(k.get(), &info) == kErrorSuccess && info.values == 0 &&
         info.subKeys == 0;
}

// A key on the way to written places that holds content no setting writes, outside any key a
// setter creates whole: undo keeps it and removes only the settings' places below it.
bool KeptWithOthers(RegistryApi& machine, const RegPath& key) {
  return !InWholeKey(key) && LeadsToWritten(key) && KeyExists(machine, key) &&
         !HoldsOnlyWritten(machine, key);
}

// Deletes a written value of a key; one that is already gone is no failure.
void DeleteWrittenValue(RegistryApi& machine, const RegPath& key, const std::u16string& name,
                        std::vector<RestoreFailure>& failed) {
  RegKey k(machine);
  long rc = k.Open(key.root, key.path, kKeyAllAccess);
  if (rc == kErrorSuccess) rc = machine.DeleteValueW(k.get(), name);
  if (rc != kErrorSuccess && rc != kErrorFileNotFound) failed.push_back({key, name, rc});
}

// Deletes a key that holds nothing; false when it is not empty or the call fails.
bool DeleteEmptyKey(RegistryApi& machine, const RegPath& key, std::vector<RestoreFailure>& failed) {
  if (!HoldsNothing(machine, key)) return false;
  RegKey parent(machine);
  long rc = parent.Open(key.root, ParentPath(key.path), kKeyAllAccess);
  if (rc == kErrorSuccess)
    rc = machine.DeleteKeyW(parent.get(), key.path.substr(key.path.rfind(u'\\') + 1));
  if (rc == kErrorSuccess) return true;
  failed.push_back({key, std::nullopt, rc});
  return false;
}

// From a key that a run created and that now holds content of others as well: removes what the
// settings write at or below it, deepest first (their values, and keys they create whole), and
// then each key on the way to such a place that is left empty. The key itself and everything of
// others stay. With failed null nothing is written: the result counts what would be removed.
std::size_t RemoveWrittenBelow(RegistryApi& machine, const RegPath& top,
                               std::vector<RestoreFailure>* failed) {
  std::size_t removed = 0;
  std::map<std::u16string, std::size_t> keptSubKeys;  // by folded parent path
  // The subtree lists each key after its subkeys.
  for (const RegFileKey& k : DumpSubtree(machine, top)) {
    const RegPath key{k.root, k.path};
    const RegPath parent{k.root, ParentPath(k.path)};
    const bool isTop = FoldName(k.path) == FoldName(top.path);
    bool gone = false;
    if (InWholeKey(key)) {
      // The topmost key of a place created whole goes with its subtree.
      if (InWholeKey(parent)) continue;
      ++removed;
      const long rc = failed ? DeleteRegTree(machine, k.root, k.path) : kErrorSuccess;
      gone = rc == kErrorSuccess || !KeyExists(machine, key);
      if (!gone) failed->push_back({key, std::nullopt, rc});
    } else {
      std::size_t written = 0;
      for (const RegFileValue& v : k.values) {
        if (!OwnerOf(key, v.name)) continue;
        ++written;
        if (failed) DeleteWrittenValue(machine, key, v.name, *failed);
      }
      removed += written;
      const bool emptyNow = written == k.values.size() && keptSubKeys[FoldName(k.path)] == 0;
      if (!isTop && emptyNow && LeadsToWritten(key)) {
        ++removed;
        gone = !failed || DeleteEmptyKey(machine, key, *failed);
      }
    }
    if (!gone && !isTop) ++keptSubKeys[FoldName(parent.path)];
  }
  return removed;
}

// Writes one key's values; the key is created when missing.
void RestoreKey(const RegFileKey& e, RegistryApi& machine, std::vector<RestoreFailure>& failed) {
  const RegPath key{e.root, e.path};
  RegKey k(machine);
  if (const long rc = k.Create(e.root, e.path, kKeyAllAccess)) {
    failed.push_back({key, std::nullopt, rc});
    return;
  }
  for (const RegFileValue& v : e.values) {
    long rc;
    if (v.remove) {
      rc = machine.DeleteValueW(k.get(), v.name);
      if (rc == kErrorFileNotFound) rc = kErrorSuccess;
    } else {
      rc = machine.SetValueW(k.get(), v.name, v.type, v.data.data(),
                             static_cast<std::uint32_t>(v.data.size()));
    }
    if (rc != kErrorSuccess) failed.push_back({key, v.name, rc});
  }
}

}  // namespace

std::vector<RegFileKey> DumpSubtree(RegistryApi& api, const RegPath& key) {
  std::vector<RegFileKey> out;
  RegKey k(api);
  if (k.Open(key.root, key.path, kKeyRead) != kErrorSuccess) return out;
  RegKeyInfo info;
  if (api.QueryInfoKeyW(k.get(), &info) != kErrorSuccess) return out;
  RegFileKey entry{key.root, key.path, false, {}};
  EachValueName(api, k.get(), info, [&](const std::u16string& name) {
    if (auto v = ReadStoredValue(api, key, name))
      entry.values.push_back({name, false, v->type, v->data});
  });
  for (const std::u16string& sub : SubKeys(api, key, &info)) {
    std::vector<RegFileKey> below = DumpSubtree(api, {key.root, key.path + u"\\" + sub});
    out.insert(out.end(), below.begin(), below.end());
  }
  out.push_back(entry);
  return out;
}

std::vector<RegFileKey> BackupEntries(OverlayRegistry& overlay, RegistryApi& base) {
  std::vector<RegFileKey> entries;
  for (const RegPath& c : overlay.CreatedKeys()) entries.push_back({c.root, c.path, true, {}});
  for (const RegPath& d : overlay.DeletedKeys()) {
    entries.push_back({d.root, d.path, true, {}});
    for (RegFileKey& k : DumpSubtree(base, d)) entries.push_back(std::move(k));
  }
  for (const RegValueRef& v : overlay.TouchedValues()) {
    RegFileValue before{v.name, true, kRegNone, {}};
    if (auto stored = ReadStoredValue(base, v.key, v.name))
      before = {v.name, false, stored->type, stored->data};
    KeyEntry(entries, v.key).values.push_back(before);
  }
  return entries;
}

void DropUnchanged(std::vector<RegFileKey>& entries, RegistryApi& machine) {
  std::vector<RegFileKey> kept;
  for (std::size_t i = 0; i < entries.size();) {
    RegFileKey& e = entries[i];
    const RegPath key{e.root, e.path};
    if (e.remove) {
      // A deleted key comes with its content right after it; a created one alone.
      std::size_t end = i + 1;
      while (end < entries.size() && !entries[end].remove &&
             Under({entries[end].root, entries[end].path}, key))
        ++end;
      const std::vector<RegFileKey> content(entries.begin() + i + 1, entries.begin() + end);
      // A key the run created that others have written to since: unchanged once nothing of
      // the settings is left below it.
      const bool unchanged = content.empty() ? !KeyExists(machine, key) ||
                                                   (KeptWithOthers(machine, key) &&
                                                    RemoveWrittenBelow(machine, key, nullptr) == 0)
                                             : SameSubtrees(content, DumpSubtree(machine, key));
      if (!unchanged) kept.insert(kept.end(), entries.begin() + i, entries.begin() + end);
      i = end;
      continue;
    }
    RegFileKey k = e;
    k.values.clear();
    for (const RegFileValue& v : e.values) {
      const std::optional<StoredValue> now = ReadStoredValue(machine, key, v.name);
      const bool same = v.remove ? !now : now && now->type == v.type && now->data == v.data;
      if (!same) k.values.push_back(v);
    }
    if (!k.values.empty()) kept.push_back(k);
    ++i;
  }
  entries = std::move(kept);
}

std::size_t FirstForeignLine(const RegFile& file, RegistryApi& machine) {
  // The former content of a key removed whole lies below that key, where anything may be.
  for (const RegFileKey& k : file.keys) {
    const RegPath key{k.root, k.path};
    if (k.remove) {
      const bool allowed =
          InWholeKey(key) ||
          (LeadsToWritten(key) && (IsPolicyKey(key) || HoldsOnlyWritten(machine, key)));
      if (!allowed) return k.line;
      continue;
    }
    if (!IsWrittenKey(key)) return k.line;
    for (const RegFileValue& v : k.values) {
      if (!OwnerOf(key, v.name)) return v.line;
    }
  }
  return 0;
}

namespace {

// With kept, a "[-key]" for a key that others have written to since the run created it removes
// only what the settings write below it, and the key is added to kept.
std::vector<RestoreFailure> Restore(const std::vector<RegFileKey>& entries, RegistryApi& machine,
                                    const std::function<void()>& entryDone,
                                    std::vector<RegPath>* kept) {
  std::vector<RestoreFailure> failed;
  const RegFileKey* refusedRemoval = nullptr;  // its content stays unwritten
  for (const RegFileKey& e : entries) {
    const RegPath key{e.root, e.path};
    const bool content =
        refusedRemoval && !e.remove && Under(key, {refusedRemoval->root, refusedRemoval->path});
    if (!content) refusedRemoval = nullptr;
    if (e.remove && kept && KeptWithOthers(machine, key)) {
      RemoveWrittenBelow(machine, key, &failed);
      kept->push_back(key);
    } else if (e.remove) {
      const long rc = DeleteRegTree(machine, e.root, e.path);
      if (rc != kErrorSuccess && KeyExists(machine, key)) {
        failed.push_back({key, std::nullopt, rc});
        refusedRemoval = &e;
      }
    } else if (!content) {
      RestoreKey(e, machine, failed);
    }
    if (entryDone) entryDone();
  }
  return failed;
}

}  // namespace

std::vector<RestoreFailure> RestoreEntries(const std::vector<RegFileKey>& entries,
                                           RegistryApi& machine,
                                           const std::function<void()>& entryDone) {
  return Restore(entries, machine, entryDone, nullptr);
}

RestoreResult RestoreBackup(const std::vector<RegFileKey>& entries, RegistryApi& machine,
                            const std::function<void()>& entryDone) {
  RestoreResult result;
  result.failed = Restore(entries, machine, entryDone, &result.kept);
  return result;
}

std::u16string RestoreFailure::Text() const {
  std::u16string text = RootName(key.root) + u"\\" + key.path;
  if (value) text += u"\\" + (value->empty() ? u"@" : *value);
  return text;
}

}  // namespace tw
