// The write sequences pinned as the program's documentation lists them: the controls of every
// write, in order. Two swapped writes change which setting a refused write leaves behind, so
// the order is part of the behaviour.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_apply.h"

namespace tw::test {
namespace {

using Writes = std::vector<std::vector<std::string>>;

// clang-format off
const Writes kXPWrites = {
    {"cboxBalloonTips"}, {"cboxIncreasePerformance"}, {"cboxDeactivatePreview"},
    {"cboxDeactivateAutorun"}, {"cboxMuteBeepTone"}, {"cboxStopErrorreporting"},
    {"cboxSpeedupNetwork"}, {"cboxFastLogin"}, {"cboxKillProcess"}, {"cboxLowDiskSpace"},
    {"cboxStopDesktopCleaning"}, {"cboxFastWindowsShutdown"}, {"cboxShowFileext"},
    {"cboxShowAllFiles"}, {"cboxShowSystemFiles"}, {"cboxStopWebsearch"},
    {"cboxIncreaseSystemPerformance"}, {"cboxDeactivatePersonalMenus"}, {"trackStartmenuDelay"},
    {"cboxDontGroupTaskbaritems"}, {"cboxDisableRemoteDesktop"}, {"cboxDisableAutoUpdate"},
    {"cboxDeleteAdminShare"}, {"cboxStopSecurityCenter"}, {"cboxSavePrivacy"},
    {"cboxEliminateDownloadlimit"}, {"cboxStopIEErrorreporting"}, {"cboxDisableActiveX"},
    {"cboxStopVBScript"}, {"cboxStopWhispering"}, {"cboxDontLoadMetadata"},
    {"cboxDontLoadLicenses"}, {"cboxDontLoadCodecs"}, {"cboxStopAutoUpdate"}, {"cboxControlPanel"},
    {"cboxServices"}, {"cboxDevices"}, {"cboxRegEdit"}, {"cboxSystemRestore"}, {"cboxSoftware"},
    {"cboxMsconfig"}, {"cboxNotepadReg"}, {"cboxUnknownFiles"}, {"cboxEasyCopying"},
    {"cboxEasyMoving"}, {"cboxFolderInNewWindow"}, {"cboxOpenConsole"}, {"cboxLogoff"},
    {"cboxRestart"}, {"cboxShutdown"}, {"combxTextColor", "combxBackgroundColor"},
    {"cboxCmdQuickEdit"}, {"cboxDetailView"}, {"cboxStatusAndAddressbar"}, {"cboxKillTheDog"},
    {"cboxSearchSystemDirs", "cboxSearchHidden", "cboxIncludeSubfolders", "cboxCaseSensitive",
     "cboxSearchSlowFiles"},
    {"cboxStopHighlighting"}, {"cboxFullStopErrorReporting"}, {"cboxActivateMemSharing"},
    {"tbarBitBucket"}, {"cboxNukeOnDelete"}, {"cboxNetworkMenu"}, {"cboxControlPanelMenu"},
    {"cboxMyComputerMenu"}, {"labProgramDir"}, {"cboxHidePlayerID"}, {"cboxDeactivateWindowsAuth"},
    {"cbHideCommonFiles"}, {"cbSearchUnknownFiles"}, {"cbExpandIconCache"}, {"cbExpandTaskSwitch"},
    {"cbLockNumlock"}, {"cbHideShortCutArrow"}, {"cbFixedEntries"}, {"cbHideDocuments"},
    {"cbHideMyFiles"}, {"cbHideMyPictures"}, {"cbHideMyMusic"}, {"cbHideHelpDesk"},
    {"cbHideProgramAccess"}, {"cbDenyUSBWriteAccess"}, {"cbDisallowNusrmgr"}, {"cbDisallowAppwiz"},
    {"cbDisallowSecCenter"}, {"cbDontLogPrograms"},
};

const Writes kVistaWrites = {
    {"cb20060501"}, {"cb20060502"}, {"cb20060505"}, {"cb20060506"}, {"cb20060510"}, {"cb20060512"},
    {"cb20060513"}, {"cb20060515"}, {"cb20060517"}, {"cb20060518"}, {"cb20060523"}, {"tb20060528"},
    {"cb20060533"}, {"cb20060534"}, {"cb20060540"}, {"cb20060546"}, {"cb20060547"}, {"cb20060548"},
    {"cb20060549"}, {"cb20060550"}, {"cb20060801"}, {"cb20060802"}, {"cb20060803"}, {"cb20060804"},
    {"cb20060805"}, {"cb20060806"}, {"cb20060807"}, {"cb20060808"}, {"cb20060809"}, {"cb20060810"},
    {"cb20060811"}, {"cb20060812"}, {"cb20060813"}, {"cb20060814"}, {"cb20060815"}, {"cb20060816"},
    {"combx20060817a", "combx20060817b"}, {"cb20060818"}, {"cb20061019"}, {"cb20061021"},
    {"cb20070408"}, {"cb20070432"}, {"cb20070434"}, {"cb20070409"}, {"cb20070410"}, {"cb20070440"},
    {"cb20070420"}, {"cb20070423"}, {"cb20070424"}, {"cb20070425"}, {"cb20070412"}, {"cb20070419"},
    {"cb20070439"}, {"cb20070438a"}, {"cb20070438b"}, {"cb20070438c"},
};

// clang-format on

TEST(WriteSequence, WritesInTheListedOrder) {
  const struct {
    Layout layout;
    const Writes& expected;
  } cases[] = {{Layout::XP, kXPWrites}, {Layout::Vista, kVistaWrites}};
  for (const auto& c : cases) {
    const std::vector<WriteStep>& sequence = WriteSequence(c.layout);
    ASSERT_EQ(sequence.size(), c.expected.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) {
      const std::vector<const char*> got = StepControls(sequence[i]);
      EXPECT_EQ(std::vector<std::string>(got.begin(), got.end()), c.expected[i])
          << "write " << i + 1;
    }
  }
}

}  // namespace
}  // namespace tw::test
