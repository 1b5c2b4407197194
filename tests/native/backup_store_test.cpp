// Backup file names: one a run in time order, a counter for a second run in the same second,
// the newest not yet restored found first, the restored ones marked, only the newest 30 kept.

#include "flows/backup_store.h"

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

// Ordered by the runs' UTC times: the autumn clock change (03:00 summer time back to 02:00)
// gives a later run an earlier local name.
TEST(BackupNames, TheRunsUtcTimesOrderTheBackups) {
  const RunTime utc0030 = {2026, 10, 25, 0, 30, 0}, utc0110 = {2026, 10, 25, 1, 10, 0};
  struct Case {
    const char* what;
    std::vector<BackupFile> files;
    std::vector<std::string> oldestFirst;
    const char* newest;
  };
  const Case cases[] = {
      {"across the clock change",
       {{"2026-10-25_02-30-00.reg", utc0030}, {"2026-10-25_02-10-00.reg", utc0110}},
       {"2026-10-25_02-30-00.reg", "2026-10-25_02-10-00.reg"},
       "2026-10-25_02-10-00.reg"},
      {"backups without a time before them, by name",
       {{"2026-10-25_02-10-00.reg", utc0110},
        {"2026-10-24_09-00-00.reg", std::nullopt},
        {"2026-10-25_02-30-00.reg", utc0030},
        {"2026-10-23_09-00-00.reg", std::nullopt}},
       {"2026-10-23_09-00-00.reg", "2026-10-24_09-00-00.reg", "2026-10-25_02-30-00.reg",
        "2026-10-25_02-10-00.reg"},
       "2026-10-25_02-10-00.reg"},
      {"a newer one without a time (unreadable) stays the newest",
       {{"2026-10-25_02-30-00.reg", utc0030}, {"2026-12-01_08-00-00.reg", std::nullopt}},
       {"2026-10-25_02-30-00.reg", "2026-12-01_08-00-00.reg"},
       "2026-12-01_08-00-00.reg"},
      {"the same second: the counter",
       {{"2026-10-25_02-30-00 (2).reg", utc0030}, {"2026-10-25_02-30-00.reg", utc0030}},
       {"2026-10-25_02-30-00.reg", "2026-10-25_02-30-00 (2).reg"},
       "2026-10-25_02-30-00 (2).reg"},
      {"the newest restored",
       {{"2026-10-25_02-30-00.reg", utc0030},
        {"2026-10-25_02-10-00 (rückgängig gemacht).reg", utc0110}},
       {"2026-10-25_02-30-00.reg", "2026-10-25_02-10-00 (rückgängig gemacht).reg"},
       "2026-10-25_02-30-00.reg"},
      {"other files and a leftover temporary file are no backups",
       {{"notiz.reg", utc0110},
        {"~2026-10-25_02-10-00.reg.4242.tmp", utc0110},
        {"2026-10-25_02-30-00.reg", utc0030}},
       {"2026-10-25_02-30-00.reg"},
       "2026-10-25_02-30-00.reg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(BackupsOldestFirst(c.files), c.oldestFirst);
    EXPECT_EQ(NewestUnrestored(c.files), c.newest);
    // The cap of one keeps the newest by the same order, restored or not.
    std::vector<std::string> beyond = c.oldestFirst;
    beyond.pop_back();
    EXPECT_EQ(BackupsBeyond(c.files, 1), beyond);
  }
}

}  // namespace
}  // namespace tw
