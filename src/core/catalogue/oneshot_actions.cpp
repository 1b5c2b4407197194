// The one-shot buttons: uninstalling MSN Messenger, presetting Google search, removing
// Internet Explorer add-ons and the Windows Update restart marker.

#include <iterator>
#include <string>

#include "catalogue/catalogue_keys.h"
#include "catalogue/computed_tweaks.h"
#include "system/system_helpers.h"

namespace tw {
namespace {

struct TextWrite {
  RegRoot root;
  const std::string& key;
  const char* value;
  const char* text;
};

// Google as Internet Explorer's search, written in this order.
const TextWrite kGoogleSearch[] = {
    {HKCU, kIeMain, "Use Search Asst", "no"},
    {HKCU, kIeMain, "Search Page", "http://www.google.de/"},
    {HKCU, kIeMain, "Search Bar", "http://www.google.de/ie"},
    {HKCU, kSearchUrl, "", "http://www.google.de/keyword/%s"},
    {HKCU, kSearchUrl, "provider", "gogl"},
    {HKLM, kIeSearch, "SearchAssistant", "http://www.google.de/ie"},
};

// Removes the key with everything registered below it and creates it again, empty; a missing
// key is not created.
bool EmptyKey(const std::string& key) { return RemoveRegKey(HKLM, key) && MakeRegKey(HKLM, key); }

}  // namespace

bool GetDeinstallMessenger() {
  return FileExists(ExpandEnvVars("%programfiles%\\Messenger\\msmsgs.exe"));
}

bool DeinstallMessenger() {
  const std::string windows = GetWindowsFolder();
  // rundll32 by its full path: a bare name would also find a program planted in the current
  // folder.
  return ShellRunAndWait(
      windows + "system32\\rundll32.exe",
      "advpack.dll,LaunchINFSection " + windows + "\\inf\\msmsgs.inf,BLC.Remove");
}

bool GetUseGoogleSearch() { return true; }

bool UseGoogleSearch() {
  for (const TextWrite& w : kGoogleSearch) {
    if (!WriteRegString(w.root, w.key, w.value, w.text)) return false;
  }
  return true;
}

bool HasBrowserExtensions() { return RegKeyHasSubKeys(HKLM, kExtensions); }
bool DeleteBrowserExtensions() { return EmptyKey(kExtensions); }
bool HasBrowserHelperObjects() { return RegKeyHasSubKeys(HKLM, kHelperObjects); }
bool DeleteBrowserHelperObjects() { return EmptyKey(kHelperObjects); }
bool HasToolbars() { return RegKeyHasSubKeys(HKLM, kToolbars); }
bool DeleteToolbars() { return EmptyKey(kToolbars); }
bool NeedsWindowsUpdatePatch() { return RegKeyPresent(HKLM, kRebootRequired); }
bool PatchWindowsUpdate() { return RemoveRegKey(HKLM, kRebootRequired); }

std::vector<ComputedTweak> ActionTweaks() {
  std::vector<RegLocation> google;
  // The buttons write outside the apply run: no backup brings their places back.
  for (const TextWrite& w : kGoogleSearch) google.push_back({w.root, w.key, w.value, false, false});
  return {
      {{20060504, "DeinstallMessenger", {}}, GetDeinstallMessenger, {}},
      {{20060541, "UseGoogleSearch", google}, GetUseGoogleSearch, {}},
      {{20060823, "DeleteBrowserExtensions", {KeyAt(HKLM, kExtensions)}}, HasBrowserExtensions, {}},
      {{20060824, "DeleteBrowserHelperObjects", {KeyAt(HKLM, kHelperObjects)}},
       HasBrowserHelperObjects,
       {}},
      {{20060825, "DeleteToolbars", {KeyAt(HKLM, kToolbars)}}, HasToolbars, {}},
      {{20070407, "PatchWindowsUpdate", {KeyAt(HKLM, kRebootRequired)}},
       NeedsWindowsUpdatePatch,
       {}},
  };
}

}  // namespace tw
