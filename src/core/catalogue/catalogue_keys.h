#pragma once

// Registry keys that more than one part of the catalogue reads or writes.

#include <string>

namespace tw {

inline const std::string kBitBucket =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";
inline const std::string kMediaPlayer = "Software\\Microsoft\\MediaPlayer\\Preferences";
inline const std::string kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";

}  // namespace tw
