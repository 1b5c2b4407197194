// The catalogue on a machine that refuses: a user without administrator rights (HKLM cannot be
// written), refused key creation and value writes; and what the actions ask of the system.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "catalogue/catalogue_row.h"
#include "catalogue/computed_tweaks.h"
#include "fake_system.h"
#include "row_tweaks.h"
#include "system/error.h"
#include "test_machine.h"

namespace tw {
namespace {

class CatalogueFaults : public ::testing::Test {
 protected:
  void SetUp() override { Fresh(); }
  void TearDown() override {
    batch_.reset();
    SetSystemBackend(nullptr);
  }
  void Fresh() {
    batch_.reset();
    test::ResetMachine();
    batch_.emplace();
  }
  static MemoryRegistry& memory() { return *test::MemoryMachine(); }

  std::optional<RegistryBatch> batch_;
  test::FakeSystem system_;
};

// "true", "false" or the text of the error raised.
std::string Outcome(const std::function<bool()>& call) {
  try {
    return call() ? "true" : "false";
  } catch (const Error& e) {
    return e.what();
  }
}

std::string CreationRefused(const std::string& key) {
  return "Erzeugung von Schlüssel " + key + " misslungen";
}

// Without the right to write HKLM, a setter stops at its first step: a write raises because
// the missing key cannot be created, or reports false when the key exists but opens read-only;
// a removal reports false; making a key that exists succeeds. Nothing is created or changed.
TEST_F(CatalogueFaults, HklmRowsWithoutAdministratorRights) {
  for (const TweakRow& row : TweakRows()) {
    if (row.root != HKLM) continue;
    for (bool unchecked : {false, true}) {
      SCOPED_TRACE(row.name + (unchecked ? " unchecked" : " checked"));
      const Step& first = (unchecked ? row.unchecked : row.checked).front();
      const bool removes = first.op == Op::RemoveKey || first.op == Op::RemoveValue;
      const std::string refused = CreationRefused(RowKey(row, first.sub));

      Fresh();
      memory().DenyWrite(HKLM, "");
      EXPECT_EQ(removes ? "false" : refused, Outcome([&] { return WriteTweak(row, unchecked); }));
      EXPECT_TRUE(memory().SubKeys(HKLM, "").empty());

      for (const RegLocation& l : RowLocations(row)) memory().PutKey(HKLM, l.key);
      // An existing key is already what a key-making step asks for.
      const std::string expected = first.op == Op::MakeKey ? "true" : "false";
      EXPECT_EQ(expected, Outcome([&] { return WriteTweak(row, unchecked); }));
      for (const RegLocation& l : RowLocations(row)) {
        EXPECT_TRUE(memory().HasKey(HKLM, l.key));
        EXPECT_TRUE(memory().ValueNames(HKLM, l.key).empty());
      }
    }
  }
}

TEST_F(CatalogueFaults, HkcuTweaksWorkWithoutAdministratorRights) {
  memory().DenyWrite(HKLM, "");
  for (const TweakRow& row : TweakRows()) {
    if (row.root != HKCU) continue;
    SCOPED_TRACE(row.name);
    EXPECT_TRUE(WriteTweak(row, false));
    EXPECT_TRUE(ReadTweak(row));
    EXPECT_TRUE(WriteTweak(row, true));
    EXPECT_FALSE(ReadTweak(row));
  }
  EXPECT_TRUE(SetConsoleColors(14, 1) && SetStartmenuDelay(20) && SetDetailView(false) &&
              SetStatusAndAddressbar(false) && SetHidePlayerID(false) &&
              SetSearchOptions(1, 1, 1, 1, 1) && SetSearchProvider(false, "IMDB", "x"));
  EXPECT_TRUE(memory().SubKeys(HKLM, "").empty());
}

TEST_F(CatalogueFaults, ComputedHklmTweaksAndActionsWithoutAdministratorRights) {
  const std::string bitBucket = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket";
  const std::string toolbars = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
  memory().DenyWrite(HKLM, "");
  EXPECT_EQ(CreationRefused(bitBucket), Outcome([] { return SetBitBucket(50); }));
  // Google: the five HKCU values are written, the HKLM one is refused.
  EXPECT_EQ(CreationRefused("SOFTWARE\\Microsoft\\Internet Explorer\\Search"),
            Outcome(UseGoogleSearch));
  EXPECT_EQ(
      5u,
      memory().ValueNames(HKCU, "Software\\Microsoft\\Internet Explorer\\Main").size() +
          memory().ValueNames(HKCU, "Software\\Microsoft\\Internet Explorer\\SearchURL").size());
  memory().PutKey(HKLM, bitBucket);
  memory().PutKey(HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
  memory().PutKey(HKLM, toolbars + "\\{1}");
  EXPECT_EQ("false", Outcome([] { return SetBitBucket(50); }));
  EXPECT_EQ("false", Outcome([] { return SetProgramDir("D:\\Programme"); }));
  EXPECT_EQ("false", Outcome(DeleteToolbars));
  EXPECT_TRUE(HasToolbars());
}

TEST_F(CatalogueFaults, RefusedWritesRaiseAndStopTheSetter) {
  const std::string advanced = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
  memory().DenyValueWrite(HKCU, advanced);
  EXPECT_EQ("Fehler beim Setzen der Daten für 'EnableBalloonTips'",
            Outcome([] { return test::SetRow("BalloonTips", false); }));
  memory().DenyCreate(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings");
  EXPECT_EQ(
      CreationRefused("Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3"),
      Outcome([] { return test::SetRow("DisableActiveX", false); }));

  // A failed step ends the setter: the Google preset stops at its first refused key.
  Fresh();
  memory().DenyWrite(HKCU, "Software\\Microsoft\\Internet Explorer\\Main");
  EXPECT_FALSE(UseGoogleSearch());
  EXPECT_FALSE(memory().HasKey(HKCU, "Software\\Microsoft\\Internet Explorer\\SearchURL"));
  EXPECT_FALSE(memory().HasKey(HKLM, "SOFTWARE\\Microsoft\\Internet Explorer\\Search"));

  // A verb whose command key is locked never gets its caption: the command is written first.
  const std::string regedit = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\regedit";
  Fresh();
  memory().DenyWrite(HKCR, regedit + "\\command");
  EXPECT_FALSE(test::SetRow("RegEdit", false));
  EXPECT_FALSE(memory().Get(HKCR, regedit, "").has_value());
}

TEST_F(CatalogueFaults, MessengerUninstallRunsRundll32FromTheSystemFolder) {
  SetSystemBackend(&system_);
  EXPECT_FALSE(GetDeinstallMessenger());
  system_.files.insert("C:\\Programme\\Messenger\\msmsgs.exe");
  EXPECT_TRUE(GetDeinstallMessenger());

  EXPECT_TRUE(DeinstallMessenger());
  ASSERT_EQ(1u, system_.runs.size());
  EXPECT_EQ("C:\\WINDOWS\\system32\\rundll32.exe", system_.runs[0].first);
  EXPECT_EQ("advpack.dll,LaunchINFSection C:\\WINDOWS\\\\inf\\msmsgs.inf,BLC.Remove",
            system_.runs[0].second);
  system_.runSucceeds = false;
  EXPECT_FALSE(DeinstallMessenger());
}

TEST_F(CatalogueFaults, RestoreVerbFollowsTheWindowsVersion) {
  SetSystemBackend(&system_);
  const std::string command =
      "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Systemwiederherstellung\\command";
  struct Case {
    std::uint32_t major, minor;
    const char* program;
  };
  const Case cases[] = {{5, 1, "%windir%\\system32\\restore\\rstrui.exe"},
                        {6, 0, "%windir%\\system32\\rstrui.exe"},
                        {6, 1, "%windir%\\system32\\restore\\rstrui.exe"}};
  for (const Case& c : cases) {
    system_.SetVersion(c.major, c.minor, 1, 2, "", 1, 0);
    ASSERT_TRUE(SetSystemRestore(false));
    const auto v = memory().Get(HKCR, command, "");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(kRegExpandSz, v->type);
    EXPECT_EQ(std::string(c.program) + '\0', std::string(v->data.begin(), v->data.end()));
  }
}

}  // namespace
}  // namespace tw
