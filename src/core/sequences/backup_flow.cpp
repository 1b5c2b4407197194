#include "backup_flow.h"

#include <algorithm>
#include <cstdio>

#include "codepage.h"
#include "error.h"
#include "messages.h"
#include "registry.h"

namespace tw {
namespace {

const char kTitle[] = "Tavo Trimmwerk 3.0.1: Sicherung vor dem Übernehmen der Einstellungen";
const char kDate[] = "Datum: ";
const char kUtc[] = "UTC: ";
const char kWindows[] = "Windows: ";
const char kComputer[] = "Computer: ";
const char kSetting[] = "Einstellung: ";

const char kUndoQuestion[] =
    "Die Übernahme vom %s wird rückgängig gemacht. Folgende Einstellungen erhalten wieder ihre "
    "vorigen Werte:";
const char kGoOn[] = "Möchten Sie fortfahren?";
const char kNoBackup[] = "Es gibt keine Übernahme, die rückgängig gemacht werden kann.";
const char kUnreadable[] = "Die Sicherung \"%s\" kann nicht wiederhergestellt werden:";
const char kCannotRead[] = "Die Datei kann nicht gelesen werden.";
const char kMoveAside[] =
    "Verschieben oder löschen Sie die Datei, um ältere Sicherungen wiederherzustellen.";
const char kForeign[] =
    "Sie enthält in Zeile %s einen Eintrag, den keine Einstellung dieses Programms schreibt.";
const char kNothingWritten[] = "Es wurde nichts geändert.";
const char kNotRestored[] = "Folgende Einträge konnten nicht wiederhergestellt werden:";
const char kDone[] = "Vorgang erfolgreich abgeschlossen!";
const char kNoBackupWritten[] = "Die bisherigen Werte konnten nicht gesichert werden:";
const char kWithoutBackup[] = "Möchten Sie die Einstellungen ohne Sicherung übernehmen?";
constexpr std::size_t kListedAtMost = 15;
// Enough of a backup's start for the lines up to its UTC time.
constexpr std::size_t kHeaderBytes = 4096;

std::u16string Wide(const std::string& s) { return AnsiToWide(s); }

bool StartsWith(const std::u16string& s, const std::string& prefix) {
  const std::u16string p = Wide(prefix);
  return s.compare(0, p.size(), p) == 0;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  const std::size_t listed = lines.size() > kListedAtMost ? kListedAtMost - 1 : lines.size();
  for (std::size_t i = 0; i < listed; ++i) text += "\r" + lines[i];
  if (listed < lines.size())
    text += "\r… und " + std::to_string(lines.size() - listed) + " weitere";
  return text;
}

std::string DateText(const RunTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour,
                t.minute, t.second);
  return text;
}

// "2026-10-25T01:10:00Z"
std::string UtcText(const RunTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
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
  return FoldName(Wide(a)) == FoldName(Wide(b));
}

void Refuse(const std::string& name, const std::string& why) {
  MessageDlg(
      FormatMessage1(kUnreadable, name) + "\r" + why + "\r\r" + kNothingWritten + "\r" + kMoveAside,
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
    if (SameComputer(HeaderFromComments(c.file.comments).computer, computer)) return c;
  }
  return {};
}

}  // namespace

std::vector<std::u16string> HeaderComments(const BackupHeader& h) {
  std::vector<std::u16string> lines = {Wide(kTitle), Wide(kDate + DateText(h.time))};
  if (h.utc) lines.push_back(Wide(kUtc + UtcText(*h.utc)));
  lines.push_back(Wide(kWindows + h.windows));
  lines.push_back(Wide(kComputer + h.computer));
  for (const std::string& s : h.settings) lines.push_back(Wide(kSetting + s));
  return lines;
}

BackupHeader HeaderFromComments(const std::vector<std::u16string>& comments) {
  BackupHeader h;
  for (const std::u16string& c : comments) {
    const std::string text = WideToAnsi(c);
    if (StartsWith(c, kComputer)) h.computer = text.substr(sizeof kComputer - 1);
    if (StartsWith(c, kWindows)) h.windows = text.substr(sizeof kWindows - 1);
    if (StartsWith(c, kSetting)) h.settings.push_back(text.substr(sizeof kSetting - 1));
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

std::vector<RegFileKey> PlanBackup(const std::function<void()>& writes) {
  RegistryApi* machine = RegistryBackend();
  if (!machine) return {};
  OverlayRegistry overlay(*machine);
  SetRegistryBackend(&overlay);
  try {
    RegistryBatch batch;
    if (batch.opened()) writes();
  } catch (...) {
    SetRegistryBackend(machine);
    throw;
  }
  SetRegistryBackend(machine);
  return BackupEntries(overlay, *machine);
}

SavedBackup SaveBackup(BackupStore& store, const BackupHeader& header,
                       const std::vector<RegFileKey>& entries) {
  RegFile file;
  file.comments = HeaderComments(header);
  file.keys = entries;
  SavedBackup saved;
  const std::string name = NewBackupName(store.Names(), header.time);
  if (!store.Create(name, FormatRegFile(file), &saved.why)) return saved;
  saved.name = name;
  for (const std::string& old : BackupsBeyond(ReadBackupFiles(store), kBackupsKept))
    store.Remove(old);
  return saved;
}

bool SettleBackup(BackupStore& store, const SavedBackup& saved, const BackupHeader& header,
                  std::vector<RegFileKey> entries) {
  if (saved.name.empty()) return false;
  RegistryApi* machine = RegistryBackend();
  if (machine) DropUnchanged(entries, *machine);
  if (entries.empty()) {
    store.Remove(saved.name);
    return false;
  }
  RegFile file;
  file.comments = HeaderComments(header);
  file.keys = entries;
  // When the rewrite fails, the backup written before the run stays: it restores the values
  // the run did not change to what they already are.
  store.Replace(saved.name, FormatRegFile(file));
  return true;
}

bool StoreBackups::Before(const std::function<void()>& writes,
                          const std::vector<std::string>& changes) {
  current_ = header_();
  current_.settings = changes;
  saved_ = {};
  entries_ = PlanBackup(writes);
  if (entries_.empty()) return true;  // nothing the run could change
  saved_ = SaveBackup(store_, current_, entries_);
  if (!saved_.name.empty()) return true;
  const std::string question =
      std::string(kNoBackupWritten) + "\r" + saved_.why + "\r\r" + kWithoutBackup;
  return MessageDlg(question, MsgType::Confirmation, kMbYes | kMbNo | kMbDefaultNo) ==
         MsgResult::Yes;
}

bool StoreBackups::After() { return SettleBackup(store_, saved_, current_, entries_); }

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
  RegistryApi* machine = RegistryBackend();
  if (!machine) return false;
  if (const std::size_t line = FirstForeignLine(file, *machine)) {
    Refuse(name, FormatMessage1(kForeign, std::to_string(line)));
    return false;
  }
  const std::string question =
      FormatMessage1(kUndoQuestion, BackupDateText(name)) + Lines(header.settings) + "\r\r" + kGoOn;
  if (MessageDlg(question, MsgType::Confirmation, kMbYes | kMbNo) != MsgResult::Yes) return false;

  std::unique_ptr<Progress> progress = window.createProgress(static_cast<int>(file.keys.size()));
  progress->Show();
  std::vector<std::string> failed;
  for (const std::u16string& place :
       RestoreEntries(file.keys, *machine, [&] { progress->StepProgress(); }))
    failed.push_back(WideToAnsi(place));
  progress->AllowClose();
  LoadAndRemember(window.controls, window.loaded);
  progress->Fill();
  if (failed.empty()) {
    // Only a backup that came back whole leaves the chain; otherwise the next undo tries again.
    window.store.Rename(name, RestoredName(name));
    MessageDlg(kDone, MsgType::Information, kMbOk);
  } else {
    MessageDlg(kNotRestored + Lines(failed), MsgType::Error, kMbOk);
  }
  return true;
}

}  // namespace tw
