#pragma once

// What every check box of the catalogue leaves in the registry, written out by hand from the
// catalogue's own description and never taken from the program's rows: a misspelt key, value
// name, type or datum in a row then fails the tests instead of being its own expectation.
// A key or value marked absent is one that the state removes. `decided` names the rows where
// the program writes something else on purpose, and why.

#include <cstdint>
#include <string>
#include <vector>

#include "registry/registry.h"
#include "registry/registry_api.h"
#include "system/winversion.h"

namespace tw::test {

// Markers in place of a value type.
constexpr std::uint32_t kKeyOnly = 0xFFFF0001;  // the key exists (stored: is created)
constexpr std::uint32_t kNoKey = 0xFFFF0002;    // the key does not exist
constexpr std::uint32_t kNoValue = 0xFFFF0003;  // the value does not exist

inline Bytes Dw(std::uint32_t v) {
  return {Bytes::value_type(v), Bytes::value_type(v >> 8), Bytes::value_type(v >> 16),
          Bytes::value_type(v >> 24)};
}
inline Bytes Sz(const std::string& s) { return Bytes(s.c_str(), s.c_str() + s.size() + 1); }

struct Entry {
  RegRoot root;
  std::string key;
  std::string name;
  std::uint32_t type;
  Bytes data = {};
};
inline Entry KeyOnly(RegRoot root, const std::string& key) { return {root, key, "", kKeyOnly}; }
inline Entry NoKey(RegRoot root, const std::string& key) { return {root, key, "", kNoKey}; }

struct GoldenRow {
  std::string name;              // Set<name>
  std::vector<Entry> checked;    // after Set<name>(false)
  std::vector<Entry> unchecked;  // after Set<name>(true)
  std::uint32_t numberOn = 0;    // not 0: the getter returns the DWORD, the box is on at this value
  std::string decided = "";      // why the program departs from the catalogue here
};

// Every check box, in the order of the series.
inline std::vector<GoldenRow> GoldenRows() {
  const std::string kAdvanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  const std::string kMemory =
      "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  const std::string kPolicies = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  const std::string kLanman = "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
  const std::string kPlayer = "Software\\Microsoft\\MediaPlayer\\Preferences";
  const std::string kZone3 =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
  const std::string kReporting = "SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
  const std::string kShell = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";
  const std::string kClassesShell =
      "SOFTWARE\\Classes\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";
  const std::string kNameSpace =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
      "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
  const std::string kCpl =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\DisallowCpl";
  const std::string kUsb = "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies";
  const std::string kNtfs = "SYSTEM\\CurrentControlSet\\Control";

  using S = const std::string&;
  auto dword = [](RegRoot r, S k, S v, std::uint32_t n) {
    return Entry{r, k, v, kRegDword, Dw(n)};
  };
  auto text = [](RegRoot r, S k, S v, S t) { return Entry{r, k, v, kRegSz, Sz(t)}; };
  auto expand = [](RegRoot r, S k, S v, S t) { return Entry{r, k, v, kRegExpandSz, Sz(t)}; };
  auto gone = [](RegRoot r, S k, S v) { return Entry{r, k, v, kNoValue}; };
  auto dwordRow = [&](S name, RegRoot r, S k, S v, std::uint32_t on, std::uint32_t off) {
    return GoldenRow{name, {dword(r, k, v, on)}, {dword(r, k, v, off)}};
  };
  auto numberRow = [&](S name, RegRoot r, S k, S v, std::uint32_t on, std::uint32_t off) {
    return GoldenRow{name, {dword(r, k, v, on)}, {dword(r, k, v, off)}, on};
  };
  auto textRow = [&](S name, RegRoot r, S k, S v, S on, S off) {
    return GoldenRow{name, {text(r, k, v, on)}, {text(r, k, v, off)}};
  };
  // A context-menu verb: its caption, and its command in the subkey "command".
  auto verbRow = [&](S name, RegRoot r, S k, S caption, S command) {
    return GoldenRow{
        name, {text(r, k, "", caption), text(r, k + "\\command", "", command)}, {NoKey(r, k)}};
  };
  // Eighteen little-endian words, then 492 zero bytes.
  Bytes layout;
  for (std::uint32_t w : {0x11, 0x4C, 0, 0x34, 0x1B, 0x56, 1, 0x720, 0xFA0, 5, 0x562, 0x26, 2,
                          0x721, 0xFA0, 4, 0x121, 0xFA0}) {
    const Bytes b = Dw(w);
    layout.insert(layout.end(), b.begin(), b.end());
  }
  layout.resize(layout.size() + 492, 0);
  const Bytes detail = {0x08, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x00,
                        0x00, 0x00, 0x00, 0x77, 0x7E, 0x13, 0x73, 0x35, 0xCF, 0x11,
                        0xAE, 0x69, 0x08, 0x00, 0x2B, 0x2E, 0x12, 0x62, 0x04, 0x00,
                        0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x43, 0x00, 0x00, 0x00};
  const std::string restore = kShell + "\\Systemwiederherstellung";
  const std::string quotedVerb = "\"notepad.exe %1\"";

  // clang-format off
  return {
    // First series.
    dwordRow("BalloonTips", HKCU, kAdvanced, "EnableBalloonTips", 0, 1),
    dwordRow("IncreasePerformance", HKLM, kMemory, "DisablePagingExecutive", 1, 0),
    {"DeactivatePreview",
     {NoKey(HKCR, "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview")},
     {text(HKCR, "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview",
           "", "{e84fda7c-1d6a-45f6-b725-cb260c236066}")}},
    dwordRow("DeactivateAutorun", HKLM, "SYSTEM\\CurrentControlSet\\Services\\Cdrom", "AutoRun", 0, 1),
    textRow("MuteBeepTone", HKCU, "Control Panel\\Sound", "Beep", "no", "yes"),
    {"SpeedupNetwork", {NoKey(HKLM, kNameSpace)}, {text(HKLM, kNameSpace, "", "Geplante Tasks")}},
    dwordRow("FastLogin", HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
             "DisableCAD", 1, 0),
    textRow("KillProcess", HKLM, "SYSTEM\\ControlSet001\\Control", "WaitToKillServiceTimeout", "5000",
            "20000"),
    dwordRow("LowDiskSpace", HKCU, kPolicies, "NoLowDiskSpaceChecks", 1, 0),
    dwordRow("StopDesktopCleaning", HKCU,
             "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\CleanupWiz", "NoRun",
             1, 0),
    dwordRow("FastWindowsShutdown", HKLM, kMemory, "ClearPageFileAtShutdown", 0, 1),
    dwordRow("ShowFileext", HKCU, kAdvanced, "HideFileExt", 0, 1),
    dwordRow("ShowAllFiles", HKCU, kAdvanced, "Hidden", 1, 0),
    dwordRow("ShowSystemFiles", HKCU, kAdvanced, "ShowSuperHidden", 1, 0),
    dwordRow("StopWebsearch", HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
             "InternetOpenWith", 0, 1),
    dwordRow("StopErrorreporting", HKLM, kReporting, "ShowUI", 0, 1),
    dwordRow("IncreaseSystemPerformance", HKCU, "Control Panel\\Desktop", "FontSmoothingType", 0, 2),
    textRow("DeactivatePersonalMenus", HKCU, kAdvanced, "IntelliMenus", "no", "yes"),
    dwordRow("DontGroupTaskbaritems", HKCU, kAdvanced, "TaskbarGlomming", 0, 1),
    dwordRow("DisableRemoteDesktop", HKLM, "SYSTEM\\CurrentControlSet\\Control\\Terminal Server",
             "fAllowToGetHelp", 0, 1),
    dwordRow("DisableAutoUpdate", HKLM, "SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU",
             "NoAutoUpdate", 1, 0),
    {"DeleteAdminShare",
     {dword(HKLM, kLanman, "AutoShareWks", 0), dword(HKLM, kLanman, "AutoShareServer", 0)},
     {gone(HKLM, kLanman, "AutoShareWks"), gone(HKLM, kLanman, "AutoShareServer")}},
    dwordRow("StopSecurityCenter", HKLM, "SYSTEM\\CurrentControlSet\\Services\\wscsvc", "Start", 4, 2),
    textRow("SavePrivacy", HKLM, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "RegDone", "1", "0"),
    {"EliminateDownloadlimit", {dword(HKLM, kLanman, "TcpNumConnections", 0xFFFFFE)},
     {gone(HKLM, kLanman, "TcpNumConnections")}},
    dwordRow("StopIEErrorreporting", HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Main",
             "IEWatsonEnabled", 0, 1),
    {"DisableActiveX",
     {dword(HKCU, kZone3, "1001", 3), dword(HKCU, kZone3, "1004", 3), dword(HKCU, kZone3, "1200", 3),
      dword(HKCU, kZone3, "1201", 3), dword(HKCU, kZone3, "1405", 3)},
     {dword(HKCU, kZone3, "1001", 1), dword(HKCU, kZone3, "1004", 1), dword(HKCU, kZone3, "1200", 1),
      dword(HKCU, kZone3, "1201", 1), dword(HKCU, kZone3, "1405", 1)}},
    dwordRow("StopVBScript", HKLM, "SOFTWARE\\Microsoft\\Windows Script Host\\Settings", "Enabled", 0, 1),
    dwordRow("StopWhispering", HKCU, kPlayer, "UsageTracking", 0, 1),
    dwordRow("DontLoadMetadata", HKCU, kPlayer, "MetadataRetrieval", 0, 1),
    dwordRow("DontLoadLicenses", HKCU, kPlayer, "SilentAcquisition", 0, 1),
    dwordRow("DontLoadCodecs", HKCU, kPlayer, "UpgradeCodecPrompt", 0, 1),
    {"StopAutoUpdate",
     {dword(HKCU, kPlayer, "UpgradeCheckFrequency", 7), text(HKCU, kPlayer, "AskMeAgain", "no")},
     {dword(HKCU, kPlayer, "UpgradeCheckFrequency", 1), gone(HKCU, kPlayer, "AskMeAgain")}},

    // Second series.
    {"ControlPanel",
     {text(HKLM, kClassesShell + "\\Systemsteuerung\\command", "",
           "rundll32.exe shell32.dll,Control_RunDLL")},
     {NoKey(HKLM, kClassesShell + "\\Systemsteuerung")}},
    {"Services",
     {expand(HKCR, kShell + "\\services", "", "Services"),
      dword(HKCR, kShell + "\\services", "SuppressionPolicy", 0x4000003C),
      expand(HKCR, kShell + "\\services\\command", "",
             "%windir%\\system32\\mmc.exe /s %SystemRoot%\\system32\\services.msc /s")},
     {NoKey(HKCR, kShell + "\\services")}},
    {"Devices",
     {text(HKLM, kClassesShell + "\\DevMgr", "", "Gerätemanager"),
      expand(HKLM, kClassesShell + "\\DevMgr\\command", "",
             "mmc.exe %SystemRoot%\\system32\\devmgmt.msc")},
     {NoKey(HKLM, kClassesShell + "\\DevMgr")}, 0,
     "the command is REG_EXPAND_SZ \"mmc.exe %SystemRoot%\\system32\\devmgmt.msc\"; the catalogue's "
     "REG_SZ \"mmc.exe %%SYSTEMDRIVE%%\\\\WINDOWS\\\\SYSTEM32\\\\devmgmt.msc\" never starts it"},
    verbRow("RegEdit", HKCR, kShell + "\\regedit", "Registry-Editor", "Regedit.exe"),
    {"SystemRestore",
     {expand(HKCR, restore + "\\command", "",
             IsWindowsVista() ? "%windir%\\system32\\rstrui.exe"
                              : "%windir%\\system32\\restore\\rstrui.exe")},
     {NoKey(HKCR, restore)}, 0,
     "Vista keeps rstrui.exe in system32 itself, not under restore\\; the verb names the program "
     "that exists"},
    verbRow("Software", HKCR, kShell + "\\Add/Remove Programs", "Programme installieren/entfernen",
            "control appwiz.cpl"),
    verbRow("Msconfig", HKCR, kShell + "\\msconfig", "Systemkonfigurationsprogramm", "msconfig.exe"),
    textRow("NotepadReg", HKCR, "regfile\\shell", "", "Edit", ""),
    {"UnknownFiles",
     {text(HKCR, "*\\shell", "", quotedVerb), text(HKCR, "*\\shell\\open", "", "Mit Notepad öffnen..."),
      text(HKCR, "*\\shell\\open\\command", "", "notepad.exe %1")},
     {NoKey(HKCR, "*\\shell\\open"), gone(HKCR, "*\\shell", "")}, 0,
     "unchecked takes back only what checked wrote: \"*\\shell\\open\", and the default verb while "
     "it is still the quoted one; other verbs stay"},
    {"EasyCopying",
     {text(HKCR, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Kopieren nach...", "",
           "{c2fbb630-2971-11d1-a18c-00c04fd75d13}")},
     {NoKey(HKCR, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Kopieren nach...")}},
    {"EasyMoving",
     {text(HKCR, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Verschieben nach...", "",
           "{C2FBB631-2971-11D1-A18C-00C04FD75D13}")},
     {NoKey(HKCR, "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Verschieben nach...")}},
    {"FolderInNewWindow",
     {text(HKLM, "SOFTWARE\\Classes\\Directory\\shell\\openNew", "", "In neuem Fenster öffnen..."),
      text(HKLM, "SOFTWARE\\Classes\\Directory\\shell\\openNew\\Command", "", "explorer %1")},
     {NoKey(HKLM, "SOFTWARE\\Classes\\Directory\\shell\\openNew")}},
    verbRow("OpenConsole", HKCR, "Directory\\shell\\Command Prompt Here",
            "Eingabeaufforderung im Verzeichnis öffnen...", "cmd.exe /k cd %1"),
    verbRow("Logoff", HKCR, kShell + "\\Abmelden", "Abmelden...", "shutdown -l -f -t 5"),
    verbRow("Restart", HKCR, kShell + "\\Neustart", "Neustart...", "shutdown -r -f -t 5"),
    verbRow("Shutdown", HKCR, kShell + "\\Herunterfahren", "Herunterfahren...", "shutdown -s -f -t 5"),
    dwordRow("CmdQuickEdit", HKCU, "Console", "Quickedit", 1, 0),
    dwordRow("FullStopErrorReporting", HKLM, kReporting, "DoReport", 0, 1),
    {"DetailView",
     {{HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams", "Settings",
       kRegBinary, detail}},
     {gone(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Streams", "Settings")}},
    {"StatusAndAddressbar",
     {dword(HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "StatusBarOther", 1),
      {HKCU, "Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser", "ITBarLayout",
       kRegBinary, layout}},
     {dword(HKCU, "Software\\Microsoft\\Internet Explorer\\Main", "StatusBarOther", 0),
      gone(HKCU, "Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser", "ITBarLayout")}},
    textRow("KillTheDog", HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState",
            "Use Search Asst", "no", "yes"),
    dwordRow("StopHighlighting", HKCU, kAdvanced, "Start_NotifyNewApps", 0, 1),
    numberRow("ActivateMemSharing", HKLM,
              "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
              "MemCheckBoxInRunDlg", 1, 0),
    numberRow("NukeOnDelete", HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket",
              "NukeOnDelete", 1, 0),
    numberRow("NetworkMenu", HKCU, kAdvanced, "Start_ShowNetPlaces", 2, 1),
    numberRow("ControlPanelMenu", HKCU, kAdvanced, "Start_ShowControlPanel", 2, 1),
    numberRow("MyComputerMenu", HKCU, kAdvanced, "Start_ShowMyComputer", 2, 1),

    // Privacy and 2007 series.
    {"HidePlayerID", {{HKCU, kPlayer, "SendUserGUID", kRegBinary, {0x00}}},
     {{HKCU, kPlayer, "SendUserGUID", kRegBinary, {0x01}}}},
    dwordRow("DeactivateWindowsAuth", HKCU,
             "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate", 0, 1),
    dwordRow("SearchUnknownFiles", HKLM, "SYSTEM\\CurrentControlSet\\Control\\ContentIndex",
             "FilterFilesWithUnknownExtensions", 1, 0),
    {"HideCommonFiles",
     {NoKey(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\"
                  "DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}")},
     {KeyOnly(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\"
                    "DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}")}},
    dwordRow("ExpandIconCache", HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
             "Max Cached Icons", 2000, 500),
    {"ExpandTaskSwitch",
     {dword(HKCU, "Control Panel\\Desktop", "CoolSwitchColumns", 14),
      dword(HKCU, "Control Panel\\Desktop", "CoolSwitchRows", 6)},
     {dword(HKCU, "Control Panel\\Desktop", "CoolSwitchColumns", 7),
      dword(HKCU, "Control Panel\\Desktop", "CoolSwitchRows", 3)}},
    dwordRow("LockNumlock", HKCU, "Control Panel\\Keyboard", "InitialKeyboardIndicators", 2, 0),
    {"HideShortCutArrow", {gone(HKCR, "Lnkfile", "IsShortcut")},
     {text(HKCR, "Lnkfile", "IsShortcut", "")}},
    dwordRow("AeroSlowMotion", HKCU, "Software\\Microsoft\\Windows\\DWM", "AnimationShiftKey", 1, 0),
    dwordRow("FixedEntries", HKCU, kPolicies, "NoChangeStartMenu", 1, 0),
    dwordRow("HideDocuments", HKCU, kPolicies, "NoRecentDocsMenu", 1, 0),
    dwordRow("HideHelpDesk", HKCU, kPolicies, "NoSMHelp", 1, 0),
    dwordRow("HideProgramAccess", HKCU, kPolicies, "NoSMConfigurePrograms", 1, 0),
    dwordRow("DontLogPrograms", HKCU, kPolicies, "NoInstrumentation", 1, 0),
    dwordRow("HideMyFiles", HKCU, kAdvanced, "Start_ShowMyDocs", 0, 1),
    dwordRow("HideMyPictures", HKCU, kAdvanced, "Start_ShowMyPics", 0, 1),
    dwordRow("HideMyMusic", HKCU, kAdvanced, "Start_ShowMyMusic", 0, 1),
    {"DenyUSBWriteAccess", {dword(HKLM, kUsb, "WriteProtect", 1)}, {gone(HKLM, kUsb, "WriteProtect")}},
    {"DisallowNusrmgr", {text(HKCU, kCpl, "1", "nusrmgr.cpl")}, {gone(HKCU, kCpl, "1")}},
    {"DisallowAppwiz", {text(HKCU, kCpl, "2", "appwiz.cpl")}, {gone(HKCU, kCpl, "2")}},
    {"DisallowSecCenter", {text(HKCU, kCpl, "3", "wscui.cpl")}, {gone(HKCU, kCpl, "3")}},
    dwordRow("DisableUAC", HKLM, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System",
             "EnableLUA", 0, 1),
    {"DisableNtfsTimestamps",
     {dword(HKLM, kNtfs, "NtfsDisable 8dot3NameCreation", 1),
      dword(HKLM, kNtfs, "NtfsDisable LastAccessUpdate", 1)},
     {dword(HKLM, kNtfs, "NtfsDisable 8dot3NameCreation", 0),
      dword(HKLM, kNtfs, "NtfsDisable LastAccessUpdate", 0)}},
    dwordRow("DisableMailSplash", HKCU, "Software\\Microsoft\\Windows Mail", "NoSplash", 1, 0),
  };
  // clang-format on
}

}  // namespace tw::test
