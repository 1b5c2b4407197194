#include "flows/oneshot_flow.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "apply_fakes.h"
#include "catalogue/catalogue.h"
#include "catalogue/computed_tweaks.h"
#include "fake_system.h"
#include "registry/registry.h"
#include "test_machine.h"

namespace tw::test {
namespace {

const char kBox[] = "Vorher einen Wiederherstellungspunkt erstellen";

// Records whether the window was blocked while the uninstaller ran, and what the folder picker
// was asked.
class RecordingSystem : public FakeSystem {
 public:
  bool RunAndWait(const std::string& file, const std::string& parameters) override {
    blockedWhileRunning = blocked;
    files.clear();  // the uninstaller removed the messenger
    return FakeSystem::RunAndWait(file, parameters);
  }
  bool BrowseForFolder(const std::string& caption, const std::wstring& root, std::string& folder,
                       std::uintptr_t owner, bool editBox, bool includeFiles,
                       bool allowNewFolder) override {
    browse = {caption, root, folder, owner, editBox, includeFiles, allowNewFolder};
    return FakeSystem::BrowseForFolder(caption, root, folder, owner, editBox, includeFiles,
                                       allowNewFolder);
  }
  std::tuple<std::string, std::wstring, std::string, std::uintptr_t, bool, bool, bool> browse;
  bool blocked = false, blockedWhileRunning = false, batchOpenAtUnblock = true;
};

class OneShot : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachine();
    SetSystemBackend(&system);
    for (const ConfirmedAction& a : ConfirmedActions()) surface.Declare(a.button);
    surface.Declare("butDeinstallMessenger");
    surface.Declare("labProgramDir");
  }
  void TearDown() override {
    SetSystemBackend(nullptr);
    EXPECT_FALSE(RegistryAccessOpen());
    EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
  }
  RecordingSystem system;
  FakeSurface surface;
  MessageScript messages;
};

TEST_F(OneShot, ConfirmedActionsAskRemoveReportAndRefreshTheirButton) {
  const std::map<bool (*)(), std::string> names = {
      {DeleteBrowserExtensions, "DeleteBrowserExtensions"},
      {DeleteBrowserHelperObjects, "DeleteBrowserHelperObjects"},
      {DeleteToolbars, "DeleteToolbars"},
      {PatchWindowsUpdate, "PatchWindowsUpdate"}};
  struct Case {
    bool filled;
    MsgResult answer;
  };
  for (const ConfirmedAction& a : ConfirmedActions()) {
    std::string key;  // the key each button empties (Windows Update: removes)
    for (const TweakInfo& t : CatalogueTweaks()) {
      if (t.name == names.at(a.action)) key = t.locations[0].key;
    }
    const bool update = a.action == PatchWindowsUpdate;
    const std::string entry = update ? key : key + "\\{4711}";
    for (const Case& c : {Case{true, MsgResult::No}, Case{true, MsgResult::Cancel},
                          Case{false, MsgResult::Yes}, Case{true, MsgResult::Yes}}) {
      SCOPED_TRACE(std::string(a.button) + (c.filled ? " filled " : " missing ") +
                   std::to_string(static_cast<int>(c.answer)));
      ResetMachine();
      if (c.filled) MemoryMachine()->PutKey(HKLM, entry);
      surface.SetEnabled(a.button, true);
      messages.asked.clear();
      messages.answers = {c.answer};
      system.restorePoints = true;  // the removals offer one, named by the button's caption
      system.pointCalls = "";
      messages.checks = {true};
      surface.SetText(a.button, std::string("&") + a.button);

      ConfirmedActionClick(surface, a.button);
      const bool point = a.restorePoint && c.answer == MsgResult::Yes;
      EXPECT_EQ(messages.asked[0].checkBox, a.restorePoint ? kBox : "");
      EXPECT_EQ(system.pointCalls,
                point ? "begin Trimmwerk: " + std::string(a.button) + "|end 7|" : "");

      ASSERT_GE(messages.asked.size(), 1u);
      EXPECT_EQ(messages.asked[0].text, std::string(a.question) +
                                            "\rDiese Einstellung lässt sich nicht mehr "
                                            "rückgängig machen.");
      EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo | kMbCancel);
      if (c.answer != MsgResult::Yes) {
        EXPECT_EQ(messages.asked.size(), 1u);
        EXPECT_TRUE(surface.Enabled(a.button));
        EXPECT_TRUE(MemoryMachine()->HasKey(HKLM, entry));
        continue;
      }
      ASSERT_EQ(messages.asked.size(), 2u);
      EXPECT_EQ(messages.asked[1].text.rfind(c.filled ? a.done : a.notDone, 0), 0u);
      EXPECT_EQ(messages.asked[1].text.find("(Nummer 7).") != std::string::npos, point);
      EXPECT_EQ(messages.asked[1].type, c.filled ? MsgType::Information : MsgType::Error);
      EXPECT_FALSE(surface.Enabled(a.button));
      // A missing key is not created; an emptied one is there again, empty.
      EXPECT_EQ(MemoryMachine()->HasKey(HKLM, key), c.filled && !update);
      EXPECT_TRUE(MemoryMachine()->SubKeys(HKLM, key).empty());
    }
  }
}

TEST_F(OneShot, MessengerIsUninstalledWithTheWindowBlocked) {
  system.files = {"C:\\Programme\\Messenger\\msmsgs.exe"};
  struct Block : InputBlock {
    explicit Block(RecordingSystem& s) : system(s) { system.blocked = true; }
    ~Block() override {
      system.blocked = false;
      system.batchOpenAtUnblock = RegistryAccessOpen();
    }
    RecordingSystem& system;
  };
  butDeinstallMessengerClick(surface, [this] { return std::make_unique<Block>(system); });
  EXPECT_EQ(system.runs.size(), 1u);
  EXPECT_TRUE(system.blockedWhileRunning);
  EXPECT_FALSE(system.blocked || system.batchOpenAtUnblock);
  EXPECT_FALSE(surface.Enabled("butDeinstallMessenger"));
}

TEST_F(OneShot, ProgramDirIsChosenIntoTheLabelOnly) {
  for (const char* chosen : {"", "D:\\Software"}) {  // "": cancelled
    surface.SetText("labProgramDir", "C:\\Programme");
    system.chosenFolder = chosen;
    butSearchProgramDirClick(surface, 0x4242);
    EXPECT_EQ(surface.Text("labProgramDir"), *chosen ? chosen : "C:\\Programme");
  }
  EXPECT_EQ(system.browse,
            std::make_tuple(std::string("Wählen Sie ein Verzeichnis als Standardverzeichnis für "
                                        "die Programminstallation aus:"),
                            std::wstring(L"Desktop"), std::string(), std::uintptr_t(0x4242), false,
                            false, true));
  EXPECT_TRUE(Untouched(*MemoryMachine()));
}

}  // namespace
}  // namespace tw::test
