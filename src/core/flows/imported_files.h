#pragma once

// What the window shows of the registry files imported since the machine was last loaded: each
// import lays its files over the ones before (import_selection.h), and a new load ends that.

#include <cstddef>
#include <string>
#include <vector>

#include "registry/reg_file.h"

namespace tw {

struct ImportedFiles {
  std::vector<std::string> names;   // in the order laid over
  std::vector<RegFileKey> entries;  // as the overlay takes them, in that order
  std::size_t ignored = 0;          // entries at no place of a setting of the window
  std::size_t skipped = 0;          // lines the reading left out
  std::string firstSkippedFile;     // where the first of them is
  std::size_t firstSkippedLine = 0;
};

}  // namespace tw
