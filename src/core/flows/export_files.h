#pragma once

// Saving an export's files so that none is lost: each is written whole under a temporary name in
// its folder, and they are moved into place only when every one is written.

#include <optional>
#include <string>
#include <vector>

#include "flows/export_selection.h"

namespace tw {

// What saving needs from the file system.
class ExportTarget {
 public:
  virtual ~ExportTarget() = default;
  // A name in path's folder that no file of the program uses.
  virtual std::u16string TempFor(const std::u16string& path) = 0;
  // Writes the whole file, flushed; on failure nothing is left under path and why says why.
  virtual bool Write(const std::u16string& path, const Bytes& data, std::string* why) = 0;
  // Moves from over to, replacing a file there; on failure both stay as they were.
  virtual bool Move(const std::u16string& from, const std::u16string& to, std::string* why) = 0;
  virtual void Remove(const std::u16string& path) = 0;
  virtual bool Exists(const std::u16string& path) = 0;
  // The file's whole content; nothing when it cannot be read.
  virtual std::optional<Bytes> Read(const std::u16string& path) = 0;
};

// Saves files[i] as names[i]. Returns "" when all are in place; otherwise the error box's text.
// A failed write, or a file to replace that cannot be read first, leaves every existing file
// as it was. When a move fails after others
// succeeded, those files get their former content back (or are removed when they were new),
// and the text says so.
std::string SaveExport(ExportTarget& target, const std::vector<std::u16string>& names,
                       const std::vector<ExportFile>& files);

}  // namespace tw
