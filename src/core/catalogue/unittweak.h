#pragma once

// The tweak catalogue: for every tweak a getter that reports its state from the registry and a
// setter that writes one of its two states, and the tests and actions of the one-shot buttons.
//
// A boolean getter returns true for the state a checked box shows. A boolean setter takes the
// negation of its box: false writes the tweak as its caption describes it, true the opposite
// state. A setter runs its registry steps in order, stops at the first that reports failure
// and returns whether all of them succeeded; the errors of the write helpers (key creation or
// value write refused) pass through. Getters never create or change anything: a missing or
// mistyped value reads as the tweak's default. The three getters that convert registry text to
// a number raise Error "'%s' ist kein gültiger Integerwert" when the text is not an integer.
//
// The plain row tweaks have no functions of their own: their getter and setter are the row's
// (catalogue_row.h), reached through its name (tweak_access.h). Declared here are the tweaks
// that compute something.
//
// Everything here needs an open registry accessor (RegistryBatch), except GetDeinstallMessenger
// and GetUseGoogleSearch.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "registry.h"

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
// One of "SearchSystemDirs", "SearchHidden", "IncludeSubFolders", "CaseSensitive",
// "SearchSlowFiles"; true when it is 1.
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
const Bytes& ToolbarLayoutTemplate();

// --- The catalogue as a list, for tests and the explanation texts.

// A registry place a tweak reads or writes: a whole key (tested, created or removed with its
// subtree) or one value of a key.
struct RegLocation {
  RegRoot root;
  std::string key;
  std::string value;  // "" is the default value; unused for a whole key
  bool wholeKey = false;
  // A setter of the apply run writes it: the value, or for a whole key, the key created or
  // removed with its subtree. False for places that are only tested, and for the one-shot
  // buttons' places. A backup may bring back only these.
  bool written = false;
};

struct TweakInfo {
  std::uint32_t id;
  std::string name;                    // Get<name>/Set<name>, or the button's action
  std::vector<RegLocation> locations;  // the getter's (the button test's) location first
};

// Every tweak of the catalogue, by tweak ID.
const std::vector<TweakInfo>& CatalogueTweaks();

}  // namespace tw
