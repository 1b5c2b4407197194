// The 32-bit exe on 64-bit Windows: machine-wide tweaks must land in the 64-bit view, which
// 64-bit Windows reads, and not in Wow6432Node. Runs where the test itself is under WOW64 (the
// i686 tests in the win64 Vista prefix).

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "catalogue/computed_tweaks.h"
#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

const char kBitBucket[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";

bool UnderWow64() {
  using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto isWow64 = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// The recycle bin's size as a view shows it, or -1 when the value is missing there.
long Percent(REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBitBucket, 0, KEY_QUERY_VALUE | view, &key) != 0)
    return -1;
  DWORD value = 0, size = sizeof value, type = 0;
  const LONG rc =
      RegQueryValueExA(key, "Percent", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return rc == 0 && type == REG_DWORD ? static_cast<long>(value) : -1;
}

void RemovePercent(REGSAM view) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBitBucket, 0, KEY_SET_VALUE | view, &key) != 0) return;
  RegDeleteValueA(key, "Percent");
  RegCloseKey(key);
}

TEST(Wow64View, MachineWideTweaksReachThe64BitView) {
  if (!UnderWow64()) GTEST_SKIP() << "not a 32-bit process on 64-bit Windows";
  ResetMachine();
  RemovePercent(KEY_WOW64_64KEY);
  RemovePercent(KEY_WOW64_32KEY);
  {
    RegistryBatch batch;
    ASSERT_TRUE(batch.opened());
    EXPECT_TRUE(SetBitBucket(37));
    EXPECT_EQ(GetBitBucket(), 37) << "read back through the same view";
  }
  EXPECT_EQ(Percent(KEY_WOW64_64KEY), 37);
  EXPECT_EQ(Percent(KEY_WOW64_32KEY), -1) << "nothing in Wow6432Node";

  // Removing a key works in the same view: a subtree under HKLM\Software.
  const std::string tree = "SOFTWARE\\TrimmwerkWow64Test\\inner";
  {
    RegistryBatch batch;
    ASSERT_TRUE(MakeRegKey(HKLM, tree));
  }
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, tree.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key),
            0);
  RegCloseKey(key);
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, tree.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key),
            0);
  {
    RegistryBatch batch;
    EXPECT_TRUE(RemoveRegKey(HKLM, "SOFTWARE\\TrimmwerkWow64Test"));
  }
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\TrimmwerkWow64Test", 0,
                          KEY_READ | KEY_WOW64_64KEY, &key),
            0);
  RemovePercent(KEY_WOW64_64KEY);
}

}  // namespace
}  // namespace tw::test
