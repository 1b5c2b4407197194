#include "settings_load.h"

#include <exception>

#include "computed_tweaks.h"
#include "registry.h"
#include "settings_apply.h"
#include "tweak_access.h"
#include "winversion.h"

namespace tw {
namespace {

// Built on first use: the getters come from the catalogue.
const std::vector<ReadStep>& ReadXP() {
  // clang-format off
  static const std::vector<ReadStep> steps = {
    {"cboxBalloonTips", Put::Checked, "BalloonTips"},
    {"cboxIncreasePerformance", Put::Checked, "IncreasePerformance"},
    {"cboxDeactivatePreview", Put::Checked, "DeactivatePreview"},
    {"butDeinstallMessenger", Put::Enabled, "DeinstallMessenger"},
    {"cboxDeactivateAutorun", Put::Checked, "DeactivateAutorun"},
    {"cboxMuteBeepTone", Put::Checked, "MuteBeepTone"},
    {"cboxStopErrorreporting", Put::Checked, "StopErrorreporting"},
    {"cboxSpeedupNetwork", Put::NotChecked, "SpeedupNetwork"},
    {"cboxFastLogin", Put::Checked, "FastLogin"},
    {"cboxKillProcess", Put::Checked, "KillProcess"},
    {"cboxLowDiskSpace", Put::Checked, "LowDiskSpace"},
    {"cboxStopDesktopCleaning", Put::Checked, "StopDesktopCleaning"},
    {"cboxFastWindowsShutdown", Put::Checked, "FastWindowsShutdown"},
    {"cboxShowFileext", Put::Checked, "ShowFileext"},
    {"cboxShowAllFiles", Put::Checked, "ShowAllFiles"},
    {"cboxShowSystemFiles", Put::Checked, "ShowSystemFiles"},
    {"cboxStopWebsearch", Put::Checked, "StopWebsearch"},
    {"cboxIncreaseSystemPerformance", Put::Checked, "IncreaseSystemPerformance"},
    {"cboxDeactivatePersonalMenus", Put::Checked, "DeactivatePersonalMenus"},
    {"trackStartmenuDelay", Put::Position, "StartmenuDelay"},
    {"cboxDontGroupTaskbaritems", Put::Checked, "DontGroupTaskbaritems"},
    {"cboxDisableRemoteDesktop", Put::Checked, "DisableRemoteDesktop"},
    {"cboxDisableAutoUpdate", Put::Checked, "DisableAutoUpdate"},
    {"cboxDeleteAdminShare", Put::Checked, "DeleteAdminShare"},
    {"cboxStopSecurityCenter", Put::Checked, "StopSecurityCenter"},
    {"cboxSavePrivacy", Put::Checked, "SavePrivacy"},
    {"cboxEliminateDownloadlimit", Put::Checked, "EliminateDownloadlimit"},
    {"cboxStopIEErrorreporting", Put::Checked, "StopIEErrorreporting"},
    {"cboxDisableActiveX", Put::Checked, "DisableActiveX"},
    {"butUseGoogleSearch", Put::Enabled, "UseGoogleSearch"},
    {"cboxStopVBScript", Put::Checked, "StopVBScript"},
    {"cboxStopWhispering", Put::Checked, "StopWhispering"},
    {"cboxDontLoadMetadata", Put::Checked, "DontLoadMetadata"},
    {"cboxDontLoadLicenses", Put::Checked, "DontLoadLicenses"},
    {"cboxDontLoadCodecs", Put::Checked, "DontLoadCodecs"},
    {"cboxStopAutoUpdate", Put::Checked, "StopAutoUpdate"},
    {"cboxControlPanel", Put::Checked, "ControlPanel"},
    {"cboxServices", Put::Checked, "Services"},
    {"cboxDevices", Put::Checked, "Devices"},
    {"cboxRegEdit", Put::Checked, "RegEdit"},
    {"cboxSystemRestore", Put::Checked, "SystemRestore"},
    {"cboxSoftware", Put::Checked, "Software"},
    {"cboxMsconfig", Put::Checked, "Msconfig"},
    {"cboxNotepadReg", Put::Checked, "NotepadReg"},
    {"cboxUnknownFiles", Put::Checked, "UnknownFiles"},
    {"cboxEasyCopying", Put::Checked, "EasyCopying"},
    {"cboxEasyMoving", Put::Checked, "EasyMoving"},
    {"cboxFolderInNewWindow", Put::Checked, "FolderInNewWindow"},
    {"cboxOpenConsole", Put::Checked, "OpenConsole"},
    {"cboxLogoff", Put::Checked, "Logoff"},
    {"cboxRestart", Put::Checked, "Restart"},
    {"cboxShutdown", Put::Checked, "Shutdown"},
    {"cboxCmdQuickEdit", Put::Checked, "CmdQuickEdit"},
    {"cboxDetailView", Put::Checked, "DetailView"},
    {"cboxStatusAndAddressbar", Put::Checked, "StatusAndAddressbar"},
    {"cboxKillTheDog", Put::Checked, "KillTheDog"},
    {"cboxSearchSystemDirs", Put::Checked, {"SearchOptions", kSearchOptionNames[0]}},
    {"cboxSearchHidden", Put::Checked, {"SearchOptions", kSearchOptionNames[1]}},
    {"cboxIncludeSubfolders", Put::Checked, {"SearchOptions", kSearchOptionNames[2]}},
    {"cboxCaseSensitive", Put::Checked, {"SearchOptions", kSearchOptionNames[3]}},
    {"cboxSearchSlowFiles", Put::Checked, {"SearchOptions", kSearchOptionNames[4]}},
    {"butDeleteBrowserextensions", Put::Enabled, "DeleteBrowserExtensions"},
    {"butDeleteBHO", Put::Enabled, "DeleteBrowserHelperObjects"},
    {"butDeleteToolbars", Put::Enabled, "DeleteToolbars"},
    {"cboxStopHighlighting", Put::Checked, "StopHighlighting"},
    {"cboxFullStopErrorReporting", Put::Checked, "FullStopErrorReporting"},
    {"cboxActivateMemSharing", Put::CheckedIfEquals, "ActivateMemSharing", 1},
    {"tbarBitBucket", Put::Position, "BitBucket"},
    {"cboxNukeOnDelete", Put::CheckedIfEquals, "NukeOnDelete", 1},
    {"cboxNetworkMenu", Put::CheckedIfEquals, "NetworkMenu", 2},
    {"cboxControlPanelMenu", Put::CheckedIfEquals, "ControlPanelMenu", 2},
    {"cboxMyComputerMenu", Put::CheckedIfEquals, "MyComputerMenu", 2},
    {"labProgramDir", Put::Text, "ProgramDir"},
    {"cboxHidePlayerID", Put::Checked, "HidePlayerID"},
    {"cboxDeactivateWindowsAuth", Put::Checked, "DeactivateWindowsAuth"},
    {"butPatchWindowsUpdate", Put::Enabled, "PatchWindowsUpdate"},
    {"cbHideCommonFiles", Put::Checked, "HideCommonFiles"},
    {"cbSearchUnknownFiles", Put::Checked, "SearchUnknownFiles"},
    {"cbExpandIconCache", Put::Checked, "ExpandIconCache"},
    {"cbExpandTaskSwitch", Put::Checked, "ExpandTaskSwitch"},
    {"cbLockNumlock", Put::Checked, "LockNumlock"},
    {"cbHideShortCutArrow", Put::Checked, "HideShortCutArrow"},
    {"cbFixedEntries", Put::Checked, "FixedEntries"},
    {"cbHideDocuments", Put::Checked, "HideDocuments"},
    {"cbHideMyFiles", Put::Checked, "HideMyFiles"},
    {"cbHideMyPictures", Put::Checked, "HideMyPictures"},
    {"cbHideMyMusic", Put::Checked, "HideMyMusic"},
    {"cbHideHelpDesk", Put::Checked, "HideHelpDesk"},
    {"cbHideProgramAccess", Put::Checked, "HideProgramAccess"},
    {"cbDenyUSBWriteAccess", Put::Checked, "DenyUSBWriteAccess"},
    {"cbDisallowNusrmgr", Put::Checked, "DisallowNusrmgr"},
    {"cbDisallowAppwiz", Put::Checked, "DisallowAppwiz"},
    {"cbDisallowSecCenter", Put::Checked, "DisallowSecCenter"},
    {"cbDontLogPrograms", Put::Checked, "DontLogPrograms"},
    {"combxTextColor", Put::ColourPair, "ConsoleColors", 0, "combxBackgroundColor", "pboxCmdPreview"},
};
  // clang-format on
  return steps;
}

const std::vector<ReadStep>& ReadVista() {
  // clang-format off
  static const std::vector<ReadStep> steps = {
    {"cb20060501", Put::Checked, "BalloonTips"},
    {"cb20060502", Put::Checked, "IncreasePerformance"},
    {"cb20060505", Put::Checked, "DeactivateAutorun"},
    {"cb20060506", Put::Checked, "MuteBeepTone"},
    {"cb20060510", Put::Checked, "FastLogin"},
    {"cb20060512", Put::Checked, "KillProcess"},
    {"cb20060513", Put::Checked, "LowDiskSpace"},
    {"cb20060515", Put::Checked, "FastWindowsShutdown"},
    {"cb20060517", Put::Checked, "ShowFileext"},
    {"cb20060518", Put::Checked, "ShowAllFiles"},
    {"cb20060523", Put::Checked, "IncreaseSystemPerformance"},
    {"tb20060528", Put::Position, "StartmenuDelay"},
    {"cb20060533", Put::Checked, "DeleteAdminShare"},
    {"cb20060534", Put::Checked, "StopSecurityCenter"},
    {"cb20060540", Put::Checked, "DisableActiveX"},
    {"but20060541", Put::Enabled, "UseGoogleSearch"},
    {"cb20060546", Put::Checked, "StopWhispering"},
    {"cb20060547", Put::Checked, "DontLoadMetadata"},
    {"cb20060548", Put::Checked, "DontLoadLicenses"},
    {"cb20060549", Put::Checked, "DontLoadCodecs"},
    {"cb20060550", Put::Checked, "StopAutoUpdate"},
    {"cb20060801", Put::Checked, "ControlPanel"},
    {"cb20060802", Put::Checked, "Services"},
    {"cb20060803", Put::Checked, "Devices"},
    {"cb20060804", Put::Checked, "RegEdit"},
    {"cb20060805", Put::Checked, "SystemRestore"},
    {"cb20060806", Put::Checked, "Software"},
    {"cb20060807", Put::Checked, "Msconfig"},
    {"cb20060808", Put::Checked, "NotepadReg"},
    {"cb20060809", Put::Checked, "UnknownFiles"},
    {"cb20060810", Put::Checked, "EasyCopying"},
    {"cb20060811", Put::Checked, "EasyMoving"},
    {"cb20060812", Put::Checked, "FolderInNewWindow"},
    {"cb20060813", Put::Checked, "OpenConsole"},
    {"cb20060814", Put::Checked, "Logoff"},
    {"cb20060815", Put::Checked, "Restart"},
    {"cb20060816", Put::Checked, "Shutdown"},
    {"cb20060818", Put::Checked, "CmdQuickEdit"},
    {"cb20061019", Put::Checked, "HidePlayerID"},
    {"cb20061021", Put::Checked, "DeactivateWindowsAuth"},
    {"cb20070438a", Put::Checked, {"SearchProvider", "IMDB"}},
    {"cb20070438b", Put::Checked, {"SearchProvider", "Sourceforge"}},
    {"cb20070438c", Put::Checked, {"SearchProvider", "Wikipedia"}},
    {"cb20070408", Put::Checked, "HideCommonFiles"},
    {"cb20070432", Put::Checked, "DisableUAC"},
    {"cb20070434", Put::Checked, "DisableNtfsTimestamps"},
    {"cb20070409", Put::Checked, "LockNumlock"},
    {"cb20070410", Put::Checked, "HideShortCutArrow"},
    {"cb20070440", Put::Checked, "AeroSlowMotion"},
    {"cb20070420", Put::Checked, "FixedEntries"},
    {"cb20070423", Put::Checked, "HideMyFiles"},
    {"cb20070424", Put::Checked, "HideMyPictures"},
    {"cb20070425", Put::Checked, "HideMyMusic"},
    {"cb20070412", Put::Checked, "DenyUSBWriteAccess"},
    {"cb20070419", Put::Checked, "DontLogPrograms"},
    {"cb20070439", Put::Checked, "DisableMailSplash"},
    {"combx20060817a", Put::ColourPair, "ConsoleColors", 0, "combx20060817b", "pb20060817"},
};
  // clang-format on
  return steps;
}

struct Answer {
  int number = 0;
  std::string text;
};

Answer Ask(const Getter& getter) {
  return std::visit(
      Overloaded{[](std::monostate) { return Answer{}; },
                 [](const TweakRow* row) {
                   return Answer{row->numberGetter ? ReadTweakNumber(*row) : ReadTweak(*row), ""};
                 },
                 [](bool (*get)()) {
                   return Answer{get(), ""};
                 },
                 [](int (*get)()) {
                   return Answer{get(), ""};
                 },
                 [](std::string (*get)()) {
                   return Answer{0, get()};
                 },
                 [](const NamedGetter& named) {
                   return Answer{named.get(named.argument), ""};
                 }},
      getter);
}

void Deliver(ControlSurface& surface, const ReadStep& step, const Answer& a) {
  switch (step.put) {
    case Put::Checked:
      surface.SetChecked(step.control, a.number != 0);
      break;
    case Put::NotChecked:
      surface.SetChecked(step.control, a.number == 0);
      break;
    case Put::CheckedIfEquals:
      surface.SetChecked(step.control, a.number == step.equals);
      break;
    case Put::Position:
      surface.SetPosition(step.control, a.number);
      break;
    case Put::Enabled:
      surface.SetEnabled(step.control, a.number != 0);
      break;
    case Put::Text:
      surface.SetText(step.control, a.text);
      surface.Repaint(step.control);
      break;
    case Put::ColourPair: {
      const ColourPair pair = ConsoleColourPair(a.number);
      surface.SetItemIndex(step.control, pair.text);
      surface.Repaint(step.control);
      surface.SetItemIndex(step.background, pair.background);
      surface.Repaint(step.background);
      surface.Repaint(step.preview);
      break;
    }
  }
}

}  // namespace

const std::vector<ReadStep>& ReadOrder(Layout layout) {
  return layout == Layout::XP ? ReadXP() : ReadVista();
}

ColourPair ConsoleColourPair(int value) {
  ColourPair pair{value & 15, (value >> 4) & 15};
  if (pair.text == 0 && pair.background == 0) pair = {7, 0};
  return pair;
}

bool LoadSettings(ControlSurface& surface, const std::vector<ReadStep>& order) {
  RegistryBatch batch;
  if (!batch.opened()) return false;
  for (const ReadStep& step : order) {
    Answer answer;
    try {
      answer = Ask(step.get);
    } catch (const std::exception&) {
      // Unreadable data (a number stored as text that is none): this control keeps what it
      // showed, and the rest of the window is still read.
      continue;
    }
    Deliver(surface, step, answer);
  }
  surface.SetChecked(kCurrentSettingsButton, true);
  return true;
}

void LoadCurrentSettings(ControlSurface& surface) {
  if (IsWindowsXP()) LoadSettings(surface, ReadOrder(Layout::XP));
  if (IsWindowsVista()) LoadSettings(surface, ReadOrder(Layout::Vista));
}

void LoadAndRemember(ControlSurface& controls, LoadedControls& loaded) {
  if (!IsWindowsXPOrVista()) return;
  const Layout layout = IsWindowsXP() ? Layout::XP : Layout::Vista;
  // A reading that could not open the registry changed no control: the user's changes since
  // the last load stay changes.
  if (LoadSettings(controls, ReadOrder(layout)) || loaded.steps.empty())
    loaded = RememberLoaded(controls, layout);
}

}  // namespace tw
