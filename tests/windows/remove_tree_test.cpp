// Removing a key on the real registry: subkeys named outside cp1252 go with it, and a subkey that
// refuses deleting (a deny-all DACL) keeps the whole tree.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "registry/registry.h"
#include "test_keys.h"
#include "test_machine.h"

namespace tw::test {
namespace {

const char kTree[] = "Software\\TrimmwerkTest\\RemoveTree";
const wchar_t kWide[] =
    L"Software\\TrimmwerkTest\\RemoveTree\\\u65e5\u672c\\\u041a\u043b\u044e\u0447";

bool Exists(const std::string& path) {
  return static_cast<bool>(OpenTestKey(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE));
}
bool WideExists() {
  return static_cast<bool>(OpenTestKey(HKEY_CURRENT_USER, kWide, KEY_QUERY_VALUE));
}
void Make(const std::string& path) { ASSERT_TRUE(CreateTestKey(HKEY_CURRENT_USER, path)); }
bool SetDacl(const std::string& path, const char* sddl) {
  return SetKeyDacl(HKEY_CURRENT_USER, path, sddl);
}

TEST(RemoveTree, AllOrNothingOnTheRealRegistry) {
  ResetMachine();
  const std::string tree = kTree;
  const std::string locked = tree + "\\Locked";
  SetDacl(locked, "D:P(A;;KA;;;WD)");  // a run that failed before left it locked
  for (int round = 0; round < 2; ++round) {
    Make(tree + "\\Free\\Inner");
    ASSERT_TRUE(CreateTestKey(HKEY_CURRENT_USER, kWide));
    const bool lockedRound = round == 0;
    if (lockedRound) {
      Make(locked + "\\Inner");
      ASSERT_TRUE(SetDacl(locked, "D:P"));
    }
    {
      RegistryBatch batch;
      EXPECT_EQ(RemoveRegKey(HKCU, tree), !lockedRound);
      if (lockedRound) {
        const auto failures = RegistryFailuresSince(0);
        ASSERT_FALSE(failures.empty());
        EXPECT_EQ(failures.back().code, kErrorAccessDenied);
      }
    }
    EXPECT_EQ(Exists(tree + "\\Free\\Inner"), lockedRound);
    EXPECT_EQ(WideExists(), lockedRound);
    if (lockedRound) {
      ASSERT_TRUE(SetDacl(locked, "D:P(A;;KA;;;WD)"));
      RegistryBatch batch;
      ASSERT_TRUE(RemoveRegKey(HKCU, locked));
    }
  }
  EXPECT_FALSE(Exists(tree));
}

}  // namespace
}  // namespace tw::test
