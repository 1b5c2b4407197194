// The orders the program must keep: the controls of every read and every write, in order,
// for both layouts. Two swapped writes change which setting a refused write leaves behind, and
// two swapped reads which controls a getter that raises leaves as they were, so the orders are
// part of the behaviour.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flows/settings_apply.h"
#include "flows/settings_load.h"

namespace tw::test {
namespace {

using Writes = std::vector<std::vector<std::string>>;
using Reads = std::vector<std::string>;

// clang-format off
const Reads kXPReads = {
    "cboxBalloonTips", "cboxIncreasePerformance", "cboxDeactivatePreview", "butDeinstallMessenger",
    "cboxDeactivateAutorun", "cboxMuteBeepTone", "cboxStopErrorreporting", "cboxSpeedupNetwork",
    "cboxFastLogin", "cboxKillProcess", "cboxLowDiskSpace", "cboxStopDesktopCleaning",
    "cboxFastWindowsShutdown", "cboxShowFileext", "cboxShowAllFiles", "cboxShowSystemFiles",
    "cboxStopWebsearch", "cboxIncreaseSystemPerformance", "cboxDeactivatePersonalMenus",
    "trackStartmenuDelay", "cboxDontGroupTaskbaritems", "cboxDisableRemoteDesktop",
    "cboxDisableAutoUpdate", "cboxDeleteAdminShare", "cboxStopSecurityCenter", "cboxSavePrivacy",
    "cboxEliminateDownloadlimit", "cboxStopIEErrorreporting", "cboxDisableActiveX",
    "butUseGoogleSearch", "cboxStopVBScript", "cboxStopWhispering", "cboxDontLoadMetadata",
    "cboxDontLoadLicenses", "cboxDontLoadCodecs", "cboxStopAutoUpdate", "cboxControlPanel",
    "cboxServices", "cboxDevices", "cboxRegEdit", "cboxSystemRestore", "cboxSoftware",
    "cboxMsconfig", "cboxNotepadReg", "cboxUnknownFiles", "cboxEasyCopying", "cboxEasyMoving",
    "cboxFolderInNewWindow", "cboxOpenConsole", "cboxLogoff", "cboxRestart", "cboxShutdown",
    "cboxCmdQuickEdit", "cboxDetailView", "cboxStatusAndAddressbar", "cboxKillTheDog",
    "cboxSearchSystemDirs", "cboxSearchHidden", "cboxIncludeSubfolders", "cboxCaseSensitive",
    "cboxSearchSlowFiles", "butDeleteBrowserextensions", "butDeleteBHO", "butDeleteToolbars",
    "cboxStopHighlighting", "cboxFullStopErrorReporting", "cboxActivateMemSharing", "tbarBitBucket",
    "cboxNukeOnDelete", "cboxNetworkMenu", "cboxControlPanelMenu", "cboxMyComputerMenu",
    "labProgramDir", "cboxHidePlayerID", "cboxDeactivateWindowsAuth", "butPatchWindowsUpdate",
    "cbHideCommonFiles", "cbSearchUnknownFiles", "cbExpandIconCache", "cbExpandTaskSwitch",
    "cbLockNumlock", "cbHideShortCutArrow", "cbFixedEntries", "cbHideDocuments", "cbHideMyFiles",
    "cbHideMyPictures", "cbHideMyMusic", "cbHideHelpDesk", "cbHideProgramAccess",
    "cbDenyUSBWriteAccess", "cbDisallowNusrmgr", "cbDisallowAppwiz", "cbDisallowSecCenter",
    "cbDontLogPrograms", "combxTextColor",
};

const Reads kVistaReads = {
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
};

// How the answer reaches the control where it is not "checked = answer".
const struct {
  const char* control;
  Put put;
  int equals;
} kNotPlainChecks[] = {
    {"cboxSpeedupNetwork", Put::NotChecked, 0},
    {"cboxActivateMemSharing", Put::CheckedIfEquals, 1},
    {"cboxNukeOnDelete", Put::CheckedIfEquals, 1},
    {"cboxNetworkMenu", Put::CheckedIfEquals, 2},
    {"cboxControlPanelMenu", Put::CheckedIfEquals, 2},
    {"cboxMyComputerMenu", Put::CheckedIfEquals, 2},
    {"trackStartmenuDelay", Put::Position, 0}, {"tb20060528", Put::Position, 0},
    {"tbarBitBucket", Put::Position, 0},
    {"labProgramDir", Put::Text, 0},
    {"butDeinstallMessenger", Put::Enabled, 0}, {"butUseGoogleSearch", Put::Enabled, 0},
    {"but20060541", Put::Enabled, 0}, {"butDeleteBrowserextensions", Put::Enabled, 0},
    {"butDeleteBHO", Put::Enabled, 0}, {"butDeleteToolbars", Put::Enabled, 0},
    {"butPatchWindowsUpdate", Put::Enabled, 0},
    {"combxTextColor", Put::ColourPair, 0}, {"combx20060817a", Put::ColourPair, 0},
};

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

// Each layout's orders as listed, with the colour pair's other list and preview box.
const struct {
  Layout layout;
  const Reads& reads;
  const Writes& writes;
  const char* background;
  const char* preview;
} kLayouts[] = {
    {Layout::XP, kXPReads, kXPWrites, "combxBackgroundColor", "pboxCmdPreview"},
    {Layout::Vista, kVistaReads, kVistaWrites, "combx20060817b", "pb20060817"},
};

TEST(Orders, ReadAndWriteInTheListedOrderAndWay) {
  for (const auto& c : kLayouts) {
    const std::vector<ReadStep>& order = ReadOrder(c.layout);
    ASSERT_EQ(order.size(), c.reads.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
      const ReadStep& step = order[i];
      EXPECT_EQ(step.control, c.reads[i]) << "read " << i + 1;
      Put put = Put::Checked;
      int equals = 0;
      for (const auto& n : kNotPlainChecks) {
        if (c.reads[i] == n.control) put = n.put, equals = n.equals;
      }
      EXPECT_EQ(step.put, put) << step.control;
      EXPECT_EQ(step.equals, equals) << step.control;
    }
    EXPECT_STREQ(order.back().background, c.background);
    EXPECT_STREQ(order.back().preview, c.preview);

    const std::vector<WriteStep>& sequence = WriteSequence(c.layout);
    ASSERT_EQ(sequence.size(), c.writes.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) {
      const std::vector<const char*> got = StepControls(sequence[i]);
      EXPECT_EQ(std::vector<std::string>(got.begin(), got.end()), c.writes[i]) << "write " << i + 1;
    }
  }
}

}  // namespace
}  // namespace tw::test
