#include "flows/export_selection.h"

#include <algorithm>
#include <cstdio>

#include "catalogue/catalogue.h"
#include "catalogue/computed_tweaks.h"
#include "flows/backup_entries.h"
#include "flows/setting_names.h"
#include "flows/standard_view.h"
#include "flows/texts.h"
#include "registry/codepage.h"
#include "registry/reg_key.h"
#include "registry/registry.h"
#include "system/messages.h"

namespace tw {
namespace {

using namespace text;

// Whether a write belongs to the selection.
bool On(Layout layout, const WriteStep& step, const StepState& s) {
  const std::vector<const char*> controls = StepControls(step);
  if (WritesBoxes(step.arg))
    return std::any_of(s.numbers.begin(), s.numbers.end(), [](int n) { return n != 0; });
  if (step.arg == Arg::LabelText) {
    const StandardValue* v = StandardOf(layout, controls[0]);
    return !v || !v->text || s.text != v->text;
  }
  // A slider, the colour pair.
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const StandardValue* v = StandardOf(layout, controls[i]);
    if (!v || v->value != s.numbers[i]) return true;
  }
  return false;
}

// The settings of a write as the file's header names them: each checked box, or the one value.
std::vector<std::string> Lines(const WriteStep& step, const StepState& s,
                               const std::function<std::string(const std::string&)>& caption) {
  const std::vector<const char*> controls = StepControls(step);
  const auto line = [&](const char* control, std::size_t i) {
    return MessageCaption(caption, control) + ": " + ShownValue(step, s, i);
  };
  if (!WritesBoxes(step.arg)) return {line(step.reportAs ? step.reportAs : controls[0], 0)};
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (s.numbers[i]) lines.push_back(line(controls[i], i));
  }
  return lines;
}

// Search options: only the values of the checked boxes go into the file.
bool UncheckedOption(const std::vector<std::u16string>& unchecked, const std::u16string& name) {
  return std::find(unchecked.begin(), unchecked.end(), FoldName(name)) != unchecked.end();
}

std::string DateText(const RunTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", t.day, t.month, t.year);
  return text;
}

// The writes of the selection and the settings they stand for.
struct Selection {
  std::vector<std::pair<const WriteStep*, StepState>> writes;
  std::vector<std::vector<std::string>> settings;  // by write
  std::vector<std::u16string> uncheckedOptions;    // folded value names
};

Selection Select(const ControlSurface& controls, Layout layout,
                 const std::function<std::string(const std::string&)>& caption) {
  Selection sel;
  for (const WriteStep& step : WriteSequence(layout)) {
    const StepState s = StepShown(controls, step);
    if (!On(layout, step, s)) continue;
    sel.writes.push_back({&step, s});
    sel.settings.push_back(Lines(step, s, caption));
    if (step.arg != Arg::SearchOptions) continue;
    for (std::size_t i = 0; i < s.numbers.size(); ++i) {
      if (!s.numbers[i])
        sel.uncheckedOptions.push_back(FoldName(AnsiToWide(kSearchOptionNames[i])));
    }
  }
  return sel;
}

// Puts something at every place the tweak writes that is absent: a key, and a value of no type
// that no reader takes. A removal the setter makes then shows, whether or not the place is there
// on this computer.
void FillPlaces(RegistryApi& api, const std::string& tweak) {
  for (const TweakInfo& t : CatalogueTweaks()) {
    if (t.name != tweak) continue;
    for (const RegLocation& l : t.locations) {
      RegKey k(api);
      if (!l.written || k.Create(l.root, AnsiToWide(l.key), kKeyAllAccess) != kErrorSuccess ||
          l.wholeKey)
        continue;
      const std::u16string name = AnsiToWide(l.value);
      std::uint32_t size = 0;
      if (api.QueryValueW(k.get(), name, nullptr, nullptr, &size) != kErrorSuccess)
        api.SetValueW(k.get(), name, kRegNone, nullptr, 0);
    }
  }
}

// The lines that make one write's setting so on any computer: run against an overlay of the
// machine with the tweak's places filled, the keys it removes, the keys it creates with their
// content, the values it sets or removes.
std::vector<RegFileKey> KeysWritten(RegistryApi& machine, const WriteStep& step,
                                    const StepState& state, const Selection& sel) {
  OverlayRegistry filled(machine);
  FillPlaces(filled, step.tweak.name);
  OverlayRegistry overlay(static_cast<RegistryApi&>(filled));
  {
    RegistryBackendScope onOverlay(overlay);
    RegistryBatch batch;
    MakeWrite(step, state);
  }
  const auto unchecked = [&](const std::u16string& name) {
    return UncheckedOption(sel.uncheckedOptions, name);
  };
  std::vector<RegFileKey> keys;
  for (const RegPath& d : overlay.DeletedKeys()) keys.push_back({d.root, d.path, true, {}});
  for (const RegPath& c : overlay.CreatedKeys()) {
    for (RegFileKey& k : DumpSubtree(overlay, c)) {
      auto& v = k.values;
      v.erase(std::remove_if(v.begin(), v.end(),
                             [&](const RegFileValue& x) { return unchecked(x.name); }),
              v.end());
      keys.push_back(std::move(k));
    }
  }
  for (const RegValueRef& v : overlay.TouchedValues()) {
    if (unchecked(v.name)) continue;
    RegFileValue value{v.name, true, kRegNone, {}};
    if (auto now = overlay.ValueNow(v)) value = {v.name, false, now->type, now->data};
    auto it = std::find_if(keys.begin(), keys.end(), [&](const RegFileKey& k) {
      return !k.remove && k.root == v.key.root && FoldName(k.path) == FoldName(v.key.path);
    });
    if (it == keys.end()) it = keys.insert(keys.end(), {v.key.root, v.key.path, false, {}});
    it->values.push_back(value);
  }
  return keys;
}

// A file's part of the selection: its keys in the order written, a key's values under its
// earlier entry unless a removal at or above it came in between, and the settings they stand
// for.
struct Part {
  std::vector<RegFileKey> keys;
  std::vector<std::string> settings;
  void Add(RegFileKey k) {
    const std::u16string folded = FoldName(k.path);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
      const std::u16string at = FoldName(it->path);
      if (it->root != k.root) continue;
      if (it->remove && KeyAtOrBelow(folded, at)) break;
      if (!it->remove && !k.remove && at == folded) {
        it->values.insert(it->values.end(), k.values.begin(), k.values.end());
        return;
      }
    }
    keys.push_back(std::move(k));
  }
};

// What every file's header says: the title, the part, when and where it was made, and the
// settings whose writes it holds.
struct Header {
  const RunTime& time;
  const std::string& computer;
  ExportFile File(const std::string& suffix, const char* part, std::vector<RegFileKey> keys,
                  const std::vector<std::string>& settings) const {
    RegFile f;
    f.comments = {AnsiToWide(kExportTitle)};
    if (part) f.comments.push_back(AnsiToWide(std::string(kPart) + part));
    char made[64];
    std::snprintf(made, sizeof made, kMade, DateText(time).c_str());
    f.comments.push_back(AnsiToWide(made + computer));
    for (const std::string& s : settings) f.comments.push_back(AnsiToWide(kSetting + s));
    f.keys = std::move(keys);
    return ExportFile{suffix, FormatRegFile(f)};
  }
};

}  // namespace

std::u16string ExportFileName(const std::u16string& chosen, const std::string& suffix) {
  const std::size_t dot = chosen.rfind(u'.');
  const std::size_t slash = chosen.find_last_of(u"\\/");
  if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash))
    return chosen + AnsiToWide(suffix) + u".reg";
  return chosen.substr(0, dot) + AnsiToWide(suffix) + chosen.substr(dot);
}

std::string ReplaceQuestion(const std::vector<std::u16string>& existing) {
  std::vector<std::string> paths;
  for (const std::u16string& p : existing) paths.push_back(WideToAnsi(p));
  return kReplaceQuestion + ListLines(paths) + "\r\r" + kReplaceAsk;
}

std::vector<ExportFile> ExportSelection(
    RegistryApi& machine, const ControlSurface& controls, Layout layout,
    const std::function<std::string(const std::string& control)>& caption, const RunTime& time,
    const std::string& computer) {
  const Selection selection = Select(controls, layout, caption);
  Part machinePart, userPart;
  for (std::size_t i = 0; i < selection.writes.size(); ++i) {
    const auto& [step, state] = selection.writes[i];
    bool machineLines = false, userLines = false;
    for (RegFileKey& k : KeysWritten(machine, *step, state, selection)) {
      (k.root == HKCU ? userLines : machineLines) = true;
      (k.root == HKCU ? userPart : machinePart).Add(std::move(k));
    }
    const std::vector<std::string>& lines = selection.settings[i];
    if (machineLines)
      machinePart.settings.insert(machinePart.settings.end(), lines.begin(), lines.end());
    if (userLines) userPart.settings.insert(userPart.settings.end(), lines.begin(), lines.end());
  }
  if (machinePart.keys.empty() && userPart.keys.empty()) return {};
  const Header header{time, computer};
  if (machinePart.keys.empty() || userPart.keys.empty()) {
    const Part& only = machinePart.keys.empty() ? userPart : machinePart;
    return {header.File("", nullptr, only.keys, only.settings)};
  }
  return {header.File(kMachineSuffix, kMachinePart, machinePart.keys, machinePart.settings),
          header.File(kUserSuffix, kUserPart, userPart.keys, userPart.settings)};
}

}  // namespace tw
