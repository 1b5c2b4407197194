#pragma once

// The registry keys of the catalogue, each in one place.

#include <string>

namespace tw {

inline const std::string kBitBucket =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";
inline const std::string kMediaPlayer = "Software\\Microsoft\\MediaPlayer\\Preferences";
inline const std::string kIeMain = "Software\\Microsoft\\Internet Explorer\\Main";

inline const std::string kAdvanced =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
inline const std::string kMemoryManagement =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline const std::string kPoliciesExplorer =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline const std::string kErrorReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
inline const std::string kLanmanParameters =
    "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
inline const std::string kDisallowCpl =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowCpl";
// The verbs of the desktop's My Computer icon, through HKCR and through HKLM.
inline const std::string kMyComputer = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";
inline const std::string kMyComputerHklm =
    "SOFTWARE\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";
inline const std::string kDesktop = "Control Panel\\Desktop";
inline const std::string kCommandProcessor = "Software\\Microsoft\\Command Processor";
inline const std::string kStreams =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams";
inline const std::string kShellBrowser =
    "Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser";
inline const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
inline const std::string kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline const std::string kSearchScopes = "Software\\Microsoft\\Internet Explorer\\SearchScopes\\";
// The system restore verb of the My Computer icon.
inline const std::string kRestoreVerb = kMyComputer + "\\Systemwiederherstellung";
inline const std::string kAllFilesShell = "*\\shell";
inline const std::string kAllFilesOpen = "*\\shell\\open";
inline const std::string kSearchUrl = "Software\\Microsoft\\Internet Explorer\\SearchURL";
inline const std::string kIeSearch = "SOFTWARE\\Microsoft\\Internet Explorer\\Search";
inline const std::string kExtensions = "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
inline const std::string kHelperObjects =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
inline const std::string kToolbars = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
inline const std::string kRebootRequired =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\RebootRequired";

}  // namespace tw
