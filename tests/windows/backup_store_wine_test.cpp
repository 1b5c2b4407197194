// The backup folder on disk: under the user's local application data, files written whole
// (under a temporary name, then moved into place) and flushed, never over an existing one,
// read back byte for byte, renamed and removed; a failed rewrite leaves the file as it was.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>

#include "win32/win32_backup_store.h"

namespace tw {
namespace {

const char kName[] = "2026-12-08_07-05-09.reg";
const wchar_t kNameW[] = L"2026-12-08_07-05-09.reg";
// What a crash between writing and moving leaves behind.
const wchar_t kLeftover[] = L"~2026-12-08_07-05-09.reg.4242.tmp";

std::wstring TestFolder() { return Win32BackupStore().folder() + L"\\Test"; }

// Every file of the folder, temporary ones included, sorted.
std::vector<std::wstring> AllFiles(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  const HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(h, &found));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

void Empty(const std::wstring& folder) {
  for (const std::wstring& name : AllFiles(folder)) {
    const std::wstring path = folder + L"\\" + name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
}

void Plant(const std::wstring& path, const Bytes& data) {
  std::string why;
  ASSERT_TRUE(WriteWholeFile(path, data, &why)) << why;
}

TEST(WineBackupStore, TheFolderIsTheUsersLocalApplicationData) {
  const std::wstring folder = Win32BackupStore().folder();
  const std::wstring tail = L"\\Tavo Trimmwerk\\Sicherungen";
  ASSERT_GT(folder.size(), tail.size());
  EXPECT_EQ(folder.substr(folder.size() - tail.size()), tail);
  EXPECT_NE(folder.find(L":\\"), std::wstring::npos);
}

TEST(WineBackupStore, FilesAreWrittenNewReadBackRenamedAndRemoved) {
  Win32BackupStore store(TestFolder());
  Empty(store.folder());
  const Bytes data = {0xFF, 0xFE, 'W', 0, 0, 0, 0x80, 0x7F};
  std::string why;
  ASSERT_TRUE(store.Create(kName, data, &why)) << why;
  EXPECT_FALSE(store.Create(kName, {1}, &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(store.Read(kName), data);
  EXPECT_EQ(store.ReadStart(kName, 3), (Bytes{0xFF, 0xFE, 'W'}));
  EXPECT_EQ(store.ReadStart(kName, 100), data);
  ASSERT_TRUE(store.Replace(kName, {1, 2}));
  EXPECT_EQ(store.Read(kName), (Bytes{1, 2}));
  const std::string restored = "2026-12-08_07-05-09 (rückgängig gemacht).reg";
  ASSERT_TRUE(store.Rename(kName, restored));
  EXPECT_EQ(store.Names(), std::vector<std::string>{restored});
  EXPECT_FALSE(store.Read(kName));
  EXPECT_TRUE(store.Remove(restored));
  EXPECT_TRUE(store.Names().empty());
  EXPECT_TRUE(AllFiles(store.folder()).empty());
}

// Each write leaves the file whole, old or new, and no temporary file of its own; a leftover
// temporary file is never listed as a backup.
TEST(WineBackupStore, AWriteLeavesTheOldFileOrTheNewOneAndNoTemporaryFile) {
  const Bytes before = {0xFF, 0xFE, 'a', 0}, after = {0xFF, 0xFE, 'b', 0, 'c', 0};
  enum Plants { kNothing, kExisting, kExistingOpen, kExistingAndLeftover };
  struct Case {
    const char* what;
    Plants plant;
    bool replace;  // Replace, else Create
    bool written;
    Bytes content;
    std::vector<std::wstring> files;  // afterwards, sorted
  };
  const Case cases[] = {
      {"create", kNothing, false, true, after, {kNameW}},
      {"create over an existing file", kExisting, false, false, before, {kNameW}},
      {"replace", kExisting, true, true, after, {kNameW}},
      {"replace refused (the file is open, not to be deleted)",
       kExistingOpen,
       true,
       false,
       before,
       {kNameW}},
      {"replace beside leftover temporary files",
       kExistingAndLeftover,
       true,
       true,
       after,
       {kNameW, kLeftover, L"~Notiz.tmp"}},
  };
  Win32BackupStore store(TestFolder());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Empty(store.folder());
    CreateDirectoryW(store.folder().c_str(), nullptr);
    const std::wstring path = store.folder() + L"\\" + kNameW;
    if (c.plant != kNothing) Plant(path, before);
    if (c.plant == kExistingAndLeftover) Plant(store.folder() + L"\\" + kLeftover, {0xFF, 0xFE});
    // Old files: the store's own leftover of another run goes, a file of another name stays.
    for (const wchar_t* old : {L"~2026-12-08_07-05-09.reg.7.tmp", L"~Notiz.tmp"}) {
      if (c.plant != kExistingAndLeftover) break;
      const std::wstring file = store.folder() + L"\\" + old;
      Plant(file, {0xFF, 0xFE});
      const FILETIME longAgo = {0, 0x01C00000};  // in 2001
      const HANDLE h =
          CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
      SetFileTime(h, nullptr, nullptr, &longAgo);
      CloseHandle(h);
    }
    HANDLE open = INVALID_HANDLE_VALUE;
    if (c.plant == kExistingOpen) {
      open = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
      ASSERT_NE(open, INVALID_HANDLE_VALUE);
    }
    std::string why;
    const bool written = c.replace ? store.Replace(kName, after) : store.Create(kName, after, &why);
    if (open != INVALID_HANDLE_VALUE) CloseHandle(open);
    EXPECT_EQ(written, c.written) << why;
    EXPECT_EQ(store.Read(kName), c.content);
    EXPECT_EQ(AllFiles(store.folder()), c.files);
    EXPECT_EQ(store.Names(), std::vector<std::string>{kName});
    EXPECT_EQ(NewestUnrestored(store.Names()), kName);
  }
  Empty(store.folder());
}

}  // namespace
}  // namespace tw
