#pragma once

// A selection from a registry file, shown in the window before anything is written: the
// program's own export, a backup, or a file from elsewhere. The file's entries are laid over the
// machine's registry in an overlay, and the controls show what the program would read after
// `regedit /s` of that file. Apply then writes, backs up and undoes as always.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "reg_file.h"
#include "settings_apply.h"

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

// Reads the machine into the window and what it remembers (as the current-settings button
// does), then shows the file laid over it; the one-shot buttons keep their state and nothing is
// written anywhere. Reports what changed in an information box. A file that cannot be read,
// is not a registry file, has a line that does not parse, or is larger than kImportLimit leaves
// the window as it was, with an error box that names the file and the first bad line. bytes is
// nothing when the file could not be read at all.
void ImportSelection(ImportWindow& window, const std::string& fileName,
                     const std::optional<Bytes>& bytes);

}  // namespace tw
