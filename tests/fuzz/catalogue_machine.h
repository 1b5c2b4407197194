#pragma once

// An in-memory machine for the backup fuzz target and its seeds: every key of the catalogue
// exists, in each of its HKEY_CLASSES_ROOT views, some catalogue values hold data, and every key
// that no setter removes whole (the catalogue's keys and the keys on the way to them) holds a
// sentinel value and a sentinel subkey that no setter writes. The places a backup may change
// are taken from the catalogue's locations here, apart from the program's own check.

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "flows/backup_entries.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "support/memory_registry.h"

namespace tw::fuzz {

// Folded, by the canonical name (HKEY_CLASSES_ROOT as HKLM\SOFTWARE\Classes).
inline RegPath Normal(const RegPath& p) {
  const RegPath c = CanonicalKey(p);
  return {c.root, FoldName(c.path)};
}

// a at or below b; both Normal.
inline bool AtOrBelow(const RegPath& a, const RegPath& b) {
  if (a.root != b.root) return false;
  if (b.path.empty()) return true;
  return a.path == b.path ||
         (a.path.size() > b.path.size() && a.path.compare(0, b.path.size(), b.path) == 0 &&
          a.path[b.path.size()] == u'\\');
}

struct CataloguePlace {
  RegPath key;  // as the catalogue names it
  RegPath normal;
  std::u16string name;   // the value's, as the catalogue names it
  std::u16string value;  // folded
  bool wholeKey;
  bool written;
};

inline const std::vector<CataloguePlace>& CataloguePlaces() {
  static const std::vector<CataloguePlace> places = [] {
    std::vector<CataloguePlace> all;
    for (const TweakInfo& t : CatalogueTweaks()) {
      for (const RegLocation& l : t.locations) {
        const RegPath key{l.root, AnsiToWide(l.key)};
        const std::u16string name = AnsiToWide(l.value);
        all.push_back({key, Normal(key), name, FoldName(name), l.wholeKey, l.written});
      }
    }
    return all;
  }();
  return places;
}

// What a restore may change. A value: a written value place, or anything at or below a key a
// setter creates or removes whole. A key removed: at or below such a key. A key created: that,
// or on the way to any written place.
inline bool InWrittenWholeKey(const RegPath& key) {
  const RegPath k = Normal(key);
  for (const CataloguePlace& p : CataloguePlaces()) {
    if (p.written && p.wholeKey && AtOrBelow(k, p.normal)) return true;
  }
  return false;
}

inline bool MayChangeValue(const RegPath& key, const std::u16string& name) {
  if (InWrittenWholeKey(key)) return true;
  const RegPath k = Normal(key);
  const std::u16string n = FoldName(name);
  for (const CataloguePlace& p : CataloguePlaces()) {
    if (p.written && !p.wholeKey && p.value == n && p.normal.root == k.root &&
        p.normal.path == k.path)
      return true;
  }
  return false;
}

inline bool MayCreateKey(const RegPath& key) {
  const RegPath k = Normal(key);
  for (const CataloguePlace& p : CataloguePlaces()) {
    if (p.written && (AtOrBelow(p.normal, k) || (p.wholeKey && AtOrBelow(k, p.normal))))
      return true;
  }
  return false;
}

inline const std::u16string kSentinel = u"TrimmwerkFuzzSentinel";

// A value that must stay as it is, byte for byte.
struct Sentinel {
  RegPath key;
  std::u16string name;
  StoredValue value;
};

inline void PutValue(MemoryRegistry& m, const RegPath& key, const std::u16string& name,
                     const StoredValue& v) {
  RegKey k(m);
  if (k.Create(key.root, key.path, kKeyAllAccess) != kErrorSuccess ||
      m.SetValueW(k.get(), name, v.type, v.data.data(),
                  static_cast<std::uint32_t>(v.data.size())) != kErrorSuccess)
    std::abort();  // the in-memory registry refuses nothing here
}

// The key as HKCR and HKLM show it when it is a machine class key; otherwise the key alone.
inline std::vector<RegPath> Views(const RegPath& key) {
  const RegPath c = CanonicalKey(key);
  const std::u16string classes = u"SOFTWARE\\CLASSES\\";
  if (c.root != HKLM || FoldName(c.path).compare(0, classes.size(), classes) != 0) return {key};
  return {{HKCR, c.path.substr(classes.size())}, c};
}

// Seeds the machine; returns its sentinels.
inline std::vector<Sentinel> SeedCatalogueMachine(MemoryRegistry& m) {
  std::vector<RegPath> keys;  // with the keys on the way
  std::set<std::pair<RegRoot, std::u16string>> known;
  std::size_t index = 0;
  for (const CataloguePlace& p : CataloguePlaces()) {
    for (const RegPath& view : Views(p.key)) {
      m.PutKeyW(view.root, view.path);
      for (std::size_t end = 0; end != std::u16string::npos;) {
        end = view.path.find(u'\\', end + 1);
        const RegPath at{view.root, view.path.substr(0, end)};
        const RegPath one = Normal(at);  // a key of two names gets one sentinel
        if (known.insert({one.root, one.path}).second) keys.push_back(at);
      }
    }
    // Two of every three catalogue values exist, of several types.
    if (!p.wholeKey && index++ % 3 != 2) {
      StoredValue v{kRegSz, {'v', 0, 'o', 0, 'r', 0, 0, 0}};
      if (index % 2 == 0) v = {kRegDword, {0x2a, 0, 0, 0}};
      PutValue(m, p.key, p.name, v);
    }
  }
  std::vector<Sentinel> sentinels;
  for (const RegPath& k : keys) {
    if (InWrittenWholeKey(k)) continue;
    Bytes mark;
    for (char16_t c : k.path) mark.push_back(static_cast<std::uint8_t>(c));
    sentinels.push_back({k, kSentinel, {kRegBinary, mark}});
    sentinels.push_back({{k.root, k.path + u"\\" + kSentinel}, u"Wert", {kRegDword, {7, 0, 0, 0}}});
  }
  for (const Sentinel& s : sentinels) PutValue(m, s.key, s.name, s.value);
  return sentinels;
}

}  // namespace tw::fuzz
