// One suite, two backends: the in-memory registry natively and advapi32 under Wine must agree.
// Each test works below its own scratch key, which it removes again.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "test_machine.h"

namespace tw {
namespace {

constexpr std::uint8_t kSentinel = 0xCD;

class RegistryConformance : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetMachine();
    scratch_ = std::string("Software\\TrimmwerkTest\\") +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
    RemoveTree(HKCU, scratch_);
    root_.emplace(api());
    ASSERT_EQ(kErrorSuccess, root_->Create(HKCU, scratch_, kKeyAllAccess));
  }
  void TearDown() override {
    root_.reset();
    RemoveTree(HKCU, scratch_);
  }

  void RemoveTree(RegHandle parent, const std::string& sub) {
    RegKey key(api());
    if (key.Open(parent, sub, kKeyAllAccess) != kErrorSuccess) return;
    char name[256];
    for (;;) {
      std::uint32_t len = sizeof name;
      if (api().EnumKey(key.get(), 0, name, &len) != kErrorSuccess) break;
      RemoveTree(key.get(), name);
    }
    key.Close();
    api().DeleteKey(parent, sub);
  }

  RegistryApi& api() { return test::Machine(); }

  long SetDword(RegHandle key, const std::string& name, std::uint32_t v) {
    return api().SetValue(key, name, kRegDword, reinterpret_cast<const std::uint8_t*>(&v), 4);
  }
  long SetText(RegHandle key, const std::string& name, const std::string& text,
               std::uint32_t type = kRegSz) {
    return api().SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                          static_cast<std::uint32_t>(text.size() + 1));
  }

  // Queries the value below root() for its size, then for its data into buffer (the data's
  // size and 8 bytes more, all kSentinel): both calls succeed and give the stored type, size and
  // bytes.
  template <typename Name>
  void ExpectStored(long (RegistryApi::*query)(RegHandle, const Name&, std::uint32_t*,
                                               std::uint8_t*, std::uint32_t*),
                    const Name& name, std::uint32_t type, const std::vector<std::uint8_t>& data,
                    std::vector<std::uint8_t>& buffer) {
    std::uint32_t stored = 0, size = 0;
    ASSERT_EQ(kErrorSuccess, (api().*query)(root(), name, &stored, nullptr, &size));
    EXPECT_EQ(type, stored);
    EXPECT_EQ(data.size(), size);
    buffer.assign(data.size() + 8, kSentinel);
    size = static_cast<std::uint32_t>(buffer.size());
    ASSERT_EQ(kErrorSuccess, (api().*query)(root(), name, &stored, buffer.data(), &size));
    ASSERT_EQ(data.size(), size);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), buffer.begin()));
  }

  std::string scratch_;
  RegHandle root() const { return root_->get(); }

  // Opened in SetUp, after the machine was reset.
  std::optional<RegKey> root_;
};

TEST_F(RegistryConformance, CreateMakesEveryMissingLevelAndOpenFindsIt) {
  RegKey deep(api());
  ASSERT_EQ(kErrorSuccess, deep.Create(root(), "a\\b\\c", kKeyAllAccess));
  RegKey probe(api());
  EXPECT_EQ(kErrorSuccess, probe.Open(root(), "a\\b", kKeyRead));
  EXPECT_EQ(kErrorSuccess, probe.Open(root(), "A\\B\\C", kKeyRead));
  EXPECT_EQ(kErrorFileNotFound, probe.Open(root(), "a\\x", kKeyRead));
  // A failed open leaves the key object as it was.
  EXPECT_TRUE(probe.valid());
}

// HKEY_CLASSES_ROOT shows HKLM\SOFTWARE\Classes: a value written through either name reads back
// through the other. The link of HKLM\SYSTEM\CurrentControlSet to its control set is tested
// natively only: Wine 8 does not make it, so the backends could not agree on it here.
TEST_F(RegistryConformance, ClassesRootIsTheMachineClassesKey) {
  const std::string key = "TrimmwerkTest.Klasse", machine = "SOFTWARE\\Classes\\" + key;
  for (std::uint32_t viaRoot : {1u, 0u}) {
    RegKey w(api()), r(api());
    ASSERT_EQ(
        0, viaRoot ? w.Create(HKCR, key, kKeyAllAccess) : w.Create(HKLM, machine, kKeyAllAccess));
    ASSERT_EQ(0, SetDword(w.get(), "v", viaRoot));
    ASSERT_EQ(0, viaRoot ? r.Open(HKLM, machine, kKeyRead) : r.Open(HKCR, key, kKeyRead));
    std::uint32_t v = 7, size = 4;
    EXPECT_EQ(0,
              api().QueryValue(r.get(), "v", nullptr, reinterpret_cast<std::uint8_t*>(&v), &size));
    EXPECT_EQ(viaRoot, v);
  }
  RemoveTree(HKCR, key);
}

TEST_F(RegistryConformance, CreateOpensAnExistingKeyAndKeepsItsValues) {
  RegKey first(api());
  ASSERT_EQ(kErrorSuccess, first.Create(root(), "k", kKeyAllAccess));
  ASSERT_EQ(kErrorSuccess, SetDword(first.get(), "v", 7));
  RegKey again(api());
  ASSERT_EQ(kErrorSuccess, again.Create(root(), "K", kKeyAllAccess));
  std::uint32_t v = 0, size = 4, type = 0;
  ASSERT_EQ(kErrorSuccess,
            api().QueryValue(again.get(), "V", &type, reinterpret_cast<std::uint8_t*>(&v), &size));
  EXPECT_EQ(7u, v);
  EXPECT_EQ(kRegDword, type);
}

TEST_F(RegistryConformance, NamesCompareCaseInsensitivelyAndKeepTheirCase) {
  RegKey key(api());
  ASSERT_EQ(kErrorSuccess, key.Create(root(), "MixedCase", kKeyAllAccess));
  char name[64];
  std::uint32_t len = sizeof name;
  ASSERT_EQ(kErrorSuccess, api().EnumKey(root(), 0, name, &len));
  EXPECT_STREQ("MixedCase", name);
  EXPECT_EQ(9u, len);
}

TEST_F(RegistryConformance, QueryReportsTypeAndStoredSize) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const Case cases[] = {
      {"dword", kRegDword, {1, 2, 3, 4}},
      {"text", kRegSz, {'a', 'b', 'c', 0}},
      {"expand", kRegExpandSz, {'%', 'x', '%', 0}},
      {"binary", kRegBinary, {0, 0xFF, 0x10}},
      {"empty binary", kRegBinary, {}},
      {"", kRegSz, {'d', 'e', 'f', 0}},  // the default value
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(kErrorSuccess, api().SetValue(root(), c.name, c.type, c.data.data(),
                                            static_cast<std::uint32_t>(c.data.size())));
    std::vector<std::uint8_t> buffer;
    ASSERT_NO_FATAL_FAILURE(
        ExpectStored(&RegistryApi::QueryValue, std::string(c.name), c.type, c.data, buffer));
    EXPECT_EQ(kSentinel, buffer[c.data.size() + 4]) << "wrote past the stored size";
  }
}

TEST_F(RegistryConformance, TooSmallBufferGivesMoreDataAndTheNeededSize) {
  ASSERT_EQ(kErrorSuccess, SetText(root(), "t", "longer text"));
  std::uint8_t buffer[4];
  std::memset(buffer, kSentinel, sizeof buffer);
  std::uint32_t size = 2, type = 0;
  EXPECT_EQ(kErrorMoreData, api().QueryValue(root(), "t", &type, buffer, &size));
  EXPECT_EQ(12u, size);
  EXPECT_EQ(kSentinel, buffer[2]);
}

TEST_F(RegistryConformance, MissingValuesAndKeys) {
  std::uint32_t size = 0;
  EXPECT_EQ(kErrorFileNotFound, api().QueryValue(root(), "none", nullptr, nullptr, &size));
  EXPECT_EQ(kErrorFileNotFound, api().DeleteValue(root(), "none"));
  EXPECT_EQ(kErrorFileNotFound, api().DeleteKey(root(), "none"));
  RegKey key(api());
  EXPECT_EQ(kErrorFileNotFound, key.Open(root(), "none", kKeyRead));
  EXPECT_FALSE(key.valid());
}

TEST_F(RegistryConformance, OverwriteReplacesTypeAndDeleteRemoves) {
  ASSERT_EQ(kErrorSuccess, SetText(root(), "v", "2000"));
  ASSERT_EQ(kErrorSuccess, SetDword(root(), "v", 2000));
  std::uint32_t type = 0, size = 0;
  ASSERT_EQ(kErrorSuccess, api().QueryValue(root(), "v", &type, nullptr, &size));
  EXPECT_EQ(kRegDword, type);
  EXPECT_EQ(4u, size);
  EXPECT_EQ(kErrorSuccess, api().DeleteValue(root(), "V"));
  EXPECT_EQ(kErrorFileNotFound, api().QueryValue(root(), "v", nullptr, nullptr, &size));
}

TEST_F(RegistryConformance, DeleteKeyRefusesKeysWithSubkeys) {
  RegKey child(api());
  ASSERT_EQ(kErrorSuccess, child.Create(root(), "parent\\child", kKeyAllAccess));
  child.Close();
  EXPECT_EQ(kErrorAccessDenied, api().DeleteKey(root(), "parent"));
  EXPECT_EQ(kErrorSuccess, api().DeleteKey(root(), "parent\\child"));
  EXPECT_EQ(kErrorSuccess, api().DeleteKey(root(), "parent"));
  RegKey probe(api());
  EXPECT_EQ(kErrorFileNotFound, probe.Open(root(), "parent", kKeyRead));
}

TEST_F(RegistryConformance, InfoAndEnumerationOfSubkeys) {
  for (const char* name : {"b", "a_long_name", "c"}) {
    RegKey k(api());
    ASSERT_EQ(kErrorSuccess, k.Create(root(), name, kKeyAllAccess));
  }
  ASSERT_EQ(kErrorSuccess, SetDword(root(), "value", 1));
  std::uint32_t subKeys = 0, longest = 0, values = 0;
  ASSERT_EQ(kErrorSuccess, api().QueryInfoKey(root(), &subKeys, &longest, &values));
  EXPECT_EQ(3u, subKeys);
  EXPECT_EQ(11u, longest);
  EXPECT_EQ(1u, values);

  std::vector<std::string> names;
  char name[32];
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t len = sizeof name;
    const long rc = api().EnumKey(root(), i, name, &len);
    if (rc == kErrorNoMoreItems) break;
    ASSERT_EQ(kErrorSuccess, rc);
    names.emplace_back(name, len);
  }
  std::sort(names.begin(), names.end());  // the order of enumeration is not promised
  EXPECT_EQ((std::vector<std::string>{"a_long_name", "b", "c"}), names);

  std::uint32_t small = 3;
  EXPECT_EQ(kErrorMoreData, api().EnumKey(root(), 0, name, &small));
}

TEST_F(RegistryConformance, AHandleOpenedForReadingCannotWrite) {
  RegKey reader(api());
  ASSERT_EQ(kErrorSuccess, reader.Open(HKCU, scratch_, kKeyRead));
  EXPECT_EQ(kErrorAccessDenied, SetDword(reader.get(), "v", 1));
  std::uint32_t size = 0;
  EXPECT_EQ(kErrorFileNotFound, api().QueryValue(root(), "v", nullptr, nullptr, &size));
}

TEST_F(RegistryConformance, AKeyOpenedWithQueryRightsOnlyStillReadsValues) {
  ASSERT_EQ(kErrorSuccess, SetDword(root(), "v", 5));
  RegKey reader(api());
  ASSERT_EQ(kErrorSuccess, reader.Open(HKCU, scratch_, kKeyQueryValue));
  std::uint32_t v = 0, size = 4;
  EXPECT_EQ(kErrorSuccess, api().QueryValue(reader.get(), "v", nullptr,
                                            reinterpret_cast<std::uint8_t*>(&v), &size));
  EXPECT_EQ(5u, v);
}

TEST_F(RegistryConformance, SlashIsPartOfAKeyName) {
  RegKey key(api());
  ASSERT_EQ(kErrorSuccess, key.Create(root(), "Add/Remove Programs\\command", kKeyAllAccess));
  std::uint32_t subKeys = 0;
  ASSERT_EQ(kErrorSuccess, api().QueryInfoKey(root(), &subKeys, nullptr, nullptr));
  EXPECT_EQ(1u, subKeys);
}

TEST_F(RegistryConformance, RegKeyMovesOwnershipAndClosesOnce) {
  RegKey a(api());
  ASSERT_EQ(kErrorSuccess, a.Create(root(), "moved", kKeyAllAccess));
  const RegHandle h = a.get();
  RegKey b(std::move(a));
  EXPECT_FALSE(a.valid());
  EXPECT_EQ(h, b.get());
  EXPECT_EQ(kErrorSuccess, SetDword(b.get(), "v", 1));
}

// Wide calls. A name outside cp1252: Cyrillic, CJK and a character beyond the BMP.
const std::u16string kWideName = u"\u041a\u043b\u044e\u0447-\u65e5-\U0001F600";

std::vector<std::uint8_t> Utf16Bytes(const std::u16string& s) {
  std::vector<std::uint8_t> out;
  for (char16_t u : s) {
    out.push_back(static_cast<std::uint8_t>(u));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  return out;
}

TEST_F(RegistryConformance, WideKeyNamesOutsideTheAnsiCodePageAreExact) {
  RegKey key(api());
  ASSERT_EQ(kErrorSuccess, key.Create(root(), kWideName + u"\\inner", kKeyAllAccess));
  key.Close();
  char16_t name[64];
  std::uint32_t len = 64;
  ASSERT_EQ(kErrorSuccess, api().EnumKeyW(root(), 0, name, &len));
  EXPECT_EQ(kWideName, std::u16string(name, len));
  EXPECT_EQ(char16_t(0), name[len]);
  std::uint32_t small = static_cast<std::uint32_t>(kWideName.size());
  EXPECT_EQ(kErrorMoreData, api().EnumKeyW(root(), 0, name, &small));
  RegKeyInfo info;
  ASSERT_EQ(kErrorSuccess, api().QueryInfoKeyW(root(), &info));
  EXPECT_EQ(1u, info.subKeys);
  EXPECT_EQ(kWideName.size(), info.maxSubKeyLen);

  // Lower and upper case Cyrillic name the same key.
  RegKey probe(api());
  EXPECT_EQ(kErrorSuccess,
            probe.Open(root(), u"\u041a\u041b\u042e\u0427-\u65e5-\U0001F600", kKeyRead));
  probe.Close();
  EXPECT_EQ(kErrorAccessDenied, api().DeleteKeyW(root(), kWideName));
  EXPECT_EQ(kErrorSuccess, api().DeleteKeyW(root(), kWideName + u"\\inner"));
  EXPECT_EQ(kErrorSuccess, api().DeleteKeyW(root(), kWideName));
  EXPECT_EQ(kErrorFileNotFound, probe.Open(root(), kWideName, kKeyRead));
  EXPECT_EQ(kErrorFileNotFound, api().DeleteKeyW(root(), kWideName));
}

TEST_F(RegistryConformance, WideValuesOfEveryTypeRoundTripByteForByte) {
  struct Case {
    std::u16string name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  };
  const Case cases[] = {
      {kWideName, kRegSz, Utf16Bytes(std::u16string(u"\u65e5\u672c") + char16_t(0))},
      {u"unterminated", kRegSz, Utf16Bytes(u"ab")},
      {u"odd", kRegExpandSz, {'%', 0, 'x'}},
      {u"multi", kRegMultiSz, Utf16Bytes(std::u16string(u"a\0b\0\0", 5))},
      {u"dword", kRegDword, {1, 2, 3, 4}},
      {u"binary", kRegBinary, {0, 0xFF, 0x10}},
      {u"qword", 11, {1, 2, 3, 4, 5, 6, 7, 8}},
      {u"", kRegBinary, {}},
  };
  for (const Case& c : cases) {
    // NT counts a terminator the caller left out when the unit after the data is zero: the
    // data is followed by a non-zero guard.
    std::vector<std::uint8_t> guarded(c.data);
    guarded.insert(guarded.end(), {kSentinel, kSentinel});
    ASSERT_EQ(kErrorSuccess, api().SetValueW(root(), c.name, c.type, guarded.data(),
                                             static_cast<std::uint32_t>(c.data.size())));
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.size());
    std::vector<std::uint8_t> buffer;
    ASSERT_NO_FATAL_FAILURE(
        ExpectStored(&RegistryApi::QueryValueW, c.name, c.type, c.data, buffer));
    // Unterminated text may get a zero unit appended (NT does), nothing beyond it.
    EXPECT_EQ(kSentinel, buffer[c.data.size() + 2]) << "wrote past the stored size";
    if (!c.data.empty()) {
      std::uint32_t type = 0, size = static_cast<std::uint32_t>(c.data.size() - 1);
      EXPECT_EQ(kErrorMoreData, api().QueryValueW(root(), c.name, &type, buffer.data(), &size));
      EXPECT_EQ(c.data.size(), size);
    }
  }

  // Enumeration finds every value with its exact name, type and data, in no promised order.
  RegKeyInfo info;
  ASSERT_EQ(kErrorSuccess, api().QueryInfoKeyW(root(), &info));
  EXPECT_EQ(std::size(cases), info.values);
  EXPECT_EQ(12u, info.maxValueNameLen);
  EXPECT_EQ(10u, info.maxValueLen);
  std::vector<std::u16string> seen;
  for (std::uint32_t i = 0;; ++i) {
    char16_t name[32];
    std::uint32_t len = 32, type = 0;
    std::vector<std::uint8_t> data(info.maxValueLen + 4, kSentinel);
    std::uint32_t size = static_cast<std::uint32_t>(data.size());
    const long rc = api().EnumValueW(root(), i, name, &len, &type, data.data(), &size);
    if (rc == kErrorNoMoreItems) break;
    ASSERT_EQ(kErrorSuccess, rc);
    const std::u16string found(name, len);
    seen.push_back(found);
    const auto c = std::find_if(std::begin(cases), std::end(cases),
                                [&](const Case& k) { return k.name == found; });
    ASSERT_NE(std::end(cases), c);
    EXPECT_EQ(c->type, type);
    EXPECT_EQ(c->data, std::vector<std::uint8_t>(data.begin(), data.begin() + size));
    EXPECT_EQ(kSentinel, data[size + 2]);
  }
  EXPECT_EQ(std::size(cases), seen.size());
  char16_t name[32];
  std::uint32_t len = 32, size = 2;
  std::uint8_t small[2];
  std::uint32_t index = 0;
  while (seen[index] != u"qword") ++index;
  EXPECT_EQ(kErrorMoreData, api().EnumValueW(root(), index, name, &len, nullptr, small, &size));
  EXPECT_EQ(8u, size);

  EXPECT_EQ(kErrorSuccess, api().DeleteValueW(root(), kWideName));
  EXPECT_EQ(kErrorFileNotFound, api().DeleteValueW(root(), kWideName));
  EXPECT_EQ(kErrorFileNotFound, api().QueryValueW(root(), kWideName, nullptr, nullptr, &size));
}

TEST_F(RegistryConformance, AnsiAndWideCallsSeeTheSameValues) {
  // Windows keeps text as UTF-16: an ANSI string reads back wide and the other way round.
  ASSERT_EQ(kErrorSuccess, SetText(root(), "Text", "abc"));
  std::uint8_t wide[16];
  std::uint32_t size = sizeof wide, type = 0;
  ASSERT_EQ(kErrorSuccess, api().QueryValueW(root(), u"text", &type, wide, &size));
  EXPECT_EQ(Utf16Bytes(std::u16string(u"abc") + char16_t(0)),
            std::vector<std::uint8_t>(wide, wide + size));
  const auto data = Utf16Bytes(std::u16string(u"xy") + char16_t(0));
  ASSERT_EQ(kErrorSuccess, api().SetValueW(root(), u"W", kRegExpandSz, data.data(), 6));
  char ansi[8];
  size = sizeof ansi;
  ASSERT_EQ(kErrorSuccess,
            api().QueryValue(root(), "w", &type, reinterpret_cast<std::uint8_t*>(ansi), &size));
  EXPECT_EQ(kRegExpandSz, type);
  EXPECT_EQ(3u, size);
  EXPECT_STREQ("xy", ansi);
  // Binary data is never converted.
  ASSERT_EQ(kErrorSuccess, SetDword(root(), "d", 0x01020304));
  size = sizeof wide;
  ASSERT_EQ(kErrorSuccess, api().QueryValueW(root(), u"d", &type, wide, &size));
  EXPECT_EQ(4u, size);
  EXPECT_EQ(0x04, wide[0]);
}

TEST_F(RegistryConformance, WideCallsKeepTheRightsOfTheHandle) {
  ASSERT_EQ(kErrorSuccess, SetDword(root(), "v", 1));
  RegKey reader(api());
  ASSERT_EQ(kErrorSuccess, reader.Open(HKCU, AnsiToWide(scratch_), kKeyRead));
  const std::uint8_t one[4] = {1, 0, 0, 0};
  EXPECT_EQ(kErrorAccessDenied, api().SetValueW(reader.get(), u"w", kRegDword, one, 4));
  EXPECT_EQ(kErrorAccessDenied, api().DeleteValueW(reader.get(), u"v"));
  RegKey setter(api());
  ASSERT_EQ(kErrorSuccess, setter.Open(HKCU, AnsiToWide(scratch_), kKeySetValue));
  char16_t name[8];
  std::uint32_t len = 8;
  EXPECT_EQ(kErrorAccessDenied,
            api().EnumValueW(setter.get(), 0, name, &len, nullptr, nullptr, nullptr));
}

}  // namespace
}  // namespace tw
