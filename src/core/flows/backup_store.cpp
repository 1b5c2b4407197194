#include "flows/backup_store.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace tw {
namespace {

const char kRestored[] = " (rückgängig gemacht)";
const char kExtension[] = ".reg";

struct BackupName {
  std::string stamp;  // "2026-12-08_07-05-09"
  int counter = 1;
  bool restored = false;
};

bool Digits(const std::string& s, std::size_t from, std::size_t count) {
  for (std::size_t i = from; i < from + count; ++i) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

// A file name of the backup folder, or nothing when it is not a backup.
std::optional<BackupName> Parse(const std::string& name) {
  static const char kShape[] = "0000-00-00_00-00-00";
  if (name.size() < sizeof kShape - 1 || !EndsWith(name, kExtension)) return std::nullopt;
  for (std::size_t i = 0; i + 1 < sizeof kShape; ++i) {
    if (kShape[i] == '0' ? !Digits(name, i, 1) : name[i] != kShape[i]) return std::nullopt;
  }
  BackupName b;
  b.stamp = name.substr(0, sizeof kShape - 1);
  std::string rest = name.substr(b.stamp.size(), name.size() - b.stamp.size() - 4);
  if (EndsWith(rest, kRestored)) {
    b.restored = true;
    rest.resize(rest.size() - (sizeof kRestored - 1));
  }
  if (!rest.empty()) {
    if (rest.size() < 4 || rest.compare(0, 2, " (") != 0 || rest.back() != ')' ||
        !Digits(rest, 2, rest.size() - 3) || rest.size() > 8)
      return std::nullopt;
    b.counter = std::stoi(rest.substr(2, rest.size() - 3));
  }
  return b;
}

bool Older(const BackupName& a, const BackupName& b) {
  return a.stamp != b.stamp ? a.stamp < b.stamp : a.counter < b.counter;
}

std::tuple<int, int, int, int, int, int> Fields(const RunTime& t) {
  return {t.year, t.month, t.day, t.hour, t.minute, t.second};
}

struct Backup {
  BackupName parsed;
  std::string name;
  std::optional<RunTime> utc;
};

// The backups among the files, oldest first.
std::vector<Backup> Backups(const std::vector<BackupFile>& files) {
  // Those with a UTC time in its order (the name's order within one second), the others in
  // their names' order; then the two lists merged by name.
  std::vector<Backup> timed, untimed;
  for (const BackupFile& f : files) {
    if (auto b = Parse(f.name)) (f.utc ? timed : untimed).push_back({*b, f.name, f.utc});
  }
  const auto byName = [](const Backup& x, const Backup& y) { return Older(x.parsed, y.parsed); };
  std::sort(untimed.begin(), untimed.end(), byName);
  std::sort(timed.begin(), timed.end(), [&](const Backup& x, const Backup& y) {
    const auto a = Fields(*x.utc), b = Fields(*y.utc);
    return a != b ? a < b : byName(x, y);
  });
  std::vector<Backup> out;
  std::size_t t = 0, u = 0;
  while (t < timed.size() || u < untimed.size()) {
    const bool takeUntimed =
        t == timed.size() || (u < untimed.size() && byName(untimed[u], timed[t]));
    out.push_back(takeUntimed ? untimed[u++] : timed[t++]);
  }
  return out;
}

std::vector<BackupFile> Untimed(const std::vector<std::string>& names) {
  std::vector<BackupFile> files;
  for (const std::string& n : names) files.push_back({n, std::nullopt});
  return files;
}

}  // namespace

std::optional<Bytes> BackupStore::ReadStart(const std::string& name, std::size_t most) {
  std::optional<Bytes> data = Read(name);
  if (data && data->size() > most) data->resize(most);
  return data;
}

std::string NewBackupName(const std::vector<std::string>& taken, const RunTime& t) {
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d-%02d-%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  int counter = 1;
  for (const std::string& name : taken) {
    const auto b = Parse(name);
    if (b && b->stamp == stamp) counter = std::max(counter, b->counter + 1);
  }
  std::string name = stamp;
  if (counter > 1) name += " (" + std::to_string(counter) + ")";
  return name + kExtension;
}

bool IsBackupName(const std::string& name) { return Parse(name).has_value(); }

std::vector<std::string> BackupsOldestFirst(const std::vector<BackupFile>& files) {
  std::vector<std::string> names;
  for (const Backup& b : Backups(files)) names.push_back(b.name);
  return names;
}

std::string NewestUnrestored(const std::vector<BackupFile>& files) {
  const std::vector<Backup> backups = Backups(files);
  for (auto it = backups.rbegin(); it != backups.rend(); ++it) {
    if (!it->parsed.restored) return it->name;
  }
  return "";
}

std::string NewestUnrestored(const std::vector<std::string>& names) {
  return NewestUnrestored(Untimed(names));
}

std::string RestoredName(const std::string& name) {
  return name.substr(0, name.size() - (sizeof kExtension - 1)) + kRestored + kExtension;
}

std::vector<std::string> BackupsBeyond(const std::vector<BackupFile>& files, std::size_t keep) {
  std::vector<std::string> out = BackupsOldestFirst(files);
  out.resize(out.size() > keep ? out.size() - keep : 0);
  return out;
}

std::vector<std::string> BackupsBeyond(const std::vector<std::string>& names, std::size_t keep) {
  return BackupsBeyond(Untimed(names), keep);
}

std::string BackupDateText(const std::string& name) {
  const auto b = Parse(name);
  if (!b) return "";
  const std::string& s = b->stamp;
  return s.substr(8, 2) + "." + s.substr(5, 2) + "." + s.substr(0, 4) + " um " + s.substr(11, 2) +
         ":" + s.substr(14, 2) + ":" + s.substr(17, 2) + " Uhr";
}

}  // namespace tw
