// The backup folder on disk: under the user's local application data, files written new and
// flushed, never over an existing one, read back byte for byte, renamed and removed.

#include <gtest/gtest.h>
#include <windows.h>

#include "win32_backup_store.h"

namespace tw {
namespace {

TEST(WineBackupStore, TheFolderIsTheUsersLocalApplicationData) {
  const std::wstring folder = Win32BackupStore().folder();
  const std::wstring tail = L"\\Tavo Trimmwerk\\Sicherungen";
  ASSERT_GT(folder.size(), tail.size());
  EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
  EXPECT_NE(folder.find(L":\\"), std::wstring::npos);
}

TEST(WineBackupStore, FilesAreWrittenNewReadBackRenamedAndRemoved) {
  Win32BackupStore store(Win32BackupStore().folder() + L"\\Test");
  for (const std::string& name : store.Names()) store.Remove(name);
  const Bytes data = {0xFF, 0xFE, 'W', 0, 0, 0, 0x80, 0x7F};
  std::string why;
  ASSERT_TRUE(store.Create("2026-12-08_07-05-09.reg", data, &why)) << why;
  EXPECT_FALSE(store.Create("2026-12-08_07-05-09.reg", {1}, &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(store.Read("2026-12-08_07-05-09.reg"), data);
  ASSERT_TRUE(store.Replace("2026-12-08_07-05-09.reg", {1, 2}));
  EXPECT_EQ(store.Read("2026-12-08_07-05-09.reg"), (Bytes{1, 2}));
  const std::string restored = "2026-12-08_07-05-09 (rückgängig gemacht).reg";
  ASSERT_TRUE(store.Rename("2026-12-08_07-05-09.reg", restored));
  EXPECT_EQ(store.Names(), std::vector<std::string>{restored});
  EXPECT_FALSE(store.Read("2026-12-08_07-05-09.reg"));
  EXPECT_TRUE(store.Remove(restored));
  EXPECT_TRUE(store.Names().empty());
}

}  // namespace
}  // namespace tw
