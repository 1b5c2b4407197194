#include "settings_load.h"

#include <exception>

#include "registry.h"
#include "unittweak.h"
#include "winversion.h"

namespace tw {
namespace {

// clang-format off
const std::vector<ReadStep> kReadXP = {
    {"cboxBalloonTips", Put::Checked, Flag(GetBalloonTips)},
    {"cboxIncreasePerformance", Put::Checked, Flag(GetIncreasePerformance)},
    {"cboxDeactivatePreview", Put::Checked, Flag(GetDeactivatePreview)},
    {"butDeinstallMessenger", Put::Enabled, Flag(GetDeinstallMessenger)},
    {"cboxDeactivateAutorun", Put::Checked, Flag(GetDeactivateAutorun)},
    {"cboxMuteBeepTone", Put::Checked, Flag(GetMuteBeepTone)},
    {"cboxStopErrorreporting", Put::Checked, Flag(GetStopErrorreporting)},
    {"cboxSpeedupNetwork", Put::NotChecked, Flag(GetSpeedupNetwork)},
    {"cboxFastLogin", Put::Checked, Flag(GetFastLogin)},
    {"cboxKillProcess", Put::Checked, Flag(GetKillProcess)},
    {"cboxLowDiskSpace", Put::Checked, Flag(GetLowDiskSpace)},
    {"cboxStopDesktopCleaning", Put::Checked, Flag(GetStopDesktopCleaning)},
    {"cboxFastWindowsShutdown", Put::Checked, Flag(GetFastWindowsShutdown)},
    {"cboxShowFileext", Put::Checked, Flag(GetShowFileext)},
    {"cboxShowAllFiles", Put::Checked, Flag(GetShowAllFiles)},
    {"cboxShowSystemFiles", Put::Checked, Flag(GetShowSystemFiles)},
    {"cboxStopWebsearch", Put::Checked, Flag(GetStopWebsearch)},
    {"cboxIncreaseSystemPerformance", Put::Checked, Flag(GetIncreaseSystemPerformance)},
    {"cboxDeactivatePersonalMenus", Put::Checked, Flag(GetDeactivatePersonalMenus)},
    {"trackStartmenuDelay", Put::Position, Number(GetStartmenuDelay)},
    {"cboxDontGroupTaskbaritems", Put::Checked, Flag(GetDontGroupTaskbaritems)},
    {"cboxDisableRemoteDesktop", Put::Checked, Flag(GetDisableRemoteDesktop)},
    {"cboxDisableAutoUpdate", Put::Checked, Flag(GetDisableAutoUpdate)},
    {"cboxDeleteAdminShare", Put::Checked, Flag(GetDeleteAdminShare)},
    {"cboxStopSecurityCenter", Put::Checked, Flag(GetStopSecurityCenter)},
    {"cboxSavePrivacy", Put::Checked, Flag(GetSavePrivacy)},
    {"cboxEliminateDownloadlimit", Put::Checked, Flag(GetEliminateDownloadlimit)},
    {"cboxStopIEErrorreporting", Put::Checked, Flag(GetStopIEErrorreporting)},
    {"cboxDisableActiveX", Put::Checked, Flag(GetDisableActiveX)},
    {"butUseGoogleSearch", Put::Enabled, Flag(GetUseGoogleSearch)},
    {"cboxStopVBScript", Put::Checked, Flag(GetStopVBScript)},
    {"cboxStopWhispering", Put::Checked, Flag(GetStopWhispering)},
    {"cboxDontLoadMetadata", Put::Checked, Flag(GetDontLoadMetadata)},
    {"cboxDontLoadLicenses", Put::Checked, Flag(GetDontLoadLicenses)},
    {"cboxDontLoadCodecs", Put::Checked, Flag(GetDontLoadCodecs)},
    {"cboxStopAutoUpdate", Put::Checked, Flag(GetStopAutoUpdate)},
    {"cboxControlPanel", Put::Checked, Flag(GetControlPanel)},
    {"cboxServices", Put::Checked, Flag(GetServices)},
    {"cboxDevices", Put::Checked, Flag(GetDevices)},
    {"cboxRegEdit", Put::Checked, Flag(GetRegEdit)},
    {"cboxSystemRestore", Put::Checked, Flag(GetSystemRestore)},
    {"cboxSoftware", Put::Checked, Flag(GetSoftware)},
    {"cboxMsconfig", Put::Checked, Flag(GetMsconfig)},
    {"cboxNotepadReg", Put::Checked, Flag(GetNotepadReg)},
    {"cboxUnknownFiles", Put::Checked, Flag(GetUnknownFiles)},
    {"cboxEasyCopying", Put::Checked, Flag(GetEasyCopying)},
    {"cboxEasyMoving", Put::Checked, Flag(GetEasyMoving)},
    {"cboxFolderInNewWindow", Put::Checked, Flag(GetFolderInNewWindow)},
    {"cboxOpenConsole", Put::Checked, Flag(GetOpenConsole)},
    {"cboxLogoff", Put::Checked, Flag(GetLogoff)},
    {"cboxRestart", Put::Checked, Flag(GetRestart)},
    {"cboxShutdown", Put::Checked, Flag(GetShutdown)},
    {"cboxCmdQuickEdit", Put::Checked, Flag(GetCmdQuickEdit)},
    {"cboxDetailView", Put::Checked, Flag(GetDetailView)},
    {"cboxStatusAndAddressbar", Put::Checked, Flag(GetStatusAndAddressbar)},
    {"cboxKillTheDog", Put::Checked, Flag(GetKillTheDog)},
    {"cboxSearchSystemDirs", Put::Checked, Named(GetSearchOption, "SearchSystemDirs")},
    {"cboxSearchHidden", Put::Checked, Named(GetSearchOption, "SearchHidden")},
    {"cboxIncludeSubfolders", Put::Checked, Named(GetSearchOption, "IncludeSubFolders")},
    {"cboxCaseSensitive", Put::Checked, Named(GetSearchOption, "CaseSensitive")},
    {"cboxSearchSlowFiles", Put::Checked, Named(GetSearchOption, "SearchSlowFiles")},
    {"butDeleteBrowserextensions", Put::Enabled, Flag(HasBrowserExtensions)},
    {"butDeleteBHO", Put::Enabled, Flag(HasBrowserHelperObjects)},
    {"butDeleteToolbars", Put::Enabled, Flag(HasToolbars)},
    {"cboxStopHighlighting", Put::Checked, Flag(GetStopHighlighting)},
    {"cboxFullStopErrorReporting", Put::Checked, Flag(GetFullStopErrorReporting)},
    {"cboxActivateMemSharing", Put::CheckedIfEquals, Number(GetActivateMemSharing), 1},
    {"tbarBitBucket", Put::Position, Number(GetBitBucket)},
    {"cboxNukeOnDelete", Put::CheckedIfEquals, Number(GetNukeOnDelete), 1},
    {"cboxNetworkMenu", Put::CheckedIfEquals, Number(GetNetworkMenu), 2},
    {"cboxControlPanelMenu", Put::CheckedIfEquals, Number(GetControlPanelMenu), 2},
    {"cboxMyComputerMenu", Put::CheckedIfEquals, Number(GetMyComputerMenu), 2},
    {"labProgramDir", Put::Text, Text(GetProgramDir)},
    {"cboxHidePlayerID", Put::Checked, Flag(GetHidePlayerID)},
    {"cboxDeactivateWindowsAuth", Put::Checked, Flag(GetDeactivateWindowsAuth)},
    {"butPatchWindowsUpdate", Put::Enabled, Flag(NeedsWindowsUpdatePatch)},
    {"cbHideCommonFiles", Put::Checked, Flag(GetHideCommonFiles)},
    {"cbSearchUnknownFiles", Put::Checked, Flag(GetSearchUnknownFiles)},
    {"cbExpandIconCache", Put::Checked, Flag(GetExpandIconCache)},
    {"cbExpandTaskSwitch", Put::Checked, Flag(GetExpandTaskSwitch)},
    {"cbLockNumlock", Put::Checked, Flag(GetLockNumlock)},
    {"cbHideShortCutArrow", Put::Checked, Flag(GetHideShortCutArrow)},
    {"cbFixedEntries", Put::Checked, Flag(GetFixedEntries)},
    {"cbHideDocuments", Put::Checked, Flag(GetHideDocuments)},
    {"cbHideMyFiles", Put::Checked, Flag(GetHideMyFiles)},
    {"cbHideMyPictures", Put::Checked, Flag(GetHideMyPictures)},
    {"cbHideMyMusic", Put::Checked, Flag(GetHideMyMusic)},
    {"cbHideHelpDesk", Put::Checked, Flag(GetHideHelpDesk)},
    {"cbHideProgramAccess", Put::Checked, Flag(GetHideProgramAccess)},
    {"cbDenyUSBWriteAccess", Put::Checked, Flag(GetDenyUSBWriteAccess)},
    {"cbDisallowNusrmgr", Put::Checked, Flag(GetDisallowNusrmgr)},
    {"cbDisallowAppwiz", Put::Checked, Flag(GetDisallowAppwiz)},
    {"cbDisallowSecCenter", Put::Checked, Flag(GetDisallowSecCenter)},
    {"cbDontLogPrograms", Put::Checked, Flag(GetDontLogPrograms)},
    {"combxTextColor", Put::ColourPair, Number(GetConsoleColors), 0, "combxBackgroundColor", "pboxCmdPreview"},
};

const std::vector<ReadStep> kReadVista = {
    {"cb20060501", Put::Checked, Flag(GetBalloonTips)},
    {"cb20060502", Put::Checked, Flag(GetIncreasePerformance)},
    {"cb20060505", Put::Checked, Flag(GetDeactivateAutorun)},
    {"cb20060506", Put::Checked, Flag(GetMuteBeepTone)},
    {"cb20060510", Put::Checked, Flag(GetFastLogin)},
    {"cb20060512", Put::Checked, Flag(GetKillProcess)},
    {"cb20060513", Put::Checked, Flag(GetLowDiskSpace)},
    {"cb20060515", Put::Checked, Flag(GetFastWindowsShutdown)},
    {"cb20060517", Put::Checked, Flag(GetShowFileext)},
    {"cb20060518", Put::Checked, Flag(GetShowAllFiles)},
    {"cb20060523", Put::Checked, Flag(GetIncreaseSystemPerformance)},
    {"tb20060528", Put::Position, Number(GetStartmenuDelay)},
    {"cb20060533", Put::Checked, Flag(GetDeleteAdminShare)},
    {"cb20060534", Put::Checked, Flag(GetStopSecurityCenter)},
    {"cb20060540", Put::Checked, Flag(GetDisableActiveX)},
    {"but20060541", Put::Enabled, Flag(GetUseGoogleSearch)},
    {"cb20060546", Put::Checked, Flag(GetStopWhispering)},
    {"cb20060547", Put::Checked, Flag(GetDontLoadMetadata)},
    {"cb20060548", Put::Checked, Flag(GetDontLoadLicenses)},
    {"cb20060549", Put::Checked, Flag(GetDontLoadCodecs)},
    {"cb20060550", Put::Checked, Flag(GetStopAutoUpdate)},
    {"cb20060801", Put::Checked, Flag(GetControlPanel)},
    {"cb20060802", Put::Checked, Flag(GetServices)},
    {"cb20060803", Put::Checked, Flag(GetDevices)},
    {"cb20060804", Put::Checked, Flag(GetRegEdit)},
    {"cb20060805", Put::Checked, Flag(GetSystemRestore)},
    {"cb20060806", Put::Checked, Flag(GetSoftware)},
    {"cb20060807", Put::Checked, Flag(GetMsconfig)},
    {"cb20060808", Put::Checked, Flag(GetNotepadReg)},
    {"cb20060809", Put::Checked, Flag(GetUnknownFiles)},
    {"cb20060810", Put::Checked, Flag(GetEasyCopying)},
    {"cb20060811", Put::Checked, Flag(GetEasyMoving)},
    {"cb20060812", Put::Checked, Flag(GetFolderInNewWindow)},
    {"cb20060813", Put::Checked, Flag(GetOpenConsole)},
    {"cb20060814", Put::Checked, Flag(GetLogoff)},
    {"cb20060815", Put::Checked, Flag(GetRestart)},
    {"cb20060816", Put::Checked, Flag(GetShutdown)},
    {"cb20060818", Put::Checked, Flag(GetCmdQuickEdit)},
    {"cb20061019", Put::Checked, Flag(GetHidePlayerID)},
    {"cb20061021", Put::Checked, Flag(GetDeactivateWindowsAuth)},
    {"cb20070438a", Put::Checked, Named(GetSearchProvider, "IMDB")},
    {"cb20070438b", Put::Checked, Named(GetSearchProvider, "Sourceforge")},
    {"cb20070438c", Put::Checked, Named(GetSearchProvider, "Wikipedia")},
    {"cb20070408", Put::Checked, Flag(GetHideCommonFiles)},
    {"cb20070432", Put::Checked, Flag(GetDisableUAC)},
    {"cb20070434", Put::Checked, Flag(GetDisableNtfsTimestamps)},
    {"cb20070409", Put::Checked, Flag(GetLockNumlock)},
    {"cb20070410", Put::Checked, Flag(GetHideShortCutArrow)},
    {"cb20070440", Put::Checked, Flag(GetAeroSlowMotion)},
    {"cb20070420", Put::Checked, Flag(GetFixedEntries)},
    {"cb20070423", Put::Checked, Flag(GetHideMyFiles)},
    {"cb20070424", Put::Checked, Flag(GetHideMyPictures)},
    {"cb20070425", Put::Checked, Flag(GetHideMyMusic)},
    {"cb20070412", Put::Checked, Flag(GetDenyUSBWriteAccess)},
    {"cb20070419", Put::Checked, Flag(GetDontLogPrograms)},
    {"cb20070439", Put::Checked, Flag(GetDisableMailSplash)},
    {"combx20060817a", Put::ColourPair, Number(GetConsoleColors), 0, "combx20060817b", "pb20060817"},
};
// clang-format on

struct Answer {
  int number = 0;
  std::string text;
};

Answer Ask(const Getter& g) {
  Answer a;
  if (g.flag) a.number = g.flag() ? 1 : 0;
  if (g.number) a.number = g.number();
  if (g.text) a.text = g.text();
  if (g.named) a.number = g.named(g.argument) ? 1 : 0;
  return a;
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
  return layout == Layout::XP ? kReadXP : kReadVista;
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

}  // namespace tw
