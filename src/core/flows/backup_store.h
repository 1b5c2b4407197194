#pragma once

// The folder that keeps the backups of apply runs: the user's local (non-roaming) application
// data, "Tavo Trimmwerk\Sicherungen". The window uses the Win32 folder; tests a folder in
// memory. File names are in the program's code page.

#include <optional>
#include <string>
#include <vector>

#include "registry/registry.h"

namespace tw {

class BackupStore {
 public:
  virtual ~BackupStore() = default;
  // The names of the folder's files; none when the folder is missing or unreadable.
  virtual std::vector<std::string> Names() = 0;
  // Writes a new file (never over an existing one) and flushes it to disk. On failure *why
  // holds the system's reason. A file is written whole or not at all: under a temporary name
  // that is never a backup's, then moved into place.
  virtual bool Create(const std::string& name, const Bytes& data, std::string* why) = 0;
  // Writes the file anew, flushed, the same way; false on failure, and the file stays as it was.
  virtual bool Replace(const std::string& name, const Bytes& data) = 0;
  virtual std::optional<Bytes> Read(const std::string& name) = 0;
  // At most the first `most` bytes of the file (its header).
  virtual std::optional<Bytes> ReadStart(const std::string& name, std::size_t most);
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual bool Remove(const std::string& name) = 0;
};

// The date and time of a run, local or UTC.
struct RunTime {
  int year, month, day, hour, minute, second;
};

// A file of the backup folder, with the UTC time of its run when its header records one.
struct BackupFile {
  std::string name;
  std::optional<RunTime> utc;
};

// "2026-12-08_07-05-09.reg", with " (2)", " (3)" … before ".reg" when that name is taken.
std::string NewBackupName(const std::vector<std::string>& taken, const RunTime& t);
// Whether the name is a backup's (restored or not).
bool IsBackupName(const std::string& name);
// The backups among the files, oldest first, by their runs' UTC times, so that a clock set back
// (the autumn clock change) does not turn the order round. A backup without a UTC time (written
// before the time was recorded, or unreadable) takes its place among the others by its name.
std::vector<std::string> BackupsOldestFirst(const std::vector<BackupFile>& files);
// The newest backup not yet restored, or "" when there is none.
std::string NewestUnrestored(const std::vector<BackupFile>& files);
std::string NewestUnrestored(const std::vector<std::string>& names);
// The name a restored backup takes: "… (rückgängig gemacht).reg".
std::string RestoredName(const std::string& name);
// The backups beyond the newest keep (restored ones included), oldest first.
std::vector<std::string> BackupsBeyond(const std::vector<BackupFile>& files, std::size_t keep);
std::vector<std::string> BackupsBeyond(const std::vector<std::string>& names, std::size_t keep);
// "08.12.2026 um 07:05:09 Uhr", from a backup's name; "" when it is not one.
std::string BackupDateText(const std::string& name);

}  // namespace tw
