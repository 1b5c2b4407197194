#pragma once

// A selection from a registry file, shown in the window before anything is written: the
// program's own export, a backup, or a file from elsewhere. The file's entries are laid over the
// machine's registry in an overlay, and the controls show what the program would read after
// `regedit /s` of that file. Apply then writes, backs up and undoes as always.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "flows/write_steps.h"
#include "registry/reg_file.h"

namespace tw {

// Files larger than this are refused unread.
constexpr std::size_t kImportLimit = 4 * 1024 * 1024;

// What the import needs from the main window.
struct ImportWindow {
  ControlSurface& controls;
  LoadedControls& loaded;
  // Set after an import: the window no longer shows the machine, so closing asks first.
  bool& standardViewShown;
  Layout layout;
  std::function<std::string(const std::string& control)> caption;
};

// What the import did to the window.
struct ImportCounts {
  std::size_t changed = 0;  // settings that now differ from the machine
  std::size_t ignored = 0;  // entries at no place of this layout's settings
};

// The file's entries as the overlay takes them: keys of HKEY_USERS and HKEY_CURRENT_CONFIG left
// out, the rest as written (the overlay knows which names lead to one key).
std::vector<RegFileKey> OverlayEntries(const RegFile& file);
// The value and "[-key]" entries that are neither at nor above a place of a setting of layout,
// CurrentControlSet taken as the control set numbered controlSet.
std::size_t IgnoredEntries(const RegFile& file, Layout layout, unsigned controlSet = 1);

// A file chosen for import: its name, and its bytes or nothing when it could not be read.
struct ImportFile {
  std::string name;
  std::optional<Bytes> bytes;
};

// Reads the machine into the window and what it remembers (as the current-settings button
// does), then shows the files imported since the last load and the new ones (in the order of
// their names) laid over it; the one-shot buttons keep their state and nothing is written
// anywhere. The files are read as regedit reads them, lines it would skip left out. Reports in
// an information box everything imported since the load: the settings that differ, the entries
// and the lines left out. When one of the files cannot be read, is not a registry file or is
// larger than kImportLimit, none of them is shown: the window stays as it was and an error box
// names that file.
void ImportSelection(ImportWindow& window, std::vector<ImportFile> files);

// The files an open dialog that takes several chose, from its answer: a full path, or the
// folder followed by names, each ended by a zero, the list by another.
std::vector<std::u16string> ChosenFiles(const std::u16string& answer);

}  // namespace tw
