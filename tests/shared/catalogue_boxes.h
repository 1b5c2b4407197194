#pragma once

// Every check box of the catalogue with its getter (as the yes/no the box shows) and setter,
// for the table-driven catalogue tests, and the named exceptions to the common pattern.

#include <set>
#include <string>
#include <vector>

#include "catalogue/computed_tweaks.h"
#include "row_tweaks.h"

namespace tw::test {

struct Box {
  const char* name;
  bool (*get)();
  bool (*set)(bool unchecked);
};

// clang-format off
// A plain row tweak, through its row.
#define TW_BOX(Name) \
  Box{#Name, [] { return GetRow(#Name); }, [](bool u) { return SetRow(#Name, u); }}
// The box of a number row is checked when the number is `on`.
#define TW_NUMBER_BOX(Name, on) \
  Box{#Name, [] { return GetRowNumber(#Name) == on; }, [](bool u) { return SetRow(#Name, u); }}
// A computed tweak, through its own functions.
#define TW_COMPUTED_BOX(Name) Box{#Name, [] { return Get##Name(); }, Set##Name}
// clang-format on

inline const std::vector<Box>& CatalogueBoxes() {
  static const std::vector<Box> boxes = {
      // First series.
      TW_BOX(BalloonTips), TW_BOX(IncreasePerformance), TW_BOX(DeactivatePreview),
      TW_BOX(DeactivateAutorun), TW_BOX(MuteBeepTone), TW_BOX(SpeedupNetwork), TW_BOX(FastLogin),
      TW_BOX(KillProcess), TW_BOX(LowDiskSpace), TW_BOX(StopDesktopCleaning),
      TW_BOX(FastWindowsShutdown), TW_BOX(ShowFileext), TW_BOX(ShowAllFiles),
      TW_BOX(ShowSystemFiles), TW_BOX(StopWebsearch), TW_BOX(StopErrorreporting),
      TW_BOX(IncreaseSystemPerformance), TW_BOX(DeactivatePersonalMenus),
      TW_BOX(DontGroupTaskbaritems), TW_BOX(DisableRemoteDesktop), TW_BOX(DisableAutoUpdate),
      TW_BOX(DeleteAdminShare), TW_BOX(StopSecurityCenter), TW_BOX(SavePrivacy),
      TW_BOX(EliminateDownloadlimit), TW_BOX(StopIEErrorreporting), TW_BOX(DisableActiveX),
      TW_BOX(StopVBScript), TW_BOX(StopWhispering), TW_BOX(DontLoadMetadata),
      TW_BOX(DontLoadLicenses), TW_BOX(DontLoadCodecs), TW_BOX(StopAutoUpdate),
      // Second series.
      TW_BOX(ControlPanel), TW_BOX(Services), TW_BOX(Devices), TW_BOX(RegEdit),
      TW_COMPUTED_BOX(SystemRestore), TW_BOX(Software), TW_BOX(Msconfig), TW_BOX(NotepadReg),
      TW_COMPUTED_BOX(UnknownFiles), TW_BOX(EasyCopying), TW_BOX(EasyMoving),
      TW_BOX(FolderInNewWindow), TW_BOX(OpenConsole), TW_BOX(Logoff), TW_BOX(Restart),
      TW_BOX(Shutdown), TW_BOX(CmdQuickEdit), TW_BOX(FullStopErrorReporting),
      TW_COMPUTED_BOX(DetailView), TW_COMPUTED_BOX(StatusAndAddressbar), TW_BOX(KillTheDog),
      TW_BOX(StopHighlighting), TW_NUMBER_BOX(ActivateMemSharing, 1),
      TW_NUMBER_BOX(NukeOnDelete, 1), TW_NUMBER_BOX(NetworkMenu, 2),
      TW_NUMBER_BOX(ControlPanelMenu, 2), TW_NUMBER_BOX(MyComputerMenu, 2),
      // Third series.
      TW_COMPUTED_BOX(HidePlayerID), TW_BOX(DeactivateWindowsAuth), TW_BOX(SearchUnknownFiles),
      TW_BOX(ExpandIconCache), TW_BOX(ExpandTaskSwitch), TW_BOX(HideCommonFiles),
      TW_BOX(LockNumlock), TW_BOX(HideShortCutArrow), TW_BOX(DenyUSBWriteAccess),
      TW_BOX(DisallowNusrmgr), TW_BOX(DisallowAppwiz), TW_BOX(DisallowSecCenter),
      TW_BOX(DontLogPrograms), TW_BOX(FixedEntries), TW_BOX(HideDocuments), TW_BOX(HideMyFiles),
      TW_BOX(HideMyPictures), TW_BOX(HideMyMusic), TW_BOX(HideHelpDesk), TW_BOX(HideProgramAccess),
      TW_BOX(DisableUAC), TW_BOX(DisableNtfsTimestamps), TW_BOX(DisableMailSplash),
      TW_BOX(AeroSlowMotion)};
  return boxes;
}

#undef TW_BOX
#undef TW_NUMBER_BOX
#undef TW_COMPUTED_BOX

// Getters that read true on a machine without the catalogue's values: they test for an absent
// key or value, or the absent value's default is the checked datum.
inline const std::set<std::string> kTrueWhenEmpty = {"DeactivatePreview", "FastWindowsShutdown",
                                                     "HideCommonFiles", "HideShortCutArrow"};
// The getter reports the unchecked state (the namespace key present); the window negates it.
inline const std::set<std::string> kNegatedByWindow = {"SpeedupNetwork"};

}  // namespace tw::test
