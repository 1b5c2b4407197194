#include "flows/backup_flow.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "catalogue/place_owners.h"
#include "flows/settings_load.h"
#include "flows/texts.h"
#include "registry/codepage.h"
#include "registry/registry.h"
#include "system/error.h"
#include "system/messages.h"

namespace tw {
namespace {

using namespace text;

// Enough of a backup's start for the lines up to its UTC time.
constexpr std::size_t kHeaderBytes = 4096;

bool StartsWith(const std::u16string& s, const std::string& prefix) {
  const std::u16string p = AnsiToWide(prefix);
  return s.compare(0, p.size(), p) == 0;
}

// The setting a line "Caption: value" names.
std::string CaptionOfLine(const std::string& line) { return line.substr(0, line.find(": ")); }

// "25.10.2026 01:10:00", or as UTC "2026-10-25T01:10:00Z".
std::string TimeText(const RunTime& t, bool utc) {
  char text[32];
  std::snprintf(text, sizeof text,
                utc ? "%04d-%02d-%02dT%02d:%02d:%02dZ" : "%02d.%02d.%04d %02d:%02d:%02d",
                utc ? t.year : t.day, t.month, utc ? t.day : t.year, t.hour, t.minute, t.second);
  return text;
}

std::optional<RunTime> UtcFromText(const std::string& s) {
  static const char kShape[] = "0000-00-00T00:00:00Z";
  if (s.size() != sizeof kShape - 1) return std::nullopt;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (kShape[i] == '0' ? s[i] < '0' || s[i] > '9' : s[i] != kShape[i]) return std::nullopt;
  }
  const auto n = [&](std::size_t at, std::size_t digits) {
    return std::stoi(s.substr(at, digits));
  };
  return RunTime{n(0, 4), n(5, 2), n(8, 2), n(11, 2), n(14, 2), n(17, 2)};
}

bool SameComputer(const std::string& a, const std::string& b) {
  return FoldName(AnsiToWide(a)) == FoldName(AnsiToWide(b));
}

void Refuse(const std::string& name, const std::string& why) {
  MessageDlg(FormatMessage1(kUnreadable, name) + "\r" + why + "\r\r" + kNothingRestored + "\r" +
                 kMoveAside,
             MsgType::Error, kMbOk);
}

// The backup that undo takes: the newest not yet restored, leaving out those of other computers.
// One that cannot be read is taken all the same, since nobody can tell whose it is: it is
// refused, and the user moves it aside to reach the older ones.
struct UndoCandidate {
  std::string name;  // "" when no backup of this computer is left
  RegFile file;
  std::string problem;  // why it cannot be read
};

UndoCandidate NewestOfThisComputer(BackupStore& store, const std::string& computer) {
  std::vector<BackupFile> files = ReadBackupFiles(store);
  for (std::string name = NewestUnrestored(files); !name.empty(); name = NewestUnrestored(files)) {
    files.erase(std::find_if(files.begin(), files.end(),
                             [&](const BackupFile& f) { return f.name == name; }));
    UndoCandidate c{name, {}, ""};
    const std::optional<Bytes> bytes = store.Read(name);
    try {
      if (!bytes) throw Error(kCannotRead);
      c.file = ParseRegFile(*bytes);
    } catch (const Error& e) {
      c.problem = e.what();
      return c;
    }
    const std::string from = HeaderFromComments(c.file.comments).computer;
    if (from.empty()) c.problem = kNoComputer;
    if (from.empty() || SameComputer(from, computer)) return c;
  }
  return {};
}

// The settings of the window that a registry place belongs to: the one that writes it, or for
// a key made on the way to settings, those of them the backup lists. None for a foreign place.
std::vector<std::string> SettingsOf(const UndoWindow& window, const BackupHeader& header,
                                    const RegPath& key,
                                    const std::optional<std::u16string>& value) {
  const auto captionOf = [&](const PlaceOwner& o) {
    return CaptionOfLocation(window.layout, window.caption, *o.tweak, o.location);
  };
  if (const std::optional<PlaceOwner> owner = OwnerOf(key, value)) {
    const std::string caption = captionOf(*owner);
    return caption.empty() ? std::vector<std::string>{} : std::vector<std::string>{caption};
  }
  std::vector<std::string> settings;
  if (value) return settings;
  for (const PlaceOwner& o : OwnersBelow(key)) {
    const std::string caption = captionOf(o);
    const bool listed = std::any_of(header.settings.begin(), header.settings.end(),
                                    [&](const SettingChange& c) { return c.caption == caption; });
    if (listed && std::find(settings.begin(), settings.end(), caption) == settings.end())
      settings.push_back(caption);
  }
  return settings;
}

// The progress of an undo: one step per setting of the backup's header, made after the last
// entry that restores something of that setting; entries of no listed setting go with the last
// step.
class UndoSteps {
 public:
  UndoSteps(const UndoWindow& window, const BackupHeader& header,
            const std::vector<RegFileKey>& entries)
      : count_(std::max<int>(1, static_cast<int>(header.settings.size()))),
        entries_(entries.size()) {
    std::vector<std::size_t> last(header.settings.size(), entries.size() - 1);
    seen_.assign(header.settings.size(), false);
    for (std::size_t e = 0; e < entries.size(); ++e) {
      const RegFileKey& k = entries[e];
      std::vector<std::optional<std::u16string>> places;
      if (k.values.empty()) places.push_back(std::nullopt);
      for (const RegFileValue& v : k.values) places.push_back(v.name);
      for (const auto& place : places) {
        for (const std::string& setting : SettingsOf(window, header, {k.root, k.path}, place)) {
          for (std::size_t s = 0; s < header.settings.size(); ++s) {
            if (header.settings[s].caption != setting) continue;
            last[s] = seen_[s] ? std::max(last[s], e) : e;
            seen_[s] = true;
          }
        }
      }
    }
    for (std::size_t s = 0; s < last.size(); ++s) {
      if (seen_[s]) ++stepsAfter_[last[s]];
    }
    for (const auto& [entry, n] : stepsAfter_) made_ += n;
  }
  int count() const { return count_; }
  // Whether the entries restore something of the header's setting; every setting when they name
  // none of them.
  bool Restores(std::size_t setting) const {
    return seen_[setting] || std::find(seen_.begin(), seen_.end(), true) == seen_.end();
  }
  // The steps to make after entry; after the last entry, all that are left.
  int after(std::size_t entry) const {
    const auto it = stepsAfter_.find(entry);
    int n = it == stepsAfter_.end() ? 0 : it->second;
    if (entry + 1 == entries_) n += count_ - made_;
    return n;
  }

 private:
  int count_;
  std::size_t entries_;
  int made_ = 0;
  std::map<std::size_t, int> stepsAfter_;
  std::vector<bool> seen_;  // per setting of the header
};

}  // namespace

std::vector<std::u16string> HeaderComments(const BackupHeader& h) {
  std::vector<std::u16string> lines = {AnsiToWide(kBackupTitle),
                                       AnsiToWide(kDate + TimeText(h.time, false))};
  if (h.utc) lines.push_back(AnsiToWide(kUtc + TimeText(*h.utc, true)));
  lines.push_back(AnsiToWide(kWindows + h.windows));
  lines.push_back(AnsiToWide(kComputer + h.computer));
  for (const SettingChange& s : h.settings) {
    if (!s.before.empty()) lines.push_back(AnsiToWide(kBefore + s.before));
    lines.push_back(AnsiToWide(kAfter + s.after));
  }
  return lines;
}

BackupHeader HeaderFromComments(const std::vector<std::u16string>& comments) {
  BackupHeader h;
  for (const std::u16string& c : comments) {
    const std::string text = WideToAnsi(c);
    if (StartsWith(c, kComputer)) h.computer = text.substr(sizeof kComputer - 1);
    if (StartsWith(c, kWindows)) h.windows = text.substr(sizeof kWindows - 1);
    if (StartsWith(c, kBefore)) {
      const std::string line = text.substr(sizeof kBefore - 1);
      h.settings.push_back({CaptionOfLine(line), line, ""});
    }
    for (const char* afterRun : {kAfter, kSetting}) {
      if (!StartsWith(c, afterRun)) continue;
      const std::string line = text.substr(std::strlen(afterRun));
      // The line after the run follows its line before the run, when there is one.
      if (h.settings.empty() || !h.settings.back().after.empty() ||
          h.settings.back().caption != CaptionOfLine(line))
        h.settings.push_back({CaptionOfLine(line), "", ""});
      h.settings.back().after = line;
    }
    if (StartsWith(c, kUtc)) h.utc = UtcFromText(text.substr(sizeof kUtc - 1));
  }
  return h;
}

std::vector<BackupFile> ReadBackupFiles(BackupStore& store) {
  std::vector<BackupFile> files;
  for (const std::string& name : store.Names()) {
    BackupFile f{name, std::nullopt};
    if (IsBackupName(name)) {
      if (const auto start = store.ReadStart(name, kHeaderBytes))
        f.utc = HeaderFromComments(LeadingComments(*start)).utc;
    }
    files.push_back(f);
  }
  return files;
}

std::vector<RegFileKey> PlanBackup(RegistryApi& machine, const std::function<void()>& writes) {
  OverlayRegistry overlay(machine);
  {
    RegistryBackendScope onOverlay(overlay);
    RegistryBatch batch;
    if (batch.opened()) writes();
  }
  return BackupEntries(overlay, machine);
}

SavedBackup SaveBackup(BackupStore& store, const BackupHeader& header,
                       const std::vector<RegFileKey>& entries) {
  SavedBackup saved;
  const std::string name = NewBackupName(store.Names(), header.time);
  if (!store.Create(name, FormatRegFile({HeaderComments(header), entries, {}}), &saved.why))
    return saved;
  saved.name = name;
  for (const std::string& old : BackupsBeyond(ReadBackupFiles(store), kBackupsKept))
    store.Remove(old);
  return saved;
}

KeptBackup SettleBackup(BackupStore& store, RegistryApi* machine, const SavedBackup& saved,
                        const BackupHeader& header, std::vector<RegFileKey> entries) {
  if (saved.name.empty()) return KeptBackup::None;
  if (machine) DropUnchanged(entries, *machine);
  if (entries.empty()) {
    store.Remove(saved.name);
    return KeptBackup::None;
  }
  return store.Replace(saved.name, FormatRegFile({HeaderComments(header), entries, {}}))
             ? KeptBackup::Changed
             : KeptBackup::BeforeRun;
}

bool StoreBackups::Before(const std::function<void()>& writes,
                          const std::vector<SettingChange>& changes) {
  current_ = header_();
  current_.settings = changes;
  saved_ = {};
  RegistryApi* machine = RegistryBackend();
  entries_ = machine ? PlanBackup(*machine, writes) : std::vector<RegFileKey>{};
  if (entries_.empty()) return true;  // nothing the run could change
  saved_ = SaveBackup(store_, current_, entries_);
  if (!saved_.name.empty()) return true;
  const std::string question =
      std::string(kNoBackupWritten) + "\r" + saved_.why + "\r\r" + kWithoutBackup;
  return MessageDlg(question, MsgType::Confirmation, kMbYes | kMbNo | kMbDefaultNo) ==
         MsgResult::Yes;
}

KeptBackup StoreBackups::After(const std::vector<SettingChange>& tookEffect) {
  // The list names only what took effect; when the rewrite fails the one from before stands.
  current_.settings = tookEffect;
  return SettleBackup(store_, RegistryBackend(), saved_, current_, entries_);
}

bool CanUndo(BackupStore& store, const std::string& computer) {
  return !NewestOfThisComputer(store, computer).name.empty();
}

bool UndoLastApply(UndoWindow& window) {
  const UndoCandidate backup = NewestOfThisComputer(window.store, window.computer);
  const std::string& name = backup.name;
  if (name.empty()) {
    MessageDlg(kNoBackup, MsgType::Information, kMbOk);
    return false;
  }
  if (!backup.problem.empty()) {
    Refuse(name, backup.problem);
    return false;
  }
  const RegFile& file = backup.file;
  const BackupHeader header = HeaderFromComments(file.comments);
  RegistryApi& machine = window.machine;
  if (const std::size_t line = FirstForeignLine(file, machine)) {
    Refuse(name, FormatMessage1(kForeign, std::to_string(line)));
    return false;
  }
  // What the machine already holds as the backup has it is left alone. Nothing else: an undo
  // whose mark failed, or a machine put back by hand; only the mark is missing.
  std::vector<RegFileKey> entries = file.keys;
  DropUnchanged(entries, machine);
  if (entries.empty()) {
    const bool marked = window.store.Rename(name, RestoredName(name));
    MessageDlg(
        FormatMessage1(kAlreadyRestored, name) + " " + (marked ? kMarkedNow : kStillNotMarked),
        marked ? MsgType::Information : MsgType::Error, kMbOk);
    return false;
  }
  // The question names only the settings that still differ from the backup.
  const UndoSteps steps(window, header, entries);
  std::vector<std::string> previous;
  for (std::size_t s = 0; s < header.settings.size(); ++s) {
    const SettingChange& c = header.settings[s];
    if (steps.Restores(s)) previous.push_back(c.before.empty() ? c.caption : c.before);
  }
  const std::string question =
      FormatMessage1(kUndoQuestion, BackupDateText(name)) + ListLines(previous) + "\r\r" + kGoOn;
  if (MessageDlg(question, MsgType::Confirmation, kMbYes | kMbNo) != MsgResult::Yes) return false;

  std::unique_ptr<Progress> progress = window.createProgress(steps.count());
  progress->Show();
  std::size_t entry = 0;
  std::vector<std::string> failed;
  bool adminHint = false;
  const RestoreResult restored = RestoreBackup(entries, machine, [&] {
    for (int i = steps.after(entry++); i > 0; --i) progress->StepProgress();
  });
  for (const RestoreFailure& f : restored.failed) {
    std::vector<std::string> named = SettingsOf(window, header, f.key, f.value);
    if (named.empty()) named.push_back(WideToAnsi(f.Text()));  // a place of no setting
    for (const std::string& n : named) {
      if (std::find(failed.begin(), failed.end(), n) == failed.end()) failed.push_back(n);
    }
    adminHint = adminHint || (f.code == kErrorAccessDenied && f.key.root != HKCU);
  }
  progress->AllowClose();
  {
    RegistryBackendScope onMachine(machine);
    LoadAndRemember(window.controls, window.loaded);
  }
  progress->Fill();
  std::string kept;
  for (const RegPath& k : restored.kept)
    kept += "\r" + FormatMessage1(kKeptKey, WideToAnsi(RestoreFailure{k, std::nullopt, 0}.Text()));
  if (!failed.empty()) {
    MessageDlg(NotAppliedReport(kNotRestored, failed, adminHint) + kept, MsgType::Error, kMbOk);
  } else if (window.store.Rename(name, RestoredName(name))) {
    // Only a backup that came back whole leaves the chain; otherwise the next undo tries again.
    MessageDlg(kDone + kept, MsgType::Information, kMbOk);
  } else {
    MessageDlg(FormatMessage1(kRestoredNotMarked, name) + kept, MsgType::Error, kMbOk);
  }
  return true;
}

}  // namespace tw
