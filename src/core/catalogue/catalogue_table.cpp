// Every tweak that is plain registry data, one row each: tweak ID, name, root and key, the
// getter's conditions, then the steps of the checked state and of the unchecked state.

#include <string>
#include <utility>

#include "catalogue/catalogue_keys.h"
#include "catalogue/catalogue_row.h"

namespace tw {
namespace {

const std::string kDefault;  // the key's unnamed default value

// Getter conditions.
Condition DwordIs(const std::string& value, std::int32_t def, std::int32_t want) {
  return {Check::DwordIs, "", value, def, want};
}
Condition DwordAbove(const std::string& value, std::int32_t def, std::int32_t limit) {
  return {Check::DwordAbove, "", value, def, limit};
}
Condition TextIs(const std::string& value, const std::string& def, const std::string& want) {
  return {Check::TextIs, "", value, 0, 0, def, want};
}
Condition NumberIs(const std::string& value, const std::string& def, std::int32_t want) {
  return {Check::NumberIs, "", value, 0, want, def};
}
Condition NumberAtMost(const std::string& value, const std::string& def, std::int32_t limit) {
  return {Check::NumberAtMost, "", value, 0, limit, def};
}
Condition KeyPresent(const std::string& sub = "") { return {Check::KeyPresent, sub}; }
Condition KeyAbsent() { return {Check::KeyAbsent}; }
Condition ValueAbsent(const std::string& value) { return {Check::ValueAbsent, "", value}; }

// Setter steps.
Step Dword(const std::string& value, std::int32_t number) { return {Op::Dword, "", value, number}; }
Step Sz(const std::string& value, const std::string& text) { return {Op::Sz, "", value, 0, text}; }
Step ExpandSz(const std::string& value, const std::string& text) {
  return {Op::ExpandSz, "", value, 0, text};
}
Step RemoveValue(const std::string& value) { return {Op::RemoveValue, "", value}; }
Step RemoveKey() { return {Op::RemoveKey}; }
Step MakeKey() { return {Op::MakeKey}; }

TweakRow Row(std::uint32_t id, const std::string& name, RegRoot root, const std::string& key,
             std::vector<Condition> test, std::vector<Step> checked, std::vector<Step> unchecked) {
  return {id, name, root, key, std::move(test), std::move(checked), std::move(unchecked)};
}

// DwordRow(id, name, root, key, value, default, checked, unchecked): one DWORD value; the box is
// checked when it equals the checked datum.
TweakRow DwordRow(std::uint32_t id, const std::string& name, RegRoot root, const std::string& key,
                  const std::string& value, std::int32_t def, std::int32_t checked,
                  std::int32_t unchecked) {
  return Row(id, name, root, key, {DwordIs(value, def, checked)}, {Dword(value, checked)},
             {Dword(value, unchecked)});
}

// The same, with a getter that returns the number for the window to compare.
TweakRow NumberRow(std::uint32_t id, const std::string& name, RegRoot root, const std::string& key,
                   const std::string& value, std::int32_t def, std::int32_t checked,
                   std::int32_t unchecked) {
  TweakRow row = DwordRow(id, name, root, key, value, def, checked, unchecked);
  row.numberGetter = true;
  return row;
}

// TextRow(id, name, root, key, value, default, checked, unchecked): one REG_SZ value; the box is
// checked when it is exactly the checked text.
TweakRow TextRow(std::uint32_t id, const std::string& name, RegRoot root, const std::string& key,
                 const std::string& value, const std::string& def, const std::string& checked,
                 const std::string& unchecked) {
  return Row(id, name, root, key, {TextIs(value, def, checked)}, {Sz(value, checked)},
             {Sz(value, unchecked)});
}

// VerbRow(id, name, root, key, caption, command): a context-menu verb, checked when its key
// exists; checked writes the default value of the "command" subkey, then the caption (so the
// verb never holds a caption without its command), unchecked removes the verb with its subtree.
TweakRow VerbRow(std::uint32_t id, const std::string& name, RegRoot root, const std::string& key,
                 const std::string& caption, const std::string& command) {
  return Row(id, name, root, key, {KeyPresent()},
             {Sz(kDefault, command).In("command"), Sz(kDefault, caption)}, {RemoveKey()});
}

// KeyRow(id, name, root, key, steps): checked when the key exists; checked writes the steps,
// unchecked removes the key with its subtree.
TweakRow KeyRow(std::uint32_t id, const std::string& name, RegRoot root, const std::string& key,
                std::vector<Step> checked) {
  return Row(id, name, root, key, {KeyPresent()}, std::move(checked), {RemoveKey()});
}

// DisallowCplRow(id, name, entry, applet): a control panel applet the user may not open, named
// by one entry of the disallow list; checked when the entry names it.
TweakRow DisallowCplRow(std::uint32_t id, const std::string& name, const std::string& entry,
                        const std::string& applet) {
  return Row(id, name, HKCU, kDisallowCpl, {TextIs(entry, "", applet)}, {Sz(entry, applet)},
             {RemoveValue(entry)});
}

std::vector<TweakRow> FirstSeries() {
  return {
      DwordRow(20060501, "BalloonTips", HKCU, kAdvanced, "EnableBalloonTips", 1, 0, 1),
      DwordRow(20060502, "IncreasePerformance", HKLM, kMemoryManagement, "DisablePagingExecutive",
               0, 1, 0),
      {20060503,
       "DeactivatePreview",
       HKCR,
       "SystemFileAssociations\\image\\ShellEx\\ContextMenuHandlers\\ShellImagePreview",
       {KeyAbsent()},
       {RemoveKey()},
       {Sz(kDefault, "{e84fda7c-1d6a-45f6-b725-cb260c236066}")}},
      DwordRow(20060505, "DeactivateAutorun", HKLM, "SYSTEM\\CurrentControlSet\\Services\\Cdrom",
               "AutoRun", 1, 0, 1),
      TextRow(20060506, "MuteBeepTone", HKCU, "Control Panel\\Sound", "Beep", "yes", "no", "yes"),
      // Present means unchecked: the window negates this getter.
      {20060508,
       "SpeedupNetwork",
       HKLM,
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
       "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
       {KeyPresent()},
       {RemoveKey()},
       {Sz(kDefault, "Geplante Tasks")}},
      DwordRow(20060510, "FastLogin", HKLM,
               "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "DisableCAD", 0, 1, 0),
      {20060512,
       "KillProcess",
       HKLM,
       "SYSTEM\\ControlSet001\\Control",
       {NumberAtMost("WaitToKillServiceTimeout", "20000", 6000)},
       {Sz("WaitToKillServiceTimeout", "5000")},
       {Sz("WaitToKillServiceTimeout", "20000")}},
      DwordRow(20060513, "LowDiskSpace", HKCU, kPoliciesExplorer, "NoLowDiskSpaceChecks", 0, 1, 0),
      DwordRow(20060514, "StopDesktopCleaning", HKCU, kExplorer + "\\Desktop\\CleanupWiz", "NoRun",
               0, 1, 0),
      DwordRow(20060515, "FastWindowsShutdown", HKLM, kMemoryManagement, "ClearPageFileAtShutdown",
               0, 0, 1),
      DwordRow(20060517, "ShowFileext", HKCU, kAdvanced, "HideFileExt", 1, 0, 1),
      DwordRow(20060518, "ShowAllFiles", HKCU, kAdvanced, "Hidden", 0, 1, 0),
      DwordRow(20060520, "ShowSystemFiles", HKCU, kAdvanced, "ShowSuperHidden", 0, 1, 0),
      DwordRow(20060521, "StopWebsearch", HKCU, kExplorer, "InternetOpenWith", 1, 0, 1),
      DwordRow(20060507, "StopErrorreporting", HKLM, kErrorReporting, "ShowUI", 1, 0, 1),
      DwordRow(20060523, "IncreaseSystemPerformance", HKCU, kDesktop, "FontSmoothingType", 2, 0, 2),
      TextRow(20060525, "DeactivatePersonalMenus", HKCU, kAdvanced, "IntelliMenus", "yes", "no",
              "yes"),
      DwordRow(20060530, "DontGroupTaskbaritems", HKCU, kAdvanced, "TaskbarGlomming", 1, 0, 1),
      DwordRow(20060531, "DisableRemoteDesktop", HKLM,
               "SYSTEM\\CurrentControlSet\\Control\\Terminal Server", "fAllowToGetHelp", 1, 0, 1),
      DwordRow(20060532, "DisableAutoUpdate", HKLM,
               "SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU", "NoAutoUpdate", 0, 1,
               0),
      {20060533,
       "DeleteAdminShare",
       HKLM,
       kLanmanParameters,
       {DwordIs("AutoShareWks", 1, 0), DwordIs("AutoShareServer", 1, 0)},
       {Dword("AutoShareWks", 0), Dword("AutoShareServer", 0)},
       {RemoveValue("AutoShareWks"), RemoveValue("AutoShareServer")}},
      DwordRow(20060534, "StopSecurityCenter", HKLM, "SYSTEM\\CurrentControlSet\\Services\\wscsvc",
               "Start", 2, 4, 2),
      {20060535,
       "SavePrivacy",
       HKLM,
       "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
       {NumberIs("RegDone", "0", 1)},
       {Sz("RegDone", "1")},
       {Sz("RegDone", "0")}},
      {20060537,
       "EliminateDownloadlimit",
       HKLM,
       kLanmanParameters,
       {DwordIs("TcpNumConnections", 0, 0xFFFFFE)},
       {Dword("TcpNumConnections", 0xFFFFFE)},
       {RemoveValue("TcpNumConnections")}},
      DwordRow(20060539, "StopIEErrorreporting", HKLM,
               "SOFTWARE\\Microsoft\\Internet Explorer\\Main", "IEWatsonEnabled", 1, 0, 1),
      {20060540,
       "DisableActiveX",
       HKCU,
       "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3",
       {DwordIs("1001", 1, 3), DwordIs("1004", 1, 3), DwordIs("1200", 1, 3), DwordIs("1201", 1, 3),
        DwordIs("1405", 1, 3)},
       {Dword("1001", 3), Dword("1004", 3), Dword("1200", 3), Dword("1201", 3), Dword("1405", 3)},
       {Dword("1001", 1), Dword("1004", 1), Dword("1200", 1), Dword("1201", 1), Dword("1405", 1)}},
      DwordRow(20060543, "StopVBScript", HKLM, "SOFTWARE\\Microsoft\\Windows Script Host\\Settings",
               "Enabled", 1, 0, 1),
      DwordRow(20060546, "StopWhispering", HKCU, kMediaPlayer, "UsageTracking", 1, 0, 1),
      DwordRow(20060547, "DontLoadMetadata", HKCU, kMediaPlayer, "MetadataRetrieval", 1, 0, 1),
      DwordRow(20060548, "DontLoadLicenses", HKCU, kMediaPlayer, "SilentAcquisition", 1, 0, 1),
      DwordRow(20060549, "DontLoadCodecs", HKCU, kMediaPlayer, "UpgradeCodecPrompt", 1, 0, 1),
      // The value is removed before it is written, so a REG_SZ of that name becomes a DWORD.
      {20060550,
       "StopAutoUpdate",
       HKCU,
       kMediaPlayer,
       {DwordIs("UpgradeCheckFrequency", 1, 7), TextIs("AskMeAgain", "yes", "no")},
       {RemoveValue("UpgradeCheckFrequency").AbsentOk(), Dword("UpgradeCheckFrequency", 7),
        Sz("AskMeAgain", "no")},
       {Dword("UpgradeCheckFrequency", 1), RemoveValue("AskMeAgain")}},
  };
}

std::vector<TweakRow> SecondSeries() {
  return {
      // Verbs of the My Computer icon.
      {20060801,
       "ControlPanel",
       HKLM,
       kMyComputerHklm + "\\Systemsteuerung",
       {KeyPresent("command")},
       {Sz(kDefault, "rundll32.exe shell32.dll,Control_RunDLL").In("command")},
       {RemoveKey()}},
      KeyRow(20060802, "Services", HKCR, kMyComputer + "\\services",
             {ExpandSz(kDefault, "Services"), Dword("SuppressionPolicy", 0x4000003C),
              ExpandSz(kDefault,
                       "%windir%\\system32\\mmc.exe /s %SystemRoot%\\system32\\services.msc /s")
                  .In("command")}),
      // The command is expandable, so that %SystemRoot% reaches the Device Manager.
      KeyRow(20060803, "Devices", HKLM, kMyComputerHklm + "\\DevMgr",
             {Sz(kDefault, "Gerätemanager"),
              ExpandSz(kDefault, "mmc.exe %SystemRoot%\\system32\\devmgmt.msc").In("command")}),
      VerbRow(20060804, "RegEdit", HKCR, kMyComputer + "\\regedit", "Registry-Editor",
              "Regedit.exe"),
      VerbRow(20060806, "Software", HKCR, kMyComputer + "\\Add/Remove Programs",
              "Programme installieren/entfernen", "control appwiz.cpl"),
      VerbRow(20060807, "Msconfig", HKCR, kMyComputer + "\\msconfig",
              "Systemkonfigurationsprogramm", "msconfig.exe"),
      VerbRow(20060814, "Logoff", HKCR, kMyComputer + "\\Abmelden", "Abmelden...",
              "shutdown -l -f -t 5"),
      VerbRow(20060815, "Restart", HKCR, kMyComputer + "\\Neustart", "Neustart...",
              "shutdown -r -f -t 5"),
      VerbRow(20060816, "Shutdown", HKCR, kMyComputer + "\\Herunterfahren", "Herunterfahren...",
              "shutdown -s -f -t 5"),

      // Files and folders.
      TextRow(20060808, "NotepadReg", HKCR, "regfile\\shell", kDefault, "", "Edit", ""),
      KeyRow(20060810, "EasyCopying", HKCR,
             "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Kopieren nach...",
             {Sz(kDefault, "{c2fbb630-2971-11d1-a18c-00c04fd75d13}")}),
      KeyRow(20060811, "EasyMoving", HKCR,
             "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Verschieben nach...",
             {Sz(kDefault, "{C2FBB631-2971-11D1-A18C-00C04FD75D13}")}),
      KeyRow(
          20060812, "FolderInNewWindow", HKLM, "SOFTWARE\\Classes\\Directory\\shell\\openNew",
          {Sz(kDefault, "In neuem Fenster öffnen..."), Sz(kDefault, "explorer %1").In("Command")}),
      VerbRow(20060813, "OpenConsole", HKCR, "Directory\\shell\\Command Prompt Here",
              "Eingabeaufforderung im Verzeichnis öffnen...", "cmd.exe /k cd %1"),

      // Console, Explorer, start menu, recycle bin.
      DwordRow(20060818, "CmdQuickEdit", HKCU, "Console", "Quickedit", 0, 1, 0),
      DwordRow(20060827, "FullStopErrorReporting", HKLM, kErrorReporting, "DoReport", 1, 0, 1),
      TextRow(20060821, "KillTheDog", HKCU, kExplorer + "\\CabinetState", "Use Search Asst", "yes",
              "no", "yes"),
      DwordRow(20060826, "StopHighlighting", HKCU, kAdvanced, "Start_NotifyNewApps", 1, 0, 1),
      NumberRow(20060828, "ActivateMemSharing", HKLM,
                "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                "MemCheckBoxInRunDlg", 0, 1, 0),
      NumberRow(20060830, "NukeOnDelete", HKLM, kBitBucket, "NukeOnDelete", 0, 1, 0),
      NumberRow(20060831, "NetworkMenu", HKCU, kAdvanced, "Start_ShowNetPlaces", 1, 2, 1),
      NumberRow(20060832, "ControlPanelMenu", HKCU, kAdvanced, "Start_ShowControlPanel", 1, 2, 1),
      NumberRow(20060833, "MyComputerMenu", HKCU, kAdvanced, "Start_ShowMyComputer", 1, 2, 1),
  };
}

std::vector<TweakRow> ThirdSeries() {
  return {
      DwordRow(20061021, "DeactivateWindowsAuth", HKCU,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "EnableNegotiate",
               1, 0, 1),
      DwordRow(20070402, "SearchUnknownFiles", HKLM,
               "SYSTEM\\CurrentControlSet\\Control\\ContentIndex",
               "FilterFilesWithUnknownExtensions", 0, 1, 0),
      {20070408,
       "HideCommonFiles",
       HKLM,
       "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MyComputer\\NameSpace\\"
       "DelegateFolders\\{59031a47-3f72-44a7-89c5-5595fe6b30ee}",
       {KeyAbsent()},
       {RemoveKey()},
       {MakeKey()}},
      DwordRow(20070403, "ExpandIconCache", HKLM, kExplorer, "Max Cached Icons", 0, 2000, 500),
      {20070406,
       "ExpandTaskSwitch",
       HKCU,
       kDesktop,
       {DwordAbove("CoolSwitchColumns", 7, 7), DwordAbove("CoolSwitchRows", 3, 3)},
       {Dword("CoolSwitchColumns", 14), Dword("CoolSwitchRows", 6)},
       {Dword("CoolSwitchColumns", 7), Dword("CoolSwitchRows", 3)}},
      DwordRow(20070409, "LockNumlock", HKCU, "Control Panel\\Keyboard",
               "InitialKeyboardIndicators", 0, 2, 0),
      {20070410,
       "HideShortCutArrow",
       HKCR,
       "Lnkfile",
       {ValueAbsent("IsShortcut")},
       {RemoveValue("IsShortcut")},
       {Sz("IsShortcut", "")}},
      DwordRow(20070440, "AeroSlowMotion", HKCU, "Software\\Microsoft\\Windows\\DWM",
               "AnimationShiftKey", 0, 1, 0),
      DwordRow(20070420, "FixedEntries", HKCU, kPoliciesExplorer, "NoChangeStartMenu", 0, 1, 0),
      DwordRow(20070422, "HideDocuments", HKCU, kPoliciesExplorer, "NoRecentDocsMenu", 0, 1, 0),
      DwordRow(20070426, "HideHelpDesk", HKCU, kPoliciesExplorer, "NoSMHelp", 0, 1, 0),
      DwordRow(20070427, "HideProgramAccess", HKCU, kPoliciesExplorer, "NoSMConfigurePrograms", 0,
               1, 0),
      DwordRow(20070419, "DontLogPrograms", HKCU, kPoliciesExplorer, "NoInstrumentation", 0, 1, 0),
      DwordRow(20070423, "HideMyFiles", HKCU, kAdvanced, "Start_ShowMyDocs", 1, 0, 1),
      DwordRow(20070424, "HideMyPictures", HKCU, kAdvanced, "Start_ShowMyPics", 1, 0, 1),
      DwordRow(20070425, "HideMyMusic", HKCU, kAdvanced, "Start_ShowMyMusic", 1, 0, 1),
      {20070412,
       "DenyUSBWriteAccess",
       HKLM,
       "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies",
       {KeyPresent(), DwordIs("WriteProtect", 0, 1)},
       {Dword("WriteProtect", 1)},
       {RemoveValue("WriteProtect")}},
      DisallowCplRow(20070413, "DisallowNusrmgr", "1", "nusrmgr.cpl"),
      DisallowCplRow(20070414, "DisallowAppwiz", "2", "appwiz.cpl"),
      DisallowCplRow(20070415, "DisallowSecCenter", "3", "wscui.cpl"),
      DwordRow(20070432, "DisableUAC", HKLM,
               "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", "EnableLUA", 1, 0,
               1),
      {20070434,
       "DisableNtfsTimestamps",
       HKLM,
       "SYSTEM\\CurrentControlSet\\Control",
       {DwordIs("NtfsDisable 8dot3NameCreation", 0, 1),
        DwordIs("NtfsDisable LastAccessUpdate", 0, 1)},
       {Dword("NtfsDisable 8dot3NameCreation", 1), Dword("NtfsDisable LastAccessUpdate", 1)},
       {Dword("NtfsDisable 8dot3NameCreation", 0), Dword("NtfsDisable LastAccessUpdate", 0)}},
      DwordRow(20070439, "DisableMailSplash", HKCU, "Software\\Microsoft\\Windows Mail", "NoSplash",
               0, 1, 0),
  };
}

}  // namespace

const std::vector<TweakRow>& TweakRows() {
  static const std::vector<TweakRow> rows = [] {
    std::vector<TweakRow> all;
    for (auto series : {FirstSeries, SecondSeries, ThirdSeries}) {
      for (TweakRow& row : series()) all.push_back(std::move(row));
    }
    return all;
  }();
  return rows;
}

}  // namespace tw
