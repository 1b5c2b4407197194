// The tweaks that compute something: sliders, console colours, search options and providers,
// the binary templates, the unknown-files verb and the version-dependent restore verb.

#include "catalogue/computed_tweaks.h"

#include <algorithm>
#include <iterator>

#include "catalogue/catalogue_keys.h"
#include "catalogue/catalogue_row.h"
#include "system/winversion.h"

namespace tw {
namespace {

// The default verb that the checked state of UnknownFiles writes, quotes included.
const std::string kUnknownFilesVerb = "\"notepad.exe %1\"";

}  // namespace

int GetStartmenuDelay() {
  return TextToInteger(ReadRegString(HKCU, kDesktop, "MenuShowDelay", false, "400"));
}

bool SetStartmenuDelay(int position) {
  return WriteRegString(HKCU, kDesktop, "MenuShowDelay", std::to_string(position));
}

int GetConsoleColors() {
  const int value = ReadRegInteger(HKCU, kCommandProcessor, "DefaultColor", false, 7);
  return value == 0 ? 7 : value;
}

bool SetConsoleColors(int textIndex, int backgroundIndex) {
  return WriteRegInteger(HKCU, kCommandProcessor, "DefaultColor", textIndex + 16 * backgroundIndex);
}

const Bytes& DetailViewTemplate() {
  // 8, 4, 1, the GUID {137E7700-3573-11CF-AE69-08002B2E1262}, 4, 5, 0x43.
  static const Bytes bytes = {0x08, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x01, 0x00,
                              0x00, 0x00, 0x00, 0x77, 0x7E, 0x13, 0x73, 0x35, 0xCF, 0x11,
                              0xAE, 0x69, 0x08, 0x00, 0x2B, 0x2E, 0x12, 0x62, 0x04, 0x00,
                              0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x43, 0x00, 0x00, 0x00};
  return bytes;
}

const Bytes& AddressBarBandsTemplate() {
  static const Bytes bytes = [] {
    const std::uint32_t words[] = {0x11, 0x4C,  0x00, 0x34, 0x1B,  0x56,  0x01, 0x720, 0xFA0,
                                   0x05, 0x562, 0x26, 0x02, 0x721, 0xFA0, 0x04, 0x121, 0xFA0};
    Bytes b(564, 0);
    for (std::size_t i = 0; i < std::size(words); ++i) {
      const DwordData word = DwordBytes(words[i]);
      std::copy(word.begin(), word.end(), b.begin() + 4 * i);
    }
    return b;
  }();
  return bytes;
}

bool GetDetailView() {
  return ReadRegBinary(HKCU, kStreams, "Settings", false, {}) == DetailViewTemplate();
}

bool SetDetailView(bool unchecked) {
  if (unchecked) return RemoveRegValue(HKCU, kStreams, "Settings");
  return WriteRegBinary(HKCU, kStreams, "Settings", DetailViewTemplate());
}

bool GetStatusAndAddressbar() {
  const int statusBar = ReadRegInteger(HKCU, kIeMain, "StatusBarOther", false, 0);
  const Bytes layout = ReadRegBinary(HKCU, kShellBrowser, "ITBarLayout", false, {});
  // The bytes that the toolbar layout template has at these places.
  return layout.size() > 65 && layout[16] == 0x1B && layout[20] == 0x56 && layout[64] == 0x21 &&
         statusBar == 1;
}

bool SetStatusAndAddressbar(bool unchecked) {
  if (unchecked) {
    return WriteRegInteger(HKCU, kIeMain, "StatusBarOther", 0) &&
           RemoveRegValue(HKCU, kShellBrowser, "ITBarLayout");
  }
  return WriteRegInteger(HKCU, kIeMain, "StatusBarOther", 1) &&
         WriteRegBinary(HKCU, kShellBrowser, "ITBarLayout", AddressBarBandsTemplate());
}

bool GetSearchOption(const std::string& valueName) {
  return ReadRegInteger(HKCU, kExplorer, valueName, false, 0) == 1;
}

bool SetSearchOptions(int systemDirs, int hidden, int subFolders, int caseSensitive,
                      int slowFiles) {
  const int states[] = {systemDirs, hidden, subFolders, caseSensitive, slowFiles};
  for (std::size_t i = 0; i < std::size(states); ++i) {
    if (!WriteRegInteger(HKCU, kExplorer, kSearchOptionNames[i], states[i])) return false;
  }
  return true;
}

int GetBitBucket() { return ReadRegInteger(HKLM, kBitBucket, "Percent", false, 10); }

bool SetBitBucket(int percent) {
  return WriteRegInteger(HKLM, kBitBucket, "Percent", std::clamp(percent, 1, 100));
}

std::string GetProgramDir() {
  return ReadRegString(HKLM, kCurrentVersion, "ProgramFilesDir", false, "C:\\Programme");
}

bool SetProgramDir(const std::string& folder) {
  return WriteRegString(HKLM, kCurrentVersion, "ProgramFilesDir", folder);
}

bool GetHidePlayerID() {
  const Bytes id = ReadRegBinary(HKCU, kMediaPlayer, "SendUserGUID", false, Bytes{0x01});
  return !id.empty() && id[0] == 0x00;
}

bool SetHidePlayerID(bool unchecked) {
  return WriteRegBinary(HKCU, kMediaPlayer, "SendUserGUID",
                        Bytes{static_cast<std::uint8_t>(unchecked ? 0x01 : 0x00)});
}

bool GetUnknownFiles() { return RegKeyPresent(HKCR, kAllFilesOpen); }

bool SetUnknownFiles(bool unchecked) {
  if (!unchecked) {
    // The command first: the verb never holds its caption without it.
    return WriteRegString(HKCR, kAllFilesOpen + "\\command", "", "notepad.exe %1") &&
           WriteRegString(HKCR, kAllFilesOpen, "", "Mit Notepad öffnen...") &&
           WriteRegString(HKCR, kAllFilesShell, "", kUnknownFilesVerb);
  }
  // Take back only what the checked state wrote: other programs' verbs under "*\shell" stay,
  // and so does a default verb that someone else has set since.
  if (!RemoveRegKey(HKCR, kAllFilesOpen)) return false;
  if (ReadRegString(HKCR, kAllFilesShell, "", false, "") != kUnknownFilesVerb) return true;
  return RemoveRegValue(HKCR, kAllFilesShell, "");
}

bool GetSystemRestore() { return RegKeyPresent(HKCR, kRestoreVerb + "\\command"); }

bool SetSystemRestore(bool unchecked) {
  if (unchecked) return RemoveRegKey(HKCR, kRestoreVerb);
  // Vista keeps the restore program directly in system32.
  const std::string program = IsWindowsVista() ? "%windir%\\system32\\rstrui.exe"
                                               : "%windir%\\system32\\restore\\rstrui.exe";
  return WriteRegExpandString(HKCR, kRestoreVerb + "\\command", "", program);
}

bool GetSearchProvider(const std::string& name) {
  return RegKeyPresent(HKCU, kSearchScopes + name);
}

bool SetSearchProvider(bool remove, const std::string& name, const std::string& searchAddress) {
  const std::string key = kSearchScopes + name;
  if (remove) return RemoveRegKey(HKCU, key);
  const bool named = WriteRegString(HKCU, key, "DisplayName", name);
  const bool addressed = WriteRegString(HKCU, key, "URL", searchAddress);
  return named && addressed;
}

std::vector<ComputedTweak> SpecialTweaks() {
  std::vector<RegLocation> options;
  for (const char* name : kSearchOptionNames) options.push_back(ValueAt(HKCU, kExplorer, name));
  std::vector<RegLocation> providers;
  for (const SearchProvider& p : kSearchProviders) {
    providers.push_back(WholeKeyAt(HKCU, kSearchScopes + p.name));
  }
  return {
      {{20060528, "StartmenuDelay", {ValueAt(HKCU, kDesktop, "MenuShowDelay")}},
       GetStartmenuDelay,
       SetStartmenuDelay},
      {{20060805,
        "SystemRestore",
        {KeyAt(HKCR, kRestoreVerb + "\\command"), WholeKeyAt(HKCR, kRestoreVerb)}},
       GetSystemRestore,
       SetSystemRestore},
      {{20060809,
        "UnknownFiles",
        {WholeKeyAt(HKCR, kAllFilesOpen), ValueAt(HKCR, kAllFilesShell, "")}},
       GetUnknownFiles,
       SetUnknownFiles},
      {{20060817, "ConsoleColors", {ValueAt(HKCU, kCommandProcessor, "DefaultColor")}},
       GetConsoleColors,
       SetConsoleColors},
      {{20060819, "DetailView", {ValueAt(HKCU, kStreams, "Settings")}},
       GetDetailView,
       SetDetailView},
      {{20060820,
        "StatusAndAddressbar",
        {ValueAt(HKCU, kIeMain, "StatusBarOther"), ValueAt(HKCU, kShellBrowser, "ITBarLayout")}},
       GetStatusAndAddressbar,
       SetStatusAndAddressbar},
      // One getter call per box, with the box's value name; one setter call for all five.
      {{20060822, "SearchOptions", options},
       NamedGetter{GetSearchOption, nullptr},
       SetSearchOptions},
      {{20060829, "BitBucket", {ValueAt(HKLM, kBitBucket, "Percent")}}, GetBitBucket, SetBitBucket},
      {{20060834, "ProgramDir", {ValueAt(HKLM, kCurrentVersion, "ProgramFilesDir")}},
       GetProgramDir,
       SetProgramDir},
      {{20061019, "HidePlayerID", {ValueAt(HKCU, kMediaPlayer, "SendUserGUID")}},
       GetHidePlayerID,
       SetHidePlayerID},
      // Called with the provider's name.
      {{20070438, "SearchProvider", providers},
       NamedGetter{GetSearchProvider, nullptr},
       SetSearchProvider},
  };
}

const std::vector<ComputedTweak>& ComputedTweaks() {
  static const std::vector<ComputedTweak> all = [] {
    std::vector<ComputedTweak> list = SpecialTweaks();
    for (ComputedTweak& action : ActionTweaks()) list.push_back(std::move(action));
    return list;
  }();
  return all;
}

}  // namespace tw
