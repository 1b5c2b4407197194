// Backup file names: one a run in time order, a counter for a second run in the same second,
// the newest not yet restored found first, the restored ones marked, only the newest 30 kept.

#include "backup_store.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

const RunTime kRun = {2026, 12, 8, 7, 5, 9};

TEST(BackupNames, EachRunGetsItsOwnNameInTimeOrder) {
  EXPECT_EQ(NewBackupName({}, kRun), "2026-12-08_07-05-09.reg");
  EXPECT_EQ(NewBackupName({"2026-12-08_07-05-09.reg"}, kRun), "2026-12-08_07-05-09 (2).reg");
  EXPECT_EQ(NewBackupName({"2026-12-08_07-05-09.reg", "2026-12-08_07-05-09 (2).reg"}, kRun),
            "2026-12-08_07-05-09 (3).reg");
  EXPECT_EQ(NewBackupName({"2026-12-08_07-05-09 (rückgängig gemacht).reg"}, kRun),
            "2026-12-08_07-05-09 (2).reg");
  EXPECT_EQ(NewBackupName({}, {2027, 1, 2, 3, 4, 5}), "2027-01-02_03-04-05.reg");
}

TEST(BackupNames, UndoTakesTheNewestNotYetRestored) {
  struct Case {
    std::vector<std::string> names;
    const char* newest;
  };
  const Case cases[] = {
      {{}, ""},
      {{"notiz.reg", "Trimmwerk-Auswahl.reg"}, ""},
      {{"2026-12-08_07-05-09.reg", "2026-12-07_23-59-59.reg"}, "2026-12-08_07-05-09.reg"},
      {{"2026-12-08_07-05-09.reg", "2026-12-08_07-05-09 (2).reg"}, "2026-12-08_07-05-09 (2).reg"},
      {{"2026-12-08_07-05-09 (2).reg", "2026-12-08_07-05-09 (10).reg"},
       "2026-12-08_07-05-09 (10).reg"},
      {{"2026-12-07_10-00-00.reg", "2026-12-08_07-05-09 (rückgängig gemacht).reg"},
       "2026-12-07_10-00-00.reg"},
      {{"2026-12-08_07-05-09 (2) (rückgängig gemacht).reg", "2026-12-08_07-05-09.reg"},
       "2026-12-08_07-05-09.reg"},
      {{"2026-12-08_07-05-09 (rückgängig gemacht).reg"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NewestUnrestored(c.names), c.newest);
  EXPECT_EQ(RestoredName("2026-12-08_07-05-09 (2).reg"),
            "2026-12-08_07-05-09 (2) (rückgängig gemacht).reg");
  EXPECT_EQ(BackupDateText("2026-12-08_07-05-09 (2).reg"), "08.12.2026 um 07:05:09 Uhr");
  EXPECT_EQ(BackupDateText("Trimmwerk-Auswahl.reg"), "");
}

TEST(BackupNames, OnlyTheNewestAreKept) {
  std::vector<std::string> names = {"andere.reg"};
  for (int day = 1; day <= 28; ++day) {
    char name[64];
    std::snprintf(name, sizeof name, "2026-11-%02d_12-00-00%s.reg", day,
                  day % 2 ? " (rückgängig gemacht)" : "");
    names.push_back(name);
  }
  names.push_back("2026-12-01_00-00-00.reg");
  names.push_back("2026-12-01_00-00-00 (2).reg");
  EXPECT_TRUE(BackupsBeyond(names, 30).empty());
  names.push_back("2026-12-02_00-00-00.reg");
  EXPECT_EQ(BackupsBeyond(names, 30),
            std::vector<std::string>{"2026-11-01_12-00-00 (rückgängig gemacht).reg"});
  EXPECT_EQ(BackupsBeyond(names, 29).size(), 2u);
}

}  // namespace
}  // namespace tw
