#include "flows/import_selection.h"

#include <algorithm>
#include <iterator>

#include "flows/backup_entries.h"
#include "flows/settings_apply.h"
#include "flows/settings_load.h"
#include "flows/texts.h"
#include "registry/codepage.h"
#include "registry/overlay_registry.h"
#include "registry/registry.h"
#include "system/error.h"
#include "system/messages.h"

namespace tw {
namespace {

using namespace text;

// "1 Einstellung weicht", "3 Einstellungen weichen": the count with the forms that fit it.
std::string Counted(std::size_t n, const char* one, const char* more) {
  return std::to_string(n) + " " + (n == 1 ? one : more);
}

// The places that the settings of a layout read and write, by their canonical names with the
// machine's control set (Under and SameKey keep a canonical name as it is).
struct SettingPlace {
  RegPath key;
  std::u16string value;  // folded; unused for a whole key
  bool wholeKey;
};

std::vector<SettingPlace> SettingPlaces(Layout layout, unsigned controlSet) {
  std::vector<SettingPlace> places;
  for (const TweakInfo& t : CatalogueTweaks()) {
    const auto& sequence = WriteSequence(layout);
    const bool shown = std::any_of(sequence.begin(), sequence.end(),
                                   [&](const WriteStep& s) { return t.name == s.tweak.name; });
    if (!shown) continue;
    for (const RegLocation& l : t.locations)
      places.push_back({CanonicalKey({l.root, AnsiToWide(l.key)}, controlSet),
                        FoldName(AnsiToWide(l.value)), l.wholeKey});
  }
  return places;
}

bool InWholePlace(const std::vector<SettingPlace>& places, const RegPath& key) {
  return std::any_of(places.begin(), places.end(),
                     [&](const SettingPlace& p) { return p.wholeKey && Under(key, p.key); });
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
  const std::vector<SettingPlace> places = SettingPlaces(layout, controlSet);
  std::size_t ignored = 0;
  for (const RegFileKey& k : file.keys) {
    const RegPath key = CanonicalKey({k.root, k.path}, controlSet);
    if (k.remove) {
      const bool atOrAbove =
          InWholePlace(places, key) ||
          std::any_of(places.begin(), places.end(), [&](auto& p) { return Under(p.key, key); });
      ignored += atOrAbove ? 0 : 1;
      continue;
    }
    for (const RegFileValue& v : k.values) {
      const std::u16string name = FoldName(v.name);
      const bool at = InWholePlace(places, key) ||
                      std::any_of(places.begin(), places.end(), [&](const SettingPlace& p) {
                        return !p.wholeKey && p.value == name && SameKey(key, p.key);
                      });
      ignored += at ? 0 : 1;
    }
  }
  return ignored;
}

void ImportSelection(ImportWindow& window, std::vector<ImportFile> files) {
  std::stable_sort(files.begin(), files.end(), [](const ImportFile& a, const ImportFile& b) {
    return FoldName(AnsiToWide(a.name)) < FoldName(AnsiToWide(b.name));
  });
  std::vector<RegFile> read;
  for (const ImportFile& f : files) {
    try {
      if (!f.bytes) throw Error(kCannotRead);
      if (f.bytes->size() > kImportLimit) throw Error(kTooLarge);
      read.push_back(ParseRegFile(*f.bytes, RegFileReading::Lenient));
    } catch (const Error& e) {
      MessageDlg(FormatMessage1(kNotLoaded, f.name) + "\r" + e.what() + "\r\r" + kUnchanged,
                 MsgType::Error, kMbOk);
      return;
    }
  }
  RegistryApi* machine = RegistryBackend();
  if (!machine || files.empty()) return;

  // The files imported since the last load, then these over them.
  ImportedFiles imported = window.loaded.imported;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const RegFile& file = read[i];
    imported.names.push_back(files[i].name);
    for (RegFileKey& e : OverlayEntries(file)) imported.entries.push_back(std::move(e));
    imported.ignored += IgnoredEntries(file, window.layout, CurrentControlSetNumber(*machine));
    if (!file.skipped.empty() && imported.skipped == 0) {
      imported.firstSkippedFile = files[i].name;
      imported.firstSkippedLine = file.skipped.front();
    }
    imported.skipped += file.skipped.size();
  }
  // The machine first, so that apply compares with it; then the files over it, in an overlay
  // that nothing leaves. A box changed by hand since shows the files again.
  LoadAndRemember(window.controls, window.loaded);
  OverlayRegistry overlay(*machine);
  RestoreEntries(imported.entries, overlay);
  {
    RegistryBackendScope scope(overlay);
    LoadSettings(window.controls, WithoutButtons(ReadOrder(window.layout)));
  }
  window.controls.SetChecked(kCurrentSettingsButton, false);
  window.standardViewShown = true;
  window.loaded.imported = std::move(imported);

  const ImportedFiles& all = window.loaded.imported;
  const std::size_t changed =
      PendingChanges(window.controls, window.loaded, window.layout, window.caption).size();
  const bool several = all.names.size() > 1;
  std::string text = FormatMessage1(kShown, several ? std::to_string(all.names.size()) + kFiles
                                                    : "„" + all.names.front() + "“") +
                     "\r" + Counted(changed, kDiffersOne, kDiffersMore) + kDiffersEnd;
  if (all.ignored > 0) {
    text += "\r" +
            Counted(all.ignored, several ? kIgnoredOneOfFiles : kIgnoredOne,
                    several ? kIgnoredMoreOfFiles : kIgnoredMore) +
            (all.ignored == 1 ? kIgnoredEndOne : kIgnoredEndMore);
  }
  if (all.skipped > 0) {
    std::string first = kSkippedLine + std::to_string(all.firstSkippedLine);
    if (several) first += FormatMessage1(kSkippedInFile, all.firstSkippedFile);
    text +=
        "\r" +
        (all.skipped == 1 ? std::string(kSkippedOne) : std::to_string(all.skipped) + kSkippedMore) +
        first + ").";
  }
  MessageDlg(text + "\r\r" + kImportNothingWritten, MsgType::Information, kMbOk);
}

std::vector<std::u16string> ChosenFiles(const std::u16string& answer) {
  std::vector<std::u16string> parts;
  for (std::size_t from = 0; from < answer.size();) {
    const std::size_t end = std::min(answer.find(u'\0', from), answer.size());
    if (end == from) break;
    parts.push_back(answer.substr(from, end - from));
    from = end + 1;
  }
  if (parts.size() < 2) return parts;
  // A folder such as "C:\" ends in its backslash already.
  std::u16string folder = parts.front();
  if (folder.back() != u'\\') folder += u'\\';
  std::vector<std::u16string> files;
  for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
  return files;
}

}  // namespace tw
