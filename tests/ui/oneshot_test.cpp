// The buttons that act at once, clicked in the real window: what they ask and report, what they
// change on the machine and how they grey out.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "registry/registry.h"
#include "ui_support.h"
#include "window_doubles.h"

namespace tw::ui::test {
namespace {

constexpr char kFinal[] = "\rDiese Einstellung lässt sich nicht mehr rückgängig machen.";

struct Removal {
  const char* button;
  const char* key;
  bool keptEmpty;  // emptied; otherwise removed
  const char* question;
  const char* done;
  const char* notDone;
};

const Removal kRemovals[] = {
    {"butDeleteBrowserextensions", "SOFTWARE\\Microsoft\\Internet Explorer\\Extensions", true,
     "Möchten Sie die Browsererweiterungen wirklich entfernen?",
     "Browsererweiterungen wurden entfernt!", "Browsererweiterungen wurden nicht entfernt!"},
    {"butDeleteBHO",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects", true,
     "Möchten Sie die Browser Helper-Objekte wirklich entfernen?",
     "Browser Helper-Objekte wurden entfernt!", "Browser Helper-Objekte wurden nicht entfernt!"},
    {"butDeleteToolbars", "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar", true,
     "Möchten Sie die Toolbars wirklich entfernen?", "Toolbars wurden entfernt!",
     "Toolbars wurden nicht entfernt!"},
    {"butPatchWindowsUpdate",
     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\WindowsUpdate\\Auto Update\\RebootRequired",
     false, "Möchten Sie den Windows Update-Fehler wirklich korrigieren?",
     "Windows Update-Fehler wurde korrigiert!", "Windows Update-Fehler wurde nicht korrigiert!"},
};

class OneShot : public LiveWindow {
 protected:
  // Two entries under the key; loading enables the button.
  void Seed(const Removal& r) {
    DeleteKeyTree(HKLM, r.key);
    CreateKeyWith(HKLM, r.key,
                  {"{00000001-0000-0000-0000-000000000000}",
                   "{00000002-0000-0000-0000-000000000000}\\Unter"});
    form->LoadCurrentSettings();
    ASSERT_TRUE(c().Enabled(r.button));
  }
  // Clicks the button and answers Yes, then OK: the second box is the report.
  void ClickAndConfirm(const char* button, const char* report, MsgType type) {
    messages.asked.clear();
    messages.answers = {MsgResult::Yes, MsgResult::Ok};
    Click(button);
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[1].text, report);
    EXPECT_EQ(messages.asked[1].type, type);
  }
};

TEST_F(OneShot, RemovalsAskReportAndGreyOut) {
  if (!xp) GTEST_SKIP() << "buttons of the XP layout";
  for (const Removal& r : kRemovals) {
    SCOPED_TRACE(r.button);
    Seed(r);
    for (MsgResult refusal : {MsgResult::No, MsgResult::Cancel}) {
      messages.asked.clear();
      messages.answers = {refusal};
      Click(r.button);
      ASSERT_EQ(messages.asked.size(), 1u) << "no report after a refusal";
      const bool removal = std::string(r.button) != "butPatchWindowsUpdate";
      EXPECT_EQ(messages.asked[0],
                (Asked{std::string(r.question) + kFinal, MsgType::Confirmation,
                       kMbYes | kMbNo | kMbCancel,
                       removal ? "Vorher einen Wiederherstellungspunkt erstellen" : ""}));
      EXPECT_EQ(SubKeyCount(HKLM, r.key), 2);
      EXPECT_TRUE(c().Enabled(r.button));
    }

    ASSERT_NO_FATAL_FAILURE(ClickAndConfirm(r.button, r.done, MsgType::Information));
    EXPECT_EQ(SubKeyCount(HKLM, r.key), r.keptEmpty ? 0 : -1);
    EXPECT_FALSE(c().Enabled(r.button));

    // The key went away after loading: nothing to remove, and nothing is created.
    Seed(r);
    DeleteKeyTree(HKLM, r.key);
    ASSERT_NO_FATAL_FAILURE(ClickAndConfirm(r.button, r.notDone, MsgType::Error));
    EXPECT_EQ(SubKeyCount(HKLM, r.key), -1);
    EXPECT_FALSE(c().Enabled(r.button));
  }
  EXPECT_FALSE(RegistryAccessOpen());
  EXPECT_TRUE(errors.empty());
}

// Reported either way, the button stays enabled; where the machine-wide search key is missing
// and cannot be created the handler ends in the error hook and the program goes on.
TEST_F(OneShot, GooglePresetReportsAndAnErrorLeavesTheProgramRunning) {
  const std::string button = xp ? "butUseGoogleSearch" : "but20060541";
  const std::string main = "Software\\Microsoft\\Internet Explorer\\Main";
  const std::string search = "SOFTWARE\\Microsoft\\Internet Explorer\\Search";
  DeleteValue(HKCU, main, "Search Page");
  CreateKeyWith(HKLM, search, {});
  Click(button);
  ASSERT_EQ(messages.asked.size(), 1u);
  EXPECT_EQ(messages.asked[0].text, "Google-Suche wurde aktiviert!");
  EXPECT_EQ(messages.asked[0].type, MsgType::Information);
  EXPECT_EQ(ReadValue(HKCU, main, "Search Page").type, kRegSz);
  EXPECT_TRUE(c().Enabled(button));

  RegistrySpy spy;
  spy.refuseHklm = true;
  Click(button);
  ASSERT_EQ(messages.asked.size(), 2u);
  EXPECT_EQ(messages.asked[1].text, "Google-Suche wurde nicht aktiviert!");
  EXPECT_EQ(messages.asked[1].type, MsgType::Error);
  EXPECT_TRUE(c().Enabled(button));

  DeleteKeyTree(HKLM, search);
  Click(button);
  EXPECT_EQ(messages.asked.size(), 2u) << "no message";
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Erzeugung von Schlüssel " + search + " misslungen");
  EXPECT_FALSE(RegistryAccessOpen());
  ASSERT_TRUE(IsWindow(form->handle()));
  Click("sbutCurrentSettings");  // the window still answers
  EXPECT_TRUE(c().Checked("sbutCurrentSettings"));
  EXPECT_TRUE(IsWindowEnabled(form->handle()));
  CreateKeyWith(HKLM, search, {});
}

// While the uninstaller runs the window takes no input, so no second registry batch starts;
// afterwards the button shows whether the messenger is still there.
TEST_F(OneShot, MessengerUninstallBlocksTheWindowWhileItWaits) {
  if (!xp) GTEST_SKIP() << "a button of the XP layout";
  // The program folder of this process, wherever the machine's points.
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  char saved[MAX_PATH] = {};
  GetEnvironmentVariableA("ProgramFiles", saved, MAX_PATH);
  const std::string programFiles = std::string(temp) + "Programme";
  SetEnvironmentVariableA("ProgramFiles", programFiles.c_str());
  const std::string folder = programFiles + "\\Messenger";
  const std::string program = folder + "\\msmsgs.exe";
  CreateDirectoryA(programFiles.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  CloseHandle(CreateFileA(program.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  form->LoadCurrentSettings();
  ASSERT_TRUE(c().Enabled("butDeinstallMessenger"));

  SystemStub system;
  bool blocked = false, batchOpen = false, stayed = false;
  std::size_t askedWhileWaiting = 99;
  system.whileRunning = [&] {
    blocked = !IsWindowEnabled(form->handle());
    batchOpen = RegistryAccessOpen();
    Click("butApply");
    askedWhileWaiting = messages.asked.size();
    SendMessageA(form->handle(), WM_CLOSE, 0, 0);
    stayed = IsWindow(form->handle()) != FALSE;
    DeleteFileA(program.c_str());  // the uninstaller's work
  };
  Click("butDeinstallMessenger");

  ASSERT_EQ(system.runs.size(), 1u);
  EXPECT_NE(system.runs[0].file.find("system32\\rundll32.exe"), std::string::npos);
  EXPECT_EQ(system.runs[0].parameters.rfind("advpack.dll,LaunchINFSection ", 0), 0u);
  EXPECT_NE(system.runs[0].parameters.find("msmsgs.inf,BLC.Remove"), std::string::npos);
  EXPECT_TRUE(blocked && batchOpen);
  EXPECT_EQ(askedWhileWaiting, 0u) << "the apply button did not react";
  EXPECT_TRUE(stayed) << "no closing from under the handler";
  EXPECT_TRUE(messages.asked.empty());
  EXPECT_FALSE(c().Enabled("butDeinstallMessenger"));
  EXPECT_TRUE(IsWindowEnabled(form->handle()));
  EXPECT_FALSE(RegistryAccessOpen());
  RemoveDirectoryA(folder.c_str());
  RemoveDirectoryA(programFiles.c_str());
  SetEnvironmentVariableA("ProgramFiles", saved);
}

TEST_F(OneShot, ProgramFolderGoesToTheLabelOnly) {
  if (!xp) GTEST_SKIP() << "a button of the XP layout";
  const std::string before = c().Text("labProgramDir");
  RegistrySpy spy;
  SystemStub system;
  Click("butSearchProgramDir");
  EXPECT_EQ(c().Text("labProgramDir"), before) << "cancelled";
  EXPECT_EQ(system.folderCaption,
            "Wählen Sie ein Verzeichnis als Standardverzeichnis für die Programminstallation aus:");
  EXPECT_EQ(system.folderOwner, reinterpret_cast<std::uintptr_t>(form->handle()));

  system.folderChosen = "D:\\Programme neu";
  Click("butSearchProgramDir");
  EXPECT_EQ(c().Text("labProgramDir"), "D:\\Programme neu");
  EXPECT_EQ(spy.calls, 0) << "written only when applied";
  EXPECT_TRUE(messages.asked.empty());
}

}  // namespace
}  // namespace tw::ui::test
