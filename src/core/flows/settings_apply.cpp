#include "flows/settings_apply.h"

#include <algorithm>

#include "flows/restore_point.h"
#include "flows/settings_load.h"
#include "flows/texts.h"
#include "registry/registry.h"
#include "system/error.h"
#include "system/messages.h"
#include "system/system_helpers.h"

namespace tw {
namespace {

using namespace text;

// The controls that name a write to the user: the search-option boxes that differ between the
// two states, otherwise the one control (or the one it is reported as).
std::vector<const char*> Named(const WriteStep& step, const StepState& a, const StepState& b) {
  const std::vector<const char*> controls = StepControls(step);
  if (step.arg != Arg::SearchOptions) return {step.reportAs ? step.reportAs : controls[0]};
  std::vector<const char*> differ;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (a.numbers[i] != b.numbers[i]) differ.push_back(controls[i]);
  }
  return differ;
}

// The controls of a write whose reloaded state differs from what they asked for. A colour pair
// is compared the way loading shows it (black on black reads back as 7 on 0).
std::vector<const char*> Unapplied(const WriteStep& step, const StepState& asked,
                                   const StepState& now) {
  if (step.arg == Arg::ColourPair) {
    const ColourPair want = ConsoleColourPair(asked.numbers[0] | asked.numbers[1] << 4);
    if (want.text == now.numbers[0] && want.background == now.numbers[1]) return {};
    return Named(step, asked, now);
  }
  return asked == now ? std::vector<const char*>{} : Named(step, asked, now);
}

// The controls a changed write is named by: the search-option boxes that changed (all of them
// without a remembered load), otherwise the one control.
std::vector<const char*> ChangedNames(const WriteStep& step, const StepState* before,
                                      const StepState& asked) {
  if (step.arg == Arg::SearchOptions && before == nullptr) return StepControls(step);
  return Named(step, before ? *before : asked, asked);
}

// The settings one changed write changes: what the controls showed at the last load (when one
// is remembered) and what they ask for now.
std::vector<SettingChange> Changes(const std::function<std::string(const std::string&)>& captions,
                                   const WriteStep& step, const StepState* before,
                                   const StepState& asked) {
  const std::vector<const char*> controls = StepControls(step);
  std::vector<SettingChange> changes;
  for (const char* name : ChangedNames(step, before, asked)) {
    const auto at = std::find_if(controls.begin(), controls.end(),
                                 [&](const char* c) { return std::string(c) == name; });
    const std::size_t index = at == controls.end() ? 0 : at - controls.begin();
    const std::string caption = MessageCaption(captions, name);
    changes.push_back({caption, before ? caption + ": " + ShownValue(step, *before, index) : "",
                       caption + ": " + ShownValue(step, asked, index)});
  }
  return changes;
}

void AddOnce(std::vector<std::string>& captions, const std::string& caption) {
  if (std::find(captions.begin(), captions.end(), caption) == captions.end())
    captions.push_back(caption);
}

// What a run would write: what each write's controls ask for now, whether that differs from
// the last load, and the settings that change.
struct RunPlan {
  std::vector<StepState> loaded;  // empty without a remembered load of this layout
  std::vector<StepState> asked;
  std::vector<bool> changed;
  std::vector<SettingChange> changes;
  const StepState* before(std::size_t i) const { return loaded.empty() ? nullptr : &loaded[i]; }
};

RunPlan PlanRun(const ControlSurface& controls, const LoadedControls& loaded, Layout layout,
                const std::function<std::string(const std::string&)>& caption) {
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  RunPlan plan;
  // Without a remembered load of this layout every write counts as changed.
  if (loaded.layout == layout && loaded.steps.size() == sequence.size()) plan.loaded = loaded.steps;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    plan.asked.push_back(StepShown(controls, sequence[i]));
    plan.changed.push_back(plan.loaded.empty() || plan.asked[i] != plan.loaded[i]);
    if (!plan.changed[i]) continue;
    for (SettingChange& c : Changes(caption, sequence[i], plan.before(i), plan.asked[i]))
      plan.changes.push_back(std::move(c));
  }
  return plan;
}

// Says so when nothing changed, otherwise asks, naming the changes. False when the run does not
// start; wantPoint: whether the user asked for a restore point.
bool ConfirmRun(ApplyWindow& window, const RunPlan& plan, bool& wantPoint) {
  wantPoint = false;
  if (std::none_of(plan.changed.begin(), plan.changed.end(), [](bool c) { return c; })) {
    window.standardViewShown = false;  // closing loses nothing
    MessageDlg(kNothingChanged, MsgType::Information, kMbOk);
    return false;
  }
  std::vector<std::string> changeLines;
  for (const SettingChange& c : plan.changes) changeLines.push_back(c.after);
  return AskBeforeChange(ConfirmationText(changeLines), kMbYes | kMbNo, wantPoint) ==
         MsgResult::Yes;
}

// Before the first write: keeps the backup (without one the user decides). False when the run
// does not start.
bool KeepBackup(ApplyWindow& window, const std::vector<WriteStep>& sequence, const RunPlan& plan) {
  if (!window.backups) return true;
  const auto changedWrites = [&] {
    for (std::size_t i = 0; i < sequence.size(); ++i) {
      if (!plan.changed[i]) continue;
      try {
        MakeWrite(sequence[i], plan.asked[i]);
      } catch (const Error&) {
      }
    }
  };
  return window.backups->Before(changedWrites, plan.changes);
}

// What the writes of a run did.
struct Written {
  bool opened = false;       // the registry opened; without it nothing was written
  std::vector<bool> failed;  // per write: raised, or failed with a refusal recorded
  bool adminHint = false;    // a refusal under HKLM or HKCR
};

// One write; true when it failed.
bool WriteFailed(const WriteStep& step, const StepState& asked, bool& adminHint) {
  const std::size_t first = RegistryFailureCount();
  bool raised = false, ok = false;
  try {
    ok = MakeWrite(step, asked);
  } catch (const Error&) {
    raised = true;
  }
  bool refused = false;
  for (const RegFailure& f : RegistryFailuresSince(first)) {
    if (!f.refused()) continue;
    refused = true;
    adminHint = adminHint || f.root == HKLM || f.root == HKCR;
  }
  return raised || (!ok && refused);
}

// The changed writes inside one batch, one progress step per write of the sequence.
Written WriteChanges(const std::vector<WriteStep>& sequence, const RunPlan& plan,
                     Progress& progress) {
  Written w;
  w.failed.assign(sequence.size(), false);
  RegistryBatch batch;
  w.opened = batch.opened();
  for (std::size_t i = 0; w.opened && i < sequence.size(); ++i) {
    if (plan.changed[i]) w.failed[i] = WriteFailed(sequence[i], plan.asked[i], w.adminHint);
    progress.StepProgress();
  }
  return w;
}

// The captions of the changed settings that did not take effect, as the reloaded controls show.
std::vector<std::string> Missed(const ApplyWindow& window, const std::vector<WriteStep>& sequence,
                                const RunPlan& plan, const Written& written) {
  std::vector<std::string> missed;
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    if (!plan.changed[i]) continue;
    const std::vector<const char*> names =
        written.failed[i]
            ? ChangedNames(sequence[i], plan.before(i), plan.asked[i])
            : Unapplied(sequence[i], plan.asked[i], StepShown(window.controls, sequence[i]));
    for (const char* name : names) AddOnce(missed, MessageCaption(window.caption, name));
  }
  return missed;
}

// The changes that took effect; without a reload nothing is known to have, and every change
// counts (so that the backup keeps every setting).
std::vector<SettingChange> TookEffect(const RunPlan& plan, bool reloaded,
                                      const std::vector<std::string>& missed) {
  std::vector<SettingChange> took;
  for (const SettingChange& c : plan.changes) {
    if (!reloaded || std::find(missed.begin(), missed.end(), c.caption) == missed.end())
      took.push_back(c);
  }
  return took;
}

// Whether a write of the run reached the registry.
bool WroteAny(const RunPlan& plan, const Written& written) {
  for (std::size_t i = 0; written.opened && i < plan.changed.size(); ++i) {
    if (plan.changed[i] && !written.failed[i]) return true;
  }
  return false;
}

// A report with the restore point's line, when there is one.
std::string WithPoint(const std::string& report, const std::string& pointLine) {
  return pointLine.empty() ? report : report + "\r\r" + pointLine;
}

// After the writes: reloads the controls, tells the backups what took effect, ends or withdraws
// the restore point, reports and offers the restart.
void FinishRun(ApplyWindow& window, Layout layout, const RunPlan& plan, const Written& written,
               std::unique_ptr<Progress> progress, RestorePoint& point) {
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  progress->AllowClose();
  const bool reloaded = LoadSettings(window.controls, ReadOrder(layout));
  if (reloaded) window.loaded = RememberLoaded(window.controls, layout);
  const std::vector<std::string> missed =
      reloaded ? Missed(window, sequence, plan, written) : std::vector<std::string>{};
  const KeptBackup backup =
      window.backups ? window.backups->After(TookEffect(plan, reloaded, missed)) : KeptBackup::None;
  // A backup that could not be cut down after the run says so in every report.
  const std::string fromBefore =
      backup == KeptBackup::BeforeRun ? std::string("\r") + kBackupFromBefore : "";
  const std::string pointLine = point.Finish(WroteAny(plan, written));
  progress->Fill();
  if (!written.opened || !reloaded) {
    // Nothing was written, or nothing of it can be confirmed; no restart is offered.
    const bool someFailed =
        std::find(written.failed.begin(), written.failed.end(), true) != written.failed.end();
    const char* what = !written.opened ? kNoRegistry : someFailed ? kNotRereadPartly : kNotReread;
    MessageDlg(WithPoint(what + fromBefore, pointLine), MsgType::Error, kMbOk);
    return;
  }
  if (missed.empty()) {
    MessageDlg(
        WithPoint(
            backup != KeptBackup::None ? std::string(kDone) + "\r" + kUndoHint + fromBefore : kDone,
            pointLine),
        MsgType::Information, kMbOk);
  } else {
    MessageDlg(WithPoint(NotAppliedReport(missed, written.adminHint) + fromBefore, pointLine),
               MsgType::Error, kMbOk);
  }
  progress.reset();

  if (MessageDlg(kRestart, MsgType::Confirmation, kMbYes | kMbNo | kMbCancel) == MsgResult::Yes) {
    // Without EWX_FORCE: other programs may still ask to save their documents.
    ExitWindowsPrivileged(kEwxReboot | kEwxForceIfHung);
  }
}

}  // namespace

void ApplySettings(ApplyWindow& window, Layout layout) {
  const std::vector<WriteStep>& sequence = WriteSequence(layout);
  // The writes use what the controls show now; nothing can change them during the run.
  const RunPlan plan = PlanRun(window.controls, window.loaded, layout, window.caption);
  bool wantPoint = false;
  if (!ConfirmRun(window, plan, wantPoint)) return;
  const int maximum = static_cast<int>(sequence.size());
  // Withdrawn on every way out that does not end it, an error included.
  RestorePoint point;
  std::unique_ptr<Progress> progress;
  if (wantPoint) {
    // The run's first step: before the backup and before any write.
    progress = window.createProgress(maximum);
    progress->Show();
    progress->ShowStep(kRestorePointStep);
    if (!point.Begin(ApplyPointDescription(SystemBackend()->Now()))) return;
  }
  if (!KeepBackup(window, sequence, plan)) return;
  window.standardViewShown = false;
  if (!progress) {
    progress = window.createProgress(maximum);
    progress->Show();
  }
  const Written written = WriteChanges(sequence, plan, *progress);
  FinishRun(window, layout, plan, written, std::move(progress), point);
}

std::vector<SettingChange> PendingChanges(
    const ControlSurface& controls, const LoadedControls& loaded, Layout layout,
    const std::function<std::string(const std::string&)>& caption) {
  return PlanRun(controls, loaded, layout, caption).changes;
}

void butApplyClick(ApplyWindow& window) {
  if (const std::optional<Layout> layout = RunningLayout()) ApplySettings(window, *layout);
}

}  // namespace tw
