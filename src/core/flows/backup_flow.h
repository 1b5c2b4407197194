#pragma once

// The backup of an apply run and its undo: what the run's writes will touch is found against
// an overlay and saved before the first real write, cut to what changed after the run, and
// restored on request from the system menu.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "flows/backup_entries.h"
#include "flows/backup_store.h"
#include "flows/control_surface.h"
#include "flows/run.h"
#include "flows/write_steps.h"

namespace tw {

// What a backup file says about its run, in its comment lines.
struct BackupHeader {
  RunTime time{};              // local, as in the file's name
  std::optional<RunTime> utc;  // orders the backups; files written before it have none
  std::string windows;         // the Windows version's name
  std::string computer;        // the backup is restored on this computer only
  // The settings the run changed; a backup written before the values were recorded has only
  // the lines after the run ("Einstellung: …"), so "before" is empty there.
  std::vector<SettingChange> settings;
};

std::vector<std::u16string> HeaderComments(const BackupHeader& header);
// The computer, the UTC time and the settings from a backup's comments.
BackupHeader HeaderFromComments(const std::vector<std::u16string>& comments);

// The files of the backup folder, each backup with the UTC time its header records.
std::vector<BackupFile> ReadBackupFiles(BackupStore& store);

// The entries that restore what writes() would change on machine, found by running it through
// the registry helpers against an overlay of machine; nothing reaches the machine.
std::vector<RegFileKey> PlanBackup(RegistryApi& machine, const std::function<void()>& writes);

// A backup kept on disk for one run.
struct SavedBackup {
  std::string name;  // "" when none was written
  std::string why;   // the system's reason, when writing failed
};

// Writes the backup as a new file, flushed, and keeps only the newest backups.
SavedBackup SaveBackup(BackupStore& store, const BackupHeader& header,
                       const std::vector<RegFileKey>& entries);
// After the run: drops what did not change on machine (without one, nothing) and writes the
// file again; removes it when nothing is left to restore. When the rewrite fails, the backup
// written before the run stays (BeforeRun): undo finds the places the run did not change as they
// are, and leaves them.
KeptBackup SettleBackup(BackupStore& store, RegistryApi* machine, const SavedBackup& saved,
                        const BackupHeader& header, std::vector<RegFileKey> entries);

// The backups of the window's apply runs, kept in a backup folder, of the machine the run
// writes: the registry helpers' backend.
class StoreBackups : public RunBackups {
 public:
  StoreBackups(BackupStore& store, std::function<BackupHeader()> header)
      : store_(store), header_(std::move(header)) {}
  bool Before(const std::function<void()>& writes,
              const std::vector<SettingChange>& changes) override;
  KeptBackup After(const std::vector<SettingChange>& tookEffect) override;

 private:
  BackupStore& store_;
  std::function<BackupHeader()> header_;
  BackupHeader current_;
  SavedBackup saved_;
  std::vector<RegFileKey> entries_;
};

// How many backups are kept; older ones are removed when a new one is written.
constexpr std::size_t kBackupsKept = 30;

// What the undo needs from the main window.
struct UndoWindow {
  ControlSurface& controls;
  LoadedControls& loaded;
  BackupStore& store;
  RegistryApi& machine;  // restored, and read again into the controls
  std::string computer;
  std::function<std::unique_ptr<Progress>(int maximum)> createProgress;
  // The window's layout and the caption that names a control: a place that undo could not
  // restore is named by its setting.
  Layout layout;
  std::function<std::string(const std::string& control)> caption;
};

// Whether the system-menu entry is enabled: a backup not restored yet that is not another
// computer's.
bool CanUndo(BackupStore& store, const std::string& computer);
// Restores the newest backup of this computer not yet restored, after a question that names
// its run, with the progress window and a report of what could not be restored; then reloads
// the controls. Only a backup restored whole is marked as restored, so that a second undo tries
// a partial one again; the report says when the mark fails. Places that already hold the
// backup's state are left alone; when all of them do, nothing is asked or written and the
// backup is only marked. A backup that cannot be read, or that names anything outside the
// catalogue, is refused whole and nothing is written; backups of other computers are passed
// over. True when the controls were loaded again.
bool UndoLastApply(UndoWindow& window);

}  // namespace tw
