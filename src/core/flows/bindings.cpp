#include "flows/bindings.h"

#include <stdexcept>

#include "catalogue/computed_tweaks.h"
#include "system/winversion.h"

namespace tw {
namespace {

Binding Box(const char* box, const char* tweak) {
  return {Put::Checked, Arg::NegatedCheck, {box}, tweak};
}
// Checked when the tweak is off; written like any box.
Binding BoxInverted(const char* box, const char* tweak) {
  return {Put::NotChecked, Arg::NegatedCheck, {box}, tweak};
}
// A number read: checked when it equals one value.
Binding BoxIfEquals(const char* box, const char* tweak, int equals) {
  return {Put::CheckedIfEquals, Arg::NegatedCheck, {box}, tweak, equals};
}
Binding Slider(const char* slider, const char* tweak, const char* unit,
               const char* reportAs = nullptr) {
  return {Put::Position, Arg::Position, {slider}, tweak, 0, reportAs, unit};
}
// Enabled when there is something to do; the button's click does it.
Binding Button(const char* button, const char* tweak) {
  return {Put::Enabled, Arg::None, {button}, tweak};
}
Binding Colours(const char* text, const char* background, const char* preview) {
  return {Put::ColourPair, Arg::ColourPair, {text, background}, "ConsoleColors", 0, nullptr,
          nullptr,         preview};
}
Binding SearchOptions() {
  return {Put::Checked,
          Arg::SearchOptions,
          {"cboxSearchSystemDirs", "cboxSearchHidden", "cboxIncludeSubfolders", "cboxCaseSensitive",
           "cboxSearchSlowFiles"},
          "SearchOptions"};
}
Binding ProgramDir() {
  // The label shows the folder; its heading names the setting.
  return {Put::Text, Arg::LabelText, {"labProgramDir"}, "ProgramDir", 0, "Label1"};
}
Binding Provider(const char* box, const SearchProvider& provider) {
  return {Put::Checked, Arg::SearchProvider, {box}, {"SearchProvider", provider.name}};
}

// One binding per tweak, page by page as the window shows them.
// clang-format off
const LayoutBindings kXP = {
  {
    Box("cboxBalloonTips", "BalloonTips"),
    Box("cboxIncreasePerformance", "IncreasePerformance"),
    Box("cboxDeactivatePreview", "DeactivatePreview"),
    Box("cboxDeactivateAutorun", "DeactivateAutorun"),
    Box("cboxMuteBeepTone", "MuteBeepTone"),
    Box("cboxFullStopErrorReporting", "FullStopErrorReporting"),
    BoxInverted("cboxSpeedupNetwork", "SpeedupNetwork"),
    Box("cboxFastLogin", "FastLogin"),
    Box("cboxKillProcess", "KillProcess"),
    Box("cboxLowDiskSpace", "LowDiskSpace"),
    Box("cboxStopDesktopCleaning", "StopDesktopCleaning"),
    Box("cboxFastWindowsShutdown", "FastWindowsShutdown"),
    Button("butDeinstallMessenger", "DeinstallMessenger"),
    Colours("combxTextColor", "combxBackgroundColor", "pboxCmdPreview"),
    Box("cboxCmdQuickEdit", "CmdQuickEdit"),
    Button("butPatchWindowsUpdate", "PatchWindowsUpdate"),
    Box("cboxShowFileext", "ShowFileext"),
    Box("cboxShowAllFiles", "ShowAllFiles"),
    Box("cboxShowSystemFiles", "ShowSystemFiles"),
    Box("cboxStopWebsearch", "StopWebsearch"),
    Box("cboxDetailView", "DetailView"),
    Box("cboxStatusAndAddressbar", "StatusAndAddressbar"),
    Box("cboxKillTheDog", "KillTheDog"),
    Box("cbHideCommonFiles", "HideCommonFiles"),
    SearchOptions(),
    Box("cbSearchUnknownFiles", "SearchUnknownFiles"),
    Slider("tbarBitBucket", "BitBucket", " %"),
    Box("cboxIncreaseSystemPerformance", "IncreaseSystemPerformance"),
    Box("cboxDontGroupTaskbaritems", "DontGroupTaskbaritems"),
    Box("cboxStopErrorreporting", "StopErrorreporting"),
    BoxIfEquals("cboxActivateMemSharing", "ActivateMemSharing", 1),
    BoxIfEquals("cboxNukeOnDelete", "NukeOnDelete", 1),
    Box("cbExpandIconCache", "ExpandIconCache"),
    Box("cbExpandTaskSwitch", "ExpandTaskSwitch"),
    Box("cbLockNumlock", "LockNumlock"),
    Box("cbHideShortCutArrow", "HideShortCutArrow"),
    Slider("trackStartmenuDelay", "StartmenuDelay", " ms", "labStartmenuDelayCaption"),
    ProgramDir(),
    BoxIfEquals("cboxNetworkMenu", "NetworkMenu", 2),
    BoxIfEquals("cboxControlPanelMenu", "ControlPanelMenu", 2),
    BoxIfEquals("cboxMyComputerMenu", "MyComputerMenu", 2),
    Box("cboxDeactivatePersonalMenus", "DeactivatePersonalMenus"),
    Box("cboxStopHighlighting", "StopHighlighting"),
    Box("cbFixedEntries", "FixedEntries"),
    Box("cbHideDocuments", "HideDocuments"),
    Box("cbHideMyFiles", "HideMyFiles"),
    Box("cbHideMyPictures", "HideMyPictures"),
    Box("cbHideMyMusic", "HideMyMusic"),
    Box("cbHideHelpDesk", "HideHelpDesk"),
    Box("cbHideProgramAccess", "HideProgramAccess"),
    Box("cboxDisableRemoteDesktop", "DisableRemoteDesktop"),
    Box("cboxDisableAutoUpdate", "DisableAutoUpdate"),
    Box("cboxDeleteAdminShare", "DeleteAdminShare"),
    Box("cboxStopSecurityCenter", "StopSecurityCenter"),
    Box("cboxSavePrivacy", "SavePrivacy"),
    Box("cbDenyUSBWriteAccess", "DenyUSBWriteAccess"),
    Box("cbDisallowNusrmgr", "DisallowNusrmgr"),
    Box("cbDisallowAppwiz", "DisallowAppwiz"),
    Box("cbDisallowSecCenter", "DisallowSecCenter"),
    Box("cbDontLogPrograms", "DontLogPrograms"),
    Box("cboxEliminateDownloadlimit", "EliminateDownloadlimit"),
    Box("cboxStopIEErrorreporting", "StopIEErrorreporting"),
    Box("cboxDisableActiveX", "DisableActiveX"),
    Button("butDeleteBrowserextensions", "DeleteBrowserExtensions"),
    Button("butDeleteBHO", "DeleteBrowserHelperObjects"),
    Button("butDeleteToolbars", "DeleteToolbars"),
    Button("butUseGoogleSearch", "UseGoogleSearch"),
    Box("cboxStopVBScript", "StopVBScript"),
    Box("cboxStopWhispering", "StopWhispering"),
    Box("cboxDontLoadMetadata", "DontLoadMetadata"),
    Box("cboxDontLoadLicenses", "DontLoadLicenses"),
    Box("cboxDontLoadCodecs", "DontLoadCodecs"),
    Box("cboxStopAutoUpdate", "StopAutoUpdate"),
    Box("cboxEasyCopying", "EasyCopying"),
    Box("cboxEasyMoving", "EasyMoving"),
    Box("cboxControlPanel", "ControlPanel"),
    Box("cboxServices", "Services"),
    Box("cboxDevices", "Devices"),
    Box("cboxRegEdit", "RegEdit"),
    Box("cboxSystemRestore", "SystemRestore"),
    Box("cboxSoftware", "Software"),
    Box("cboxMsconfig", "Msconfig"),
    Box("cboxLogoff", "Logoff"),
    Box("cboxRestart", "Restart"),
    Box("cboxShutdown", "Shutdown"),
    Box("cboxNotepadReg", "NotepadReg"),
    Box("cboxUnknownFiles", "UnknownFiles"),
    Box("cboxFolderInNewWindow", "FolderInNewWindow"),
    Box("cboxOpenConsole", "OpenConsole"),
    Box("cboxHidePlayerID", "HidePlayerID"),
    Box("cboxDeactivateWindowsAuth", "DeactivateWindowsAuth"),
  },
  // The read order: every control read, in the order of the getter calls.
  {
    "cboxBalloonTips", "cboxIncreasePerformance", "cboxDeactivatePreview",
    "butDeinstallMessenger", "cboxDeactivateAutorun", "cboxMuteBeepTone",
    "cboxStopErrorreporting", "cboxSpeedupNetwork", "cboxFastLogin", "cboxKillProcess",
    "cboxLowDiskSpace", "cboxStopDesktopCleaning", "cboxFastWindowsShutdown", "cboxShowFileext",
    "cboxShowAllFiles", "cboxShowSystemFiles", "cboxStopWebsearch",
    "cboxIncreaseSystemPerformance", "cboxDeactivatePersonalMenus", "trackStartmenuDelay",
    "cboxDontGroupTaskbaritems", "cboxDisableRemoteDesktop", "cboxDisableAutoUpdate",
    "cboxDeleteAdminShare", "cboxStopSecurityCenter", "cboxSavePrivacy",
    "cboxEliminateDownloadlimit", "cboxStopIEErrorreporting", "cboxDisableActiveX",
    "butUseGoogleSearch", "cboxStopVBScript", "cboxStopWhispering", "cboxDontLoadMetadata",
    "cboxDontLoadLicenses", "cboxDontLoadCodecs", "cboxStopAutoUpdate", "cboxControlPanel",
    "cboxServices", "cboxDevices", "cboxRegEdit", "cboxSystemRestore", "cboxSoftware",
    "cboxMsconfig", "cboxNotepadReg", "cboxUnknownFiles", "cboxEasyCopying", "cboxEasyMoving",
    "cboxFolderInNewWindow", "cboxOpenConsole", "cboxLogoff", "cboxRestart", "cboxShutdown",
    "cboxCmdQuickEdit", "cboxDetailView", "cboxStatusAndAddressbar", "cboxKillTheDog",
    "cboxSearchSystemDirs", "cboxSearchHidden", "cboxIncludeSubfolders", "cboxCaseSensitive",
    "cboxSearchSlowFiles", "butDeleteBrowserextensions", "butDeleteBHO", "butDeleteToolbars",
    "cboxStopHighlighting", "cboxFullStopErrorReporting", "cboxActivateMemSharing",
    "tbarBitBucket", "cboxNukeOnDelete", "cboxNetworkMenu", "cboxControlPanelMenu",
    "cboxMyComputerMenu", "labProgramDir", "cboxHidePlayerID", "cboxDeactivateWindowsAuth",
    "butPatchWindowsUpdate", "cbHideCommonFiles", "cbSearchUnknownFiles", "cbExpandIconCache",
    "cbExpandTaskSwitch", "cbLockNumlock", "cbHideShortCutArrow", "cbFixedEntries",
    "cbHideDocuments", "cbHideMyFiles", "cbHideMyPictures", "cbHideMyMusic", "cbHideHelpDesk",
    "cbHideProgramAccess", "cbDenyUSBWriteAccess", "cbDisallowNusrmgr", "cbDisallowAppwiz",
    "cbDisallowSecCenter", "cbDontLogPrograms", "combxTextColor",
  },
  // The write sequence: every binding written, in the order of the setter calls.
  {
    "cboxBalloonTips", "cboxIncreasePerformance", "cboxDeactivatePreview",
    "cboxDeactivateAutorun", "cboxMuteBeepTone", "cboxStopErrorreporting", "cboxSpeedupNetwork",
    "cboxFastLogin", "cboxKillProcess", "cboxLowDiskSpace", "cboxStopDesktopCleaning",
    "cboxFastWindowsShutdown", "cboxShowFileext", "cboxShowAllFiles", "cboxShowSystemFiles",
    "cboxStopWebsearch", "cboxIncreaseSystemPerformance", "cboxDeactivatePersonalMenus",
    "trackStartmenuDelay", "cboxDontGroupTaskbaritems", "cboxDisableRemoteDesktop",
    "cboxDisableAutoUpdate", "cboxDeleteAdminShare", "cboxStopSecurityCenter",
    "cboxSavePrivacy", "cboxEliminateDownloadlimit", "cboxStopIEErrorreporting",
    "cboxDisableActiveX", "cboxStopVBScript", "cboxStopWhispering", "cboxDontLoadMetadata",
    "cboxDontLoadLicenses", "cboxDontLoadCodecs", "cboxStopAutoUpdate", "cboxControlPanel",
    "cboxServices", "cboxDevices", "cboxRegEdit", "cboxSystemRestore", "cboxSoftware",
    "cboxMsconfig", "cboxNotepadReg", "cboxUnknownFiles", "cboxEasyCopying", "cboxEasyMoving",
    "cboxFolderInNewWindow", "cboxOpenConsole", "cboxLogoff", "cboxRestart", "cboxShutdown",
    "combxTextColor", "cboxCmdQuickEdit", "cboxDetailView", "cboxStatusAndAddressbar",
    "cboxKillTheDog", "cboxSearchSystemDirs", "cboxStopHighlighting",
    "cboxFullStopErrorReporting", "cboxActivateMemSharing", "tbarBitBucket", "cboxNukeOnDelete",
    "cboxNetworkMenu", "cboxControlPanelMenu", "cboxMyComputerMenu", "labProgramDir",
    "cboxHidePlayerID", "cboxDeactivateWindowsAuth", "cbHideCommonFiles",
    "cbSearchUnknownFiles", "cbExpandIconCache", "cbExpandTaskSwitch", "cbLockNumlock",
    "cbHideShortCutArrow", "cbFixedEntries", "cbHideDocuments", "cbHideMyFiles",
    "cbHideMyPictures", "cbHideMyMusic", "cbHideHelpDesk", "cbHideProgramAccess",
    "cbDenyUSBWriteAccess", "cbDisallowNusrmgr", "cbDisallowAppwiz", "cbDisallowSecCenter",
    "cbDontLogPrograms",
  },
};

const LayoutBindings kVista = {
  {
    Box("cb20060501", "BalloonTips"),
    Box("cb20060502", "IncreasePerformance"),
    Box("cb20060505", "DeactivateAutorun"),
    Box("cb20060506", "MuteBeepTone"),
    Box("cb20060510", "FastLogin"),
    Box("cb20060512", "KillProcess"),
    Box("cb20060513", "LowDiskSpace"),
    Box("cb20060515", "FastWindowsShutdown"),
    Box("cb20070432", "DisableUAC"),
    Box("cb20070434", "DisableNtfsTimestamps"),
    Colours("combx20060817a", "combx20060817b", "pb20060817"),
    Box("cb20060818", "CmdQuickEdit"),
    Box("cb20060517", "ShowFileext"),
    Box("cb20060518", "ShowAllFiles"),
    Box("cb20070408", "HideCommonFiles"),
    Box("cb20060523", "IncreaseSystemPerformance"),
    Box("cb20070409", "LockNumlock"),
    Box("cb20070410", "HideShortCutArrow"),
    Box("cb20070440", "AeroSlowMotion"),
    Slider("tb20060528", "StartmenuDelay", " ms"),
    Box("cb20070420", "FixedEntries"),
    Box("cb20070423", "HideMyFiles"),
    Box("cb20070424", "HideMyPictures"),
    Box("cb20070425", "HideMyMusic"),
    Box("cb20060533", "DeleteAdminShare"),
    Box("cb20060534", "StopSecurityCenter"),
    Box("cb20070412", "DenyUSBWriteAccess"),
    Box("cb20070419", "DontLogPrograms"),
    Box("cb20060540", "DisableActiveX"),
    Button("but20060541", "UseGoogleSearch"),
    Provider("cb20070438a", kSearchProviders[0]),
    Provider("cb20070438b", kSearchProviders[1]),
    Provider("cb20070438c", kSearchProviders[2]),
    Box("cb20070439", "DisableMailSplash"),
    Box("cb20060546", "StopWhispering"),
    Box("cb20060547", "DontLoadMetadata"),
    Box("cb20060548", "DontLoadLicenses"),
    Box("cb20060549", "DontLoadCodecs"),
    Box("cb20060550", "StopAutoUpdate"),
    Box("cb20060810", "EasyCopying"),
    Box("cb20060811", "EasyMoving"),
    Box("cb20060801", "ControlPanel"),
    Box("cb20060802", "Services"),
    Box("cb20060803", "Devices"),
    Box("cb20060804", "RegEdit"),
    Box("cb20060805", "SystemRestore"),
    Box("cb20060806", "Software"),
    Box("cb20060807", "Msconfig"),
    Box("cb20060814", "Logoff"),
    Box("cb20060815", "Restart"),
    Box("cb20060816", "Shutdown"),
    Box("cb20060808", "NotepadReg"),
    Box("cb20060809", "UnknownFiles"),
    Box("cb20060812", "FolderInNewWindow"),
    Box("cb20060813", "OpenConsole"),
    Box("cb20061019", "HidePlayerID"),
    Box("cb20061021", "DeactivateWindowsAuth"),
  },
  {
    "cb20060501", "cb20060502", "cb20060505", "cb20060506", "cb20060510", "cb20060512",
    "cb20060513", "cb20060515", "cb20060517", "cb20060518", "cb20060523", "tb20060528",
    "cb20060533", "cb20060534", "cb20060540", "but20060541", "cb20060546", "cb20060547",
    "cb20060548", "cb20060549", "cb20060550", "cb20060801", "cb20060802", "cb20060803",
    "cb20060804", "cb20060805", "cb20060806", "cb20060807", "cb20060808", "cb20060809",
    "cb20060810", "cb20060811", "cb20060812", "cb20060813", "cb20060814", "cb20060815",
    "cb20060816", "cb20060818", "cb20061019", "cb20061021", "cb20070438a", "cb20070438b",
    "cb20070438c", "cb20070408", "cb20070432", "cb20070434", "cb20070409", "cb20070410",
    "cb20070440", "cb20070420", "cb20070423", "cb20070424", "cb20070425", "cb20070412",
    "cb20070419", "cb20070439", "combx20060817a",
  },
  {
    "cb20060501", "cb20060502", "cb20060505", "cb20060506", "cb20060510", "cb20060512",
    "cb20060513", "cb20060515", "cb20060517", "cb20060518", "cb20060523", "tb20060528",
    "cb20060533", "cb20060534", "cb20060540", "cb20060546", "cb20060547", "cb20060548",
    "cb20060549", "cb20060550", "cb20060801", "cb20060802", "cb20060803", "cb20060804",
    "cb20060805", "cb20060806", "cb20060807", "cb20060808", "cb20060809", "cb20060810",
    "cb20060811", "cb20060812", "cb20060813", "cb20060814", "cb20060815", "cb20060816",
    "combx20060817a", "cb20060818", "cb20061019", "cb20061021", "cb20070408", "cb20070432",
    "cb20070434", "cb20070409", "cb20070410", "cb20070440", "cb20070420", "cb20070423",
    "cb20070424", "cb20070425", "cb20070412", "cb20070419", "cb20070439", "cb20070438a",
    "cb20070438b", "cb20070438c",
  },
};
// clang-format on

}  // namespace

std::optional<Layout> RunningLayout() {
  if (IsWindowsXP()) return Layout::XP;
  if (IsWindowsVista()) return Layout::Vista;
  return std::nullopt;
}

const LayoutBindings& BindingsOf(Layout layout) { return layout == Layout::XP ? kXP : kVista; }

const Binding& BindingOf(Layout layout, const std::string& control) {
  for (const Binding& b : BindingsOf(layout).bindings) {
    for (const char* name : b.controls) {
      if (name && control == name) return b;
    }
  }
  throw std::logic_error("no binding for " + control);
}

std::vector<const char*> StepControls(const Binding& binding) {
  std::vector<const char*> names;
  for (const char* name : binding.controls) {
    if (name) names.push_back(name);
  }
  return names;
}

}  // namespace tw
