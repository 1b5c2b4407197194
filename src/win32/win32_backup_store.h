#pragma once

// The backup folder on disk: the user's local application data (CSIDL_LOCAL_APPDATA, on a
// German XP "Lokale Einstellungen\Anwendungsdaten"), "Tavo Trimmwerk\Sicherungen". Wide file
// calls throughout, so a user name outside the code page still reaches the folder. Also the
// clock that dates the runs.

#include <string>

#include "flows/backup_store.h"
#include "flows/export_files.h"

namespace tw {

class Win32BackupStore : public BackupStore {
 public:
  // folder: a folder of its own (tests); empty for the user's backup folder.
  explicit Win32BackupStore(std::wstring folder = L"");

  std::vector<std::string> Names() override;
  bool Create(const std::string& name, const Bytes& data, std::string* why) override;
  bool Replace(const std::string& name, const Bytes& data) override;
  std::optional<Bytes> Read(const std::string& name) override;
  std::optional<Bytes> ReadStart(const std::string& name, std::size_t most) override;
  bool Rename(const std::string& from, const std::string& to) override;
  bool Remove(const std::string& name) override;

  const std::wstring& folder() const { return folder_; }

 private:
  std::wstring Path(const std::string& name) const;
  std::wstring TempPath(const std::string& name) const;

  std::wstring folder_;
};

// The first bytes of a file of the user's choosing, at most most of them; nothing when it
// cannot be read.
std::optional<Bytes> ReadWholeFile(const std::wstring& path, std::size_t most);

// Writes the bytes to a file of the user's choosing, replacing it; false with *why on failure.
bool WriteWholeFile(const std::wstring& path, const Bytes& data, std::string* why);

// The files of an export, in folders of the user's choosing.
class Win32ExportTarget : public ExportTarget {
 public:
  std::u16string TempFor(const std::u16string& path) override;
  bool Write(const std::u16string& path, const Bytes& data, std::string* why) override;
  bool Move(const std::u16string& from, const std::u16string& to, std::string* why) override;
  void Remove(const std::u16string& path) override;
  bool Exists(const std::u16string& path) override;
  std::optional<Bytes> Read(const std::u16string& path) override;
};

// The local date and time now.
RunTime LocalRunTime();
// The UTC date and time now, which orders the backups.
RunTime UtcRunTime();

}  // namespace tw
