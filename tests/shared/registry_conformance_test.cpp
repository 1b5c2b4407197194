// One suite, two backends: the in-memory registry natively and advapi32 under Wine must agree.
// Each test works below its own scratch key, which it removes again.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "reg_key.h"
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
    std::uint32_t type = 0, size = 0;
    ASSERT_EQ(kErrorSuccess, api().QueryValue(root(), c.name, &type, nullptr, &size));
    EXPECT_EQ(c.type, type);
    EXPECT_EQ(c.data.size(), size);
    std::vector<std::uint8_t> buffer(c.data.size() + 8, kSentinel);
    size = static_cast<std::uint32_t>(buffer.size());
    ASSERT_EQ(kErrorSuccess, api().QueryValue(root(), c.name, &type, buffer.data(), &size));
    ASSERT_EQ(c.data.size(), size);
    EXPECT_TRUE(std::equal(c.data.begin(), c.data.end(), buffer.begin()));
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

}  // namespace
}  // namespace tw
