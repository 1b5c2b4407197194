// The backup fuzz target's own idea of what a restore may change, taken from the catalogue
// apart from the program's check: shared keys, keys only tested and the one-shot buttons'
// places are off limits, keys a setter creates or removes whole are not, in any HKCR view.

#include <gtest/gtest.h>

#include "catalogue_machine.h"

namespace tw {
namespace {

const std::u16string kAdvanced =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::u16string kPrompt = u"Directory\\shell\\Command Prompt Here";

struct PlaceCase {
  const char* what;
  RegPath key;
  const char16_t* value;  // nullptr: the key itself
  bool mayChange;         // the value, or the key removed
  bool mayCreate;         // the key created
};

const PlaceCase kPlaces[] = {
    // A key that holds a written value may be made for it, never removed.
    {"a shared key", {HKCU, u"Console"}, nullptr, false, true},
    {"a value of a shared key", {HKCU, kAdvanced}, u"HideFileExt", true, true},
    {"a foreign value of a shared key", {HKCU, kAdvanced}, u"Fremd", false, true},
    {"a subkey of a shared key", {HKCU, kAdvanced + u"\\Neu"}, nullptr, false, false},
    {"a key only tested",
     {HKLM, u"SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies"},
     nullptr,
     false,
     true},
    {"a one-shot button's key",
     {HKLM, u"SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar"},
     nullptr,
     false,
     false},
    {"a one-shot button's value",
     {HKCU, u"Software\\Microsoft\\Internet Explorer\\SearchURL"},
     u"provider",
     false,
     false},
    {"a context-menu entry", {HKCR, kPrompt}, nullptr, true, true},
    {"below it, through the machine's classes",
     {HKLM, u"SOFTWARE\\Classes\\" + kPrompt + u"\\command\\x"},
     u"y",
     true,
     true},
    {"the user's classes are a key of their own",
     {HKCU, u"software\\classes\\DIRECTORY\\SHELL\\command prompt here"},
     nullptr,
     false,
     false},
    {"a key on the way to a policy", {HKLM, u"SOFTWARE\\Policies"}, nullptr, false, true},
};

TEST(FuzzPlaces, OnlyWhatTheApplyRunWritesMayChange) {
  for (const PlaceCase& c : kPlaces) {
    SCOPED_TRACE(c.what);
    if (c.value) {
      EXPECT_EQ(fuzz::MayChangeValue(c.key, c.value), c.mayChange);
    } else {
      EXPECT_EQ(fuzz::InWrittenWholeKey(c.key), c.mayChange);
    }
    EXPECT_EQ(fuzz::MayCreateKey(c.key), c.mayCreate);
  }
}

TEST(FuzzPlaces, SentinelsStandInEveryKeyNoSetterRemovesWhole) {
  MemoryRegistry m;
  const std::vector<fuzz::Sentinel> sentinels = fuzz::SeedCatalogueMachine(m);
  auto guarded = [&](RegRoot root, const std::u16string& path) {
    for (const fuzz::Sentinel& s : sentinels) {
      const RegPath a = fuzz::Normal(s.key), b = fuzz::Normal({root, path});
      if (a.root == b.root && a.path == b.path && s.name == fuzz::kSentinel) return true;
    }
    return false;
  };
  EXPECT_TRUE(guarded(HKCU, kAdvanced));
  EXPECT_TRUE(guarded(HKCU, u"Software"));
  EXPECT_TRUE(guarded(HKLM, u"SOFTWARE\\Classes\\Directory\\shell"));
  EXPECT_TRUE(guarded(HKLM, u"SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies"));
  EXPECT_FALSE(guarded(HKCR, kPrompt));
  EXPECT_FALSE(guarded(HKCU, u"Software\\Classes\\" + kPrompt));
  for (const fuzz::Sentinel& s : sentinels) {
    EXPECT_TRUE(m.HasKeyW(s.key.root, s.key.path));
    EXPECT_TRUE(m.HasKeyW(s.key.root, s.key.path + u"\\" + fuzz::kSentinel) ||
                s.name != fuzz::kSentinel);
  }
}

}  // namespace
}  // namespace tw
