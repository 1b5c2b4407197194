#pragma once

#include <map>
#include <string>

#include "flows/backup_store.h"

namespace tw {

// A backup folder in memory, with switches that make it refuse every write, or only the
// rewrites, or only the renames.
class MemoryBackupStore : public BackupStore {
 public:
  std::vector<std::string> Names() override;
  bool Create(const std::string& name, const Bytes& data, std::string* why) override;
  bool Replace(const std::string& name, const Bytes& data) override;
  std::optional<Bytes> Read(const std::string& name) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& name) override;

  bool unwritable = false;
  bool replaceFails = false;
  bool renameFails = false;
  std::map<std::string, Bytes> files;
};

}  // namespace tw
