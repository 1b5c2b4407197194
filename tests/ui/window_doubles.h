#pragma once

// Stand-ins around the real machine for the window tests: a registry that watches (and can
// refuse) what the program writes, a system whose restart, uninstaller and folder picker are
// scripted, message boxes answered by script, and the shown main window.

#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "flows/settings_load.h"
#include "forwarding_registry.h"
#include "message_script.h"
#include "registry/registry.h"
#include "registry/registry_api.h"
#include "system/messages.h"
#include "system/system_api.h"
#include "ui/unitmain.h"

namespace tw::ui::test {

// The Wine registry, watched. Installed as the program's backend while it lives.
class RegistrySpy : public tw::test::ForwardingRegistry {
 public:
  RegistrySpy();
  ~RegistrySpy() override;

  // A user without administrator rights: no key under HKLM opens or is created with write
  // rights, and nothing there is set or deleted.
  bool refuseHklm = false;
  // A value of this name cannot be written anywhere.
  std::string refuseValue;
  // Runs before each change the program attempts: a key opened or created for writing, a value
  // set or deleted, a key deleted.
  std::function<void()> onChange;
  int changes = 0;
  int calls = 0;

  long SetValue(RegHandle key, const std::string& name, std::uint32_t type,
                const std::uint8_t* data, std::uint32_t size) override;

 protected:
  void Calling() override { ++calls; }
  long Changing(RegHandle key) override;
  void Opened(RegHandle parent, RegHandle key) override;
  void Closing(RegHandle key) override { hklm_.erase(key); }

 private:
  bool Hklm(RegHandle key) const;

  RegistryBackendScope installed_;
  std::set<RegHandle> hklm_;
};

// The Win32 system with the calls a test must never make for real, scripted. Installed while it
// lives.
class SystemStub : public SystemApi {
 public:
  SystemStub();
  ~SystemStub() override;

  std::vector<std::uint32_t> exitRequests;  // never passed on
  struct Run {
    std::string file, parameters;
  };
  std::vector<Run> runs;
  std::function<void()> whileRunning;       // the "program" that RunAndWait waits for
  std::optional<std::string> folderChosen;  // nullopt: the picker is cancelled
  std::string folderCaption;
  std::uintptr_t folderOwner = 0;

  bool QueryVersion(OsVersionInfo* info) override { return inner_.QueryVersion(info); }
  bool UserName(char* buffer, std::uint32_t* size) override {
    return inner_.UserName(buffer, size);
  }
  bool ComputerName(char* buffer, std::uint32_t* size) override {
    return inner_.ComputerName(buffer, size);
  }
  std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) override {
    return inner_.WindowsDirectory(buffer, size);
  }
  std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) override {
    return inner_.ExpandEnvironment(source, buffer, size);
  }
  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  bool RunAndWait(const std::string& file, const std::string& parameters) override;
  bool BrowseForFolder(const std::string& caption, const std::wstring& root, std::string& folder,
                       std::uintptr_t owner, bool editBox, bool includeFiles,
                       bool allowNewFolder) override;
  bool HotfixInstalled(const std::string& hotfix) override {
    return inner_.HotfixInstalled(hotfix);
  }
  std::string ProgramFileVersion() override { return inner_.ProgramFileVersion(); }
  bool RequestExitWindows(std::uint32_t flags) override;
  bool RestorePointAvailable() override { return inner_.RestorePointAvailable(); }
  bool SetRestorePoint(const RestorePointRequest& r, RestorePointStatus& status) override {
    return inner_.SetRestorePoint(r, status);
  }
  LocalTime Now() override { return inner_.Now(); }

 private:
  SystemApi& inner_;
};

using Asked = tw::test::AskedMessage;
// The program's message boxes, answered from a queue.
using Messages = tw::test::MessageScript;

// The main window of the machine's layout, shown, without saved window settings.
class LiveWindow : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  Controls& c() { return form->controls(); }
  // The control's window; its page is made first if it has not been shown yet.
  HWND H(const std::string& name) {
    c().MakePageOf(c().Get(name));
    return c().Get(name).hwnd;
  }
  void ShowPageOf(const std::string& name);
  // A real mouse click on the control, its page brought to the front first.
  void Click(const std::string& name);
  // The controls of the layout's write sequence with what each shows.
  std::vector<std::pair<std::string, std::string>> Showing();

  Messages messages;
  std::unique_ptr<TfrmMain> form;
  std::vector<std::string> errors;  // what reached the error hook
  bool xp = true;
  Layout layout = Layout::XP;
};

// The program's own key.
inline constexpr char kOwnKey[] = "Software\\Tavo Trimmwerk\\3.0";

// A top-level window of this thread with the class name, or nullptr.
HWND ThreadWindow(const std::string& className);

// A value of the machine as its type and, for a REG_DWORD, its number; kRegNone when missing.
struct StoredValue {
  std::uint32_t type = kRegNone;
  std::int32_t number = 0;
};
StoredValue ReadValue(RegRoot root, const std::string& key, const std::string& name);
// Subkeys of a key of the machine, or -1 when it does not exist.
int SubKeyCount(RegRoot root, const std::string& key);
// Creates the key with the given subkeys below it.
void CreateKeyWith(RegRoot root, const std::string& key, const std::vector<std::string>& subKeys);
// Deletes the key with everything below it, if it is there.
void DeleteKeyTree(RegRoot root, const std::string& key);

}  // namespace tw::ui::test
