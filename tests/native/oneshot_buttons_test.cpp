#include "oneshot_buttons.h"

#include <gtest/gtest.h>

#include <map>

#include "apply_fakes.h"
#include "fake_system.h"
#include "registry.h"
#include "test_machine.h"
#include "unittweak.h"

namespace tw::test {
namespace {

const char kFinal[] = "\rDiese Einstellung lässt sich nicht mehr rückgängig machen.";

// Records what the window's blocking and the folder picker were asked for.
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
    asked = {caption, root, folder, owner, editBox, includeFiles, allowNewFolder};
    if (!choose) return false;
    folder = chosenFolder;
    return true;
  }
  struct Browse {
    std::string caption;
    std::wstring root;
    std::string startFolder;
    std::uintptr_t owner;
    bool editBox, includeFiles, allowNewFolder;
  } asked{};
  bool choose = false;
  bool blocked = false;
  bool blockedWhileRunning = false;
  bool batchOpenAtUnblock = true;
};

class OneShot : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetMachine();
    previous_ = SystemBackend();
    SetSystemBackend(&system);
    for (const ConfirmedAction& a : ConfirmedActions()) surface.Declare(a.button);
    surface.Declare("butDeinstallMessenger");
    surface.Declare("labProgramDir").text = "C:\\Programme";
  }
  void TearDown() override {
    SetSystemBackend(previous_);
    EXPECT_FALSE(RegistryAccessOpen());
    EXPECT_EQ(MemoryMachine()->OpenHandles(), 0u);
  }

  RecordingSystem system;
  FakeSurface surface;
  MessageScript messages;

 private:
  SystemApi* previous_ = nullptr;
};

// The key each button empties (or, for Windows Update, removes), from the catalogue.
std::string KeyOf(const ConfirmedAction& a) {
  const std::map<bool (*)(), std::string> names = {
      {DeleteBrowserExtensions, "DeleteBrowserExtensions"},
      {DeleteBrowserHelperObjects, "DeleteBrowserHelperObjects"},
      {DeleteToolbars, "DeleteToolbars"},
      {PatchWindowsUpdate, "PatchWindowsUpdate"}};
  for (const TweakInfo& t : CatalogueTweaks()) {
    if (t.name == names.at(a.action)) return t.locations[0].key;
  }
  return "";
}

TEST_F(OneShot, ConfirmedActionsAskRemoveReportAndRefreshTheirButton) {
  enum Machine { kMissing, kFilled };
  struct Case {
    Machine machine;
    MsgResult answer;
    bool removed;
  };
  const Case cases[] = {{kFilled, MsgResult::No, false},
                        {kFilled, MsgResult::Cancel, false},
                        {kMissing, MsgResult::Yes, false},
                        {kFilled, MsgResult::Yes, true}};
  for (const ConfirmedAction& a : ConfirmedActions()) {
    const std::string key = KeyOf(a);
    ASSERT_FALSE(key.empty()) << a.button;
    const bool update = a.action == PatchWindowsUpdate;
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(a.button) + " " + std::to_string(static_cast<int>(c.answer)));
      ResetMachine();
      if (c.machine == kFilled) MemoryMachine()->PutKey(HKLM, update ? key : key + "\\{4711}");
      surface.SetEnabled(a.button, true);
      messages.asked.clear();
      messages.answers = {c.answer};

      ConfirmedActionClick(surface, a.button);

      ASSERT_GE(messages.asked.size(), 1u);
      EXPECT_EQ(messages.asked[0].text, std::string(a.question) + kFinal);
      EXPECT_EQ(messages.asked[0].type, MsgType::Confirmation);
      EXPECT_EQ(messages.asked[0].buttons, kMbYes | kMbNo | kMbCancel);
      if (c.answer != MsgResult::Yes) {
        EXPECT_EQ(messages.asked.size(), 1u);
        EXPECT_TRUE(surface.Enabled(a.button));
        EXPECT_TRUE(MemoryMachine()->HasKey(HKLM, update ? key : key + "\\{4711}"));
        continue;
      }
      ASSERT_EQ(messages.asked.size(), 2u);
      EXPECT_EQ(messages.asked[1].text, c.removed ? a.done : a.notDone);
      EXPECT_EQ(messages.asked[1].type, c.removed ? MsgType::Information : MsgType::Error);
      EXPECT_EQ(messages.asked[1].buttons, kMbOk);
      EXPECT_FALSE(surface.Enabled(a.button));
      // A missing key is not created; an emptied one is there again, empty.
      EXPECT_EQ(MemoryMachine()->HasKey(HKLM, key), c.removed && !update);
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
  ASSERT_EQ(system.runs.size(), 1u);
  EXPECT_EQ(system.runs[0].first, "C:\\WINDOWS\\system32\\rundll32.exe");
  EXPECT_TRUE(system.blockedWhileRunning);
  EXPECT_FALSE(system.blocked);
  EXPECT_FALSE(system.batchOpenAtUnblock);
  EXPECT_FALSE(surface.Enabled("butDeinstallMessenger"));
  EXPECT_TRUE(messages.asked.empty());
}

TEST_F(OneShot, GoogleSearchReportsWhetherItWasSet) {
  butUseGoogleSearchClick();
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "Google-Suche wurde aktiviert!");
  EXPECT_EQ(messages.asked[0].type, MsgType::Information);

  ResetMachine();
  MemoryMachine()->PutKey(HKCU, "Software\\Microsoft\\Internet Explorer\\Main");
  MemoryMachine()->DenyWrite(HKCU, "Software\\Microsoft\\Internet Explorer\\Main");
  butUseGoogleSearchClick();
  ASSERT_EQ(messages.asked.size(), 2u);
  EXPECT_EQ(messages.asked[1].text, "Google-Suche wurde nicht aktiviert!");
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
}

TEST_F(OneShot, ProgramDirIsChosenIntoTheLabelOnly) {
  CountingRegistry counting(*MemoryMachine());
  SetRegistryBackend(&counting);
  struct Case {
    bool choose;
    const char* chosen;
    const char* label;
  };
  for (const Case& c :
       {Case{false, "D:\\Software", "C:\\Programme"}, Case{true, "", "C:\\Programme"},
        Case{true, "D:\\Software", "D:\\Software"}}) {
    surface.SetText("labProgramDir", "C:\\Programme");
    system.choose = c.choose;
    system.chosenFolder = c.chosen;
    butSearchProgramDirClick(surface, 0x4242);
    EXPECT_EQ(surface.Text("labProgramDir"), c.label) << c.choose << c.chosen;
  }
  EXPECT_EQ(system.asked.caption,
            "Wählen Sie ein Verzeichnis als Standardverzeichnis für die Programminstallation aus:");
  EXPECT_EQ(system.asked.root, L"Desktop");
  EXPECT_EQ(system.asked.startFolder, "");
  EXPECT_EQ(system.asked.owner, 0x4242u);
  EXPECT_FALSE(system.asked.editBox);
  EXPECT_FALSE(system.asked.includeFiles);
  EXPECT_TRUE(system.asked.allowNewFolder);
  EXPECT_EQ(counting.calls, 0);
}

}  // namespace
}  // namespace tw::test
