// Removing a key on the real registry: subkeys named outside cp1252 go with it, and a subkey that
// refuses deleting (a deny-all DACL) keeps the whole tree.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "key_dacl.h"
#include "registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

const char kTree[] = "Software\\TrimmwerkTest\\RemoveTree";
const wchar_t kWide[] =
    L"Software\\TrimmwerkTest\\RemoveTree\\\u65e5\u672c\\\u041a\u043b\u044e\u0447";

bool Exists(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, &key) != 0) return false;
  RegCloseKey(key);
  return true;
}
bool WideExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kWide, 0, KEY_QUERY_VALUE, &key) != 0) return false;
  RegCloseKey(key);
  return true;
}
void Make(const std::string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            0);
  RegCloseKey(key);
}
bool SetDacl(const std::string& path, const char* sddl) {
  return tw::test::SetKeyDacl(HKEY_CURRENT_USER, path, sddl);
}

TEST(RemoveTree, AllOrNothingOnTheRealRegistry) {
  ResetMachine();
  const std::string tree = kTree;
  const std::string locked = tree + "\\Locked";
  SetDacl(locked, "D:P(A;;KA;;;WD)");  // a run that failed before left it locked
  for (int round = 0; round < 2; ++round) {
    Make(tree + "\\Free\\Inner");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kWide, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              0);
    RegCloseKey(key);
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
