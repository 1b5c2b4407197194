// The named getters and setters of the row tweaks, and the catalogue list.

#include "unittweak.h"

#include <algorithm>
#include <stdexcept>

#include "catalogue_row.h"
#include "computed_tweaks.h"

namespace tw {
namespace {

const TweakRow& Row(const char* name) {
  const TweakRow* row = FindTweakRow(name);
  if (!row) throw std::logic_error(std::string("no catalogue row ") + name);
  return *row;
}

}  // namespace

// Get<Name>/Set<Name> over the row called Name.
#define TW_ROW_TWEAK(Name)                           \
  bool Get##Name() { return ReadTweak(Row(#Name)); } \
  bool Set##Name(bool unchecked) { return WriteTweak(Row(#Name), unchecked); }

// The same for the rows whose getter returns the stored number.
#define TW_NUMBER_TWEAK(Name)                             \
  int Get##Name() { return ReadTweakNumber(Row(#Name)); } \
  bool Set##Name(bool unchecked) { return WriteTweak(Row(#Name), unchecked); }

TW_ROW_TWEAK(BalloonTips)
TW_ROW_TWEAK(IncreasePerformance)
TW_ROW_TWEAK(DeactivatePreview)
TW_ROW_TWEAK(DeactivateAutorun)
TW_ROW_TWEAK(MuteBeepTone)
TW_ROW_TWEAK(SpeedupNetwork)
TW_ROW_TWEAK(FastLogin)
TW_ROW_TWEAK(KillProcess)
TW_ROW_TWEAK(LowDiskSpace)
TW_ROW_TWEAK(StopDesktopCleaning)
TW_ROW_TWEAK(FastWindowsShutdown)
TW_ROW_TWEAK(ShowFileext)
TW_ROW_TWEAK(ShowAllFiles)
TW_ROW_TWEAK(ShowSystemFiles)
TW_ROW_TWEAK(StopWebsearch)
TW_ROW_TWEAK(StopErrorreporting)
TW_ROW_TWEAK(IncreaseSystemPerformance)
TW_ROW_TWEAK(DeactivatePersonalMenus)
TW_ROW_TWEAK(DontGroupTaskbaritems)
TW_ROW_TWEAK(DisableRemoteDesktop)
TW_ROW_TWEAK(DisableAutoUpdate)
TW_ROW_TWEAK(DeleteAdminShare)
TW_ROW_TWEAK(StopSecurityCenter)
TW_ROW_TWEAK(SavePrivacy)
TW_ROW_TWEAK(EliminateDownloadlimit)
TW_ROW_TWEAK(StopIEErrorreporting)
TW_ROW_TWEAK(DisableActiveX)
TW_ROW_TWEAK(StopVBScript)
TW_ROW_TWEAK(StopWhispering)
TW_ROW_TWEAK(DontLoadMetadata)
TW_ROW_TWEAK(DontLoadLicenses)
TW_ROW_TWEAK(DontLoadCodecs)
TW_ROW_TWEAK(StopAutoUpdate)

TW_ROW_TWEAK(ControlPanel)
TW_ROW_TWEAK(Services)
TW_ROW_TWEAK(Devices)
TW_ROW_TWEAK(RegEdit)
TW_ROW_TWEAK(Software)
TW_ROW_TWEAK(Msconfig)
TW_ROW_TWEAK(Logoff)
TW_ROW_TWEAK(Restart)
TW_ROW_TWEAK(Shutdown)
TW_ROW_TWEAK(NotepadReg)
TW_ROW_TWEAK(EasyCopying)
TW_ROW_TWEAK(EasyMoving)
TW_ROW_TWEAK(FolderInNewWindow)
TW_ROW_TWEAK(OpenConsole)
TW_ROW_TWEAK(CmdQuickEdit)
TW_ROW_TWEAK(FullStopErrorReporting)
TW_ROW_TWEAK(KillTheDog)
TW_ROW_TWEAK(StopHighlighting)
TW_NUMBER_TWEAK(ActivateMemSharing)
TW_NUMBER_TWEAK(NukeOnDelete)
TW_NUMBER_TWEAK(NetworkMenu)
TW_NUMBER_TWEAK(ControlPanelMenu)
TW_NUMBER_TWEAK(MyComputerMenu)

TW_ROW_TWEAK(DeactivateWindowsAuth)
TW_ROW_TWEAK(SearchUnknownFiles)
TW_ROW_TWEAK(HideCommonFiles)
TW_ROW_TWEAK(ExpandIconCache)
TW_ROW_TWEAK(ExpandTaskSwitch)
TW_ROW_TWEAK(LockNumlock)
TW_ROW_TWEAK(HideShortCutArrow)
TW_ROW_TWEAK(AeroSlowMotion)
TW_ROW_TWEAK(FixedEntries)
TW_ROW_TWEAK(HideDocuments)
TW_ROW_TWEAK(HideHelpDesk)
TW_ROW_TWEAK(HideProgramAccess)
TW_ROW_TWEAK(DontLogPrograms)
TW_ROW_TWEAK(HideMyFiles)
TW_ROW_TWEAK(HideMyPictures)
TW_ROW_TWEAK(HideMyMusic)
TW_ROW_TWEAK(DenyUSBWriteAccess)
TW_ROW_TWEAK(DisallowNusrmgr)
TW_ROW_TWEAK(DisallowAppwiz)
TW_ROW_TWEAK(DisallowSecCenter)
TW_ROW_TWEAK(DisableUAC)
TW_ROW_TWEAK(DisableNtfsTimestamps)
TW_ROW_TWEAK(DisableMailSplash)

#undef TW_ROW_TWEAK
#undef TW_NUMBER_TWEAK

const std::vector<TweakInfo>& CatalogueTweaks() {
  static const std::vector<TweakInfo> list = [] {
    std::vector<TweakInfo> all;
    for (const TweakRow& row : TweakRows()) all.push_back({row.id, row.name, RowLocations(row)});
    for (const ComputedTweak& computed : ComputedTweaks()) all.push_back(computed.info);
    std::stable_sort(all.begin(), all.end(),
                     [](const TweakInfo& a, const TweakInfo& b) { return a.id < b.id; });
    return all;
  }();
  return list;
}

}  // namespace tw
