#include "support/memory_backup_store.h"

namespace tw {

std::vector<std::string> MemoryBackupStore::Names() {
  std::vector<std::string> names;
  for (const auto& [name, data] : files) names.push_back(name);
  return names;
}

bool MemoryBackupStore::Create(const std::string& name, const Bytes& data, std::string* why) {
  if (unwritable || files.count(name)) {
    if (why) *why = "Zugriff verweigert";
    return false;
  }
  files[name] = data;
  return true;
}

bool MemoryBackupStore::Replace(const std::string& name, const Bytes& data) {
  if (unwritable || replaceFails || !files.count(name)) return false;
  files[name] = data;
  return true;
}

std::optional<Bytes> MemoryBackupStore::Read(const std::string& name) {
  const auto it = files.find(name);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

bool MemoryBackupStore::Rename(const std::string& from, const std::string& to) {
  if (unwritable || renameFails || !files.count(from) || files.count(to)) return false;
  files[to] = files[from];
  files.erase(from);
  return true;
}

bool MemoryBackupStore::Remove(const std::string& name) {
  return !unwritable && files.erase(name) == 1;
}

}  // namespace tw
