#pragma once

// The tweaks that compute something, written as functions rather than rows (catalogue_row.h),
// and the one-shot buttons' tests and actions; each with its entry of the catalogue.
//
// A boolean getter returns true for the state a checked box shows. A boolean setter takes the
// negation of its box: false writes the tweak as its caption describes it, true the opposite
// state. A setter runs its registry steps in order, stops at the first that reports failure
// and returns whether all of them succeeded; the errors of the write helpers (key creation or
// value write refused) pass through. Getters never create or change anything: a missing or
// mistyped value reads as the tweak's default. The three getters that convert registry text to
// a number raise Error "'%s' ist kein gültiger Integerwert" when the text is not an integer.
//
// Everything here needs an open registry accessor (RegistryBatch), except GetDeinstallMessenger
// and GetUseGoogleSearch.

#include <array>
#include <string>
#include <vector>

#include "catalogue/tweak_calls.h"
#include "catalogue/tweak_info.h"
#include "registry/registry.h"

namespace tw {

// --- First series: System, Windows Explorer, user interface, security, Internet Explorer,
// --- Outlook Express, Media Player.

// The start menu delay in milliseconds, the slider's position.
int GetStartmenuDelay();
bool SetStartmenuDelay(int position);

// Enabled while the messenger's program file exists.
bool GetDeinstallMessenger();
// Runs the messenger's own uninstall section through the system folder's rundll32 and waits.
bool DeinstallMessenger();
// Always true: the Google button is always enabled.
bool GetUseGoogleSearch();
// Presets Internet Explorer's search to Google (six REG_SZ writes).
bool UseGoogleSearch();

// --- Second series: context menus, console, Explorer, start menu, recycle bin.

bool GetSystemRestore();
bool SetSystemRestore(bool unchecked);
bool GetUnknownFiles();
bool SetUnknownFiles(bool unchecked);

// The console colour byte: text colour in bits 0 to 3, background in bits 4 to 7; a stored 0
// reads as 7.
int GetConsoleColors();
bool SetConsoleColors(int textIndex, int backgroundIndex);

bool GetDetailView();
bool SetDetailView(bool unchecked);
bool GetStatusAndAddressbar();
bool SetStatusAndAddressbar(bool unchecked);
// The search options' value names, in the order of their boxes and of SetSearchOptions'
// arguments.
inline constexpr std::array<const char*, 5> kSearchOptionNames{
    "SearchSystemDirs", "SearchHidden", "IncludeSubFolders", "CaseSensitive", "SearchSlowFiles"};
// One of kSearchOptionNames; true when it is 1.
bool GetSearchOption(const std::string& valueName);
// Each argument is 1 for a checked box, 0 for an unchecked one (the box state itself).
bool SetSearchOptions(int systemDirs, int hidden, int subFolders, int caseSensitive, int slowFiles);
// The recycle bin size in percent as stored; the setter clamps to 1..100.
int GetBitBucket();
bool SetBitBucket(int percent);

// The folder new programs install into.
std::string GetProgramDir();
bool SetProgramDir(const std::string& folder);

// --- Third series: privacy and the 2007 tweaks.

bool GetHidePlayerID();
bool SetHidePlayerID(bool unchecked);

// Internet Explorer search providers: true when the provider's search scope key exists.
bool GetSearchProvider(const std::string& name);
// false adds the provider: "DisplayName", then "URL", written even when the first write
// reported false. true removes its key. True when both writes (the removal) succeeded.
bool SetSearchProvider(bool remove, const std::string& name, const std::string& searchAddress);

struct SearchProvider {
  const char* name;     // key name and display name
  const char* address;  // the search address, {SearchTerms} standing for the words
};

// In the order the window loads and applies them.
inline constexpr std::array<SearchProvider, 3> kSearchProviders{{
    {"IMDB", "http://www.imdb.com/find?s=all&q={SearchTerms}"},
    {"Sourceforge", "http://sourceforge.net/search/?type_of_search=soft&words={SearchTerms}"},
    {"Wikipedia", "http://de.wikipedia.org/wiki/Spezial:Suche?search={SearchTerms}&go=Artikel"},
}};

// --- One-shot buttons: the test enables the button, the action reports whether it was done.

bool HasBrowserExtensions();
bool DeleteBrowserExtensions();
bool HasBrowserHelperObjects();
bool DeleteBrowserHelperObjects();
bool HasToolbars();
bool DeleteToolbars();
bool NeedsWindowsUpdatePatch();
bool PatchWindowsUpdate();

// --- Byte templates.

// The 40-byte "Settings" stream that opens Explorer folders in the details view.
const Bytes& DetailViewTemplate();
// The 564-byte "ITBarLayout" that shows the address bar.
const Bytes& AddressBarBandsTemplate();

// A value the setter writes.
inline RegLocation ValueAt(RegRoot root, const std::string& key, const std::string& value) {
  return {root, key, value, false, true};
}
// A key only tested, or one the one-shot buttons empty.
inline RegLocation KeyAt(RegRoot root, const std::string& key) {
  return {root, key, "", true, false};
}
// A key the setter creates or removes with its subtree.
inline RegLocation WholeKeyAt(RegRoot root, const std::string& key) {
  return {root, key, "", true, true};
}

struct ComputedTweak {
  TweakInfo info;
  Getter get;
  Setter set;  // none for the one-shot buttons, whose actions run apart
};

// Sliders, colours, search options and providers, templates and the other computed tweaks.
std::vector<ComputedTweak> SpecialTweaks();
// The one-shot buttons: Messenger, Google search, add-ons, Windows Update; the getter is the
// button's test.
std::vector<ComputedTweak> ActionTweaks();
// Both, built once.
const std::vector<ComputedTweak>& ComputedTweaks();

}  // namespace tw
