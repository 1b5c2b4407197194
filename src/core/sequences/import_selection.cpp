#include "import_selection.h"

#include <algorithm>
#include <iterator>

#include "backup.h"
#include "codepage.h"
#include "error.h"
#include "messages.h"
#include "overlay_registry.h"
#include "registry.h"
#include "texts.h"

namespace tw {
namespace {

using namespace text;

// "1 Einstellung weicht", "3 Einstellungen weichen": the count with the forms that fit it.
std::string Counted(std::size_t n, const char* one, const char* more) {
  return std::to_string(n) + " " + (n == 1 ? one : more);
}

// The places that the settings of a layout read and write, by their canonical names.
struct LayoutPlace {
  RegPath key;
  std::u16string value;  // folded; unused for a whole key
  bool wholeKey;
};

std::vector<LayoutPlace> LayoutPlaces(Layout layout, unsigned controlSet) {
  std::vector<LayoutPlace> places;
  for (const TweakInfo& t : CatalogueTweaks()) {
    const auto& sequence = WriteSequence(layout);
    const bool shown = std::any_of(sequence.begin(), sequence.end(),
                                   [&](const WriteStep& s) { return t.name == s.tweak.name; });
    if (!shown) continue;
    for (const RegLocation& l : t.locations)
      places.push_back({Canonical({l.root, AnsiToWide(l.key)}, controlSet),
                        FoldName(AnsiToWide(l.value)), l.wholeKey});
  }
  return places;
}

// Both canonical.
bool Under(const RegPath& p, const RegPath& parent) {
  return p.root == parent.root && KeyAtOrBelow(FoldName(p.path), FoldName(parent.path));
}

bool InWholePlace(const std::vector<LayoutPlace>& places, const RegPath& key) {
  return std::any_of(places.begin(), places.end(),
                     [&](const LayoutPlace& p) { return p.wholeKey && Under(key, p.key); });
}

std::vector<ReadStep> WithoutButtons(const std::vector<ReadStep>& order) {
  std::vector<ReadStep> out;
  std::copy_if(order.begin(), order.end(), std::back_inserter(out),
               [](const ReadStep& s) { return s.put != Put::Enabled; });
  return out;
}

}  // namespace

std::vector<RegFileKey> OverlayEntries(const RegFile& file) {
  std::vector<RegFileKey> entries;
  for (const RegFileKey& k : file.keys) {
    if (k.root != HKCR && k.root != HKCU && k.root != HKLM) continue;
    entries.push_back(k);
  }
  return entries;
}

std::size_t IgnoredEntries(const RegFile& file, Layout layout, unsigned controlSet) {
  const std::vector<LayoutPlace> places = LayoutPlaces(layout, controlSet);
  std::size_t ignored = 0;
  for (const RegFileKey& k : file.keys) {
    const RegPath key = Canonical({k.root, k.path}, controlSet);
    if (k.remove) {
      const bool atOrAbove =
          InWholePlace(places, key) ||
          std::any_of(places.begin(), places.end(), [&](auto& p) { return Under(p.key, key); });
      ignored += atOrAbove ? 0 : 1;
      continue;
    }
    for (const RegFileValue& v : k.values) {
      const std::u16string name = FoldName(v.name);
      const bool at =
          InWholePlace(places, key) ||
          std::any_of(places.begin(), places.end(), [&](const LayoutPlace& p) {
            return !p.wholeKey && p.value == name && Under(key, p.key) && Under(p.key, key);
          });
      ignored += at ? 0 : 1;
    }
  }
  return ignored;
}

void ImportSelection(ImportWindow& window, const std::string& fileName,
                     const std::optional<Bytes>& bytes) {
  RegFile file;
  try {
    if (!bytes) throw Error(kCannotRead);
    if (bytes->size() > kImportLimit) throw Error(kTooLarge);
    file = ParseRegFile(*bytes);
  } catch (const Error& e) {
    MessageDlg(FormatMessage1(kNotLoaded, fileName) + "\r" + e.what() + "\r\r" + kUnchanged,
               MsgType::Error, kMbOk);
    return;
  }
  RegistryApi* machine = RegistryBackend();
  if (!machine) return;
  // The machine first, so that apply compares with it; then the file over it, in an overlay
  // that nothing leaves.
  LoadAndRemember(window.controls, window.loaded);
  OverlayRegistry overlay(*machine);
  RestoreEntries(OverlayEntries(file), overlay);
  {
    RegistryBackendScope scope(overlay);
    LoadSettings(window.controls, WithoutButtons(ReadOrder(window.layout)));
  }
  window.controls.SetChecked(kCurrentSettingsButton, false);
  window.standardViewShown = true;

  const std::size_t changed =
      PendingChanges(window.controls, window.loaded, window.layout, window.caption).size();
  const std::size_t ignored =
      IgnoredEntries(file, window.layout, CurrentControlSetNumber(*machine));
  std::string text = FormatMessage1(kShown, fileName) + "\r" +
                     Counted(changed, "Einstellung weicht", "Einstellungen weichen") +
                     " von diesem Computer ab.";
  if (ignored > 0) {
    text += "\r" + Counted(ignored, "Eintrag der Datei betrifft", "Einträge der Datei betreffen") +
            " keine Einstellung dieses Fensters und " + (ignored == 1 ? "bleibt" : "bleiben") +
            " unbeachtet.";
  }
  MessageDlg(text + "\r\r" + kImportNothingWritten, MsgType::Information, kMbOk);
}

}  // namespace tw
