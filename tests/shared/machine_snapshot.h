#pragma once

// A machine seeded with hand-made hostile values that a real one may hold, and a whole-key
// picture of every catalogue location to tell what an apply run changed. Both work through the
// registry seam, so on both backends.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"

namespace tw::test {

inline std::vector<std::uint8_t> Dword(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}
inline std::vector<std::uint8_t> Wide(const std::u16string& text) {
  std::vector<std::uint8_t> out;
  for (char16_t u : text) {
    out.push_back(static_cast<std::uint8_t>(u));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  return out;
}

// The values that an apply run writing every setting used to destroy, written through the seam.
// On a real machine the values it replaced come back when the object goes.
class HostileValues {
 public:
  explicit HostileValues(RegistryApi& api) : api_(api) {
    const std::string zone3 =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
    Seed(HKCU, "Control Panel\\Desktop", u"FontSmoothingType", kRegDword, Dword(1));
    Seed(HKCU, "Control Panel\\Desktop", u"MenuShowDelay", kRegSz, Wide(std::u16string(u"abc", 4)));
    for (const char16_t* action : {u"1001", u"1004", u"1200", u"1201"})
      Seed(HKCU, zone3, action, kRegDword, Dword(3));
    Seed(HKCU, zone3, u"1405", kRegDword, Dword(0));
    Seed(HKLM, "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters", u"AutoShareWks",
         kRegDword, Dword(0));
    const std::string cpl =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowCpl";
    Seed(HKCU, cpl, u"1", kRegSz, Wide(std::u16string(u"desk.cpl", 9)));
    Seed(HKCU, cpl, u"2", kRegSz, Wide(std::u16string(u"timedate.cpl", 13)));
    Seed(HKCU, "Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser", u"ITBarLayout",
         kRegBinary, {0x11, 0, 0, 0, 0x4C, 0, 0, 0});
    Seed(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams", u"Settings",
         kRegBinary, {8, 0, 0, 0, 4, 0, 0, 0});
    // Text outside cp1252 and a second part after an embedded zero.
    Seed(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", u"ProgramFilesDir", kRegExpandSz,
         Wide(std::u16string(u"%SystemDrive%\\\u30d7\u30ed\0zwei\0", 22)));
  }
  ~HostileValues() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      RegKey k(api_);
      if (k.Open(it->root, AnsiToWide(it->key), kKeyAllAccess) != kErrorSuccess) continue;
      if (it->present) {
        api_.SetValueW(k.get(), it->name, it->type, it->data.data(),
                       static_cast<std::uint32_t>(it->data.size()));
      } else {
        api_.DeleteValueW(k.get(), it->name);
      }
    }
  }
  HostileValues(const HostileValues&) = delete;
  HostileValues& operator=(const HostileValues&) = delete;

 private:
  struct Saved {
    RegRoot root;
    std::string key;
    std::u16string name;
    bool present;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  void Seed(RegRoot root, const std::string& key, const std::u16string& name, std::uint32_t type,
            const std::vector<std::uint8_t>& data) {
    RegKey k(api_);
    ASSERT_EQ(k.Create(root, AnsiToWide(key), kKeyAllAccess), kErrorSuccess) << key;
    Saved was{root, key, name, false, 0, std::vector<std::uint8_t>(4096)};
    auto size = static_cast<std::uint32_t>(was.data.size());
    was.present = api_.QueryValueW(k.get(), name, &was.type, was.data.data(), &size) == 0;
    was.data.resize(was.present ? size : 0);
    saved_.push_back(was);
    ASSERT_EQ(
        api_.SetValueW(k.get(), name, type, data.data(), static_cast<std::uint32_t>(data.size())),
        kErrorSuccess);
  }

  RegistryApi& api_;
  std::vector<Saved> saved_;
};

// Every value under the catalogue's locations: the values of each location's key, and the
// whole subtree of a whole-key location (keys themselves as entries of type 0xFFFFFFFF).
// Entries are "root|key|name", names exact.
using Snapshot = std::map<std::u16string, std::pair<std::uint32_t, std::vector<std::uint8_t>>>;

inline std::u16string Lower(std::u16string s) {
  for (char16_t& c : s) {
    if (c < 0x80) c = static_cast<char16_t>(std::tolower(c));
  }
  return s;
}

inline void TakeKey(RegistryApi& api, RegRoot root, const std::u16string& path, bool deep,
                    Snapshot& out) {
  RegKey key(api);
  if (key.Open(root, path, kKeyRead) != kErrorSuccess) return;
  const std::u16string prefix = AnsiToWide(std::to_string(root)) + u"|" + Lower(path) + u"|";
  out[prefix] = {0xFFFFFFFFu, {}};
  RegKeyInfo info;
  if (api.QueryInfoKeyW(key.get(), &info) != kErrorSuccess) return;
  for (std::uint32_t i = 0;; ++i) {
    std::vector<char16_t> name(info.maxValueNameLen + 1);
    std::vector<std::uint8_t> data(info.maxValueLen + 2);
    auto len = static_cast<std::uint32_t>(name.size());
    auto size = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = 0;
    if (api.EnumValueW(key.get(), i, name.data(), &len, &type, data.data(), &size) != kErrorSuccess)
      break;
    data.resize(size);
    out[prefix + std::u16string(name.data(), len)] = {type, data};
  }
  if (!deep) return;
  for (std::uint32_t i = 0;; ++i) {
    std::vector<char16_t> name(info.maxSubKeyLen + 1);
    auto len = static_cast<std::uint32_t>(name.size());
    if (api.EnumKeyW(key.get(), i, name.data(), &len) != kErrorSuccess) break;
    TakeKey(api, root, path + u"\\" + std::u16string(name.data(), len), true, out);
  }
}

inline Snapshot CatalogueSnapshot(RegistryApi& api) {
  Snapshot s;
  for (const TweakInfo& tweak : CatalogueTweaks()) {
    for (const RegLocation& at : tweak.locations)
      TakeKey(api, at.root, AnsiToWide(at.key), at.wholeKey, s);
  }
  return s;
}

// The entries that differ between two pictures, as text.
inline std::vector<std::string> Differences(const Snapshot& a, const Snapshot& b) {
  std::vector<std::string> out;
  for (const auto* s : {&a, &b}) {
    const Snapshot& other = s == &a ? b : a;
    for (const auto& [entry, value] : *s) {
      const auto it = other.find(entry);
      if (it == other.end() || (s == &a && it->second != value)) out.push_back(WideToAnsi(entry));
    }
  }
  std::sort(out.begin(), out.end());
  out.erase(std::unique(out.begin(), out.end()), out.end());
  return out;
}

// Whether an entry of a difference lies in one of the tweak's locations; a key entry also when
// it is made on the way to one.
inline bool InTweak(const std::string& entry, const TweakInfo& tweak) {
  auto lower = [](const std::string& t) { return WideToAnsi(Lower(AnsiToWide(t))); };
  const std::string e = lower(entry);
  const bool keyEntry = !e.empty() && e.back() == '|';
  for (const RegLocation& at : tweak.locations) {
    const std::string key = std::to_string(at.root) + "|" + lower(at.key);
    if (keyEntry && (key + "|").rfind(e.substr(0, e.size() - 1), 0) == 0) return true;
    if (at.wholeKey ? e.rfind(key, 0) == 0 : e == key + "|" + lower(at.value)) return true;
  }
  return false;
}

}  // namespace tw::test
